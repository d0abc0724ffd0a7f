#include "drawing/WidthSets.h"

#include "calc/Arithmetic.h"
#include "calc/Volute.h"

#include <cmath>

namespace inlet {

std::string_view widthSetName(WidthSet set)
{
    return set == WidthSet::AreaTrue ? "area-true" : "computed";
}

std::optional<WidthSet> widthSetNamed(std::string_view name)
{
    if (name == "computed")
        return WidthSet::Computed;
    if (name == "area-true")
        return WidthSet::AreaTrue;
    return std::nullopt;
}

std::string_view widthSetChinese(WidthSet set)
{
    return set == WidthSet::AreaTrue ? "按断面形状（面积一致）" : "按计算结果";
}

std::optional<double> areaTrueThreshold(const Volute& v)
{
    const double hk = v.hk;
    const double H2 = v.H2;
    const double ap = v.tp.ap;
    const double bp = v.tp.bp;
    if (!(hk > bp) || !(hk > H2))
        return std::nullopt;
    const double rh = ap + (hk - bp) / v.T;
    const double Fstar = rh * bp - kPi * ap * (bp - H2) / 4 + (hk - bp) * (hk - bp) / (2 * v.T);
    if (!std::isfinite(Fstar))
        return std::nullopt;
    return Fstar;
}

WidthRule areaTrueRule(double F, double Fstar)
{
    return F <= Fstar ? WidthRule::Quadratic : WidthRule::Linear;
}

std::array<std::optional<Station>, 12> WidthSets::chosen(WidthSet set) const
{
    if (set == WidthSet::AreaTrue)
        return areaTrue;
    std::array<std::optional<Station>, 12> all;
    for (std::size_t i = 0; i < all.size(); ++i)
        all[i] = computed[i];
    return all;
}

std::vector<std::size_t> WidthSets::differing() const
{
    std::vector<std::size_t> found;
    found.reserve(computed.size());
    for (std::size_t i = 0; i < computed.size(); ++i)
        if (Fstar && (!areaTrue[i] || areaTrue[i]->rule != computed[i].rule))
            found.push_back(i);
    return found;
}

std::optional<double> WidthSets::passageWidth(WidthSet set, double D1) const
{
    const std::optional<Station> at90 = set == WidthSet::AreaTrue ? areaTrue.back() : computed.back();
    if (!at90)
        return std::nullopt;
    const double B = 2 * at90->a + D1;
    return std::isfinite(B) ? std::optional<double>(B) : std::nullopt;
}

WidthSets widthSets(const Calculation& c)
{
    WidthSets sets;
    sets.computed = stations(c);
    sets.Fstar = areaTrueThreshold(c.volute);
    if (!sets.Fstar)
        return sets;
    const Volute& v = c.volute;
    for (std::size_t i = 0; i < sets.computed.size(); ++i) {
        const Station& s = sets.computed[i];
        Station area = s;
        area.rule = areaTrueRule(s.F, *sets.Fstar);
        if (area.rule != s.rule) {
            try {
                const double w = area.rule == WidthRule::Quadratic ? quadraticWidth(v, C(v, s.F)) : linearWidth(v, s.F);
                // Held as the run holds a width at this station: single, double at 90 degrees.
                area.a = s.phi == 90 ? finite(w) : static_cast<double>(toSingle(w));
            } catch (const CalcError& e) {
                sets.failure[i] = e.kind();
                continue;
            }
        }
        sets.areaTrue[i] = area;
    }
    return sets;
}

}  // namespace inlet
