#include "solid/SolidDesign.h"

#include "checks/CheckWords.h"
#include "checks/DesignChecks.h"
#include "calc/DesignInputs.h"
#include "drawing/Figures.h"
#include "boxes/GivenReadings.h"
#include "messages/MessageText.h"
#include "drawing/PassageGeometry.h"
#include "solid/SolidFailure.h"
#include "solid/Walls.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace inlet {

namespace {

constexpr double kPi = std::numbers::pi;

[[noreturn]] void fail(Failure::Kind kind, std::string item, double figure, double limit = 0)
{
    throw solidFailure(kind, std::move(item), figure, limit);
}

void requirePositive(const char* name, double value)
{
    if (!std::isfinite(value) || value <= 0)
        fail(Failure::Kind::SolidProfileNotUsable, name, value);
}

Point at(const EllipseArc& arc, double u)
{
    return {arc.centre.x + arc.rx * std::cos(u), arc.centre.y + arc.ry * std::sin(u)};
}

}  // namespace

std::array<Station, 12> solidStations(const Calculation& c, WidthSet set)
{
    const WidthSets widths = widthSets(c);
    // Without a section of the assumed form there are no area-true widths: say why, not which
    // width is missing.
    if (set == WidthSet::AreaTrue && !widths.sectionsExist())
        fail(Failure::Kind::SolidNoSectionShape, "hk", c.volute.hk, c.volute.tp.bp);
    const auto chosen = widths.chosen(set);
    std::array<Station, 12> result;
    for (std::size_t i = 0; i < chosen.size(); ++i) {
        if (!chosen[i])
            fail(Failure::Kind::SolidNoWidth, std::string(symbol(stations(c)[i].width)), 0);
        result[i] = *chosen[i];
    }
    return result;
}

std::optional<double> passageLengthFromText(const std::string& text, double D)
{
    const PassageLength length = passageLengthOf(text, D);
    if (length.taken == PassageLength::Taken::NotRead)
        return std::nullopt;
    return length.millimetres;
}

