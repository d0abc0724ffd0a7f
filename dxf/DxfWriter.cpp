#include "DxfWriter.h"

#include "DxfDocument.h"
#include "DxfError.h"
#include "WindowsNames.h"

#include <exception>
#include <filesystem>
#include <random>
#include <sstream>
#include <system_error>
#include <utility>

namespace inlet {

namespace {

namespace fs = std::filesystem;

// The programs hold paths as UTF-8 on Windows (their code page is UTF-8) and as the file
// system's bytes elsewhere.
fs::path pathOf(const std::string& path)
{
#ifdef _WIN32
    return fs::path(std::u8string(path.begin(), path.end()));
#else
    return fs::path(path);
#endif
}

std::string textOf(const fs::path& path)
{
#ifdef _WIN32
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
#else
    return path.string();
#endif
}

// A file name beside the target that no other writer picks.
fs::path temporaryBeside(const fs::path& target)
{
    std::random_device random;
    std::ostringstream name;
    name << ".tmp-" << std::hex << random() << random();
    return target.parent_path() / (target.filename().native() + pathOf(name.str()).native());
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
    const fs::path target = pathOf(path);
    if (!target.has_filename())
        throw DxfError(path, "no file name");
#ifdef _WIN32
    if (const std::string device = windowsDeviceName(path); !device.empty())
        throw DxfError(path, "Windows reserves the name " + device + " for a device");
#endif
    try {
        const fs::path temporary = temporaryBeside(target);
        Removal removal(temporary);
        writeDxfDocument(drawing, textOf(temporary), options);
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
