#include "document/FlowRecord.h"

#include <QStringList>

namespace inlet {

namespace {

constexpr std::array<Box, 12> kFlowInputs{
    Box::Text1, Box::Text3, Box::Text4, Box::Text9, Box::Text10, Box::Text11,
    Box::Text35, Box::Text34, Box::Text22, Box::Text21, kFlowRateBox, kPassageLengthBox,
};

QString symbolOf(Box box)
{
    const std::string_view symbol = boxInfo(box).symbol;
    return QString::fromUtf8(symbol.data(), static_cast<qsizetype>(symbol.size()));
}

QString statusOf(const QJsonObject& record)
{
    return record.value(QStringLiteral("result")).toObject().value(QStringLiteral("status")).toString();
}

// A text as the sentence quotes it: an empty one said so.
QString quoted(const QString& text)
{
    return text.isEmpty() ? QStringLiteral("（空）") : QStringLiteral("“%1”").arg(text);
}

}  // namespace

QString flowSectionName(const QString& name)
{
    if (name == QLatin1String("cone_inlet"))
        return QStringLiteral("喇叭管进口（锥管进口）");
    if (name == QLatin1String("pump_inlet"))
        return QStringLiteral("水泵进口断面");
    if (name == QLatin1String("pump_inlet_annulus"))
        return QStringLiteral("水泵进口断面（导流锥顶外环形区 r > dd0/2）");
    return name;
}

QString flowLevelName(const QString& level)
{
    static const std::map<QString, QString> names{{QStringLiteral("coarse"), QStringLiteral("粗网格")},
                                                  {QStringLiteral("medium"), QStringLiteral("中网格")},
                                                  {QStringLiteral("fine"), QStringLiteral("细网格")},
                                                  {QStringLiteral("tiny"), QStringLiteral("试算网格")},
                                                  {QStringLiteral("cells"), QStringLiteral("按单元数")}};
    const auto found = names.find(level);
    return found == names.end() ? level : found->second;
}

QString flowCaseInputsText(const QJsonObject& record)
{
    const QJsonObject settings = record.value(QStringLiteral("settings")).toObject();
    const auto number = [](double v) { return QString::number(v, 'g', 10); };
    QString outlet;
    if (settings.contains(QStringLiteral("outletExtension")))
        outlet = QStringLiteral("%1 mm").arg(number(settings.value(QStringLiteral("outletExtension")).toDouble()));
    else
        outlet = QStringLiteral("%1 倍管径 D0").arg(number(settings.value(QStringLiteral("outletExtensionDiameters")).toDouble(1)));
    const double ks = settings.value(QStringLiteral("roughness")).toDouble(0);
    const QJsonValue hub = settings.value(QStringLiteral("hubDiameter"));
    return QStringLiteral("出口在水泵进口断面以上 %1 处；%2；轮毂：%3")
        .arg(outlet,
             ks > 0 ? QStringLiteral("壁面当量砂粒粗糙度 Ks = %1 mm（粗糙壁面函数）").arg(number(ks))
                    : QStringLiteral("壁面光滑（Ks = 0）"),
             hub.isDouble() && hub.toDouble() > 0
                 ? QStringLiteral("直径 %1 mm，自水泵进口断面向上至出口的圆柱（平端面），作为壁面").arg(number(hub.toDouble()))
                 : QStringLiteral("无"));
}

const std::array<Box, 12>& flowInputBoxes() { return kFlowInputs; }

std::vector<Box> flowInputsChanged(const QJsonObject& record, const std::map<Box, QString>& texts)
{
    const QJsonObject recorded = record.value(QStringLiteral("texts")).toObject();
    std::vector<Box> changed;
    for (const Box box : kFlowInputs) {
        const auto now = texts.find(box);
        const QJsonValue then = recorded.value(symbolOf(box));
        if (!then.isString() || then.toString() != (now == texts.end() ? QString() : now->second))
            changed.push_back(box);
    }
    return changed;
}

WidthSet flowWidthSet(const QJsonObject& record)
{
    const QJsonValue name =
        record.value(QStringLiteral("settings")).toObject().value(QLatin1String(kFlowWidthSetKey));
    // A name this build does not know is not the computed set either: another design's.
    return name.isUndefined() ? WidthSet::Computed
                              : widthSetNamed(name.toString().toStdString()).value_or(WidthSet::AreaTrue);
}

FlowStanding flowStanding(const QJsonObject& record, const std::map<Box, QString>& texts, WidthSet set)
{
    if (record.isEmpty())
        return FlowStanding::None;
    if (!flowInputsChanged(record, texts).empty() || flowWidthSet(record) != set)
        return FlowStanding::OtherInputs;
    return statusOf(record) == QLatin1String("settled") ? FlowStanding::ThisDesign : FlowStanding::NotSettled;
}

QString flowNotShownText(const QJsonObject& record, const std::map<Box, QString>& texts, WidthSet set)
{
    switch (flowStanding(record, texts, set)) {
    case FlowStanding::None:
    case FlowStanding::ThisDesign:
        return {};
    case FlowStanding::NotSettled:
        return QStringLiteral("设计文件保存的流场计算未得到收敛的结果（状态 %1），不列出其数值。").arg(statusOf(record));
    case FlowStanding::OtherInputs:
        break;
    }
    const QJsonObject recorded = record.value(QStringLiteral("texts")).toObject();
    QStringList changes;
    for (const Box box : flowInputsChanged(record, texts)) {
        const auto now = texts.find(box);
        changes << QStringLiteral("%1 由 %2 改为 %3")
                       .arg(symbolOf(box), quoted(recorded.value(symbolOf(box)).toString()),
                            quoted(now == texts.end() ? QString() : now->second));
    }
    if (const WidthSet then = flowWidthSet(record); then != set) {
        const auto chinese = [](WidthSet s) {
            const std::string_view name = widthSetChinese(s);
            return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
        };
        changes << QStringLiteral("蜗壳宽度由%1改为%2").arg(quoted(chinese(then)), quoted(chinese(set)));
    }
    return QStringLiteral("设计文件保存的流场计算结果属于另一组输入参数（%1），不是本设计的结果，不列出其数值；"
                          "请按当前参数重新计算流场。")
        .arg(changes.join(QStringLiteral("；")));
}

}  // namespace inlet
