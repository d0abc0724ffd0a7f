#include "DesignChecks.h"

#include "Arithmetic.h"
#include "CalcError.h"
#include "DesignInputs.h"
#include "Figures.h"
#include "MessageText.h"
#include "PassageGeometry.h"
#include "ResultText.h"
#include "Volute.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <initializer_list>
#include <numbers>
#include <string_view>
#include <utility>

namespace inlet {

namespace {

std::string mm(double value) { return wholeMillimetres(value) + " mm"; }

std::string_view ruleChinese(WidthRule rule) { return rule == WidthRule::Quadratic ? "二次式" : "线性式"; }
std::string_view ruleEnglish(WidthRule rule) { return rule == WidthRule::Quadratic ? "quadratic" : "linear"; }

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

    void warn(CheckKind kind, std::string subject, double figure, std::string unit,
              std::string chinese, std::string english, std::optional<double> advice = {})
    {
        list_.push_back({kind, true, std::move(subject), figure, std::move(unit), advice, std::move(chinese),
                         std::move(english)});
    }
    void figure(CheckKind kind, std::string subject, double figure, std::string unit,
                std::string chinese, std::string english)
    {
        list_.push_back({kind, false, std::move(subject), figure, std::move(unit), std::nullopt,
                         std::move(chinese), std::move(english)});
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
                        join({"φ=", phi, "°时蜗壳宽度", name, "为 ", a, " mm，小于零：外壁位于喇叭口边缘以内"}),
                        join({name, " at φ = ", phi, "° is ", a, " mm, below zero: the outer wall stands inside the bell-mouth rim"}));
            if (c.profile.x1 + s.a < 0)
                checks.warn(CheckKind::NotDrawable, std::string(name), s.a, "mm",
                            join({"φ=", phi, "°时蜗壳宽度", name, "的外壁越过水泵轴线，断面无法绘出"}),
                            join({name, " at φ = ", phi, "°: the outer wall lies beyond the pump axis; its section cannot be drawn"}));
            break;
        }
        case SectionShape::BelowTangentPoint: {
            const std::string phi = std::to_string(s.phi), a = wholeMillimetres(s.a), ap = wholeMillimetres(v.tp.ap);
            checks.warn(CheckKind::WallMeetsBellMouth, std::string(name), s.a, "mm",
                        join({"φ=", phi, "°时蜗壳宽度", name, "为 ", a, " mm，小于 ap = ", ap, " mm：外壁与喇叭口唇部相交于切点以下"}),
                        join({name, " at φ = ", phi, "° is ", a, " mm, less than ap ", ap,
                              " mm: the outer wall meets the bell mouth below the tangent point"}));
            break;
        }
        case SectionShape::Level:
            if (s.rule == WidthRule::Quadratic) {
                const auto advice = otherRuleWidth(c, s);
                const std::string phi = std::to_string(s.phi), wall = wholeMillimetres(height);
                const std::string hk = wholeMillimetres(v.hk), other = advice ? wholeMillimetres(*advice) : "";
                checks.warn(CheckKind::QuadraticRuleWallAboveHk, std::string(name), height, "mm",
                            advice ? join({"φ=", phi, "°时蜗壳宽度", name, "按二次式计算，但外壁高 ", wall, " mm，超过 hk = ", hk,
                                           " mm；按线性式宽度为 ", other, " mm"})
                                   : join({"φ=", phi, "°时蜗壳宽度", name, "按二次式计算，但外壁高 ", wall, " mm，超过 hk = ", hk,
                                           " mm；线性式亦不相符"}),
                            advice ? join({name, " at φ = ", phi, "° takes the quadratic rule, but its outer wall would be ",
                                           wall, " mm tall, above hk ", hk, " mm; the linear rule gives ", other, " mm"})
                                   : join({name, " at φ = ", phi, "° takes the quadratic rule, but its outer wall would be ",
                                           wall, " mm tall, above hk ", hk, " mm; the linear rule does not fit either"}),
                            advice);
            }
            break;
        case SectionShape::Inclined:
            if (s.rule == WidthRule::Linear) {
                const auto advice = otherRuleWidth(c, s);
                const std::string phi = std::to_string(s.phi), wall = wholeMillimetres(height);
                const std::string other = advice ? wholeMillimetres(*advice) : "";
                checks.warn(CheckKind::LinearRuleWallBelowHk, std::string(name), height, "mm",
                            advice ? join({"φ=", phi, "°时蜗壳宽度", name, "按线性式计算，但上壁面升至 hk 之前即遇外壁（外壁高 ", wall,
                                           " mm）；按二次式宽度为 ", other, " mm"})
                                   : join({"φ=", phi, "°时蜗壳宽度", name, "按线性式计算，但上壁面升至 hk 之前即遇外壁（外壁高 ", wall,
                                           " mm）；二次式亦不相符"}),
                            advice ? join({name, " at φ = ", phi, "° takes the linear rule, but the outer wall comes before the upper "
                                           "wall rises to hk (wall ", wall, " mm tall); the quadratic rule gives ", other, " mm"})
                                   : join({name, " at φ = ", phi, "° takes the linear rule, but the outer wall comes before the upper "
                                           "wall rises to hk (wall ", wall, " mm tall); the quadratic rule does not fit either"}),
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
                    join({"φ=", phiA, "°至φ=", phiB, "°蜗壳宽度由 ", widthA, " mm 跳至 ", widthB, " mm（", ruleChinese(a.rule), "→",
                          ruleChinese(b.rule), "）"}),
                    join({"the width jumps from ", widthA, " mm at φ = ", phiA, "° to ", widthB, " mm at φ = ", phiB,
                          "° where the rule changes from ", ruleEnglish(a.rule), " to ", ruleEnglish(b.rule)}));
    }
}

