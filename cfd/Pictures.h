#pragma once

// The pictures of a flow computation as SVG: the axial velocity over a section in colour, and
// the residuals' history. Written into the case folder; the window, the sheet and the README
// show them.

#include "SolverLog.h"
#include "VtkSurface.h"

#include <ostream>
#include <string>
#include <vector>

namespace inlet::cfd {

// The section seen along its normal `axis` (z: x to the right, y up), each face coloured by its
// axial velocity divided by the mean, with a colour bar. `title` heads the picture.
void writeSectionPicture(const std::vector<SampledFace>& faces, Vec3 axis, const std::string& title, std::ostream& out);

// The initial residual of each equation against the iteration, on a logarithmic scale.
void writeResidualPicture(const std::vector<Iteration>& iterations, std::ostream& out);

}  // namespace inlet::cfd
