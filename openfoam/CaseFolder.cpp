#include "openfoam/CaseFolder.h"

#include "openfoam/CaseWriter.h"
#include "messages/Failure.h"
#include "files/SaveFile.h"

#include <fstream>

namespace inlet::cfd {

namespace fs = std::filesystem;

namespace {

constexpr const char* kSignatureFile = "case";

std::string readSignature(const fs::path& dir)
{
    std::ifstream in(dir / kSignatureFile);
    std::string line;
    std::getline(in, line);
    return line;
}

Failure failure(Failure::Kind kind, const fs::path& dir)
{
    Failure f{.kind = kind, .file = dir.string()};
    f.stage = FlowStage::Case;
    return f;
}

}  // namespace

FolderContent folderContent(const fs::path& dir, const std::string& signature)
{
    std::error_code ec;
    if (!fs::exists(dir, ec))
        return FolderContent::Nothing;
    if (!fs::is_directory(dir, ec))
        return FolderContent::File;
    if (fs::is_empty(dir, ec))
        return FolderContent::Nothing;
    if (!fs::exists(dir / kSignatureFile, ec))
        return FolderContent::NotACase;
    return readSignature(dir) == signature && fs::exists(dir / "system" / "controlDict", ec) ? FolderContent::SameCase
                                                                                             : FolderContent::OtherCase;
}

CaseState prepareCaseFolder(const FlowCase& flowCase, const fs::path& dir, const std::string& signature, bool force)
{
    std::error_code ec;
    switch (folderContent(dir, signature)) {
    case FolderContent::Nothing:
        break;
    case FolderContent::SameCase:
        return CaseState::Kept;
    case FolderContent::File:
        throw failure(Failure::Kind::FlowFolderNotAFolder, dir);
    case FolderContent::NotACase:
        throw failure(Failure::Kind::FlowFolderNotACase, dir);
    case FolderContent::OtherCase:
        if (!force)
            throw failure(Failure::Kind::FlowFolderOtherCase, dir);
        for (const auto& entry : fs::directory_iterator(dir))
            fs::remove_all(entry.path(), ec);
        break;
    }
    fs::create_directories(dir, ec);
    if (ec) {
        Failure f = systemFailure(Failure::Kind::FlowCannotCreateFolder, dir.string(), ec.value());
        f.stage = FlowStage::Case;
        throw f;
    }
    try {
        writeCase(flowCase, dir);
        saveFileAtomically((dir / kSignatureFile).string(), signature + "\n");
    } catch (Failure& f) {
        f.stage = FlowStage::Case;
        throw;
    }
    return CaseState::Written;
}

}  // namespace inlet::cfd
