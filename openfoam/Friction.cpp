#include "openfoam/Friction.h"

#include <cmath>

namespace inlet::cfd {

double colebrookWhite(double reynolds, double relativeRoughness)
{
    double inverseRoot = 8;  // 1/sqrt(f), f = 0.0156
    for (int i = 0; i < 100; ++i) {
        const double next = -2 * std::log10(relativeRoughness / 3.7 + 2.51 * inverseRoot / reynolds);
        if (std::abs(next - inverseRoot) < 1e-12) {
            inverseRoot = next;
            break;
        }
        inverseRoot = next;
    }
    return 1 / (inverseRoot * inverseRoot);
}

double powerLawExponent(double reynolds)
{
    return -1.7 + 1.8 * std::log10(reynolds);
}

double powerLawProfile(double radiusRatio, double exponent)
{
    const double n = exponent;
    const double meanOverMax = 2 * n * n / ((n + 1) * (2 * n + 1));
    return std::pow(1 - radiusRatio, 1 / n) / meanOverMax;
}

}  // namespace inlet::cfd
