#include "SheetInput.h"

#include <utility>

namespace inlet {

SheetInput sheetInputAfterRun(const DesignInfo& info, const BoxAccess& boxes, std::vector<Box> written,
                              const std::optional<Calculation>& calculation, const std::string& failure,
                              const NumberLocale& locale, ViewPicture picture)
{
    SheetInput input{exportInputAfterRun(info, boxes, std::move(written), calculation, failure, locale), {}};
    input.picture = std::move(picture);
    return input;
}

SheetInput sheetInputFor(const Design& design, const NumberLocale& locale, ViewPicture picture)
{
    SheetInput input{exportInputFor(design, locale), {}};
    input.picture = std::move(picture);
    return input;
}

}  // namespace inlet
