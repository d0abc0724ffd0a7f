#include "document/FlowTrust.h"

#include "document/FlowRecord.h"

#include <QJsonArray>
#include <QStringList>

#include <cmath>

namespace inlet {

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

std::optional<double> numberAt(const QJsonObject& o, const char* key)
{
    const QJsonValue v = o.value(QLatin1String(key));
    return v.isDouble() ? std::optional<double>(v.toDouble()) : std::nullopt;
}

// The least and the most a figure of `section` took over the iterations it is a mean of, as
// the record keeps them (band.Vu, band.theta, band.headLoss); none where it keeps no band.
std::optional<cfd::Band> bandAt(const QJsonObject& section, const char* figure)
{
    const QJsonArray lowHigh = section.value(QStringLiteral("band")).toObject().value(QLatin1String(figure)).toArray();
    if (lowHigh.size() != 2 || !lowHigh[0].isDouble() || !lowHigh[1].isDouble())
        return std::nullopt;
    return cfd::Band{lowHigh[0].toDouble(), lowHigh[1].toDouble()};
}

const cfd::StudyFigure* studyFigure(const std::optional<cfd::MeshStudy>& study, const QString& section,
                                    const QString& figure)
{
    return study ? study->figure(section.toStdString(), figure.toStdString()) : nullptr;
}

}  // namespace

QJsonObject meshStudyObject(const cfd::MeshStudy& study)
{
    QJsonArray levels, cells, figures;
    for (int i = 0; i < 3; ++i) {
        levels.append(qs(study.levels[i]));
        cells.append(study.cells[i]);
    }
    for (const cfd::StudyFigure& f : study.figures) {
        const cfd::GridConvergence& g = f.convergence;
        figures.append(QJsonObject{{"section", qs(f.section)},
                                   {"figure", qs(f.figure)},
                                   {"values", QJsonArray{f.values[0], f.values[1], f.values[2]}},
                                   {"convergence", cfd::convergenceName(g.convergence)},
                                   {"r21", g.r21},
                                   {"r32", g.r32},
                                   {"order", g.order},
                                   {"bandOrder", g.bandOrder},
                                   {"extrapolated", g.extrapolated},
                                   {"approximateError", g.approximateError},
                                   {"extrapolatedError", g.extrapolatedError},
                                   {"gci", g.index}});
    }
    return QJsonObject{{"levels", levels}, {"cells", cells}, {"figures", figures}};
}

std::optional<cfd::MeshStudy> meshStudyOf(const QJsonObject& record)
{
    const QJsonObject o = record.value(QStringLiteral("meshStudy")).toObject();
    const QJsonArray levels = o.value(QStringLiteral("levels")).toArray();
    const QJsonArray cells = o.value(QStringLiteral("cells")).toArray();
    if (levels.size() != 3 || cells.size() != 3)
        return std::nullopt;
    cfd::MeshStudy study;
    for (int i = 0; i < 3; ++i) {
        study.levels[i] = levels[i].toString().toStdString();
        study.cells[i] = cells[i].toInt();
    }
    for (const QJsonValue& value : o.value(QStringLiteral("figures")).toArray()) {
        const QJsonObject f = value.toObject();
        cfd::StudyFigure figure{.section = f.value(QStringLiteral("section")).toString().toStdString(),
                                .figure = f.value(QStringLiteral("figure")).toString().toStdString(),
                                .values = {},
                                .convergence = {}};
        const QJsonArray values = f.value(QStringLiteral("values")).toArray();
        for (int i = 0; i < 3 && i < values.size(); ++i)
            figure.values[i] = values[i].toDouble();
        cfd::GridConvergence& g = figure.convergence;
        // A figure without its index (a file damaged or of another kind) has no band: unknown.
        const std::optional<double> gci = numberAt(f, "gci");
        g.convergence = gci ? cfd::convergenceNamed(f.value(QStringLiteral("convergence")).toString().toUtf8().constData())
                            : cfd::Convergence::Unknown;
        g.index = gci.value_or(0);
        g.r21 = f.value(QStringLiteral("r21")).toDouble();
        g.r32 = f.value(QStringLiteral("r32")).toDouble();
        g.order = f.value(QStringLiteral("order")).toDouble();
        g.bandOrder = f.value(QStringLiteral("bandOrder")).toDouble(g.order);
        g.extrapolated = f.value(QStringLiteral("extrapolated")).toDouble();
        g.approximateError = f.value(QStringLiteral("approximateError")).toDouble();
        g.extrapolatedError = f.value(QStringLiteral("extrapolatedError")).toDouble();
        study.figures.push_back(figure);
    }
    return study;
}

