#include "CfdError.h"

namespace inlet::cfd {

const char* stageName(Stage stage)
{
    switch (stage) {
    case Stage::Case: return "writing the case";
    case Stage::Mesh: return "meshing";
    case Stage::Decompose: return "decomposing";
    case Stage::Solve: return "solving";
    case Stage::Evaluate: return "evaluating";
    }
    return "";
}

CfdError::CfdError(Stage stage, std::string reason)
    : std::runtime_error(std::string(stageName(stage)) + ": " + reason), stage_(stage), reason_(std::move(reason))
{
}

}  // namespace inlet::cfd
