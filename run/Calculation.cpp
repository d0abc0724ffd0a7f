#include "run/Calculation.h"

namespace inlet {

std::array<Station, 12> stations(const Calculation& c)
{
    const Volute& v = c.volute;
    const auto rule = [&v](double F) { return F <= v.Ft ? WidthRule::Quadratic : WidthRule::Linear; };
    std::array<Station, 12> result;
    constexpr std::array<Quantity, 9> kTable{Quantity::a0, Quantity::a10, Quantity::a20,
                                             Quantity::a30, Quantity::a40, Quantity::a50,
                                             Quantity::a60, Quantity::a70, Quantity::a80};
    for (std::size_t k = 0; k < kTable.size(); ++k) {
        const double F = c.table.F[k];
        result[k] = {static_cast<int>(10 * k), kTable[k], F, rule(F), c.table.A[k]};
    }
    const double F84 = stationArea(c.in.D1, c.in.H2, 84);
    const double F87 = stationArea(c.in.D1, c.in.H2, 87);
    result[9] = {84, Quantity::a84, F84, rule(F84), c.a84};
    result[10] = {87, Quantity::a87, F87, rule(F87), c.a87};
    result[11] = {90, Quantity::a90, quarterArea(c.in.D1, c.in.H2), WidthRule::Linear, c.a90};
    return result;
}

}  // namespace inlet