cfd::VerdictInput verdictInputOf(const QJsonObject& record)
{
    const QJsonObject result = record.value(QStringLiteral("result")).toObject();
    cfd::VerdictInput in;
    in.settled = result.value(QStringLiteral("status")).toString() == QLatin1String("settled");
    // Settled on its means: the record names the iterations they are means over (the sheet's
    // flowStopCondition reads the same field).
    in.onMeans = result.value(QStringLiteral("averagedOver")).toArray().size() == 2;
    in.flowGiven = numberAt(result, "flowGiven");
    for (const QJsonValue& value : result.value(QStringLiteral("sections")).toArray()) {
        const QJsonObject s = value.toObject();
        in.sections.push_back({.name = s.value(QStringLiteral("name")).toString().toStdString(),
                               .flow = numberAt(s, "flow"),
                               .uniformity = numberAt(s, "Vu"),
                               .backflowArea = numberAt(s, "backflowArea"),
                               // The pump inlet's figures over the annulus outside the guide
                               // cone's top: part of the section, so not all of Q passes it.
                               .wholeSection = !s.value(QStringLiteral("name")).toString().endsWith(
                                   QLatin1String("_annulus")),
                               .angle = numberAt(s, "theta"),
                               .headLoss = numberAt(s, "headLoss"),
                               .uniformityBand = bandAt(s, "Vu"),
                               .angleBand = bandAt(s, "theta"),
                               .lossBand = bandAt(s, "headLoss")});
    }
    in.study = meshStudyOf(record);
    const QJsonObject checkMesh = result.value(QStringLiteral("checkMesh")).toObject();
    in.nonOrthogonality = numberAt(checkMesh, "nonOrthogonalityMax");
    in.skewness = numberAt(checkMesh, "skewnessMax");
    return in;
}

cfd::FlowVerdict flowVerdictOf(const QJsonObject& record)
{
    return cfd::flowVerdict(verdictInputOf(record));
}

bool figureNotConverged(const QJsonObject& record, const QString& section, const QString& figure)
{
    const std::optional<cfd::MeshStudy> study = meshStudyOf(record);
    const cfd::StudyFigure* f = studyFigure(study, section, figure);
    return f && (f->convergence.convergence == cfd::Convergence::Unknown || !(f->convergence.index <= cfd::kGciLimit));
}

QString figureWithBand(const QJsonObject& record, const QString& section, const QString& figure, double value,
                       int decimals)
{
    const QString shown = QString::number(value, 'f', decimals);
    const std::optional<cfd::MeshStudy> study = meshStudyOf(record);
    const cfd::StudyFigure* f = studyFigure(study, section, figure);
    if (!f)
        return shown;
    const cfd::GridConvergence& g = f->convergence;
    if (g.convergence == cfd::Convergence::Unknown)
        return shown + QStringLiteral("（GCI 无法求得，三套网格，未收敛）");
    QString text = shown + QStringLiteral(" ± ") + QString::number(std::abs(value) * g.index, 'f', decimals)
                   + QStringLiteral("（GCI ") + QString::number(100 * g.index, 'f', 1) + QStringLiteral("%，三套网格");
    if (g.convergence == cfd::Convergence::Oscillatory)
        text += QStringLiteral("，振荡收敛");
    if (!(g.index <= cfd::kGciLimit))
        text += QStringLiteral("，未收敛");
    return text + QStringLiteral("）");
}

}  // namespace inlet

