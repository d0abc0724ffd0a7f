#include "files/SaveFile.h"

#include "messages/Failure.h"
#include "platform/WindowsNames.h"

#include <cerrno>
#include <random>
#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace inlet {

namespace {

[[noreturn]] void fail(Failure::Kind kind, const std::string& path, int error)
{
    throw systemFailure(kind, path, error);
}

// A short name for the file on its way, whatever the length of the target's name.
std::string temporaryName()
{
    static std::random_device random;
    static constexpr char kHex[] = "0123456789abcdef";
    std::string name = ".inlet-";
    for (int i = 0; i < 10; ++i)
        name.push_back(kHex[random() % 16]);
    return name;
}

std::string folderOf(const std::string& path)
{
#ifdef _WIN32
    const std::size_t slash = path.find_last_of("/\\");
#else
    const std::size_t slash = path.rfind('/');
#endif
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? path.substr(0, 1) : path.substr(0, slash);
}

std::string nameOf(const std::string& path)
{
#ifdef _WIN32
    const std::size_t slash = path.find_last_of("/\\");
#else
    const std::size_t slash = path.rfind('/');
#endif
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool isFolderError(int error) { return error == EACCES || error == EPERM || error == EROFS; }

}  // namespace

#ifndef _WIN32

namespace {

// Closes a descriptor when it goes out of scope.
class Descriptor {
public:
    explicit Descriptor(int fd = -1) : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    int get() const { return fd_; }

private:
    int fd_;
};

// The file a chain of symbolic links ends at (which need not exist yet); `path` itself when
// it is no link.
std::string followLinks(const std::string& path)
{
    std::string current = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st;
        if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return current;
        std::string target(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 4096) + 1, '\0');
        const ssize_t length = ::readlink(current.c_str(), target.data(), target.size());
        if (length < 0)
            return current;
        target.resize(static_cast<std::size_t>(length));
        current = target.starts_with('/') ? target : folderOf(current) + "/" + target;
    }
    throw systemFailure(Failure::Kind::CannotWrite, path, ELOOP);
}

void writeAll(int fd, std::string_view bytes, const std::string& path)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            fail(Failure::Kind::CannotWrite, path, errno);
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
}

// Gives `name` in `folder` to the file open as `fd`, created unnamed; false when the name is
// taken.
bool linkUnnamed(int fd, int folder, const std::string& name, const std::string& path)
{
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    if (::linkat(AT_FDCWD, self.c_str(), folder, name.c_str(), AT_SYMLINK_FOLLOW) == 0)
        return true;
    if (errno == EEXIST)
        return false;
    fail(isFolderError(errno) ? Failure::Kind::FolderNotWritable : Failure::Kind::CannotWrite, path, errno);
}

}  // namespace

void saveFileAtomically(const std::string& path, const FileBytes& bytes)
{
    struct stat given;
    if (!path.empty() && ::stat(path.c_str(), &given) == 0 && S_ISDIR(given.st_mode))
        throw Failure{.kind = Failure::Kind::IsFolder, .file = path};
    if (path.empty() || path.ends_with('/') || nameOf(path) == "." || nameOf(path) == "..")
        throw Failure{.kind = Failure::Kind::NotAFileName, .file = path};
    const std::string target = followLinks(path);
    const std::string folderPath = folderOf(target);
    const std::string name = nameOf(target);

    struct stat old;
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (!exists && errno != ENOENT)
        fail(Failure::Kind::CannotWrite, path, errno);
    if (exists && S_ISDIR(old.st_mode))
        throw Failure{.kind = Failure::Kind::IsFolder, .file = path};
    if (exists && !S_ISREG(old.st_mode))
        throw Failure{.kind = Failure::Kind::NotARegularFile, .file = path};
    // A file the engineer made read-only is not replaced behind their back.
    if (exists && ::access(target.c_str(), W_OK) != 0 && errno == EACCES)
        fail(Failure::Kind::CannotWrite, path, EACCES);

    const Descriptor folder(::open(folderPath.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.get() < 0)
        fail(Failure::Kind::CannotWrite, path, errno);

    // Unnamed until it is complete, so that nothing is left behind whenever the process stops.
    bool unnamed = true;
    std::string temporary;
    int fd = ::openat(folder.get(), ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (fd < 0 && !isFolderError(errno) && errno != ENOSPC && errno != EDQUOT) {
        // The file system has no unnamed files: a short name, removed on failure.
        unnamed = false;
        for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
            temporary = temporaryName();
            fd = ::openat(folder.get(), temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd < 0 && errno != EEXIST)
                break;
        }
    }
    if (fd < 0) {
        Failure f = systemFailure(isFolderError(errno) ? Failure::Kind::FolderNotWritable : Failure::Kind::CannotWrite,
                                  path, errno);
        f.other = folderPath;
        throw f;
    }
    const Descriptor file(fd);
    auto removeNamed = [&] {
        if (!temporary.empty())
            ::unlinkat(folder.get(), temporary.c_str(), 0);
    };
    try {
        if (exists) {
            // The old file's permissions, and its owner where this process may give it.
            if (::fchmod(fd, old.st_mode & 07777) != 0)
                fail(Failure::Kind::CannotWrite, path, errno);
            if ((old.st_uid != ::geteuid() || old.st_gid != ::getegid()) && ::fchown(fd, old.st_uid, old.st_gid) == 0)
                ::fchmod(fd, old.st_mode & 07777);  // chown clears set-id bits
        }
        bytes([fd, &path](std::string_view piece) { writeAll(fd, piece, path); });
        if (::fsync(fd) != 0)
            fail(Failure::Kind::CannotWrite, path, errno);
        if (unnamed) {
            do
                temporary = temporaryName();
            while (!linkUnnamed(fd, folder.get(), temporary, path));
        }
        if (::renameat(folder.get(), temporary.c_str(), folder.get(), name.c_str()) != 0)
            fail(Failure::Kind::CannotWrite, path, errno);
    } catch (const Failure& f) {
        removeNamed();
        if (f.kind == Failure::Kind::FolderNotWritable && f.other.empty()) {
            Failure withFolder = f;
            withFolder.other = folderPath;
            throw withFolder;
        }
        throw;
    }
    // The new name on the disk too; a file system that cannot sync a folder has it already.
    ::fsync(folder.get());
}

void reportFileSizeLimit() { std::signal(SIGXFSZ, SIG_IGN); }

#else  // Windows

namespace {

std::wstring wide(const std::string& utf8)
{
    if (utf8.empty())
        return {};
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), length);
    return out;
}

