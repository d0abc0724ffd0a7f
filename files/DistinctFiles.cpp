#include "files/DistinctFiles.h"

#include <filesystem>
#include <system_error>

namespace inlet {

namespace fs = std::filesystem;

namespace {

fs::path pathOf(const std::string& path)
{
#ifdef _WIN32
    return fs::path(std::u8string(path.begin(), path.end()));
#else
    return fs::path(path);
#endif
}

// Where a file that does not exist yet would be written: a dangling chain of symbolic links
// followed to its end (a save follows it too), then the path made absolute with its existing
// folders' links resolved.
fs::path resolved(fs::path path)
{
    std::error_code ec;
    for (int hops = 0; hops < 40 && fs::is_symlink(fs::symlink_status(path, ec)); ++hops) {
        const fs::path target = fs::read_symlink(path, ec);
        if (ec)
            break;
        path = target.is_absolute() ? target : path.parent_path() / target;
    }
    path = fs::absolute(path, ec);
    const fs::path canonical = fs::weakly_canonical(path, ec);
    return ec ? path.lexically_normal() : canonical;
}

bool same(const NamedFile& a, const NamedFile& b)
{
    const fs::path pa = pathOf(a.path);
    const fs::path pb = pathOf(b.path);
    std::error_code ec;
    const bool aExists = fs::exists(pa, ec);
    const bool bExists = fs::exists(pb, ec);
    if (aExists && bExists)
        return fs::equivalent(pa, pb, ec) && !ec;
    if (aExists || bExists)
        return false;
    return resolved(pa) == resolved(pb);
}

}  // namespace

std::optional<Failure> sameFileClash(const std::vector<NamedFile>& files)
{
    for (std::size_t j = 0; j < files.size(); ++j) {
        if (files[j].path.empty() || files[j].path == "-")
            continue;
        for (std::size_t i = 0; i < j; ++i) {
            if ((!files[i].written && !files[j].written) || files[i].path.empty() || files[i].path == "-"
                || !same(files[i], files[j]))
                continue;
            // The option that writes names the clash; the other is what it would destroy.
            const NamedFile& writer = files[j].written ? files[j] : files[i];
            const NamedFile& other = files[j].written ? files[i] : files[j];
            return Failure{.kind = other.written ? Failure::Kind::OutputsSameFile : Failure::Kind::OutputOverwritesInput,
                           .file = writer.path, .item = writer.option, .other = other.option};
        }
    }
    return std::nullopt;
}

}  // namespace inlet
