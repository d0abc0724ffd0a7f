#include "study/CobylaSearch.h"

#include "InletFeatures.h"
#if INLET_HAS_NLOPT
#include <nlopt.hpp>
#endif

#include <algorithm>

namespace inlet {

CobylaSearch::CobylaSearch(const std::vector<VariedInput>& inputs, VariantValues start,
                           const std::vector<Requirement>& requirements, const Evaluate& evaluate, Seen seen)
    : inputs_(inputs), fixed_(std::move(start)), requirements_(requirements), evaluate_(evaluate), seen_(std::move(seen))
{
    for (std::size_t i = 0; i < inputs_.size(); ++i)
        if (inputs_[i].box)
            ranged_.push_back(i);
}

std::vector<double> CobylaSearch::start() const
{
    std::vector<double> x;
    for (const std::size_t i : ranged_) {
        const VariedInput& input = inputs_[i];
        x.push_back(input.to > input.from ? (fixed_[i] - input.from) / (input.to - input.from) : 0);
    }
    return x;
}

VariantValues CobylaSearch::values(const std::vector<double>& x) const
{
    VariantValues v = fixed_;
    for (std::size_t k = 0; k < ranged_.size(); ++k)
        v[ranged_[k]] = valueAt(inputs_[ranged_[k]], std::clamp(x[k], 0.0, 1.0));
    return v;
}

const VariantFigures& CobylaSearch::at(const std::vector<double>& x)
{
    if (x == lastX_ && evaluations_ > 0)
        return last_;
    lastX_ = x;
    const VariantValues v = values(x);
    last_ = evaluate_(v);
    ++evaluations_;
    if (seen_)
        seen_(v, last_);
    return last_;
}

#if INLET_HAS_NLOPT
namespace {

// A failed variant is far outside every constraint, in finite numbers, which COBYLA needs.
constexpr double kFailed = 1e6;

struct Objective {
    CobylaSearch* search;
    const std::function<double(CobylaSearch&, const std::vector<double>&)>* objective;
};

double objectiveOf(const std::vector<double>& x, std::vector<double>&, void* data)
{
    const Objective& o = *static_cast<Objective*>(data);
    return (*o.objective)(*o.search, x);
}

double sectionsOf(const std::vector<double>& x, std::vector<double>&, void* data)
{
    const VariantFigures& f = static_cast<CobylaSearch*>(data)->at(x);
    return f.failure ? kFailed : f.shapeWarnings;
}

struct Bound {
    CobylaSearch* search;
    const Requirement* requirement;
};

double requirementOf(const std::vector<double>& x, std::vector<double>&, void* data)
{
    const Bound& b = *static_cast<Bound*>(data);
    const auto m = margin(*b.requirement, b.search->at(x));
    return m ? -*m : kFailed;
}

}  // namespace
#endif

void CobylaSearch::run([[maybe_unused]] const std::function<double(CobylaSearch&, const std::vector<double>&)>& objective,
                       [[maybe_unused]] int mostEvaluations)
{
#if INLET_HAS_NLOPT
    if (ranged_.empty() || mostEvaluations <= 0)
        return;
    nlopt::opt opt(nlopt::LN_COBYLA, unsigned(ranged_.size()));
    opt.set_lower_bounds(std::vector<double>(ranged_.size(), 0.0));
    opt.set_upper_bounds(std::vector<double>(ranged_.size(), 1.0));
    Objective o{this, &objective};
    opt.set_min_objective(objectiveOf, &o);
    opt.add_inequality_constraint(sectionsOf, this, 0.5);
    std::vector<Bound> bounds;
    bounds.reserve(requirements_.size());
    for (const Requirement& r : requirements_) {
        bounds.push_back({this, &r});
        opt.add_inequality_constraint(requirementOf, &bounds.back(), 0);
    }
    opt.set_initial_step(0.1);
    opt.set_xtol_abs(1e-7);  // below the 0.01 mm the texts keep over any range
    opt.set_maxeval(mostEvaluations);
    std::vector<double> x = start();
    double value = 0;
    try {
        opt.optimize(x, value);
    } catch (const std::exception&) {
        // COBYLA stops on a round-off or a limit: the best point met so far stands.
    }
#endif
}

}  // namespace inlet
