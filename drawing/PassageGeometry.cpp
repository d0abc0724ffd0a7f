#include "drawing/PassageGeometry.h"

#include "calc/DesignInputs.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace inlet {

namespace {

// The walls' own angles use the true pi; only the calculation's formulas use 3.1416.
constexpr double kPi = std::numbers::pi;

bool usable(double x) { return std::isfinite(x) && x > 0; }

// s on the bell-mouth ellipse (r = x1 - a1·cos s, z = zc - b1·sin s) as an arc parameter.
double arcParameter(double s) { return kPi + s; }

// The parameter s of the bell-mouth wall at the tangent point, where its slope is T.
double tangentParameter(const Calculation& c)
{
    return std::atan2(c.profile.b1, -c.profile.a1 * c.volute.T);
}

// Where the outer wall at width a meets the bell-mouth wall (a < ap), and the lip arc up to it.
Point wallOnBellMouth(const Calculation& c, double a)
{
    const ProfileResults& p = c.profile;
    if (!usable(p.a1) || !usable(p.b1))
        return {p.x1 + a, c.in.H2};
    const double s = std::acos(std::clamp(-a / p.a1, -1.0, 1.0));
    return {p.x1 + a, (p.H - p.y1) - p.b1 * std::sin(s)};
}

std::optional<EllipseArc> bellMouthArc(const Calculation& c, double fromS, double toS)
{
    const ProfileResults& p = c.profile;
    if (!usable(p.a1) || !usable(p.b1) || !std::isfinite(p.H - p.y1))
        return std::nullopt;
    return EllipseArc{{p.x1, p.H - p.y1}, p.a1, p.b1, arcParameter(std::min(fromS, toS)),
                      arcParameter(std::max(fromS, toS))};
}

}  // namespace

const Point& unitAtDegree(int degree)
{
    static const std::array<Point, 91> kUnit = [] {
        std::array<Point, 91> unit{};
        for (int d = 0; d <= 90; ++d)
            unit[static_cast<std::size_t>(d)] = {std::sin(d * kPi / 180), std::cos(d * kPi / 180)};
        return unit;
    }();
    return kUnit[static_cast<std::size_t>(degree)];
}

namespace {

std::array<std::optional<Station>, 12> everyStation(const std::array<Station, 12>& stations)
{
    std::array<std::optional<Station>, 12> all;
    for (std::size_t i = 0; i < stations.size(); ++i)
        all[i] = stations[i];
    return all;
}

}  // namespace

PlanWall::PlanWall(const std::array<Station, 12>& stations, double rimRadius)
    : PlanWall(everyStation(stations), rimRadius)
{
}

PlanWall::PlanWall(const std::array<std::optional<Station>, 12>& stations, double rimRadius)
{
    phi_.reserve(stations.size());
    r_.reserve(stations.size());
    for (const std::optional<Station>& s : stations) {
        if (s && std::isfinite(s->a)) {
            phi_.push_back(s->phi);
            r_.push_back(rimRadius + s->a);
        }
    }
    const std::size_t n = phi_.size();
    if (n < 2)
        return;
    std::array<double, 12> delta{};  // the slope of each interval; at most 12 stations
    slope_.resize(n);
    for (std::size_t i = 0; i + 1 < n; ++i)
        delta[i] = (r_[i + 1] - r_[i]) / (phi_[i + 1] - phi_[i]);
    slope_[0] = delta[0];
    slope_[n - 1] = delta[n - 2];
    for (std::size_t i = 1; i + 1 < n; ++i)
        slope_[i] = delta[i - 1] * delta[i] <= 0 ? 0 : (delta[i - 1] + delta[i]) / 2;
    for (std::size_t i = 0; i + 1 < n; ++i) {
        if (delta[i] == 0) {
            slope_[i] = slope_[i + 1] = 0;
            continue;
        }
        const double alpha = slope_[i] / delta[i], beta = slope_[i + 1] / delta[i];
        const double norm = alpha * alpha + beta * beta;
        if (norm > 9) {
            const double tau = 3 / std::sqrt(norm);
            slope_[i] = tau * alpha * delta[i];
            slope_[i + 1] = tau * beta * delta[i];
        }
    }
}

double PlanWall::radius(double phi) const
{
    std::size_t i = 0;
    while (i + 2 < phi_.size() && phi > phi_[i + 1])
        ++i;
    const double step = phi_[i + 1] - phi_[i];
    const double u = (phi - phi_[i]) / step;
    const double h00 = (1 + 2 * u) * (1 - u) * (1 - u), h10 = u * (1 - u) * (1 - u);
    const double h01 = u * u * (3 - 2 * u), h11 = u * u * (u - 1);
    return h00 * r_[i] + h10 * step * slope_[i] + h01 * r_[i + 1] + h11 * step * slope_[i + 1];
}

