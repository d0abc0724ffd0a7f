#include "sheet/ValueUsed.h"

#include "calc/CalcError.h"
#include "calc/ResultText.h"

namespace inlet {

ValueUsed valueUsed(Box box, const std::string& text, const NumberLocale& locale)
{
    const BoxInfo& info = boxInfo(box);
    const QString remark = QString::fromUtf8(info.remark.data(), qsizetype(info.remark.size()));
    const QString none = QStringLiteral("—");
    if (info.reading == Reading::Shown || info.reading == Reading::Result)
        return {none, remark};
    try {
        return {QString::fromStdString(generalText(readNumber(info.reading, text, locale), locale)), remark};
    } catch (const CalcError& e) {
        switch (e.kind()) {
        case FailureKind::TypeMismatch: return {none, QStringLiteral("不是数值，无法读取")};
        case FailureKind::Overflow:
            return {none, info.reading == Reading::LenientSingle || info.reading == Reading::Strict
                              ? QStringLiteral("超出单精度范围，无法读取")
                              : QStringLiteral("超出双精度范围，无法读取")};
        default: return {none, QStringLiteral("无法读取")};
        }
    }
}

}  // namespace inlet
