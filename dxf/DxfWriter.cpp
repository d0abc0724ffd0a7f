#include "DxfWriter.h"

#include "DxfDocument.h"
#include "DxfError.h"

#include <exception>
#include <filesystem>
#include <random>
#include <sstream>
#include <system_error>
#include <utility>

namespace inlet {

namespace {

namespace fs = std::filesystem;

// A file name beside the target that no other writer picks.
fs::path temporaryBeside(const fs::path& target)
{
    std::random_device random;
    std::ostringstream name;
    name << target.filename().string() << ".tmp-" << std::hex << random() << random();
    return target.parent_path() / name.str();
}

// Removes the file when it goes out of scope, unless kept.
class Removal {
public:
    explicit Removal(fs::path file) : file_(std::move(file)) {}
    Removal(const Removal&) = delete;
    Removal& operator=(const Removal&) = delete;
    ~Removal()
    {
        std::error_code ignored;
        if (!kept_)
            fs::remove(file_, ignored);
    }
    void keep() { kept_ = true; }

private:
    fs::path file_;
    bool kept_ = false;
};

}  // namespace

void writeDxf(const Drawing& drawing, const std::string& path, const DxfOptions& options)
{
    const fs::path target(path);
    if (!target.has_filename())
        throw DxfError(path, "no file name");
    try {
        const fs::path temporary = temporaryBeside(target);
        Removal removal(temporary);
        writeDxfDocument(drawing, temporary.string(), options);
        fs::rename(temporary, target);
        removal.keep();
    } catch (const DxfError& e) {
        throw DxfError(path, e.reason());
    } catch (const std::system_error& e) {
        throw DxfError(path, e.code().message());
    } catch (const std::exception& e) {
        throw DxfError(path, e.what());
    }
}

}  // namespace inlet
