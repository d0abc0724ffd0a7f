#pragma once

// How far a figure computed on three meshes is from its value on an infinitely fine one: the
// Richardson extrapolation and the grid convergence index, by the procedure of Celik, Ghia,
// Roache, Freitas, Coleman and Raad (J. Fluids Eng. 130, 078001, 2008).
//
// Notation (1 the finest mesh, 3 the coarsest):
//   N_i     the cells the mesh actually holds (not the cells asked for)
//   V       the volume meshed (the same for all three); d its dimensions, 3 here, 2 for a plane
//   h_i     = (V / N_i)^(1/d)                representative cell size
//   r21     = h2 / h1, r32 = h3 / h2         refinement ratios (Celik et al. ask for > 1.3)
//   phi_i   the figure on mesh i
//   e21     = phi2 - phi1, e32 = phi3 - phi2
//   s       = sign(e32 / e21)                 -1: the figure oscillates between the meshes
//   p       = |ln|e32 / e21| + q(p)| / ln r21, q(p) = ln((r21^p - s) / (r32^p - s))
//             the apparent order, solved by fixed-point iteration from q = 0
//   phi_ext = (r21^p phi1 - phi2) / (r21^p - 1)          the extrapolated value
//   ea21    = |(phi1 - phi2) / phi1|                      approximate relative error
//   eext21  = |(phi_ext - phi1) / phi_ext|                extrapolated relative error
//   GCI21   = 1.25 ea21 / (r21^pb - 1)                    fine-mesh convergence index
//   pb      = min(p, pf), pf the formal order of the schemes where one is given: an apparent
//             order above it means the meshes are not yet in the asymptotic range, and p
//             itself would understate the band (Roache's advice); without pf, pb = p, as in
//             the paper's worked example
// The relative errors and the index are shares (0.0217 is 2.17 %); the band of phi1 is
// phi1 (1 +- GCI21).

#include <array>
#include <limits>

namespace inlet::cfd {

enum class Convergence {
    Monotone,     // e32 / e21 > 0
    Oscillatory,  // e32 / e21 < 0: p, phi_ext and GCI21 are given with s = -1, and flagged
    Exact,        // the figure is the same on all three meshes: GCI21 0
    Unknown,      // no order can be found (e21 = 0 alone, refinement ratios not above 1, a
                  // figure of 0 on the fine mesh, no fixed point): no band is known
};

struct GridConvergence {
    Convergence convergence = Convergence::Unknown;
    double r21 = 0, r32 = 0;
    double order = 0;         // p, the apparent order
    double bandOrder = 0;     // pb, the order the index is computed with
    double extrapolated = 0;  // phi_ext
    double approximateError = 0;   // ea21
    double extrapolatedError = 0;  // eext21
    double index = 0;              // GCI21, share; meaningful unless convergence is Unknown
};

// h = (V / N)^(1/d).
double representativeSize(double volume, double cells, int dimensions);

// The procedure for sizes h (fine, medium, coarse) and the figure's values on those meshes.
GridConvergence gridConvergence(const std::array<double, 3>& sizes, const std::array<double, 3>& values,
                                double formalOrder = std::numeric_limits<double>::infinity());
// Whether the apparent order is above the formal one (the index then uses the formal one).
bool beyondFormalOrder(const GridConvergence& g);

// The same from the meshes' actual cell counts (fine first) in `dimensions` dimensions; the
// volume cancels in the ratios.
GridConvergence gridConvergenceOfCells(const std::array<double, 3>& cells, const std::array<double, 3>& values,
                                       int dimensions = 3,
                                       double formalOrder = std::numeric_limits<double>::infinity());

// "monotone", "oscillatory", "exact", "unknown": as files keep it.
const char* convergenceName(Convergence convergence);
Convergence convergenceNamed(const char* name);

}  // namespace inlet::cfd