// The two width sets where they differ: which stations, the area-true widths, and which set
// the drawing uses.
void checkWidthSets(const WidthSets& widths, WidthSet set, Checks& checks)
{
    const std::vector<std::size_t> differing = widths.differing();
    if (differing.empty())
        return;
    std::string chineseNames, englishNames;
    chineseNames.reserve(8 * differing.size());
    englishNames.reserve(8 * differing.size());
    double least = 0, most = 0, largest = 0;
    bool any = false;
    for (const std::size_t i : differing) {
        const std::string_view name = symbol(widths.computed[i].width);
        chineseNames.append(chineseNames.empty() ? "" : "、").append(name);
        englishNames.append(englishNames.empty() ? "" : ", ").append(name);
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
    const std::string first = any ? wholeMillimetres(least) : "", last = any ? wholeMillimetres(most) : "";
    const bool one = least == most;
    const bool areaTrue = set == WidthSet::AreaTrue;
    checks.warn(CheckKind::WidthSetsDiffer,
                join({symbol(widths.computed[differing.front()].width), "-", symbol(widths.computed[differing.back()].width)}),
                largest, "mm",
                join({"计算宽度 ", chineseNames, " 所得断面不是其计算式所设的形状，面积与 F 不符",
                      any ? "；按断面形状（面积一致）的宽度为 " : "", any && !one ? first : "", any && !one ? "～" : "",
                      any ? last : "", any ? " mm" : "", areaTrue ? "。图形按面积一致宽度绘制" : "。图形按计算结果绘制"}),
                join({"the computed widths ", englishNames, " give sections of another shape than their rule assumes, ",
                      "whose areas are not F", any ? "; the area-true widths are " : "", any && !one ? first : "",
                      any && !one ? " to " : "", any ? last : "", any ? " mm" : "",
                      areaTrue ? "; drawn with the area-true widths" : "; drawn with the computed widths"}));
}

const char* kindChinese(FailureKind kind)
{
    switch (kind) {
    case FailureKind::TypeMismatch: return "类型不匹配";
    case FailureKind::Overflow: return "溢出";
    case FailureKind::DivisionByZero: return "除数为零";
    case FailureKind::InvalidCall: return "负数开方";
    }
    return "无法计算";
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
                    join({"φ=", phi, "°时蜗壳宽度", name, "无法按断面形状求得（", kindChinese(*failure), "），该处无面积一致宽度"}),
                    join({"the area-true width ", name, " at φ = ", phi, "° cannot be computed (", kindName(*failure),
                          "); there is none at that station"}));
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
    checks.warn(CheckKind::HkBelowBp, "hk", hk - bp, "mm",
                "蜗壳断面高度 hk = " + mm(hk) + (belowBp ? " 不高于" : " 高于") + "切点高度 bp = " + mm(bp) + "，"
                    + (belowRim ? "且不高于喇叭口边缘高度 H2 = " + mm(H2) + "（顶板低于喇叭口边缘）"
                                : "高于喇叭口边缘高度 H2 = " + mm(H2))
                    + "：不存在计算式所设形状的蜗壳断面，不绘断面，不给出其他宽度",
                "hk " + mm(hk) + (belowBp ? " is not above" : " is above") + " the tangent point's height bp " + mm(bp)
                    + (belowRim ? " and not above the rim's height H2 " + mm(H2) + " (the roof would lie below the rim)"
                                : " and above the rim's height H2 " + mm(H2))
                    + ": no volute section of the form the width rules assume exists; no section is drawn and no"
                    + " other width is given");
}

