#pragma once

// The folder a case lives in, and what it may hold before the case is written there.

#include "openfoam/FlowCase.h"

#include <filesystem>
#include <string>

namespace inlet::cfd {

enum class CaseState {
    Written,  // the case was written: the folder was absent, empty, or held another case (forced)
    Kept,     // the folder holds this very case (the same signature): it resumes
};

// What a folder holds, for a case of `signature` (one line saying what the case is: the
// design's texts and the mesh).
enum class FolderContent {
    Nothing,    // absent or empty
    SameCase,   // this very case: it resumes
    OtherCase,  // the case of another design or mesh: replaced only when forced
    NotACase,   // anything else: never touched
    File,       // not a folder: a file, a device, a pipe
};
FolderContent folderContent(const std::filesystem::path& dir, const std::string& signature);

// Writes `flowCase` into `dir` unless `dir` holds the case of the same `signature` (one line
// saying what the case is: the design's texts and the mesh). A folder that holds another
// case is written anew only with `force`; a folder that holds anything else is never touched.
// Throws a Failure (at FlowStage::Case) saying which.
CaseState prepareCaseFolder(const FlowCase& flowCase, const std::filesystem::path& dir, const std::string& signature,
                            bool force);

}  // namespace inlet::cfd
