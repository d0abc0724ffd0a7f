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

CaseState prepareCaseFolder(const FlowCase& flowCase, const fs::path& dir, const std::string& signature, bool force)
{
    std::error_code ec;
    const bool exists = fs::exists(dir, ec);
    if (exists && !fs::is_directory(dir, ec))
        throw CfdError(Stage::Case, dir.string() + " is a file, not a folder");
    if (exists && !fs::is_empty(dir, ec)) {
        if (!fs::exists(dir / kSignatureFile))
            throw CfdError(Stage::Case, dir.string() + " is not empty and holds no flow case; give an empty or new folder");
        const std::string held = readSignature(dir);
        if (held == signature && fs::exists(dir / "system" / "controlDict"))
            return CaseState::Kept;
        if (!force)
            throw CfdError(Stage::Case, dir.string() + " holds the case of another design or mesh (" + held
                                            + "); give --force to replace it");
        for (const auto& entry : fs::directory_iterator(dir))
            fs::remove_all(entry.path(), ec);
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
