#include "checks/DesignChecks.h"

#include "calc/Arithmetic.h"
#include "calc/CalcError.h"
#include "checks/CheckWords.h"
#include "calc/DesignInputs.h"
#include "drawing/Figures.h"
#include "boxes/GivenReadings.h"
#include "messages/MessageText.h"
#include "drawing/PassageGeometry.h"
#include "calc/ResultText.h"
#include "calc/Volute.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <initializer_list>
#include <numbers>
#include <string_view>
#include <utility>

namespace inlet {

namespace {

std::string mm(double value) { return wholeMillimetres(value) + " mm"; }

Bilingual ruleWords(WidthRule rule)
{
    return checkWords(rule == WidthRule::Quadratic ? CheckWording::QuadraticRule : CheckWording::LinearRule);
}

// The width the other rule gives a station, where the section has the shape that rule
// assumes there.
std::optional<double> otherRuleWidth(const Calculation& c, const Station& s)
{
    const Volute& v = c.volute;
    try {
        if (s.rule == WidthRule::Quadratic) {
            const double w = linearWidth(v, s.F);
            if (sectionShapeFor(c, w) == SectionShape::Level)
                return w;
        } else {
            const double w = quadraticWidth(v, C(v, s.F));
            if (sectionShapeFor(c, w) == SectionShape::Inclined)
                return w;
        }
    } catch (const CalcError&) {
    }
    return std::nullopt;
}

class Checks {
public:
    explicit Checks(const NumberLocale& locale) : locale_(locale) { list_.reserve(48); }

