#pragma once

// Latin-hypercube samples in the unit cube: each of `dimensions` coordinates of the `count`
// samples falls once in each of its `count` equal strata. From `seed` alone (mt19937_64, whose
// sequence the C++ standard fixes), so that the same seed gives the same samples everywhere.

#include <cstdint>
#include <vector>

namespace inlet {

// samples[i][d] in [0, 1).
std::vector<std::vector<double>> latinHypercube(int count, int dimensions, std::uint64_t seed);

}  // namespace inlet