PassageProfile passageProfile(const Calculation& c)
{
    const DesignInputs& in = c.in;
    const ProfileResults& p = c.profile;
    const double t = std::tan(static_cast<double>(in.theta));
    const double H2 = in.H2;

    PassageProfile profile;
    profile.coneTop = {in.D0 / 2 - in.H0 * t, p.H};
    profile.coneInlet = {in.D0 / 2, in.H1 + H2};
    profile.rim = {p.x1, H2};
    profile.tangentPoint = {p.x1 + c.volute.tp.ap, c.volute.tp.bp};
    const double zc2 = p.H - p.y2;
    profile.guideConeTop = {p.x2 - p.a2, zc2};
    profile.guideConeFoot = {p.x2, zc2 - p.b2};

    // From the cone inlet, where the wall's slope matches the conical pipe's (tan s = t·b1/a1),
    // past the rim (s = pi/2) to the tangent point.
    if (usable(p.a1)) {
        const double start = std::atan2(t * p.b1, p.a1);
        const double end = std::max(tangentParameter(c), kPi / 2);
        profile.bellMouth = bellMouthArc(c, start, end);
    }
    if (usable(p.a2) && usable(p.b2) && std::isfinite(zc2))
        profile.guideCone = EllipseArc{{p.x2, zc2}, p.a2, p.b2, kPi, 1.5 * kPi};
    return profile;
}

double inclinedWallHeight(const Calculation& c, double a)
{
    const TangentPoint& tp = c.volute.tp;
    return tp.bp + c.volute.T * (a - tp.ap);
}

SectionShape sectionShapeFor(const Calculation& c, double a)
{
    const Volute& v = c.volute;
    if (a < 0)
        return SectionShape::InsideRim;
    if (a < v.tp.ap)
        return SectionShape::BelowTangentPoint;
    const double rh = v.tp.ap + (static_cast<double>(v.hk) - v.tp.bp) / v.T;
    return a <= rh ? SectionShape::Inclined : SectionShape::Level;
}

StationSection stationSection(const Calculation& c, const Station& station)
{
    const Volute& v = c.volute;
    const double r0 = c.profile.x1;
    const double H2 = c.in.H2;
    const double hk = v.hk;
    const double a = station.a;

    StationSection section{station, sectionShapeFor(c, a), {}, std::nullopt, drawnArea(c, a)};
    section.outline.reserve(5);
    section.outline.push_back({r0, H2});
    section.outline.push_back({r0, 0});
    if (r0 + a < 0)
        return section;  // a wall beyond the pump axis: only the rim is drawn
    section.outline.push_back({r0 + a, 0});
    switch (section.shape) {
    case SectionShape::Level:
        section.outline.push_back({r0 + a, hk});
        section.outline.push_back({r0 + v.tp.ap + (hk - v.tp.bp) / v.T, hk});
        section.outline.push_back({r0 + v.tp.ap, v.tp.bp});
        section.lip = bellMouthArc(c, kPi / 2, tangentParameter(c));
        break;
    case SectionShape::Inclined:
        section.outline.push_back({r0 + a, inclinedWallHeight(c, a)});
        section.outline.push_back({r0 + v.tp.ap, v.tp.bp});
        section.lip = bellMouthArc(c, kPi / 2, tangentParameter(c));
        break;
    case SectionShape::BelowTangentPoint:
    case SectionShape::InsideRim: {
        const Point meet = wallOnBellMouth(c, a);
        section.outline.push_back(meet);
        if (usable(c.profile.a1))
            section.lip = bellMouthArc(c, kPi / 2, std::acos(std::clamp(-a / c.profile.a1, -1.0, 1.0)));
        break;
    }
    }
    return section;
}


std::optional<double> sectionArea(const Calculation& c, double a)
{
    const Volute& v = c.volute;
    const double hk = v.hk, H2 = c.in.H2, ap = v.tp.ap, bp = v.tp.bp, T = v.T;
    if (!(hk > bp) || !(hk > H2))
        return std::nullopt;
    // The part under the bell's lip, from the rim to the tangent point.
    const double lip = ap * bp - 3.1416 * ap * (bp - H2) / 4;
    double area = 0;
    switch (sectionShapeFor(c, a)) {
    case SectionShape::Inclined:
        area = lip + (a - ap) * bp + T * (a - ap) * (a - ap) / 2;
        break;
    case SectionShape::Level: {
        const double rise = hk - bp;
        area = lip + (a - ap) * hk - rise * rise / (2 * T);
        break;
    }
    case SectionShape::InsideRim:
    case SectionShape::BelowTangentPoint:
        return std::nullopt;
    }
    return std::isfinite(area) ? std::optional<double>(area) : std::nullopt;
}

