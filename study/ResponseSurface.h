#pragma once

// A response surface over a study's varied inputs: the flow's figures are minutes a variant,
// so the optimiser searches a polynomial fitted to the variants computed rather than the flow
// itself. Least squares of a quadratic, reduced to what the number of points supports (each
// point left out in turn must still leave a fit: n >= terms + 1): the full quadratic, then
// without the cross terms, then linear, then a constant. Kriging would interpolate the points
// exactly, but Debian carries no kept C++ library for it, and with the few points a flow
// study has (4 to 50) a quadratic's trend is what can be told from their scatter.
// The inputs are in unit coordinates (0 to 1 over each range; a choice 0 or 1, which takes
// no square).

#include <optional>
#include <string>
#include <vector>

namespace inlet {

struct ResponseSurface {
    std::string form;                    // "quadratic", "linear and squares", "linear", "constant"
    std::vector<std::vector<int>> terms;  // each term's power of each input
    std::vector<double> coefficients;    // of each term, over the inputs taken to -1 to 1
    int points = 0;
    // The root mean square of the leave-one-out residuals: each point predicted by the fit of
    // the others. An estimate of how far the surface lies from a variant not computed.
    double looError = 0;

    double predict(const std::vector<double>& unit) const;
};

// `unit[i]` the inputs of point i, `values[i]` its figure; `choice[k]` whether input k is a
// choice (0 or 1). None where not even a constant has two points.
std::optional<ResponseSurface> fitSurface(const std::vector<std::vector<double>>& unit, const std::vector<double>& values,
                                          const std::vector<bool>& choice);

// The coefficients of the least-squares fit A c = b (A row-major, rows x columns, by
// Householder QR); none where A's columns are dependent.
std::optional<std::vector<double>> leastSquares(std::vector<double> a, std::size_t rows, std::size_t columns,
                                                std::vector<double> b);

}  // namespace inlet
