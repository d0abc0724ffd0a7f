#include "sheet/SheetInput.h"

#include <utility>

namespace inlet {

SheetInput sheetInputFrom(std::shared_ptr<const RunRecord> record, const DesignInfo& info, bool drawings)
{
    SheetInput input{exportInputFrom(std::move(record), info), {}};
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
