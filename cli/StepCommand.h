#pragma once

// inlet-calc --cfd-validate step: the backward-facing step of Driver and Seegmiller run through
// the passage's solver and figures, its reattachment length against the experiment's.

#include "flow/DesignFlow.h"

#include <iosfwd>

namespace inlet {

// The experiment's reattachment length behind the step, x_r / h (Driver and Seegmiller 1985,
// +-0.10), and how far the computed one may lie from it for the validation to pass.
inline constexpr double kMeasuredReattachment = 6.26;
inline constexpr double kReattachmentTolerance = 0.10;

// Writes the case in options.dir and with options.run computes it; prints the flow's lines and
// the step's (reattachment, skin friction, profiles) to `out`, or a JSON object with `json`.
// Returns 0 when the reattachment length is within kReattachmentTolerance of the experiment's,
// 2 for more processes than the mesh allows, 1 otherwise.
int flowForStep(const FlowOptions& options, bool json, std::ostream& out, std::ostream& err, Language language);

}  // namespace inlet