void checkProportions(const Calculation& c, Checks& checks)
{
    const double dd0 = c.in.dd0, D0 = c.in.D0, D1 = c.in.D1;
    if (dd0 >= D0)
        checks.warn(CheckKind::GuideConeWiderThanConeInlet, "dd0", dd0 - D0, "mm",
                    "导水锥直径 dd0 = " + mm(dd0) + " 不小于锥管进口直径 D0 = " + mm(D0),
                    "the guide cone top dd0 " + mm(dd0) + " is not narrower than the cone inlet D0 " + mm(D0));
    if (D0 >= D1)
        checks.warn(CheckKind::ConeInletNotNarrowerThanRim, "D0", D0 - D1, "mm",
                    "锥管进口直径 D0 = " + mm(D0) + " 不小于喇叭口直径 D1 = " + mm(D1),
                    "the cone inlet D0 " + mm(D0) + " is not narrower than the bell-mouth rim D1 " + mm(D1));
    if (D1 > 0) {
        const double ratio = static_cast<double>(c.in.H2) / D1;
        const std::string figure = fixedFigure(ratio, 3, checks.locale());
        checks.figure(CheckKind::FloorClearance, "H2/D1", ratio, "",
                      join({"喇叭口悬空高度 H2/D1 = ", figure, "（泵站进水设计常引用 0.25～0.5 倍喇叭口直径）"}),
                      join({"floor clearance H2/D1 = ", figure,
                            " (pump-intake guidance commonly cites 0.25 to 0.5 of the bell diameter)"}));
    }
}

// A box's text read as the run reads a number at the start of a text; none where it holds no
// digit, is beyond the double range, or is not above zero.
std::optional<double> positiveReading(const BoxAccess& boxes, Box box)
{
    try {
        const LenientReading r = lenientRead(boxes.text(box));
        if (r.anyDigit && r.value > 0 && std::isfinite(r.value))
            return r.value;
    } catch (const CalcError&) {
    }
    return std::nullopt;
}

// The top of the conical pipe, where the pump's inlet joins it, against the pump inlet
// diameter Ds: a warning where they differ by more than 1 %.
void checkConeTop(const Calculation& c, const BoxAccess& boxes, Checks& checks)
{
    const double top = c.in.D0 - 2 * c.in.H0 * std::tan(static_cast<double>(c.in.theta));
    if (!std::isfinite(top))
        return;
    const std::string figure = wholeMillimetres(top);
    const std::optional<double> Ds = positiveReading(boxes, Box::Text2);
    if (!Ds) {
        checks.figure(CheckKind::ConeTopAgainstPumpInlet, "Ds", top, "mm",
                      join({"锥管顶部直径 D0 - 2·H0·tanθ = ", figure, " mm（未给出泵进口直径 Ds）"}),
                      join({"the top of the conical pipe D0 - 2·H0·tan θ is ", figure, " mm (no pump inlet diameter Ds given)"}));
        return;
    }
    const double percent = (top - *Ds) / *Ds * 100;
    const std::string difference = fixedFigure(percent, 2, checks.locale()), pump = wholeMillimetres(*Ds);
    const bool apart = std::fabs(percent) > 1;
    std::string chinese = join({"锥管顶部直径 D0 - 2·H0·tanθ = ", figure, " mm，泵进口直径 Ds = ", pump, " mm，相差 ", difference,
                                apart ? "%，超过 1%" : "%"});
    std::string words = join({"the top of the conical pipe D0 - 2·H0·tan θ is ", figure, " mm against the pump inlet Ds ", pump,
                              " mm, ", difference, apart ? "%, more than 1 % apart" : "%"});
    if (apart)
        checks.warn(CheckKind::ConeTopAgainstPumpInlet, "Ds", top, "mm", std::move(chinese), std::move(words));
    else
        checks.figure(CheckKind::ConeTopAgainstPumpInlet, "Ds", top, "mm", std::move(chinese), std::move(words));
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
        const char* symbol;   // "D1/D"
        const char* chinese;  // what the numerator is
        const char* english;
        std::optional<double> numerator;
    };
    const Proportion proportions[] = {
        {"D1/D", "喇叭口直径", "the bell-mouth diameter", c.in.D1},
        {"B/D", "流道宽度", "the passage width", B},
        {"H/D", "流道高度", "the passage height", c.profile.H},
        {"hk/D", "蜗壳断面高度", "the volute section height", static_cast<double>(c.volute.hk)},
        {"H2/D", "喇叭口悬空高度", "the bell's floor clearance", static_cast<double>(c.in.H2)},
    };
    for (const Proportion& p : proportions) {
        if (!p.numerator || !std::isfinite(*p.numerator / D))
            continue;
        const double ratio = *p.numerator / D;
        const std::string figure = fixedFigure(ratio, 3, checks.locale());
        checks.figure(CheckKind::ProportionToImpeller, p.symbol, ratio, "",
                      join({p.chinese, "与叶轮直径之比 ", p.symbol, " = ", figure}),
                      join({p.english, " in impeller diameters ", p.symbol, " = ", figure}));
    }
}