int errnoOf(DWORD error)
{
    switch (error) {
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION: return EACCES;
    case ERROR_WRITE_PROTECT: return EROFS;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return ENOSPC;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE: return ENOENT;
    case ERROR_FILENAME_EXCED_RANGE: return ENAMETOOLONG;
    case ERROR_INVALID_NAME: return EINVAL;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY: return ENOMEM;
    default: return EIO;
    }
}

}  // namespace

void saveFileAtomically(const std::string& path, const FileBytes& bytes)
{
    const std::wstring target = wide(path);
    const DWORD attributes = GetFileAttributesW(target.c_str());
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    if (exists && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        throw Failure{.kind = Failure::Kind::IsFolder, .file = path};
    const std::string name = nameOf(path);
    if (name.empty() || name == "." || name == "..")
        throw Failure{.kind = Failure::Kind::NotAFileName, .file = path};
    // "NUL.inlet" opens the device in every folder: a save there would write nowhere.
    if (const std::string device = windowsDeviceName(path); !device.empty())
        throw Failure{.kind = Failure::Kind::ReservedDeviceName, .file = path, .item = device};
    if (exists && (attributes & FILE_ATTRIBUTE_READONLY))
        fail(Failure::Kind::CannotWrite, path, EACCES);

    const std::string folderPath = folderOf(path);
    std::wstring temporary;
    HANDLE file = INVALID_HANDLE_VALUE;
    for (int attempt = 0; file == INVALID_HANDLE_VALUE && attempt < 100; ++attempt) {
        temporary = wide(folderPath + "\\" + temporaryName());
        file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL | FILE_ATTRIBUTE_HIDDEN, nullptr);
        if (file == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS)
            break;
    }
    if (file == INVALID_HANDLE_VALUE) {
        const int error = errnoOf(GetLastError());
        Failure f = systemFailure(isFolderError(error) ? Failure::Kind::FolderNotWritable : Failure::Kind::CannotWrite,
                                  path, error);
        f.other = folderPath;
        throw f;
    }
    int error = 0;
    const auto put = [&](std::string_view piece) {
        while (error == 0 && !piece.empty()) {
            const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(piece.size(), 1u << 30));
            DWORD written = 0;
            if (!WriteFile(file, piece.data(), chunk, &written, nullptr))
                error = errnoOf(GetLastError());
            piece.remove_prefix(written);
        }
    };
    try {
        bytes(put);
    } catch (...) {
        CloseHandle(file);
        DeleteFileW(temporary.c_str());
        throw;
    }
    if (error == 0 && !FlushFileBuffers(file))
        error = errnoOf(GetLastError());
    CloseHandle(file);
    SetFileAttributesW(temporary.c_str(), FILE_ATTRIBUTE_NORMAL);
    // ReplaceFile keeps the old file's attributes and permissions.
    if (error == 0 && exists && !ReplaceFileW(target.c_str(), temporary.c_str(), nullptr, 0, nullptr, nullptr))
        error = errnoOf(GetLastError());
    if (error == 0 && !exists
        && !MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        error = errnoOf(GetLastError());
    if (error != 0) {
        DeleteFileW(temporary.c_str());
        fail(Failure::Kind::CannotWrite, path, error);
    }
}

void reportFileSizeLimit() {}

#endif

void saveFileAtomically(const std::string& path, std::string_view bytes)
{
    saveFileAtomically(path, [bytes](const std::function<void(std::string_view)>& put) { put(bytes); });
}

}  // namespace inlet
