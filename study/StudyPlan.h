#pragma once

// The variants of a study: every point of the grid of the varied inputs (the last input
// varying fastest), or Latin-hypercube samples over their ranges.

#include "study/VariedInput.h"

#include <cstdint>
#include <vector>

namespace inlet {

// Each variant's values, one per varied input in the order given.
using VariantValues = std::vector<double>;

std::vector<VariantValues> gridVariants(const std::vector<VariedInput>& inputs);
std::vector<VariantValues> sampledVariants(const std::vector<VariedInput>& inputs, int count, std::uint64_t seed);

}  // namespace inlet