// The mean velocity through each station's section, Q·(φ/360) over its area: the area F the
// station is to carry, and the area of the section its drawn width gives.
void checkSectionVelocities(const Calculation& c, const WidthSets& widths, WidthSet set, std::optional<double> Q,
                            Checks& checks)
{
    if (!Q || !widths.sectionsExist())
        return;  // without sections, each would be the velocity under the rim again
    const std::array<std::optional<Station>, 12> drawn = widths.chosen(set);
    for (std::size_t i = 0; i < widths.computed.size(); ++i) {
        const Station& s = widths.computed[i];
        const double flow = *Q * s.phi / 360;
        const double required = flow / (s.F / 1e6);
        if (!(s.F > 0) || !std::isfinite(required))
            continue;
        std::optional<double> area;
        if (drawn[i])
            area = sectionArea(c, drawn[i]->a);
        std::optional<double> actual;
        if (area && *area > 0)
            actual = flow / (*area / 1e6);
        const std::string phi = std::to_string(s.phi);
        const std::string byF = fixedFigure(required, 2, checks.locale());
        const std::string byDrawn = actual ? fixedFigure(*actual, 2, checks.locale()) : "";
        checks.figure(CheckKind::SectionVelocity, std::string(symbol(s.width)), actual.value_or(required), "m/s",
                      actual ? join({"φ=", phi, "°断面平均流速 Q·(φ/360)/F = ", byF, " m/s，所绘断面 ", byDrawn, " m/s"})
                             : join({"φ=", phi, "°断面平均流速 Q·(φ/360)/F = ", byF, " m/s（无所绘断面）"}),
                      actual ? join({"mean velocity at φ = ", phi, "°, Q·(phi/360)/F = ", byF, " m/s, in the section drawn ",
                                     byDrawn, " m/s"})
                             : join({"mean velocity at φ = ", phi, "°, Q·(phi/360)/F = ", byF, " m/s (no section drawn)"}));
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
        checks.warn(CheckKind::ProfilesCross, "profiles", overlap, "mm",
                    join({"喇叭管壁面与导水锥型线相交，最大重叠 ", figure, " mm"}),
                    join({"the bell-mouth wall and the guide cone cross, by up to ", figure, " mm"}));
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
                      join({"喇叭管壁面与导水锥之间最小间距 ", figure, " mm"}),
                      join({"smallest clearance between the bell-mouth wall and the guide cone ", figure, " mm"}));
    }
}

