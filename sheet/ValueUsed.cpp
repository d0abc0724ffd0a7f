#include "ValueUsed.h"

#include "Arithmetic.h"
#include "CalcError.h"
#include "DesignInputs.h"
#include "ResultText.h"

namespace inlet {

namespace {

enum class Reading { Lenient, LenientSingle, Strict, NotRead, Result };

struct Row {
    Reading reading;
    const char* remark;
};

Row rowFor(Box box)
{
    switch (box) {
    case Box::Text1: return {Reading::Lenient, "读取，不参与计算"};
    case Box::Text3:
    case Box::Text9:
    case Box::Text10:
    case Box::Text35: return {Reading::Lenient, ""};
    case Box::Text4: return {Reading::Lenient, "乘 π 除以 180 化为弧度，取单精度"};
    case Box::Text22: return {Reading::Lenient, "乘 π 除以 180 化为弧度（双精度）"};
    case Box::Text11:
    case Box::Text21: return {Reading::LenientSingle, "取单精度"};
    case Box::Text34: return {Reading::Strict, "整段文本按本机数字格式转换，取单精度"};
    case Box::Text12: return {Reading::Lenient, "不参与计算，仅用于流速校核"};
    case Box::Text2:
    case Box::Text7:
    case Box::Text8: return {Reading::NotRead, "仅显示，不参与计算"};
    default: return {Reading::Result, "计算结果"};
    }
}

QString shown(double value, const NumberLocale& locale)
{
    return QString::fromStdString(generalText(value, locale));
}

}  // namespace

ValueUsed valueUsed(Box box, const std::string& text, const NumberLocale& locale)
{
    const Row row = rowFor(box);
    const QString remark = QString::fromUtf8(row.remark);
    const QString none = QStringLiteral("—");
    try {
        switch (row.reading) {
        case Reading::Lenient: return {shown(lenientParse(text), locale), remark};
        case Reading::LenientSingle: return {shown(toSingle(lenientParse(text)), locale), remark};
        case Reading::Strict: return {shown(strictConversion(text, locale), locale), remark};
        case Reading::NotRead:
        case Reading::Result: return {none, remark};
        }
    } catch (const CalcError& e) {
        switch (e.kind()) {
        case FailureKind::TypeMismatch: return {none, QStringLiteral("不是数值，无法读取")};
        case FailureKind::Overflow:
            return {none, row.reading == Reading::Lenient ? QStringLiteral("超出双精度范围，无法读取")
                                                          : QStringLiteral("超出单精度范围，无法读取")};
        default: return {none, QStringLiteral("无法读取")};
        }
    }
    return {none, remark};
}

}  // namespace inlet
