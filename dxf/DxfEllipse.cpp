#include "dxf/DxfEllipse.h"

#include <cmath>
#include <numbers>

namespace inlet {

namespace {

constexpr double kTurn = 2 * std::numbers::pi;

// The angle in [0, 2π).
double withinTurn(double angle)
{
    const double wrapped = std::fmod(angle, kTurn);
    if (wrapped < 0)
        return wrapped + kTurn < kTurn ? wrapped + kTurn : 0;
    return wrapped;
}

bool usable(double x) { return std::isfinite(x) && x > 0; }

}  // namespace

std::optional<DxfEllipse> dxfEllipse(const EllipseArc& arc)
{
    const double sweep = arc.end - arc.start;
    if (!usable(arc.rx) || !usable(arc.ry) || !std::isfinite(arc.start) || !usable(sweep))
        return std::nullopt;

    DxfEllipse ellipse;
    ellipse.centre = arc.centre;
    double shift = 0;
    if (arc.rx >= arc.ry) {
        ellipse.majorAxis = {arc.rx, 0};
        ellipse.ratio = arc.ry / arc.rx;
    } else {
        // v = u - π/2: centre + (0, ry)·cos v + (-rx, 0)·sin v = centre + (rx cos u, ry sin u).
        ellipse.majorAxis = {0, arc.ry};
        ellipse.ratio = arc.rx / arc.ry;
        shift = -std::numbers::pi / 2;
    }
    if (!(ellipse.ratio >= kSmallestEllipseRatio))
        return std::nullopt;

    if (sweep >= kTurn) {
        ellipse.start = 0;
        ellipse.end = kTurn;
        return ellipse;
    }
    ellipse.start = withinTurn(arc.start + shift);
    ellipse.end = withinTurn(ellipse.start + sweep);
    if (ellipse.end == 0)
        ellipse.end = kTurn;
    if (ellipse.end == ellipse.start)
        return std::nullopt;  // too small a sweep to tell from the whole ellipse
    return ellipse;
}

}  // namespace inlet