namespace inlet {

QString figureCell(const QJsonObject& record, const QString& section, const QString& figure, double value,
                   int decimals)
{
    const QString shown = QString::number(value, 'f', decimals);
    const std::optional<cfd::MeshStudy> study = meshStudyOf(record);
    const cfd::StudyFigure* f = studyFigure(study, section, figure);
    if (!f)
        return shown;
    const QString mark = figureNotConverged(record, section, figure) ? QStringLiteral(" 未收敛") : QString();
    if (f->convergence.convergence == cfd::Convergence::Unknown)
        return shown + mark;
    return shown + QStringLiteral(" ± ") + QString::number(std::abs(value) * f->convergence.index, 'f', decimals) + mark;
}

std::vector<std::pair<QString, QString>> trustRows(const QJsonObject& record)
{
    const cfd::VerdictInput in = verdictInputOf(record);
    const auto name = [](const std::string& section) { return qs(cfd::sectionWords(section, Language::Chinese)); };
    const auto figureName = [](const std::string& figure) { return qs(cfd::figureWords(figure, Language::Chinese)); };
    const auto percent = [](double share, int decimals) { return QString::number(100 * share, 'f', decimals); };
    QStringList flows, backflow;
    for (const cfd::VerdictSection& s : in.sections) {
        if (s.flow && in.flowGiven && *in.flowGiven > 0)
            flows << QStringLiteral("%1 %2 m³/s（%3%4%）")
                         .arg(name(s.name), QString::number(*s.flow, 'f', 3),
                              *s.flow >= *in.flowGiven ? QStringLiteral("+") : QString(),
                              percent(*s.flow / *in.flowGiven - 1, 1));
        else
            flows << name(s.name) + QStringLiteral(" 未知");
        backflow << (s.backflowArea ? QStringLiteral("%1 占面积 %2%").arg(name(s.name), percent(*s.backflowArea, 1))
                                    : name(s.name) + QStringLiteral(" 未知"));
    }
    const QString given = in.flowGiven ? QString::number(*in.flowGiven, 'f', 3) : QStringLiteral("未知");
    QString convergence = QStringLiteral("未做网格收敛研究，GCI 未知");
    if (in.study) {
        QStringList meshes;
        for (int i = 0; i < 3; ++i)
            meshes << QStringLiteral("%1 %2").arg(flowLevelName(qs(in.study->levels[i]))).arg(in.study->cells[i]);
        // The figure furthest from converged: one without a band before any with one.
        const cfd::StudyFigure* largest = nullptr;
        auto worse = [](const cfd::StudyFigure& a, const cfd::StudyFigure& b) {
            const bool aUnknown = a.convergence.convergence == cfd::Convergence::Unknown;
            const bool bUnknown = b.convergence.convergence == cfd::Convergence::Unknown;
            return aUnknown != bUnknown ? aUnknown : a.convergence.index > b.convergence.index;
        };
        for (const cfd::StudyFigure& f : in.study->figures)
            if (!largest || worse(f, *largest))
                largest = &f;
        convergence = QStringLiteral("三套网格（%1 个单元），Celik 等 (2008) 的方法；").arg(meshes.join(QStringLiteral("、")));
        if (!largest)
            convergence += QStringLiteral("无可比的指标");
        else if (largest->convergence.convergence == cfd::Convergence::Unknown)
            convergence += QStringLiteral("%1 %2 的 GCI 无法求得").arg(name(largest->section), figureName(largest->figure));
        else
            convergence += QStringLiteral("最大 GCI %1%（%2 %3；限 %4%）")
                               .arg(percent(largest->convergence.index, 1), name(largest->section),
                                    figureName(largest->figure), percent(cfd::kGciLimit, 0));
    }
    QString quality = QStringLiteral("未知（结果中无 checkMesh 数据）");
    if (in.nonOrthogonality || in.skewness)
        quality = QStringLiteral("最大非正交度 %1（限 %2），最大偏斜度 %3（限 %4）")
                      .arg(in.nonOrthogonality ? QString::number(*in.nonOrthogonality, 'f', 1) : QStringLiteral("未知"),
                           QString::number(cfd::kNonOrthogonalityLimit, 'f', 0),
                           in.skewness ? QString::number(*in.skewness, 'f', 2) : QStringLiteral("未知"),
                           QString::number(cfd::kSkewnessLimit, 'f', 1));
    const QString continuity = QStringLiteral("；给定 Q %1 m³/s（限 ±%2%）").arg(given, percent(cfd::kFlowLimit, 0));
    const QString backflowLimit = QStringLiteral("（限 %1%）").arg(percent(cfd::kBackflowLimit, 0));
    return {{QStringLiteral("流量连续性"), flows.join(QStringLiteral("；")) + continuity},
            {QStringLiteral("回流"), backflow.join(QStringLiteral("；")) + backflowLimit},
            {QStringLiteral("网格收敛（GCI）"), convergence},
            {QStringLiteral("网格质量（checkMesh）"), quality},
            {QStringLiteral("结论"), qs(cfd::verdictLine(cfd::flowVerdict(in), Language::Chinese))}};
}

}  // namespace inlet
