#include "SheetInput.h"

namespace inlet {

SheetInput sheetInputFrom(const RunRecord& record, const DesignInfo& info, bool drawings)
{
    SheetInput input{exportInputFrom(record, info), {}};
    input.drawings = drawings;
    return input;
}

SheetInput sheetInputFor(const Design& design, const NumberLocale& locale, bool drawings)
{
    SheetInput input{exportInputFor(design, locale), {}};
    input.drawings = drawings;
    return input;
}

}  // namespace inlet
