#pragma once

// What inlet-calc was asked to do, read from its arguments.

#include "boxes/Boxes.h"
#include "cli/FlowCommand.h"
#include "cli/StudyCommand.h"
#include "drawing/WidthSets.h"

#include <array>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace inlet {

struct Options {
    std::array<std::optional<std::string>, 14> texts;  // in the order of settableBoxes()
    bool json = false;
    bool checks = false;
    std::optional<std::string> openFile;  // a design file whose texts the options start from
    std::optional<std::string> saveFile;  // where to save the design after the run
    // The files to write, in the order given: a format's key (--dxf FILE, --xlsx FILE) and the
    // file; and the formats' choices (--dxf-polylines), key to value ("yes" for a switch).
    std::vector<std::pair<std::string, std::string>> exports;
    std::map<std::string, std::string> choices;
    // The solid's (--step, --stl) length from the pump axis to the inlet, else the L box's;
    // and how far the pipe runs on above the pump inlet section. Millimetres, as typed.
    std::optional<std::string> passageLength;
    std::optional<std::string> outletExtension;
    std::optional<WidthSet> widthSet;  // the widths drawn and checked; else the design file's
    bool csv = false;
    std::string csvFile = "-";
    // The flow: --cfd DIR for the design, --cfd-study DIR with --csv, --cfd-validate [pipe] DIR
    // for the validation pipe, --cfd-validate step DIR for the backward-facing step,
    // --mesh-study DIR for one design on three meshes (flow.level the finest); the folder is in
    // flow.dir.
    enum class FlowTask { None, Design, Study, Pipe, Step, MeshStudy } flowTask = FlowTask::None;
    FlowOptions flow;
    // A study of the design's variants (--study DIR with --vary ...).
    std::optional<StudyOptions> study;
    bool help = false;
    bool version = false;
};

// Throws CommandLineError (status 2) naming the argument that is wrong.
Options parseOptions(const std::vector<std::string>& args);

class ExportRegistry;
// The formats inlet-calc writes: those that need no window system.
const ExportRegistry& calcFormats();

// The box a user sets by option and CSV column `name` (D, D0, theta, H0, H1, H2, D1, dd0, aa,
// hk, Ds, Q, L, rs).
std::optional<Box> inputNamed(std::string_view name);

}  // namespace inlet
