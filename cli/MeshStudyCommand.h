#pragma once

// inlet-calc --mesh-study DIR: one design's flow on three meshes (DIR/LEVEL each, the finest
// the --mesh level, medium or fine, and the two levels below it), and for each section's Vu,
// theta and head loss the Richardson extrapolation and the grid convergence index
// (cfd/MeshStudy.h). The finest mesh's figures are the design's, each with its band; --save
// keeps them with the study.

#include "cli/FlowCommand.h"
#include "cli/Options.h"

#include <QJsonObject>

#include <array>
#include <iosfwd>
#include <string>

namespace inlet {

// The three levels of a study whose finest is `finest`, fine first: fine, medium, coarse or
// medium, coarse, tiny.
std::array<cfd::MeshLevel, 3> studyLevels(cfd::MeshLevel finest);

// Completes and checks a mesh study's options: without --mesh the finest level is fine; a
// finest level without two below it (coarse, tiny), --cells (the levels set the cells) and
// --csv are usage errors.
void checkMeshStudyOptions(Options& options, bool meshGiven);

// Runs (or with options.run false, writes or reads back) the three cases, coarsest first, and
// appends the finest mesh's flow lines (or JSON member "flow") with the study's lines ("study"
// lines, or the member "meshStudy") to `text`. `record` receives the flow record with the study
// when all three settled, else stays empty. Returns the exit status as flowForDesign does: a
// mesh that did not settle is the study's failure.
int meshStudyForDesign(const Calculation& calculation, const Design& design, const FlowOptions& options, bool json,
                       std::string& text, std::ostream& err, QJsonObject& record, Language language);

// The study's lines, "study<TAB>NAME<TAB>TEXT", in `language`.
void appendStudyLines(std::string& text, const cfd::MeshStudy& study, Language language);

}  // namespace inlet
