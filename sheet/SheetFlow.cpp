#include "sheet/SheetFlow.h"

#include "document/FlowRecord.h"
#include "document/FlowTrust.h"
#include "openfoam/FlowCase.h"

#include <QJsonArray>

#include <optional>
#include <utility>

namespace inlet {

namespace {

QString fixed(double v, int decimals)
{
    return QString::number(v, 'f', decimals);
}

// The iterations a run's figures are means over, first and last; none where they are the last
// evaluation's own (the run settled steadily).
std::optional<std::pair<int, int>> averagedOver(const QJsonObject& result)
{
    const QJsonArray over = result.value(QStringLiteral("averagedOver")).toArray();
    if (over.size() != 2)
        return std::nullopt;
    return std::pair{over[0].toInt(), over[1].toInt()};
}

}  // namespace

QString flowStopCondition(const QJsonObject& result)
{
    const auto over = averagedOver(result);
    if (!over)
        return QStringLiteral("各断面 Vu、θ̄、水头损失在 100 次迭代内变化均小于 0.1%");
    const int window = over->second - over->first + 1;
    return QStringLiteral("各断面 Vu、θ̄、水头损失周期性波动：取第 %1～%2 次迭代的平均值，与其前 %3 次迭代的平均值相差均小于 %4%")
        .arg(over->first)
        .arg(over->second)
        .arg(window)
        .arg(fixed(100 * cfd::SolverSettings{}.averageTolerance, 1));
}

QString flowBand(const QJsonObject& section, const QString& figure, int decimals)
{
    const QJsonArray lowHigh = section.value(QStringLiteral("band")).toObject().value(figure).toArray();
    if (lowHigh.size() != 2)
        return {};
    return QStringLiteral("%1～%2").arg(fixed(lowHigh[0].toDouble(), decimals), fixed(lowHigh[1].toDouble(), decimals));
}

QString flowSwingText(const QJsonObject& result)
{
    const auto over = averagedOver(result);
    if (!over)
        return {};
    QStringList sections;
    for (const QJsonValue& value : result.value(QStringLiteral("sections")).toArray()) {
        const QJsonObject s = value.toObject();
        const auto range = [&](const char* figure, int decimals) {
            const QString band = flowBand(s, QLatin1String(figure), decimals);
            return band.isEmpty() ? QStringLiteral("未知") : band;
        };
        QString text = QStringLiteral("%1 Vu %2%，θ̄ %3°")
                           .arg(flowSectionName(s.value(QStringLiteral("name")).toString()), range("Vu", 1), range("theta", 1));
        // θ̄ of the swirl alone swung as well; records kept before its band was have none.
        if (const QString swirl = flowBand(s, QStringLiteral("thetaSwirl"), 1); !swirl.isEmpty())
            text += QStringLiteral("，θ̄ 仅旋流 %1°").arg(swirl);
        sections << text + QStringLiteral("，水头损失 %1 m").arg(range("headLoss", 4));
    }
    return QStringLiteral("表中各值为第 %1～%2 次迭代的平均值；其间的波动范围：%3。")
        .arg(over->first)
        .arg(over->second)
        .arg(sections.join(QStringLiteral("；")));
}

QJsonObject flowRecordFor(const QJsonObject& record, const std::map<Box, QString>& texts, WidthSet set)
{
    return flowStanding(record, texts, set) == FlowStanding::ThisDesign ? record : QJsonObject();
}

void writeFlow(TextWriter& writer, const SheetInput& input, int number)
{
    const QString n = QString::number(number);
    writer.section(n + QStringLiteral(" 水力评价"));
    // A flow of other texts is named, not shown as this design's and not left out unseen.
    if (const QString notShown = flowNotShownText(input.flow, input.givenTexts(), input.widthSet()); !notShown.isEmpty()) {
        writer.paragraph(notShown);
        return;
    }
    const QJsonObject settings = input.flow.value(QStringLiteral("settings")).toObject();
    const QJsonObject result = input.flow.value(QStringLiteral("result")).toObject();
    writer.paragraph(QStringLiteral("以设计流量 Q = %1 m³/s 计算流道内的三维定常湍流：OpenFOAM simpleFoam，"
                                    "k-ω SST 湍流模型，SIMPLE 算法，壁面函数；进口为流道进口断面的均匀来流，"
                                    "出口压力固定。%2。")
                         .arg(fixed(result.value(QStringLiteral("flowGiven")).toDouble(), 3),
                              flowCaseInputsText(input.flow)));
    writer.subsection(n + QStringLiteral(".1 网格与收敛"));
    QStringList residuals;
    const QJsonObject r = result.value(QStringLiteral("residuals")).toObject();
    for (auto it = r.begin(); it != r.end(); ++it)
        residuals << it.key() + QStringLiteral(" ") + QString::number(it.value().toDouble(), 'e', 1);
    const QJsonObject yPlus = result.value(QStringLiteral("yPlus")).toObject();
    writer.table({40, 60}, {QStringLiteral("项目"), QStringLiteral("数值")},
                 {{QStringLiteral("网格（snappyHexMesh，壁面棱柱层）"),
                   QStringLiteral("%1，%2 个单元").arg(flowLevelName(settings.value(QStringLiteral("mesh")).toString()))
                       .arg(result.value(QStringLiteral("cells")).toInt())},
                  {QStringLiteral("并行进程数"), QString::number(result.value(QStringLiteral("processes")).toInt())},
                  {QStringLiteral("迭代次数（上限）"), QStringLiteral("%1（%2）")
                                                         .arg(result.value(QStringLiteral("iterations")).toInt())
                                                         .arg(settings.value(QStringLiteral("iterationLimit")).toInt())},
                  {QStringLiteral("停止条件"), flowStopCondition(result)},
                  {QStringLiteral("最终初始残差"), residuals.join(QStringLiteral("，"))},
                  {QStringLiteral("壁面 y+"), QStringLiteral("%1～%2，面积加权平均 %3；%4% 的壁面积在 30～300 之间")
                                                 .arg(fixed(yPlus.value(QStringLiteral("min")).toDouble(), 1),
                                                      fixed(yPlus.value(QStringLiteral("max")).toDouble(), 1),
                                                      fixed(yPlus.value(QStringLiteral("mean")).toDouble(), 1),
                                                      fixed(100 * yPlus.value(QStringLiteral("shareWithin30To300")).toDouble(), 0))},
                  {QStringLiteral("进口流量核对"), QStringLiteral("给定 %1 m³/s，进口断面 %2 m³/s")
                                                      .arg(fixed(result.value(QStringLiteral("flowGiven")).toDouble(), 3),
                                                           fixed(result.value(QStringLiteral("flowAtInlet")).toDouble(), 3))}});
    writer.subsection(n + QStringLiteral(".2 评价指标"));
    writer.paragraph(QStringLiteral("轴向流速分布均匀度 Vu = (1 − √(Σ(uₐ − ūₐ)²ΔA / ΣΔA) / ūₐ) × 100%；"
                                    "速度加权平均入流角 θ̄ = Σ⁺uₐ·atan2(uₐ, uₜ)ΔA / Σ⁺uₐΔA，只计正向流（uₐ > 0）的面（90° 为轴向入流）；"
                                    "回流面积为 uₐ < 0 的面占断面面积的份额；"
                                    "水头损失为流道进口与该断面按流量加权的总水头 (p/ρg + u²/2g) 之差。"));
    std::vector<QStringList> rows;
    const QJsonArray sections = result.value(QStringLiteral("sections")).toArray();
    const std::optional<cfd::MeshStudy> study = meshStudyOf(input.flow);
    for (const QJsonValue& value : sections) {
        const QJsonObject s = value.toObject();
        const QString name = s.value(QStringLiteral("name")).toString();
        rows.push_back({flowSectionName(name),
                        figureCell(input.flow, name, QStringLiteral("Vu"), s.value(QStringLiteral("Vu")).toDouble(), 1),
                        figureCell(input.flow, name, QStringLiteral("theta"), s.value(QStringLiteral("theta")).toDouble(), 1),
                        figureCell(input.flow, name, QStringLiteral("headLoss"), s.value(QStringLiteral("headLoss")).toDouble(), 4),
                        fixed(s.value(QStringLiteral("flow")).toDouble(), 3),
                        fixed(100 * s.value(QStringLiteral("backflowArea")).toDouble(), 1)});
    }
    writer.table({28, 14, 14, 16, 14, 14},
                 {QStringLiteral("断面"), QStringLiteral("Vu (%)"), QStringLiteral("θ̄ (°)"), QStringLiteral("水头损失 (m)"),
                  QStringLiteral("流量 (m³/s)"), QStringLiteral("回流面积 (%)")},
                 rows, {1, 2, 3, 4, 5});
    if (const QString swing = flowSwingText(result); !swing.isEmpty())
        writer.paragraph(swing);
    if (study) {
        // Each figure with its band: the finest mesh's value, the extrapolated one, the order.
        writer.paragraph(QStringLiteral("“±”为最细网格之值的网格收敛指数 GCI 带（Celik 等 2008，三套网格，实际单元数，"
                                        "表观阶数高于格式精度 2 时按 2 阶计）；GCI 超过 %1% 的指标标为未收敛。")
                             .arg(QString::number(100 * cfd::kGciLimit, 'f', 0)));
        std::vector<QStringList> bands;
        for (const cfd::StudyFigure& f : study->figures) {
            const int decimals = f.figure == "headLoss" ? 4 : 1;
            const cfd::GridConvergence& g = f.convergence;
            const bool known = g.convergence != cfd::Convergence::Unknown;
            const QString section = QString::fromStdString(f.section), figure = QString::fromStdString(f.figure);
            bands.push_back({flowSectionName(section) + QStringLiteral(" ") + QString::fromStdString(cfd::figureWords(f.figure, Language::Chinese)),
                             figureWithBand(input.flow, section, figure, f.values[0], decimals),
                             !known ? QStringLiteral("—")
                             : cfd::beyondFormalOrder(g) ? QStringLiteral("%1（按 %2）").arg(fixed(g.order, 2), fixed(g.bandOrder, 0))
                                                         : fixed(g.order, 2),
                             known ? fixed(g.extrapolated, decimals + 1) : QStringLiteral("—")});
        }
        writer.table({28, 40, 16, 16}, {QStringLiteral("指标"), QStringLiteral("最细网格之值 ± GCI 带"), QStringLiteral("表观阶数 p"),
                                        QStringLiteral("外推值")},
                     bands, {2, 3});
    }
    writer.subsection(n + QStringLiteral(".3 可信度"));
    std::vector<QStringList> trust;
    for (const auto& [item, text] : trustRows(input.flow))
        trust.push_back({item, text});
    writer.table({24, 76}, {QStringLiteral("项目"), QStringLiteral("情况")}, trust);
}

}  // namespace inlet
