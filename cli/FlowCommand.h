#pragma once

// inlet-calc --cfd: the flow through the passage of a computed design, or through the
// validation pipe, as an OpenFOAM case written, run and evaluated; and a study of many designs.

#include "flow/DesignFlow.h"
#include "openfoam/MeshStudy.h"

#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>

namespace inlet {

struct Calculation;
struct Design;

// The case of the design, written into the folder, and with `run` computed. Appends the flow
// figures (or the status that stopped them) to `text` as lines "flow<TAB>NAME<TAB>TEXT", or as
// a JSON member "flow" when `json`; progress, and why a run failed, go to `err`. Every text is
// in `language`; the names and the status words are the same in both. Returns the exit
// status: 0 when the figures are shown (or the case was only written), 2 when more processes
// were asked for than the mesh allows, 1 otherwise.
// `result` receives what the flow computation found, for the design file.
int flowForDesign(const Calculation& calculation, const Design& design, const FlowOptions& options, bool json,
                  std::string& text, std::ostream& err, cfd::FlowResult& result, Language language);

// How far the validation pipe's friction factor may lie from Colebrook-White's: its deviation
// at the meshes measured (-1.6 % tiny, -5.0 % medium, docs/flow.md) and a point more.
inline constexpr double kPipeTolerance = 0.06;

// The validation pipe: the friction factor against Colebrook-White and the velocity profile
// against the power law. Returns 0 when the friction factor is within kPipeTolerance.
int flowForPipe(const FlowOptions& options, bool json, std::ostream& out, std::ostream& err, Language language);

// The flow figures of a result as text lines or a JSON object, in `language`, a settled one
// with the verdict on them (cfd/FlowVerdict.h) from the mesh study where there is one.
void appendFlowLines(std::string& text, const cfd::FlowResult& result, Language language,
                     const cfd::MeshStudy* study = nullptr);
void appendFlowJson(std::string& text, const cfd::FlowResult& result, Language language,
                    const cfd::MeshStudy* study = nullptr);

// What the flow commands share: the exit status of a result (its failure, if any, on `err`),
// the line saying a case was written and not run, and a failure as a result.
int reportFailure(const cfd::FlowResult& result, std::ostream& err, Language language);
std::string caseWritten(const std::string& dir, Language language);
cfd::FlowResult failedResult(Failure failure);

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

// Runs a case already written in `dir`, with progress on `err` in `language` and Ctrl-C as a
// cancel that keeps the case resumable.
cfd::FlowResult runWithProgress(const cfd::FlowCase& flowCase, const std::filesystem::path& dir, std::ostream& err,
                                Language language);

}  // namespace inlet
