#include "study/LatinHypercube.h"

#include <random>
#include <utility>

namespace inlet {

std::vector<std::vector<double>> latinHypercube(int count, int dimensions, std::uint64_t seed)
{
    std::mt19937_64 random(seed);
    // The distributions of <random> differ between libraries: the draws are made here.
    const auto unit = [&random] { return double(random() >> 11) * 0x1.0p-53; };
    std::vector<std::vector<double>> samples(count, std::vector<double>(dimensions));
    for (int d = 0; d < dimensions; ++d) {
        std::vector<int> strata(count);
        for (int i = 0; i < count; ++i)
            strata[i] = i;
        for (int i = count - 1; i > 0; --i)
            std::swap(strata[i], strata[random() % std::uint64_t(i + 1)]);
        for (int i = 0; i < count; ++i)
            samples[i][d] = (strata[i] + unit()) / count;
    }
    return samples;
}

}  // namespace inlet