namespace {

// The signed area under the bell-mouth wall down to the floor, from the rim (s = pi/2) to the
// parameter s: the integral of z dr along r = x1 - a1·cos s, z = zc - b1·sin s.
double areaUnderBell(double a1, double b1, double zc, double s)
{
    return -a1 * zc * std::cos(s) - a1 * b1 * ((s - kPi / 2) / 2 - std::sin(2 * s) / 4);
}

}  // namespace

std::optional<double> drawnArea(const Calculation& c, double a)
{
    const Volute& v = c.volute;
    const ProfileResults& p = c.profile;
    const double hk = v.hk, H2 = c.in.H2, ap = v.tp.ap, bp = v.tp.bp, T = v.T;
    if (!(hk > bp) || !(hk > H2) || !usable(p.a1) || !usable(p.b1) || !(p.x1 + a >= 0))
        return std::nullopt;
    const double zc = p.H - p.y1;
    double area = 0;
    switch (sectionShapeFor(c, a)) {
    case SectionShape::Inclined:
        area = areaUnderBell(p.a1, p.b1, zc, tangentParameter(c)) + (a - ap) * bp + T * (a - ap) * (a - ap) / 2;
        break;
    case SectionShape::Level: {
        const double rise = hk - bp;
        area = areaUnderBell(p.a1, p.b1, zc, tangentParameter(c)) + (a - ap) * hk - rise * rise / (2 * T);
        break;
    }
    case SectionShape::BelowTangentPoint:
    case SectionShape::InsideRim:
        // Under the bell from the rim to where the outer wall meets it (inside the rim the
        // integral runs backward: its magnitude is the area).
        area = std::fabs(areaUnderBell(p.a1, p.b1, zc, std::acos(std::clamp(-a / p.a1, -1.0, 1.0))));
        break;
    }
    return std::isfinite(area) ? std::optional<double>(area) : std::nullopt;
}

bool drawnAreaDiffers(double drawn, double F)
{
    return F > 0 && std::fabs(drawn - F) > 0.005 * F;
}

namespace {

// The stations of a set whose section is drawn (see drawnSections()).
std::array<std::optional<Station>, 12> stationsDrawn(const Calculation& c, const WidthSets& widths, WidthSet set)
{
    std::array<std::optional<Station>, 12> drawn;
    if (!widths.sectionsExist())
        return drawn;
    drawn = widths.chosen(set);
    if (set == WidthSet::AreaTrue)
        for (std::optional<Station>& s : drawn)
            if (s && !isAssumedForm(sectionShapeFor(c, s->a)))
                s.reset();
    return drawn;
}

}  // namespace

std::array<std::optional<StationSection>, 12> drawnSections(const Calculation& c, const WidthSets& widths,
                                                            WidthSet set)
{
    std::array<std::optional<StationSection>, 12> sections;
    const std::array<std::optional<Station>, 12> drawn = stationsDrawn(c, widths, set);
    for (std::size_t i = 0; i < drawn.size(); ++i)
        if (drawn[i])
            sections[i] = stationSection(c, *drawn[i]);
    return sections;
}

std::array<std::optional<double>, 12> drawnSectionAreas(const Calculation& c, const WidthSets& widths, WidthSet set)
{
    std::array<std::optional<double>, 12> areas;
    const std::array<std::optional<Station>, 12> drawn = stationsDrawn(c, widths, set);
    for (std::size_t i = 0; i < drawn.size(); ++i)
        if (drawn[i])
            areas[i] = drawnArea(c, drawn[i]->a);
    return areas;
}

std::vector<Point> outerWallInPlan(const std::array<std::optional<Station>, 12>& stations, double rimRadius)
{
    const PlanWall wall(stations, rimRadius);
    if (!wall.exists())
        return {};
    std::vector<Point> points;
    points.reserve(static_cast<std::size_t>(std::max(0, static_cast<int>(wall.lastPhi()) - static_cast<int>(wall.firstPhi()) + 1)));
    for (int degree = static_cast<int>(wall.firstPhi()); degree <= static_cast<int>(wall.lastPhi()); ++degree) {
        const double radius = wall.radius(degree);
        const Point& unit = unitAtDegree(degree);
        points.push_back({radius * unit.x, radius * unit.y});
    }
    return points;
}

}  // namespace inlet
