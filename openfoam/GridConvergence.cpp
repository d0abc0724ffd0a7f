#include "openfoam/GridConvergence.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace inlet::cfd {

namespace {

constexpr struct {
    Convergence convergence;
    const char* name;
} kNames[] = {
    {Convergence::Monotone, "monotone"},
    {Convergence::Oscillatory, "oscillatory"},
    {Convergence::Exact, "exact"},
    {Convergence::Unknown, "unknown"},
};

}  // namespace

double representativeSize(double volume, double cells, int dimensions)
{
    return std::pow(volume / cells, 1.0 / dimensions);
}

GridConvergence gridConvergence(const std::array<double, 3>& h, const std::array<double, 3>& phi, double formalOrder)
{
    GridConvergence g;
    g.r21 = h[1] / h[0];
    g.r32 = h[2] / h[1];
    const double e21 = phi[1] - phi[0];
    const double e32 = phi[2] - phi[1];
    if (!(g.r21 > 1) || !(g.r32 > 1) || !std::isfinite(e21) || !std::isfinite(e32))
        return g;
    if (e21 == 0 && e32 == 0) {
        g.convergence = Convergence::Exact;
        g.extrapolated = phi[0];
        return g;
    }
    // The fine pair agrees but the coarse one does not (or the fine value is 0): no ratio, no
    // order, no band.
    if (e21 == 0 || e32 == 0 || phi[0] == 0)
        return g;
    const double s = e32 / e21 > 0 ? 1 : -1;
    const double lnRatio = std::log(std::abs(e32 / e21));
    double p = std::abs(lnRatio) / std::log(g.r21);  // q = 0: equal ratios
    bool fixed = false;
    for (int i = 0; i < 500 && !fixed; ++i) {
        const double q = std::log((std::pow(g.r21, p) - s) / (std::pow(g.r32, p) - s));
        const double next = std::abs(lnRatio + q) / std::log(g.r21);
        if (!std::isfinite(next))
            return g;
        fixed = std::abs(next - p) <= 1e-12 * std::max(1.0, p);
        p = next;
    }
    const double rp = std::pow(g.r21, p);
    if (!fixed || !(rp > 1))
        return g;
    g.convergence = s > 0 ? Convergence::Monotone : Convergence::Oscillatory;
    g.order = p;
    g.extrapolated = (rp * phi[0] - phi[1]) / (rp - 1);
    g.approximateError = std::abs((phi[0] - phi[1]) / phi[0]);
    g.extrapolatedError = g.extrapolated != 0 ? std::abs((g.extrapolated - phi[0]) / g.extrapolated) : 0;
    g.bandOrder = std::min(p, formalOrder);
    g.index = 1.25 * g.approximateError / (std::pow(g.r21, g.bandOrder) - 1);
    return g;
}

bool beyondFormalOrder(const GridConvergence& g)
{
    return (g.convergence == Convergence::Monotone || g.convergence == Convergence::Oscillatory) && g.bandOrder < g.order;
}

GridConvergence gridConvergenceOfCells(const std::array<double, 3>& cells, const std::array<double, 3>& values,
                                       int dimensions, double formalOrder)
{
    std::array<double, 3> h{};
    for (int i = 0; i < 3; ++i)
        h[i] = representativeSize(1, cells[i], dimensions);
    return gridConvergence(h, values, formalOrder);
}

const char* convergenceName(Convergence convergence)
{
    for (const auto& n : kNames)
        if (n.convergence == convergence)
            return n.name;
    return "unknown";
}

Convergence convergenceNamed(const char* name)
{
    for (const auto& n : kNames)
        if (std::strcmp(n.name, name) == 0)
            return n.convergence;
    return Convergence::Unknown;
}

}  // namespace inlet::cfd