void checkVelocities(const Calculation& c, std::optional<double> Q, Checks& checks)
{
    if (!Q)
        return;
    struct Section {
        CheckKind kind;
        const char* chinese;
        const char* english;
        double area;  // m²
    };
    const double D0 = c.in.D0 / 1000, D1 = c.in.D1 / 1000, H2 = c.in.H2 / 1000.0;
    const double B = c.B / 1000, hk = c.volute.hk / 1000.0;
    const Section sections[] = {
        {CheckKind::VelocityAtConeInlet, "锥管进口平均流速（π·D0²/4）", "mean velocity at the cone inlet (pi·D0²/4)", kPi * D0 * D0 / 4},
        {CheckKind::VelocityUnderRim, "喇叭口下环形断面平均流速（π·D1·H2）", "mean velocity through the ring under the rim (pi·D1·H2)", kPi * D1 * H2},
        {CheckKind::VelocityAtPassageInlet, "流道进口平均流速（B·hk）", "mean velocity at the passage inlet (B·hk)", B * hk},
    };
    for (const Section& s : sections) {
        if (!(s.area > 0) || !std::isfinite(s.area))
            continue;
        const double velocity = *Q / s.area;
        if (!std::isfinite(velocity))
            continue;
        const std::string figure = fixedFigure(velocity, 2, checks.locale());
        checks.figure(s.kind, "Q", velocity, "m/s", join({s.chinese, " ", figure, " m/s"}),
                      join({s.english, " ", figure, " m/s"}));
    }
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
        std::string chineseWhy, englishWhy;
        if (hasFullWidthDigit(rest)) {
            chineseWhy = "全角数字未读入";
            englishWhy = "full-width digits are not read";
        } else if (rest.size() > 1 && rest.front() == ',' && rest[1] >= '0' && rest[1] <= '9') {
            chineseWhy = "逗号结束了数字，其后的数字未读入";
            englishWhy = "a comma ends the number; the digits after it are not read";
        } else if (!reading.anyDigit) {
            chineseWhy = "文本中没有数字";
            englishWhy = "the text holds no number";
        } else {
            chineseWhy = "数字后的文字未读入";
            englishWhy = "the text after the number is not read";
        }
        const std::string value = generalText(reading.value, checks.locale());
        const std::string quoted = quoteForMessage(text, 24, "“", "”");
        checks.warn(CheckKind::TextReadOtherwise, std::string(r.symbol), reading.value, "",
                    std::string(r.symbol) + "（" + std::string(r.name) + "）的文本" + quoted + "按 " + value
                        + " 计算：" + chineseWhy,
                    std::string(r.symbol) + " (" + std::string(r.name) + ") " + quoted + " is read as "
                        + value + ": " + englishWhy);
    }
}

void checkDrawable(const Calculation& c, Checks& checks)
{
    const ProfileResults& p = c.profile;
    const auto usable = [](double x) { return std::isfinite(x) && x > 0; };
    if (!usable(p.a1) || !usable(p.b1))
        checks.warn(CheckKind::NotDrawable, usable(p.a1) ? "b1" : "a1", usable(p.a1) ? p.b1 : p.a1, "mm",
                    "喇叭管椭圆的半轴 a1 = " + mm(p.a1) + "、b1 = " + mm(p.b1) + " 不为正，型线无法绘出",
                    "the bell-mouth ellipse's semi-axes a1 " + mm(p.a1) + " and b1 " + mm(p.b1)
                        + " are not both positive; its wall cannot be drawn");
    if (!usable(p.a2) || !usable(p.b2))
        checks.warn(CheckKind::NotDrawable, usable(p.a2) ? "b2" : "a2", usable(p.a2) ? p.b2 : p.a2, "mm",
                    "导水锥椭圆的半轴 a2 = " + mm(p.a2) + "、b2 = " + mm(p.b2) + " 不为正，型线无法绘出",
                    "the guide cone ellipse's semi-axes a2 " + mm(p.a2) + " and b2 " + mm(p.b2)
                        + " are not both positive; its wall cannot be drawn");
}

}  // namespace

std::optional<double> designFlow(const BoxAccess& boxes) { return positiveReading(boxes, Box::Text12); }

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
    }
    return "check";
}

std::vector<DesignCheck> designChecks(const Calculation& c, const BoxAccess& boxes, const NumberLocale& locale)
{
    return designChecks(c, widthSets(c), WidthSet::Computed, boxes, locale);
}

std::vector<DesignCheck> designChecks(const Calculation& c, const WidthSets& widths, WidthSet set,
                                      const BoxAccess& boxes, const NumberLocale& locale)
{
    Checks checks(locale);
    checkWidthSets(widths, set, checks);
    checkSectionsExist(c, widths, checks);
    if (widths.sectionsExist())
        checkSectionShapes(c, widths.computed, checks);
    checkJumps(widths.computed, checks);
    checkAreaTrueFailures(widths, checks);
    checkProportions(c, checks);
    checkConeTop(c, boxes, checks);
    checkProportionsToImpeller(c, widths.passageWidth(set, c.in.D1), checks);
    checkClearance(c, checks);
    checkDrawable(c, checks);
    checkTexts(boxes, checks);
    const std::optional<double> Q = designFlow(boxes);
    checkVelocities(c, Q, checks);
    checkSectionVelocities(c, widths, set, Q, checks);
    return checks.take();
}

}  // namespace inlet
