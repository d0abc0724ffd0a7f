#include "dxf/DxfSpline.h"

#include <algorithm>
#include <cmath>

namespace inlet {

namespace {

constexpr int kDegree = 3;
constexpr int kMostControls = 200;

// The clamped, evenly spaced knots of a cubic spline with n control points.
std::vector<double> evenKnots(int n)
{
    std::vector<double> knots;
    const int spans = n - kDegree;
    for (int i = 0; i <= kDegree; ++i)
        knots.push_back(0);
    for (int i = 1; i < spans; ++i)
        knots.push_back(static_cast<double>(i) / spans);
    for (int i = 0; i <= kDegree; ++i)
        knots.push_back(1);
    return knots;
}

// The n basis functions' values at t (Cox and de Boor).
std::vector<double> basis(const std::vector<double>& knots, int n, double t)
{
    std::vector<double> values(knots.size() - 1, 0.0);
    const std::size_t last = static_cast<std::size_t>(n - 1);
    for (std::size_t i = 0; i + 1 < knots.size(); ++i) {
        if (knots[i] <= t && (t < knots[i + 1] || (t >= 1 && i == last && knots[i] < knots[i + 1])))
            values[i] = 1;
    }
    for (int p = 1; p <= kDegree; ++p) {
        for (std::size_t i = 0; i + static_cast<std::size_t>(p) + 1 < knots.size(); ++i) {
            const double left = knots[i + static_cast<std::size_t>(p)] - knots[i];
            const double right = knots[i + static_cast<std::size_t>(p) + 1] - knots[i + 1];
            double v = 0;
            if (left > 0)
                v += (t - knots[i]) / left * values[i];
            if (right > 0)
                v += (knots[i + static_cast<std::size_t>(p) + 1] - t) / right * values[i + 1];
            values[i] = v;
        }
    }
    values.resize(static_cast<std::size_t>(n));
    return values;
}

Point onArc(const EllipseArc& arc, double t)
{
    const double u = arc.start + (arc.end - arc.start) * t;
    return {arc.centre.x + arc.rx * std::cos(u), arc.centre.y + arc.ry * std::sin(u)};
}

// Solves the symmetric positive definite system a·x = b in place (Cholesky).
bool solve(std::vector<double>& a, std::vector<double>& b, std::size_t n)
{
    for (std::size_t j = 0; j < n; ++j) {
        double d = a[j * n + j];
        for (std::size_t k = 0; k < j; ++k)
            d -= a[j * n + k] * a[j * n + k];
        if (!(d > 0))
            return false;
        a[j * n + j] = std::sqrt(d);
        for (std::size_t i = j + 1; i < n; ++i) {
            double s = a[i * n + j];
            for (std::size_t k = 0; k < j; ++k)
                s -= a[i * n + k] * a[j * n + k];
            a[i * n + j] = s / a[j * n + j];
        }
    }
    for (std::size_t i = 0; i < n; ++i) {
        double s = b[i];
        for (std::size_t k = 0; k < i; ++k)
            s -= a[i * n + k] * b[k];
        b[i] = s / a[i * n + i];
    }
    for (std::size_t i = n; i-- > 0;) {
        double s = b[i];
        for (std::size_t k = i + 1; k < n; ++k)
            s -= a[k * n + i] * b[k];
        b[i] = s / a[i * n + i];
    }
    return true;
}

// The spline of n control points nearest the arc in the least-squares sense at evenly spaced
// parameters, its end points on the arc's.
std::optional<DxfSpline> fitted(const EllipseArc& arc, int n)
{
    DxfSpline spline;
    spline.knots = evenKnots(n);
    const int samples = 8 * n;
    const std::size_t inner = static_cast<std::size_t>(n - 2);  // the free control points
    std::vector<double> normal(inner * inner, 0.0), bx(inner, 0.0), by(inner, 0.0);
    const Point first = onArc(arc, 0), last = onArc(arc, 1);
    for (int s = 0; s <= samples; ++s) {
        const double t = static_cast<double>(s) / samples;
        const std::vector<double> b = basis(spline.knots, n, t);
        const Point p = onArc(arc, t);
        // What the fixed end points contribute, moved to the right-hand side.
        const double rx = p.x - b.front() * first.x - b.back() * last.x;
        const double ry = p.y - b.front() * first.y - b.back() * last.y;
        for (std::size_t i = 0; i < inner; ++i) {
            bx[i] += b[i + 1] * rx;
            by[i] += b[i + 1] * ry;
            for (std::size_t j = 0; j < inner; ++j)
                normal[i * inner + j] += b[i + 1] * b[j + 1];
        }
    }
    std::vector<double> copy = normal;
    if (!solve(normal, bx, inner) || !solve(copy, by, inner))
        return std::nullopt;
    spline.controls.push_back(first);
    for (std::size_t i = 0; i < inner; ++i)
        spline.controls.push_back({bx[i], by[i]});
    spline.controls.push_back(last);
    return spline;
}

// The largest distance between the spline and the arc at the same parameter: a bound of the
// distance from the spline to the arc.
double deviationOf(const DxfSpline& spline, const EllipseArc& arc)
{
    const int checks = 40 * static_cast<int>(spline.controls.size());
    double most = 0;
    for (int s = 0; s <= checks; ++s) {
        const double t = static_cast<double>(s) / checks;
        const Point a = splinePoint(spline, t), b = onArc(arc, t);
        most = std::max(most, std::hypot(a.x - b.x, a.y - b.y));
    }
    return most;
}

}  // namespace

Point splinePoint(const DxfSpline& spline, double t)
{
    const int n = static_cast<int>(spline.controls.size());
    const std::vector<double> b = basis(spline.knots, n, std::clamp(t, 0.0, 1.0));
    Point p;
    for (std::size_t i = 0; i < spline.controls.size(); ++i) {
        p.x += b[i] * spline.controls[i].x;
        p.y += b[i] * spline.controls[i].y;
    }
    return p;
}

std::optional<DxfSpline> dxfSpline(const EllipseArc& arc, double tolerance)
{
    const auto usable = [](double x) { return std::isfinite(x) && x > 0; };
    if (!usable(arc.rx) || !usable(arc.ry) || !usable(arc.end - arc.start) || !std::isfinite(arc.centre.x)
        || !std::isfinite(arc.centre.y) || !(tolerance > 0))
        return std::nullopt;
    // Each doubling of the control points divides a cubic's error by about sixteen: double
    // until it holds, then search the last interval for the fewest.
    int low = kDegree, high = kDegree + 1;
    std::optional<DxfSpline> best;
    while (high <= kMostControls) {
        best = fitted(arc, high);
        if (best && (best->deviation = deviationOf(*best, arc)) <= tolerance)
            break;
        best.reset();
        low = high;
        high = std::min(2 * high, kMostControls + 1);
    }
    if (!best)
        return std::nullopt;
    while (high - low > 1) {
        const int middle = (low + high) / 2;
        std::optional<DxfSpline> tried = fitted(arc, middle);
        if (tried && (tried->deviation = deviationOf(*tried, arc)) <= tolerance) {
            best = tried;
            high = middle;
        } else {
            low = middle;
        }
    }
    return best;
}

}  // namespace inlet
