#pragma once

// Why a flow computation stopped: the stage it was in and the reason, as data, so that each
// program says it in its own language.

#include <stdexcept>
#include <string>

namespace inlet::cfd {

enum class Stage { Case, Mesh, Decompose, Solve, Evaluate };

// "writing the case", "meshing", "decomposing", "solving", "evaluating"
const char* stageName(Stage stage);

class CfdError : public std::runtime_error {
public:
    CfdError(Stage stage, std::string reason);
    Stage stage() const { return stage_; }
    const std::string& reason() const { return reason_; }

private:
    Stage stage_;
    std::string reason_;
};

}  // namespace inlet::cfd
