#include "SheetInput.h"

#include "SheetFlow.h"

#include <utility>

namespace inlet {

SheetInput sheetInputFrom(const RunRecord& record, const DesignInfo& info, ViewPicture picture)
{
    SheetInput input{exportInputFrom(record, info), {}, {}};
    input.picture = std::move(picture);
    return input;
}

SheetInput sheetInputFor(const Design& design, const NumberLocale& locale, ViewPicture picture)
{
    SheetInput input{exportInputFor(design, locale), {}, {}};
    input.picture = std::move(picture);
    if (input.calculation)
        input.flow = flowRecordFor(design.kept.value(QStringLiteral("flow")).toObject(), design.texts);
    return input;
}

}  // namespace inlet
