#include "CaseFolder.h"

#include "CaseWriter.h"
#include "CfdError.h"

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
        throw CfdError(Stage::Case, dir.string() + " is a file, not a folder");
    case FolderContent::NotACase:
        throw CfdError(Stage::Case, dir.string() + " is not empty and holds no flow case; give an empty or new folder");
    case FolderContent::OtherCase:
        if (!force)
            throw CfdError(Stage::Case, dir.string() + " holds the case of another design or mesh ("
                                            + readSignature(dir) + "); give --force to replace it");
        for (const auto& entry : fs::directory_iterator(dir))
            fs::remove_all(entry.path(), ec);
        break;
    }
    fs::create_directories(dir, ec);
    if (ec)
        throw CfdError(Stage::Case, "cannot create " + dir.string() + ": " + ec.message());
    writeCase(flowCase, dir);
    std::ofstream out(dir / kSignatureFile);
    out << signature << "\n";
    out.close();
    if (!out)
        throw CfdError(Stage::Case, "cannot write " + (dir / kSignatureFile).string());
    return CaseState::Written;
}

}  // namespace inlet::cfd
