#include "FlowCommand.h"

#include "CfdError.h"

namespace inlet {

cfd::FlowCase passageFlowCase(const Calculation&, const Design&, const FlowOptions&)
{
    throw cfd::CfdError(cfd::Stage::Case, "this build cannot model the passage as a solid, which the flow needs");
}

}  // namespace inlet
