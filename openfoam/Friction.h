#pragma once

// Fully developed turbulent flow in a straight round pipe, from published correlations: what
// the computed pipe flow is compared with.
//
// Notation:
//   Re   Reynolds number U D / nu, with U the mean velocity and D the diameter
//   k    the wall's equivalent sand roughness, m (0: hydraulically smooth)
//   f    Darcy friction factor: the head lost over a length L is f (L/D) U^2 / (2 g)
//   n    exponent of the power-law velocity profile u/u_max = (1 - r/R)^(1/n)

namespace inlet::cfd {

// Colebrook-White: 1/sqrt(f) = -2 log10(k/(3.7 D) + 2.51/(Re sqrt(f))), solved by fixed-point
// iteration to 1e-12. Colebrook, J. Inst. Civil Eng. 11 (1939) 133-156.
double colebrookWhite(double reynolds, double relativeRoughness = 0);

// The power-law exponent n = -1.7 + 1.8 log10(Re) for Re above 20,000, a fit to smooth-pipe
// measurements (Fox and McDonald, Introduction to Fluid Mechanics, the power-law profile).
double powerLawExponent(double reynolds);

// u/u_mean of the power-law profile at r/R: (1 - r/R)^(1/n) (n+1)(2n+1) / (2 n^2).
double powerLawProfile(double radiusRatio, double exponent);

}  // namespace inlet::cfd
