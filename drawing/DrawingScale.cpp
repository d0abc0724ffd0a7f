#include "drawing/DrawingScale.h"

#include <array>
#include <cmath>

namespace inlet {

double drawingScale(const Extent& extent, double widthMm, double heightMm)
{
    const double width = extent.width(), height = extent.height();
    if (!std::isfinite(width) || !std::isfinite(height) || width <= 0 || height <= 0)
        return 0;
    constexpr std::array<double, 4> kSteps{1, 2, 2.5, 5};
    for (double decade = 1; std::isfinite(decade); decade *= 10) {
        for (const double step : kSteps) {
            const double scale = step * decade;
            if (width / scale <= widthMm && height / scale <= heightMm)
                return scale;
        }
    }
    return 0;
}

}  // namespace inlet
