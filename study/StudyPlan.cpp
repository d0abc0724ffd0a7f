#include "study/StudyPlan.h"

#include "study/LatinHypercube.h"

namespace inlet {

std::vector<VariantValues> gridVariants(const std::vector<VariedInput>& inputs)
{
    std::vector<VariantValues> variants{VariantValues{}};
    for (const VariedInput& input : inputs) {
        std::vector<VariantValues> next;
        for (const VariantValues& v : variants) {
            for (int i = 0; i < input.count; ++i) {
                VariantValues w = v;
                w.push_back(input.count == 1 ? input.from : valueAt(input, double(i) / (input.count - 1)));
                next.push_back(std::move(w));
            }
        }
        variants = std::move(next);
    }
    return variants;
}

std::vector<VariantValues> sampledVariants(const std::vector<VariedInput>& inputs, int count, std::uint64_t seed)
{
    std::vector<VariantValues> variants;
    for (const std::vector<double>& sample : latinHypercube(count, int(inputs.size()), seed)) {
        VariantValues v;
        for (std::size_t d = 0; d < inputs.size(); ++d)
            v.push_back(valueAt(inputs[d], sample[d]));
        variants.push_back(std::move(v));
    }
    return variants;
}

}  // namespace inlet
