#pragma once

// inlet-calc --cfd: the flow through the passage of a computed design, or through the
// validation pipe, as an OpenFOAM case written, run and evaluated; and a study of many designs.

#include "FlowCase.h"
#include "FlowResult.h"

#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>

namespace inlet {

struct Calculation;
struct Design;

struct FlowOptions {
    std::string dir;
    bool run = false;
    int processes = 1;
    cfd::MeshLevel level = cfd::MeshLevel::Coarse;
    std::optional<int> cells;  // background cells, instead of the level's
    int iterations = 1000;
    bool force = false;
    bool local = false;        // a study runs here, one case after another, even where Slurm is
};

// The case of the design, written into the folder, and with `run` computed. Appends the flow
// figures (or what stopped them) to `text` as lines "flow<TAB>NAME<TAB>TEXT", or as a JSON
// member "flow" when `json`; progress goes to `err`. Returns the exit status: 0 when the
// figures are shown (or the case was only written), 1 otherwise.
// `result` receives what the flow computation found, for the design file.
int flowForDesign(const Calculation& calculation, const Design& design, const FlowOptions& options, bool json,
                  std::string& text, std::ostream& err, cfd::FlowResult& result);

// The flow as a design file keeps it: the result as --json prints it, with the settings and
// the design's texts it was computed for (a window shows it only while they are the boxes').
std::string flowRecordJson(const cfd::FlowResult& result, const FlowOptions& options, const Design& design);

// The validation pipe: the friction factor against Colebrook-White and the velocity profile
// against the power law. Returns 0 when the friction factor is within 10 %.
int flowForPipe(const FlowOptions& options, bool json, std::ostream& out, std::ostream& err);

// The flow figures of a result as text lines or a JSON object.
void appendFlowLines(std::string& text, const cfd::FlowResult& result);
void appendFlowJson(std::string& text, const cfd::FlowResult& result);

// Ctrl-C (SIGINT) and SIGTERM, while one lives, are taken as a request to stop the flow
// computation (or the study) in an orderly way.
class InterruptWatch {
public:
    InterruptWatch();
    ~InterruptWatch();
    InterruptWatch(const InterruptWatch&) = delete;
    InterruptWatch& operator=(const InterruptWatch&) = delete;
    static bool requested();

private:
    void (*previousInt_)(int);
    void (*previousTerm_)(int);
};

// Runs a case already written in `dir`, with progress on `err` and Ctrl-C as a cancel that
// keeps the case resumable.
cfd::FlowResult runWithProgress(const cfd::FlowCase& flowCase, const std::filesystem::path& dir, std::ostream& err);

// The case of a design with the options' mesh and solver settings, written into options.dir
// (with the design as design.inlet) unless that folder holds it already. Throws
// cfd::CfdError saying why it cannot be.
cfd::FlowCase writeDesignCase(const Calculation& calculation, const Design& design, const FlowOptions& options);

// The case of a design: its boundary from the passage's solid. Throws cfd::CfdError (Case)
// saying why there is none.
cfd::FlowCase passageFlowCase(const Calculation& calculation, const Design& design, const FlowOptions& options);

}  // namespace inlet
