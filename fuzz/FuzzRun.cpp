// Arbitrary texts in every input box: each run must end in a full set of results or in a
// named failure, never a crash, a hang or undefined behaviour; a completed run's drawing
// and design checks must hold finite shapes only.
//
// The input is split at the byte 0x1E into the texts of D, D0, theta, H0, H1, H2, D1, dd0, aa,
// hk and the design flow Q, in that order; boxes without a text keep their default. The
// first byte picks the locale.

#include "boxes/BoxTexts.h"
#include "run/CalculationRun.h"
#include "checks/DesignChecks.h"
#include "drawing/PassageDrafting.h"
#include "checks/VoluteChart.h"

#include <algorithm>
#include <array>
#include <cmath>

#include <cstdint>
#include <cstdlib>
#include <string_view>

using namespace inlet;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    static const NumberLocale kLocales[] = {{".", ","}, {",", "."}, {",", "\xE2\x80\xAF"}};
    const NumberLocale& locale = kLocales[data[0] % 3];
    std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);

    BoxTexts boxes;
    std::array<Box, 11> typed{};
    std::copy(inputBoxes().begin(), inputBoxes().end(), typed.begin());
    typed.back() = Box::Text12;
    for (const Box box : typed) {
        if (rest.empty())
            break;
        const std::size_t end = rest.find('\x1e');
        boxes.type(box, std::string(rest.substr(0, end)));
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    }

    try {
        const Calculation c = runCalculation(boxes, locale);
        if (boxes.written().size() != resultWriteOrder().size())
            std::abort();  // a run that returns must have written every result
        const WidthSets widths = widthSets(c);
        for (const WidthSet set : {WidthSet::Computed, WidthSet::AreaTrue}) {
            for (const Drawing& drawing : {drawPassage(c, widths, set), voluteChart(c, widths, set, 15.0, locale)}) {
                for (const View& view : drawing.views) {
                    for (const Shape& shape : view.shapes) {
                        const Extent e = extentOf(shape);
                        if (!std::isfinite(e.left + e.right + e.top + e.bottom))
                            std::abort();  // no writer may meet a coordinate that is not finite
                    }
                }
            }
            for (const DesignCheck& check : designChecks(c, widths, set, boxes, locale))
                if (check.chinese.empty() || check.english.empty())
                    std::abort();
        }
    } catch (const Failure& failure) {
        if (boxes.written().size() >= resultWriteOrder().size() || render(failure, Language::English).empty())
            std::abort();  // a failure must stop before the end and say where
    }
    for (const Box box : boxes.written()) {
        const std::string text = boxes.text(box);
        if (text.empty() || text.find_first_of("NI") != std::string::npos)
            std::abort();  // no empty, NaN or infinite result text
    }
    return 0;
}
