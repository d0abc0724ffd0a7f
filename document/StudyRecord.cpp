#include "document/StudyRecord.h"

#include "study/ParetoFront.h"

#include <QJsonArray>

namespace inlet {

namespace {

StudyRecord::Variant variantOf(const QJsonObject& object)
{
    StudyRecord::Variant v;
    for (const QJsonValue& cell : object.value(QStringLiteral("cells")).toArray())
        v.cells << cell.toString();
    v.holds = object.value(QStringLiteral("holds")).toBool();
    for (const QString& name : {QStringLiteral("B"), QStringLiteral("v_max"), QStringLiteral("volume")})
        if (object.value(name).isDouble())
            v.figures[name] = object.value(name).toDouble();
    return v;
}

std::optional<double> figureOf(const StudyRecord::Variant& v, const QString& name)
{
    const auto found = v.figures.find(name);
    return found == v.figures.end() ? std::nullopt : std::optional<double>(found->second);
}

QString number(double v)
{
    return QString::number(v, 'g', 10);
}

}  // namespace

std::optional<StudyRecord> studyRecordOf(const QJsonObject& study)
{
    if (!study.value(QStringLiteral("columns")).isArray() || !study.value(QStringLiteral("chosen")).isObject())
        return std::nullopt;
    StudyRecord r;
    r.depth = study.value(QStringLiteral("depth")).toString();
    for (const QJsonValue& value : study.value(QStringLiteral("varied")).toArray()) {
        const QJsonObject v = value.toObject();
        const QString name = v.value(QStringLiteral("name")).toString();
        r.varied << (v.contains(QStringLiteral("from"))
                         ? QStringLiteral("%1 %2～%3（%4 个值）")
                               .arg(name, number(v.value(QStringLiteral("from")).toDouble()),
                                    number(v.value(QStringLiteral("to")).toDouble()))
                               .arg(v.value(QStringLiteral("count")).toInt())
                         : QStringLiteral("%1（计算宽度与面积一致宽度）").arg(name));
    }
    r.plan = study.contains(QStringLiteral("samples"))
                 ? QStringLiteral("拉丁超立方抽样 %1 个（种子 %2）")
                       .arg(study.value(QStringLiteral("samples")).toInt())
                       .arg(study.value(QStringLiteral("seed")).toString())
                 : QStringLiteral("网格（各值的全部组合）");
    r.objective = study.value(QStringLiteral("objective")).toString();
    for (const QJsonValue& value : study.value(QStringLiteral("require")).toArray())
        r.require << value.toString();
    for (const QJsonValue& value : study.value(QStringLiteral("columns")).toArray())
        r.columns << value.toString();
    r.variants = study.value(QStringLiteral("variants")).toInteger();
    for (const QJsonValue& value : study.value(QStringLiteral("rows")).toArray())
        r.rows.push_back(variantOf(value.toObject()));
    const QJsonObject chosen = study.value(QStringLiteral("chosen")).toObject();
    r.chosen = variantOf(chosen);
    r.chosen.holds = true;
    r.evaluations = chosen.value(QStringLiteral("evaluations")).toInt();
    const QJsonObject texts = chosen.value(QStringLiteral("texts")).toObject();
    for (auto it = texts.begin(); it != texts.end(); ++it)
        r.chosenTexts[it.key()] = it.value().toString();
    return r;
}

QString frontFigure(const StudyRecord& record)
{
    if (record.objective == QLatin1String("volume"))
        return QStringLiteral("B");
    return record.chosen.figures.count(QStringLiteral("volume")) ? QStringLiteral("volume") : QStringLiteral("v_max");
}

QString figureTitle(const QString& figure)
{
    if (figure == QLatin1String("B"))
        return QStringLiteral("流道宽度 B (mm)");
    if (figure == QLatin1String("volume"))
        return QStringLiteral("水体体积 (m³)");
    return QStringLiteral("最大断面流速 v_max (m/s)");
}

std::vector<std::size_t> studyFront(const StudyRecord& record, bool* withChosen)
{
    const QString y = frontFigure(record);
    std::vector<ParetoPoint> points;
    for (const StudyRecord::Variant& v : record.rows)
        points.push_back(v.holds ? ParetoPoint{figureOf(v, record.objective), figureOf(v, y)} : ParetoPoint{});
    points.push_back({figureOf(record.chosen, record.objective), figureOf(record.chosen, y)});
    std::vector<std::size_t> front = paretoFront(points);
    const auto chosenAt = std::find(front.begin(), front.end(), record.rows.size());
    if (withChosen)
        *withChosen = chosenAt != front.end();
    if (chosenAt != front.end())
        front.erase(chosenAt);
    return front;
}

QString studyChoiceText(const StudyRecord& record)
{
    const QString objective = record.objective == QLatin1String("volume") ? QStringLiteral("水体体积最小")
                                                                          : QStringLiteral("流道宽度 B 最小");
    QStringList constraints{QStringLiteral("各断面存在（断面形状的校核无警告）")};
    for (const QString& r : record.require)
        constraints << (r == QLatin1String("no warnings") ? QStringLiteral("各项校核均无警告") : r);
    QString text = QStringLiteral("选定方案（best.inlet）以%1为目标，约束为%2；以 NLopt 的 COBYLA 法（无导数，直接处理不等式约束）"
                                  "从满足约束的最优方案出发在各输入的范围内搜索，计算 %3 个方案。")
                       .arg(objective, constraints.join(QStringLiteral("、")))
                       .arg(record.evaluations);
    // The figures as the table shows them.
    const qsizetype column = record.columns.indexOf(record.objective);
    const StudyRecord::Variant* bestRow = nullptr;
    for (const StudyRecord::Variant& v : record.rows) {
        const auto f = figureOf(v, record.objective);
        if (v.holds && f && (!bestRow || *f < *figureOf(*bestRow, record.objective)))
            bestRow = &v;
    }
    const QString chosen = record.chosen.cells.value(column);
    if (bestRow)
        text += QStringLiteral("所列方案中满足约束的最优者为 %1（%2 = %3），选定方案 %2 = %4。")
                    .arg(bestRow->cells.value(0), record.objective, bestRow->cells.value(column), chosen);
    else
        text += QStringLiteral("所列方案均不满足约束，选定方案为搜索所得，%1 = %2。").arg(record.objective, chosen);
    return text;
}

bool studyIsOf(const StudyRecord& record, const std::map<Box, QString>& texts, WidthSet set)
{
    for (const auto& chosen : record.chosenTexts) {
        // Named, not bound: a lambda below reads the name (clang cannot capture a binding).
        const QString& name = chosen.first;
        const QString& text = chosen.second;
        if (name == QLatin1String("widths")) {
            if (text.toStdString() != widthSetName(set))
                return false;
            continue;
        }
        const auto box = std::find_if(texts.begin(), texts.end(), [&](const auto& t) {
            const std::string_view symbol = boxInfo(t.first).symbol;
            return name == QString::fromUtf8(symbol.data(), qsizetype(symbol.size()));
        });
        if (box == texts.end() || box->second != text)
            return false;
    }
    return true;
}

}  // namespace inlet