    void warn(CheckKind kind, std::string subject, double figure, std::string unit, Bilingual words,
              std::optional<double> advice = {})
    {
        list_.push_back({kind, true, std::move(subject), figure, std::move(unit), advice, std::move(words.chinese),
                         std::move(words.english), std::nullopt});
    }
    // `flow`: the design flow a velocity is for.
    void figure(CheckKind kind, std::string subject, double figure, std::string unit, Bilingual words,
                std::optional<double> flow = {})
    {
        list_.push_back({kind, false, std::move(subject), figure, std::move(unit), std::nullopt,
                         std::move(words.chinese), std::move(words.english), flow});
    }
    const NumberLocale& locale() const { return locale_; }
    std::vector<DesignCheck> take() { return std::move(list_); }

private:
    const NumberLocale& locale_;
    std::vector<DesignCheck> list_;
};

// Each station whose section is not of the shape its rule assumes. Only where sections exist:
// else checkSectionsExist() says so once.
void checkSectionShapes(const Calculation& c, const std::array<Station, 12>& all, Checks& checks)
{
    const Volute& v = c.volute;
    for (const Station& s : all) {
        const std::string_view name = symbol(s.width);
        const double height = inclinedWallHeight(c, s.a);
        switch (sectionShapeFor(c, s.a)) {
        case SectionShape::InsideRim: {
            const std::string phi = std::to_string(s.phi), a = wholeMillimetres(s.a);
            checks.warn(CheckKind::NegativeWidth, std::string(name), s.a, "mm",
                        checkWords(CheckWording::NegativeWidth, {std::string(name), phi, a}));
            if (c.profile.x1 + s.a < 0)
                checks.warn(CheckKind::NotDrawable, std::string(name), s.a, "mm",
                            checkWords(CheckWording::WallBeyondPumpAxis, {std::string(name), phi}));
            break;
        }
        case SectionShape::BelowTangentPoint: {
            const std::string phi = std::to_string(s.phi), a = wholeMillimetres(s.a), ap = wholeMillimetres(v.tp.ap);
            checks.warn(CheckKind::WallMeetsBellMouth, std::string(name), s.a, "mm",
                        checkWords(CheckWording::WallMeetsBellMouth, {std::string(name), phi, a, ap}));
            break;
        }
        case SectionShape::Level:
            if (s.rule == WidthRule::Quadratic) {
                const auto advice = otherRuleWidth(c, s);
                const std::string phi = std::to_string(s.phi), wall = wholeMillimetres(height);
                const std::string hk = wholeMillimetres(v.hk), other = advice ? wholeMillimetres(*advice) : "";
                checks.warn(CheckKind::QuadraticRuleWallAboveHk, std::string(name), height, "mm",
                            advice ? checkWords(CheckWording::QuadraticWallAboveHk, {std::string(name), phi, wall, hk, other})
                                   : checkWords(CheckWording::QuadraticWallAboveHkOnly, {std::string(name), phi, wall, hk}),
                            advice);
            }
            break;
        case SectionShape::Inclined:
            if (s.rule == WidthRule::Linear) {
                const auto advice = otherRuleWidth(c, s);
                const std::string phi = std::to_string(s.phi), wall = wholeMillimetres(height);
                const std::string other = advice ? wholeMillimetres(*advice) : "";
                checks.warn(CheckKind::LinearRuleWallBelowHk, std::string(name), height, "mm",
                            advice ? checkWords(CheckWording::LinearWallBelowHk, {std::string(name), phi, wall, other})
                                   : checkWords(CheckWording::LinearWallBelowHkOnly, {std::string(name), phi, wall}),
                            advice);
            }
            break;
        }
    }
}

void checkJumps(const std::array<Station, 12>& all, Checks& checks)
{
    for (std::size_t i = 0; i + 1 < all.size(); ++i) {
        const Station& a = all[i];
        const Station& b = all[i + 1];
        if (a.rule == b.rule)
            continue;
        const std::string phiA = std::to_string(a.phi), phiB = std::to_string(b.phi);
        const std::string widthA = wholeMillimetres(a.a), widthB = wholeMillimetres(b.a);
        checks.warn(CheckKind::WidthJump, join({symbol(a.width), "-", symbol(b.width)}), b.a - a.a, "mm",
                    checkWords(CheckWording::WidthJump, {phiA, phiB, widthA, widthB, ruleWords(a.rule), ruleWords(b.rule)}));
    }
}

// The two width sets where they differ: which stations, the area-true widths, and which set
// the drawing uses.
void checkWidthSets(const Calculation& c, const WidthSets& widths, WidthSet set, Checks& checks)
{
    const std::vector<std::size_t> differing = widths.differing();
    if (differing.empty())
        return;
    std::optional<Bilingual> names;
    double least = 0, most = 0, largest = 0;
    double percent = 0;  // the drawn area's largest difference from F, in % of F
    bool any = false;
    for (const std::size_t i : differing) {
        const Station& computed = widths.computed[i];
        if (const std::optional<double> area = drawnArea(c, computed.a); area && computed.F > 0) {
            const double p = drawnAreaPercent(*area, computed.F);
            if (std::fabs(p) > std::fabs(percent))
                percent = p;
        }
        const std::string_view name = symbol(widths.computed[i].width);
        names = names ? checkWords(CheckWording::List, {*names, std::string(name)}) : Bilingual(std::string(name));
        if (const std::optional<Station>& a = widths.areaTrue[i]) {
            least = any ? std::min(least, a->a) : a->a;
            most = any ? std::max(most, a->a) : a->a;
            const double difference = a->a - widths.computed[i].a;
            if (std::fabs(difference) > std::fabs(largest))
                largest = difference;
            any = true;
        }
    }
    // "827 mm", or "827～1627 mm" and "827 to 1627 mm".
    Bilingual areaTrueWidths("");
    if (any) {
        const std::string first = wholeMillimetres(least), last = wholeMillimetres(most);
        areaTrueWidths = checkWords(CheckWording::AreaTrueWidths,
                                    {least == most ? Bilingual(last) : checkWords(CheckWording::Range, {first, last})});
    }
    const bool areaTrue = set == WidthSet::AreaTrue;
    checks.warn(CheckKind::WidthSetsDiffer,
                join({symbol(widths.computed[differing.front()].width), "-", symbol(widths.computed[differing.back()].width)}),
                largest, "mm",
                checkWords(CheckWording::WidthSetsDiffer,
                           {*names, areaTrueWidths,
                            checkWords(areaTrue ? CheckWording::DrawnAreaTrue : CheckWording::DrawnComputed),
                            fixedFigure(percent, 1, checks.locale())}));
}

// The kind of a calculation's failure, named as the failures of a run are.
Bilingual failureWords(FailureKind kind)
{
    Failure f{.kind = Failure::Kind::InvalidCall};
    switch (kind) {
    case FailureKind::TypeMismatch: f.kind = Failure::Kind::TypeMismatch; break;
    case FailureKind::Overflow: f.kind = Failure::Kind::Overflow; break;
    case FailureKind::DivisionByZero: f.kind = Failure::Kind::DivisionByZero; break;
    case FailureKind::InvalidCall: f.kind = Failure::Kind::InvalidCall; break;
    }
    return Bilingual(render(f, Language::Chinese), render(f, Language::English));
}

// The stations whose area-true width cannot be computed: none is given there.
void checkAreaTrueFailures(const WidthSets& widths, Checks& checks)
{
    for (std::size_t i = 0; i < widths.computed.size(); ++i) {
        const std::optional<FailureKind>& failure = widths.failure[i];
        if (!failure)
            continue;
        const Station& s = widths.computed[i];
        const std::string_view name = symbol(s.width);
        const std::string phi = std::to_string(s.phi);
        checks.warn(CheckKind::AreaTrueWidthFails, std::string(name), 0, "mm",
                    checkWords(CheckWording::AreaTrueWidthFails, {std::string(name), phi, failureWords(*failure)}));
    }
}

// hk not above bp or H2: no section of the form the rules assume, said once.
void checkSectionsExist(const Calculation& c, const WidthSets& widths, Checks& checks)
{
    if (widths.sectionsExist())
        return;
    const Volute& v = c.volute;
    const double hk = v.hk, bp = v.tp.bp, H2 = c.in.H2;
    const bool belowBp = !(hk > bp), belowRim = !(hk > H2);
    const CheckWording wording = !belowBp ? CheckWording::HkAboveBpBelowRim
                                 : belowRim ? CheckWording::HkBelowBpAndRim
                                            : CheckWording::HkBelowBpAboveRim;
    checks.warn(CheckKind::HkBelowBp, "hk", hk - bp, "mm", checkWords(wording, {mm(hk), mm(bp), mm(H2)}));
}

void checkProportions(const Calculation& c, Checks& checks)
{
    const double dd0 = c.in.dd0, D0 = c.in.D0, D1 = c.in.D1;
    if (dd0 >= D0)
        checks.warn(CheckKind::GuideConeWiderThanConeInlet, "dd0", dd0 - D0, "mm",
                    checkWords(CheckWording::GuideConeWiderThanConeInlet, {mm(dd0), mm(D0)}));
    if (D0 >= D1)
        checks.warn(CheckKind::ConeInletNotNarrowerThanRim, "D0", D0 - D1, "mm",
                    checkWords(CheckWording::ConeInletNotNarrowerThanRim, {mm(D0), mm(D1)}));
    if (D1 > 0) {
        const double ratio = static_cast<double>(c.in.H2) / D1;
        const std::string figure = fixedFigure(ratio, 3, checks.locale());
        checks.figure(CheckKind::FloorClearance, "H2/D1", ratio, "", checkWords(CheckWording::FloorClearance, {figure}));
    }
}

// The top of the conical pipe, where the pump's inlet joins it, against the pump inlet
// diameter Ds: a warning where they differ by more than 1 %.
void checkConeTop(const Calculation& c, const BoxAccess& boxes, Checks& checks)
{
    const double top = c.in.D0 - 2 * c.in.H0 * std::tan(static_cast<double>(c.in.theta));
    if (!std::isfinite(top))
        return;
    const std::string figure = wholeMillimetres(top);
    const std::string text = boxes.text(kPumpInletBox);
    const std::optional<double> Ds = pumpInletOf(text);
    if (!Ds && text.find_first_not_of(" \t\r\n") != std::string::npos)
        checks.warn(CheckKind::BoxNotUsable, "Ds", 0, "mm",
                    checkWords(CheckWording::PumpInletNotUsable, {quoteForMessage(text, 24, "", "")}));
    if (!Ds) {
        checks.figure(CheckKind::ConeTopAgainstPumpInlet, "Ds", top, "mm",
                      checkWords(CheckWording::ConeTopNoPumpInlet, {figure}));
        return;
    }
    const double percent = (top - *Ds) / *Ds * 100;
    const std::string difference = fixedFigure(percent, 2, checks.locale()), pump = wholeMillimetres(*Ds);
    const bool apart = std::fabs(percent) > 1;
    Bilingual words = checkWords(apart ? CheckWording::ConeTopApart : CheckWording::ConeTopClose, {figure, pump, difference});
    if (apart)
        checks.warn(CheckKind::ConeTopAgainstPumpInlet, "Ds", top, "mm", std::move(words));
    else
        checks.figure(CheckKind::ConeTopAgainstPumpInlet, "Ds", top, "mm", std::move(words));
}

// The passage's sizes as multiples of the impeller diameter D. A recommended range is shown
// beside a figure only where a public source gives one, with the source named; none of these
// has one yet, so they stand as figures.
void checkProportionsToImpeller(const Calculation& c, std::optional<double> B, Checks& checks)
{
    const double D = c.in.D;
    if (!(D > 0) || !std::isfinite(D))
        return;
    struct Proportion {
        const char* symbol;  // "D1/D"
        CheckWording wording;
        std::optional<double> numerator;
    };
    const Proportion proportions[] = {
        {"D1/D", CheckWording::BellMouthToImpeller, c.in.D1},
        {"B/D", CheckWording::PassageWidthToImpeller, B},
        {"H/D", CheckWording::PassageHeightToImpeller, c.profile.H},
        {"hk/D", CheckWording::SectionHeightToImpeller, static_cast<double>(c.volute.hk)},
        {"H2/D", CheckWording::FloorClearanceToImpeller, static_cast<double>(c.in.H2)},
    };
    for (const Proportion& p : proportions) {
        if (!p.numerator || !std::isfinite(*p.numerator / D))
            continue;
        const double ratio = *p.numerator / D;
        const std::string figure = fixedFigure(ratio, 3, checks.locale());
        checks.figure(CheckKind::ProportionToImpeller, p.symbol, ratio, "", checkWords(p.wording, {figure}));
    }
}

// The mean velocity through each station's section, Q·(φ/360) over its area: the area F the
// station is to carry, and the area of the section its drawn width gives.
void checkSectionVelocities(const Calculation& c, const WidthSets& widths, WidthSet set, std::optional<double> Q,
                            Checks& checks)
{
    if (!Q || !widths.sectionsExist())
        return;  // without sections, each would be the velocity under the rim again
    const std::array<std::optional<double>, 12> areas = drawnSectionAreas(c, widths, set);
    for (std::size_t i = 0; i < widths.computed.size(); ++i) {
        const Station& s = widths.computed[i];
        const double flow = *Q * s.phi / 360;
        const double required = flow / (s.F / 1e6);
        if (!(s.F > 0) || !std::isfinite(required))
            continue;
        const std::optional<double> area = areas[i];
        std::optional<double> actual;
        if (area && *area > 0)
            actual = flow / (*area / 1e6);
        const std::string phi = std::to_string(s.phi);
        const std::string byF = fixedFigure(required, 2, checks.locale());
        const std::string byDrawn = actual ? fixedFigure(*actual, 2, checks.locale()) : "";
        const std::string F = wholeMillimetres(s.F), drawnArea = actual ? wholeMillimetres(*area) : "";
        const std::string Qused = generalText(*Q, checks.locale());
        checks.figure(CheckKind::SectionVelocity, std::string(symbol(s.width)), actual.value_or(required), "m/s",
                      actual ? checkWords(CheckWording::SectionVelocity, {phi, byF, byDrawn, F, drawnArea, Qused})
                             : checkWords(CheckWording::SectionVelocityUndrawn, {phi, byF, F, Qused}),
                      *Q);
    }
}

// Points at equal parameter steps from `from` to `to`, turning the unit vector by one step's
// rotation instead of evaluating sine and cosine at every point.
template <std::size_t N>
void sample(const EllipseArc& arc, double from, double to, std::array<Point, N>& points)
{
    const double step = (to - from) / (N - 1);
    const double cosStep = std::cos(step), sinStep = std::sin(step);
    double c = std::cos(from), s = std::sin(from);
    for (Point& p : points) {
        p = {arc.centre.x + arc.rx * c, arc.centre.y + arc.ry * s};
        const double turned = c * cosStep - s * sinStep;
        s = s * cosStep + c * sinStep;
        c = turned;
    }
}

constexpr int kClearanceSamples = 48;

struct ProfileSamples {
    EllipseArc bellMouth;  // the whole bell-mouth wall
    std::array<Point, kClearanceSamples + 1> bell{}, cone{};
};

// The bell-mouth wall from the cone inlet down to the rim, and the guide cone from its top to
// the floor; none where either is missing.
std::optional<ProfileSamples> profileSamples(const Calculation& c)
{
    const PassageProfile profile = passageProfile(c);
    if (!profile.bellMouth || !profile.guideCone)
        return std::nullopt;
    const EllipseArc& bell = *profile.bellMouth;
    const EllipseArc& cone = *profile.guideCone;
    constexpr double kRim = 1.5 * std::numbers::pi;  // the rim's parameter on both ellipses
    const double bellEnd = std::min(bell.end, kRim);
    if (!(bell.start < bellEnd))
        return std::nullopt;
    ProfileSamples samples;
    samples.bellMouth = bell;
    sample(bell, bell.start, bellEnd, samples.bell);
    sample(cone, cone.start, cone.end, samples.cone);
    return samples;
}

// How far a point of the guide cone lies outside the bell-mouth wall at the same height.
double overlapOf(const ProfileSamples& samples)
{
    const EllipseArc& bell = samples.bellMouth;
    const auto& b = samples.bell;
    double overlap = 0;
    for (const Point& p : samples.cone) {
        if (p.y > b.front().y || p.y < b.back().y)
            continue;
        const double s = std::asin(std::clamp((bell.centre.y - p.y) / bell.ry, -1.0, 1.0));
        overlap = std::max(overlap, p.x - (bell.centre.x - bell.rx * std::cos(s)));
    }
    return overlap;
}

// Whether the bell-mouth wall and the guide cone cross, and the smallest distance between them.
void checkClearance(const Calculation& c, Checks& checks)
{
    const std::optional<ProfileSamples> samples = profileSamples(c);
    if (!samples)
        return;
    const auto& b = samples->bell;
    const auto& g = samples->cone;
    if (const double overlap = overlapOf(*samples); overlap > 0) {
        const std::string figure = wholeMillimetres(overlap);
        checks.warn(CheckKind::ProfilesCross, "profiles", overlap, "mm", checkWords(CheckWording::ProfilesCross, {figure}));
        return;
    }

    // The nearest pair of every fourth point, then of every point around it.
    constexpr int kSamples = kClearanceSamples;
    const auto squared = [&](int i, int j) {
        const double dx = b[i].x - g[j].x, dy = b[i].y - g[j].y;
        return dx * dx + dy * dy;
    };
    constexpr int kCoarse = 4;
    int bi = 0, gj = 0;
    for (int i = 0; i <= kSamples; i += kCoarse)
        for (int j = 0; j <= kSamples; j += kCoarse)
            if (squared(i, j) < squared(bi, gj))
                bi = i, gj = j;
    double nearestSquared = squared(bi, gj);
    for (int i = std::max(0, bi - kCoarse); i <= std::min(kSamples, bi + kCoarse); ++i)
        for (int j = std::max(0, gj - kCoarse); j <= std::min(kSamples, gj + kCoarse); ++j)
            nearestSquared = std::min(nearestSquared, squared(i, j));
    const double nearest = std::sqrt(nearestSquared);
    if (std::isfinite(nearest)) {
        const std::string figure = wholeMillimetres(nearest);
        checks.figure(CheckKind::ProfileClearance, "profiles", nearest, "mm",
                      checkWords(CheckWording::ProfileClearance, {figure}));
    }
}

// Q whose text gives no flow: said once, and no velocity from it.
void checkFlow(const BoxAccess& boxes, std::optional<double> Q, Checks& checks)
{
    if (!Q)
        checks.warn(CheckKind::BoxNotUsable, "Q", 0, "m³/s",
                    checkWords(CheckWording::FlowNotUsable, {quoteForMessage(boxes.text(kFlowRateBox), 24, "", "")}));
}

// The mean velocity through each section the whole flow passes, with the area it passes
// through: the cone inlet net of the guide cone's top, which lies in its plane; the ring under
// the rim; the passage inlet B·hk with B of the widths drawn.
void checkVelocities(const Calculation& c, std::optional<double> B, std::optional<double> Q, Checks& checks)
{
    if (!Q)
        return;
    const std::string flow = generalText(*Q, checks.locale());
    struct Section {
        CheckKind kind;
        CheckWording wording;
        std::optional<double> area;  // m²
    };
    const double D0 = c.in.D0 / 1000, dd0 = c.in.dd0 / 1000.0, D1 = c.in.D1 / 1000, H2 = c.in.H2 / 1000.0;
    const double hk = c.volute.hk / 1000.0;
    const Section sections[] = {
        {CheckKind::VelocityAtConeInlet, CheckWording::VelocityAtConeInlet, kPi * (D0 * D0 - dd0 * dd0) / 4},
        {CheckKind::VelocityUnderRim, CheckWording::VelocityUnderRim, kPi * D1 * H2},
        // Without a section of the assumed form (hk not above bp and H2) there is no B to divide by.
        {CheckKind::VelocityAtPassageInlet, CheckWording::VelocityAtPassageInlet,
         B && areaTrueThreshold(c.volute) ? std::optional<double>(*B / 1000 * hk) : std::nullopt},
    };
    for (const Section& s : sections) {
        if (!s.area || !(*s.area > 0) || !std::isfinite(*s.area))
            continue;
        const double velocity = *Q / *s.area;
        if (!std::isfinite(velocity))
            continue;
        const std::string figure = fixedFigure(velocity, 2, checks.locale());
        const std::string area = fixedFigure(*s.area, 3, checks.locale());
        const std::string width = B ? wholeMillimetres(*B) : "";
        checks.figure(s.kind, "Q", velocity, "m/s", checkWords(s.wording, {figure, area, width, flow}), *Q);
    }
}

// The passage width of the widths drawn, where it is not the B the result box shows: the one
// the drawings, the solid and the flow take.
void checkPassageWidth(const Calculation& c, std::optional<double> B, WidthSet set, Checks& checks)
{
    if (set == WidthSet::Computed || !B || *B == c.B)
        return;
    const std::string drawn = wholeMillimetres(*B), result = wholeMillimetres(c.B);
    checks.figure(CheckKind::PassageWidthDrawn, "B", *B, "mm", checkWords(CheckWording::PassageWidthDrawn, {drawn, result}));
}

// The volute's roof rises to hk; above the pump inlet section, at the top of the conical pipe,
// it holds air the flow cannot carry away.
void checkHkAgainstPumpInlet(const Calculation& c, Checks& checks)
{
    const double hk = c.volute.hk, H = c.profile.H;
    if (!(hk > H) || !std::isfinite(hk) || !std::isfinite(H))
        return;
    checks.warn(CheckKind::HkAbovePumpInlet, "hk", hk - H, "mm",
                checkWords(CheckWording::HkAbovePumpInlet, {mm(hk), mm(H), mm(hk - H)}));
}

// A box read leniently (the box table says which) whose text is taken otherwise than it
// looks: digits the reading does not take (full-width digits, digits after a decimal comma) or
// words after the number other than the box's unit.
void checkTexts(const BoxAccess& boxes, Checks& checks)
{
    const auto trimmed = [](std::string_view s) {
        const auto blank = [](char ch) { return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\r'; };
        while (!s.empty() && blank(s.front()))
            s.remove_prefix(1);
        while (!s.empty() && blank(s.back()))
            s.remove_suffix(1);
        return s;
    };
    const auto hasFullWidthDigit = [](std::string_view s) {
        for (std::size_t i = 0; i + 2 < s.size(); ++i)
            if (s.compare(i, 2, "\xEF\xBC") == 0 && static_cast<unsigned char>(s[i + 2]) >= 0x90
                && static_cast<unsigned char>(s[i + 2]) <= 0x99)
                return true;
        return false;
    };

    for (const BoxInfo& r : boxTable()) {
        if (!readsLeniently(r.reading))
            continue;
        const std::string text = boxes.text(r.box);
        LenientReading reading;
        try {
            reading = lenientRead(text);
        } catch (const CalcError&) {
            continue;  // beyond the double range: the run says so
        }
        const std::string_view rest = trimmed(std::string_view(text).substr(reading.length));
        if (rest.empty() || rest == r.typedUnit)
            continue;
        CheckWording why = CheckWording::TextAfterNumber;
        if (hasFullWidthDigit(rest))
            why = CheckWording::FullWidthDigits;
        else if (rest.size() > 1 && rest.front() == ',' && rest[1] >= '0' && rest[1] <= '9')
            why = CheckWording::CommaEndsNumber;
        else if (!reading.anyDigit)
            why = CheckWording::NoNumber;
        const std::string value = generalText(reading.value, checks.locale());
        checks.warn(CheckKind::TextReadOtherwise, std::string(r.symbol), reading.value, "",
                    checkWords(CheckWording::TextReadOtherwise, {std::string(r.symbol), std::string(r.name),
                                                                 quoteForMessage(text, 24, "", ""), value,
                                                                 checkWords(why)}));
    }
}

// The passage length the L box gives, by the one rule of passageLengthOf(): the length used and
// how it was read, a warning where that is not how the text looks, or that it gives none.
void checkPassageLength(const Calculation& c, const BoxAccess& boxes, Checks& checks)
{
    const std::string text = boxes.text(kPassageLengthBox);
    const std::string quoted = quoteForMessage(text, 24, "", "");
    const PassageLength L = passageLengthOf(text, c.in.D);
    if (L.taken == PassageLength::Taken::NotRead) {
        checks.warn(CheckKind::BoxNotUsable, "L", 0, "mm", checkWords(CheckWording::LengthNotUsable, {quoted}));
        return;
    }
    const std::string length = wholeMillimetres(L.millimetres);
    const std::string number = generalText(L.number, checks.locale());
    Bilingual why("");
    if (!L.asItLooks)
        why = checkWords(CheckWording::LengthReadOtherwise,
                         {checkWords(L.taken == PassageLength::Taken::TimesD ? CheckWording::LengthTimesD
                                                                             : CheckWording::TextAfterNumber)});
    Bilingual words = L.taken == PassageLength::Taken::TimesD
                          ? checkWords(CheckWording::PassageLengthTimesD, {length, number, quoted, why})
                          : checkWords(CheckWording::PassageLengthMillimetres, {length, quoted, why});
    if (L.asItLooks)
        checks.figure(CheckKind::PassageLength, "L", L.millimetres, "mm", std::move(words));
    else
        checks.warn(CheckKind::PassageLength, "L", L.millimetres, "mm", std::move(words));
}

void checkDrawable(const Calculation& c, Checks& checks)
{
    const ProfileResults& p = c.profile;
    const auto usable = [](double x) { return std::isfinite(x) && x > 0; };
    if (!usable(p.a1) || !usable(p.b1))
        checks.warn(CheckKind::NotDrawable, usable(p.a1) ? "b1" : "a1", usable(p.a1) ? p.b1 : p.a1, "mm",
                    checkWords(CheckWording::BellMouthNotDrawable, {mm(p.a1), mm(p.b1)}));
    if (!usable(p.a2) || !usable(p.b2))
        checks.warn(CheckKind::NotDrawable, usable(p.a2) ? "b2" : "a2", usable(p.a2) ? p.b2 : p.a2, "mm",
                    checkWords(CheckWording::GuideConeNotDrawable, {mm(p.a2), mm(p.b2)}));
}

}  // namespace


double profilesOverlap(const Calculation& c)
{
    const std::optional<ProfileSamples> samples = profileSamples(c);
    return samples ? overlapOf(*samples) : 0;
}

std::string_view checkName(CheckKind kind)
{
    switch (kind) {
    case CheckKind::NegativeWidth: return "negative-width";
    case CheckKind::WallMeetsBellMouth: return "wall-meets-bell-mouth";
    case CheckKind::QuadraticRuleWallAboveHk: return "quadratic-rule-wall-above-hk";
    case CheckKind::LinearRuleWallBelowHk: return "linear-rule-wall-below-hk";
    case CheckKind::WidthJump: return "width-jump";
    case CheckKind::HkBelowBp: return "hk-below-bp";
    case CheckKind::GuideConeWiderThanConeInlet: return "guide-cone-wider-than-cone-inlet";
    case CheckKind::ConeInletNotNarrowerThanRim: return "cone-inlet-not-narrower-than-rim";
    case CheckKind::ProfilesCross: return "profiles-cross";
    case CheckKind::ProfileClearance: return "profile-clearance";
    case CheckKind::VelocityAtConeInlet: return "velocity-at-cone-inlet";
    case CheckKind::VelocityUnderRim: return "velocity-under-rim";
    case CheckKind::VelocityAtPassageInlet: return "velocity-at-passage-inlet";
    case CheckKind::FloorClearance: return "floor-clearance";
    case CheckKind::TextReadOtherwise: return "text-read-otherwise";
    case CheckKind::NotDrawable: return "not-drawable";
    case CheckKind::WidthSetsDiffer: return "width-sets-differ";
    case CheckKind::AreaTrueWidthFails: return "area-true-width-fails";
    case CheckKind::ConeTopAgainstPumpInlet: return "cone-top-against-pump-inlet";
    case CheckKind::ProportionToImpeller: return "proportion-to-impeller";
    case CheckKind::SectionVelocity: return "section-velocity";
    case CheckKind::FluidVolume: return "fluid-volume";
    case CheckKind::InletArea: return "inlet-area";
    case CheckKind::OutletArea: return "outlet-area";
    case CheckKind::WettedArea: return "wetted-area";
    case CheckKind::PassageWidthDrawn: return "passage-width-drawn";
    case CheckKind::HkAbovePumpInlet: return "hk-above-pump-inlet";
    case CheckKind::PassageLength: return "passage-length";
    case CheckKind::BoxNotUsable: return "box-not-usable";
    }
    return "check";
}

std::vector<DesignCheck> textChecks(const BoxAccess& boxes, const NumberLocale& locale)
{
    Checks checks(locale);
    checkTexts(boxes, checks);
    return checks.take();
}

std::vector<DesignCheck> designChecks(const Calculation& c, const BoxAccess& boxes, const NumberLocale& locale)
{
    return designChecks(c, widthSets(c), WidthSet::Computed, boxes, locale);
}

std::vector<DesignCheck> designChecks(const Calculation& c, const WidthSets& widths, WidthSet set,
                                      const BoxAccess& boxes, const NumberLocale& locale)
{
    Checks checks(locale);
    checkWidthSets(c, widths, set, checks);
    checkSectionsExist(c, widths, checks);
    if (widths.sectionsExist())
        checkSectionShapes(c, widths.computed, checks);
    checkJumps(widths.computed, checks);
    checkAreaTrueFailures(widths, checks);
    checkProportions(c, checks);
    checkConeTop(c, boxes, checks);
    const std::optional<double> B = widths.passageWidth(set, c.in.D1);
    checkPassageWidth(c, B, set, checks);
    checkHkAgainstPumpInlet(c, checks);
    checkProportionsToImpeller(c, B, checks);
    checkClearance(c, checks);
    checkDrawable(c, checks);
    checkTexts(boxes, checks);
    checkPassageLength(c, boxes, checks);
    const std::optional<double> Q = flowRate(boxes);
    checkFlow(boxes, Q, checks);
    checkVelocities(c, B, Q, checks);
    checkSectionVelocities(c, widths, set, Q, checks);
    return checks.take();
}

}  // namespace inlet
