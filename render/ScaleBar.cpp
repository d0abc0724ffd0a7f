#include "render/ScaleBar.h"

#include <cmath>

namespace inlet {

ScaleBar ScaleBar::longestWithin(double scale, double maxLength)
{
    if (!(scale > 0) || !std::isfinite(scale) || !(maxLength > 0))
        return {};
    const double longest = maxLength / scale;  // mm
    double power = std::pow(10.0, std::floor(std::log10(longest)));
    if (10 * power <= longest)
        power *= 10;  // log10 came out just below a whole number
    // 1, 2 and 5 in parts of 0.2, 0.5 and 1.
    if (5 * power <= longest)
        return {5 * power, 5};
    if (2 * power <= longest)
        return {2 * power, 4};
    return {power, 5};
}

}  // namespace inlet