SolidDesign solidDesign(const Calculation& c, const std::array<Station, 12>& stations,
                        const std::string& lengthText, const SolidOptions& options)
{
    const std::optional<double> length = options.passageLength ? options.passageLength
                                                               : passageLengthFromText(lengthText, c.in.D);
    const ProfileResults& p = c.profile;
    const TangentPoint& tp = c.volute.tp;
    const double hk = c.volute.hk;
    requirePositive("a1", p.a1);
    requirePositive("b1", p.b1);
    requirePositive("a2", p.a2);
    requirePositive("b2", p.b2);
    requirePositive("H", p.H);
    requirePositive("D1", c.in.D1);
    requirePositive("aa", c.volute.T);
    if (!(hk > tp.bp))
        fail(Failure::Kind::SolidNoSectionShape, "hk", hk, tp.bp);
    for (const Station& s : stations) {
        if (!std::isfinite(s.a))
            fail(Failure::Kind::SolidProfileNotUsable, std::string(symbol(s.width)), s.a);
        if (s.phi > 0 && s.a < tp.ap)
            fail(Failure::Kind::SolidWidthBelowAp, std::string(symbol(s.width)), s.a, tp.ap);
    }
    if (!std::isfinite(options.outletExtension) || options.outletExtension < 0)
        fail(Failure::Kind::SolidExtensionNotUsable, "outlet", options.outletExtension);
    if (!length)  // the L box gives none: no figure of ours stands in for it
        throw Failure{.kind = Failure::Kind::SolidLengthNotGiven, .item = "L",
                      .other = quoteForMessage(lengthText, 24, "", "")};
    const double passageLength = *length;
    if (!std::isfinite(passageLength) || passageLength <= 0)
        fail(Failure::Kind::SolidLengthNotUsable, "L", passageLength);

    const PassageProfile profile = passageProfile(c);
    if (!profile.bellMouth || !profile.guideCone)
        fail(Failure::Kind::SolidProfileNotUsable, "a1", p.a1);
    if (const double overlap = profilesOverlap(c); overlap > 0)
        fail(Failure::Kind::SolidProfilesCross, "profiles", overlap);

    SolidDesign d;
    d.pipeTop = p.H;
    d.top = p.H + options.outletExtension;
    d.hubRadius = options.hubDiameter / 2;
    d.coneTop = profile.coneTop;
    d.bellMouth = *profile.bellMouth;
    d.hk = hk;
    d.roofLevel = {p.x1 + tp.ap + (hk - tp.bp) / c.volute.T, hk};
    d.length = passageLength;

    // The cone inlet is where the bell-mouth wall begins; the guide cone must stay below it.
    const Point coneInlet = at(d.bellMouth, d.bellMouth.start);
    const EllipseArc& cone = *profile.guideCone;
    if (cone.centre.y > coneInlet.y)
        fail(Failure::Kind::SolidGuideConeAboveConeInlet, "dd0", cone.centre.y - coneInlet.y);
    if (!(d.coneTop.x > 0) || !std::isfinite(d.coneTop.x))
        fail(Failure::Kind::SolidProfileNotUsable, "D0", c.in.D0);

    // The guide cone down to the height e, from where its foot stands vertically on the floor.
    d.footHeight = kFootShare * cone.ry;
    const double footSine = std::clamp((d.footHeight - cone.centre.y) / cone.ry, -1.0, 1.0);
    d.guideCone = cone;
    d.guideCone.end = kPi - std::asin(footSine);
    const double footRadius = at(d.guideCone, d.guideCone.end).x;

    const PlanWall wall(stations, p.x1);
    const double clear = std::max({footRadius, coneInlet.x, d.coneTop.x});
    d.planWall.reserve(91);
    for (int degree = 0; degree <= 90; ++degree) {
        const double r = wall.radius(degree);
        if (!(r > clear))
            fail(Failure::Kind::SolidBackWallOnGuideCone, "φ=" + std::to_string(degree) + "°", r, clear);
        const double phi = degree * kPi / 180;
        d.planWall.push_back(degree == 90 ? Point{r, 0} : Point{r * std::sin(phi), r * std::cos(phi)});
    }
    const double needed = std::max(d.roofLevel.x, p.x1);
    if (!(passageLength > needed))
        fail(Failure::Kind::SolidPassageTooShort, "L", passageLength, needed);
    return d;
}


std::vector<DesignCheck> solidFigureChecks(const SolidFigures& figures, const NumberLocale& locale)
{
    const auto figure = [&](CheckKind kind, const char* subject, double value, const char* unit, CheckWording wording) {
        Bilingual words = checkWords(wording, {fixedFigure(value, 2, locale) + " " + unit});
        return DesignCheck{kind, false, subject, value, unit, std::nullopt, std::move(words.chinese),
                           std::move(words.english), std::nullopt};
    };
    return {
        figure(CheckKind::FluidVolume, "V", figures.volume / 1e9, "m³", CheckWording::FluidVolume),
        figure(CheckKind::InletArea, "inlet", figures.inletArea / 1e6, "m²", CheckWording::InletArea),
        figure(CheckKind::OutletArea, "outlet", figures.outletArea / 1e6, "m²", CheckWording::OutletArea),
        figure(CheckKind::WettedArea, "walls", figures.wettedArea / 1e6, "m²", CheckWording::WettedArea),
    };
}

std::string_view wallName(Wall wall)
{
    switch (wall) {
    case Wall::Inlet: return "inlet";
    case Wall::Outlet: return "outlet";
    case Wall::Floor: return "floor";
    case Wall::OuterWall: return "outer_wall";
    case Wall::Roof: return "roof";
    case Wall::Bell: return "bell";
    case Wall::GuideCone: return "guide_cone";
    case Wall::Hub: return "hub";
    }
    return "wall";
}

}  // namespace inlet
