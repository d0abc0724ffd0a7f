#pragma once

// The Pareto front of two figures, both minimised: the points no other point beats in one
// figure without losing in the other. A figure to maximise (Vu, θ̄) is given negated.

#include <cstddef>
#include <optional>
#include <vector>

namespace inlet {

struct ParetoPoint {
    std::optional<double> x;  // none: the point has no such figure and is never on the front
    std::optional<double> y;
};

// The indices of the points on the front, by increasing x (ties: increasing y). Of points
// equal in both figures the first is kept.
std::vector<std::size_t> paretoFront(const std::vector<ParetoPoint>& points);

}  // namespace inlet
