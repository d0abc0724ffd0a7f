#include "files/FileRead.h"

#include "messages/Failure.h"

#include <cerrno>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#ifndef _WIN32
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace inlet {

namespace {

[[noreturn]] void refuse(Failure::Kind kind, const std::string& path, int error = 0)
{
    throw systemFailure(kind, path, error);
}

}  // namespace

#ifndef _WIN32

namespace {

// Opens `path` for reading without waiting for a FIFO's writer, and refuses folders and
// devices (terminals excepted where `terminals`). Returns the descriptor and whether it is a
// pipe, FIFO or socket.
int openWithoutWaiting(const std::string& path, bool terminals, bool& pipe)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        refuse(errno == EISDIR ? Failure::Kind::IsFolder : Failure::Kind::CannotOpen, path, errno);
    struct stat st;
    if (::fstat(fd, &st) != 0) {
        const int error = errno;
        ::close(fd);
        refuse(Failure::Kind::CannotOpen, path, error);
    }
    Failure::Kind refused = Failure::Kind::CannotOpen;
    if (S_ISDIR(st.st_mode))
        refused = Failure::Kind::IsFolder;
    else if ((S_ISCHR(st.st_mode) && !(terminals && ::isatty(fd))) || S_ISBLK(st.st_mode))
        refused = Failure::Kind::IsDevice;
    if (refused != Failure::Kind::CannotOpen) {
        ::close(fd);
        refuse(refused, path);
    }
    pipe = S_ISFIFO(st.st_mode) || S_ISSOCK(st.st_mode);
    return fd;
}

// Waits until `fd` has something to read or its writer has closed it; false after `seconds`.
bool waitForData(int fd, int seconds)
{
    pollfd p{.fd = fd, .events = POLLIN, .revents = 0};
    for (;;) {
        const int ready = ::poll(&p, 1, seconds * 1000);
        if (ready >= 0)
            return ready > 0;
        if (errno != EINTR)
            return true;  // the read that follows says what is wrong
    }
}

void blocking(int fd) { ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK); }

}  // namespace

std::string readWholeFile(const std::string& path, std::size_t maxBytes, int waitSeconds)
{
    bool pipe = false;
    const int fd = openWithoutWaiting(path, false, pipe);
    std::string bytes;
    try {
        if (pipe && waitSeconds <= 0)
            refuse(Failure::Kind::IsPipe, path);
        if (!pipe)
            blocking(fd);
        bytes.resize(std::min<std::size_t>(maxBytes + 1, 1 << 16));
        std::size_t held = 0;
        for (;;) {
            if (held == bytes.size()) {
                if (held > maxBytes)
                    break;
                bytes.resize(std::min(maxBytes + 1, held * 2));
            }
            if (pipe && !waitForData(fd, waitSeconds)) {
                Failure f{.kind = Failure::Kind::NothingArrived, .file = path};
                f.number = waitSeconds;
                throw f;
            }
            const ssize_t got = ::read(fd, bytes.data() + held, bytes.size() - held);
            if (got < 0 && (errno == EINTR || errno == EAGAIN))
                continue;
            if (got < 0)
                refuse(Failure::Kind::CannotRead, path, errno);
            if (got == 0)
                break;
            held += static_cast<std::size_t>(got);
        }
        bytes.resize(held);
        if (held > maxBytes) {
            struct stat st;
            Failure f{.kind = pipe ? Failure::Kind::StreamTooLarge : Failure::Kind::ReadTooLarge, .file = path};
            f.number = ::fstat(fd, &st) == 0 ? static_cast<long long>(st.st_size) : static_cast<long long>(held);
            f.limit = static_cast<long long>(maxBytes);
            throw f;
        }
    } catch (...) {
        ::close(fd);
        throw;
    }
    ::close(fd);
    return bytes;
}

class InputFile::Buffer : public std::streambuf {
public:
    explicit Buffer(int fd) : fd_(fd) {}
    ~Buffer() override { ::close(fd_); }

protected:
    int_type underflow() override
    {
        if (gptr() < egptr())
            return traits_type::to_int_type(*gptr());
        for (;;) {
            const ssize_t got = ::read(fd_, data_, sizeof data_);
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0)
                return traits_type::eof();  // errno says why, for the reader's message
            setg(data_, data_, data_ + got);
            return traits_type::to_int_type(*gptr());
        }
    }

private:
    int fd_;
    char data_[64 * 1024];
};

InputFile::InputFile(const std::string& path, int waitSeconds) : stream_(nullptr)
{
    bool pipe = false;
    const int fd = openWithoutWaiting(path, true, pipe);
    if (pipe && !waitForData(fd, waitSeconds)) {
        ::close(fd);
        Failure f{.kind = Failure::Kind::NothingArrived, .file = path};
        f.number = waitSeconds;
        throw f;
    }
    blocking(fd);
    buffer_ = std::make_unique<Buffer>(fd);
    stream_.rdbuf(buffer_.get());
}

#else  // Windows: no FIFOs to wait on.

namespace {

// Windows opens no folder as a file and says only "Permission denied": say what it is.
void refuseFolder(const std::string& path)
{
    std::error_code ignored;
    if (std::filesystem::is_directory(std::filesystem::u8path(path), ignored))
        refuse(Failure::Kind::IsFolder, path);
}

}  // namespace

std::string readWholeFile(const std::string& path, std::size_t maxBytes, int)
{
    refuseFolder(path);
    std::ifstream file(std::filesystem::u8path(path), std::ios::binary);
    if (!file)
        refuse(Failure::Kind::CannotOpen, path, errno);
    std::string bytes(maxBytes + 1, '\0');
    file.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (file.bad())
        refuse(Failure::Kind::CannotRead, path, errno);
    bytes.resize(static_cast<std::size_t>(file.gcount()));
    if (bytes.size() > maxBytes) {
        Failure f{.kind = Failure::Kind::ReadTooLarge, .file = path};
        file.clear();
        file.seekg(0, std::ios::end);
        f.number = static_cast<long long>(file.tellg());
        f.limit = static_cast<long long>(maxBytes);
        throw f;
    }
    return bytes;
}

class InputFile::Buffer : public std::filebuf {};

InputFile::InputFile(const std::string& path, int) : buffer_(std::make_unique<Buffer>()), stream_(nullptr)
{
    refuseFolder(path);
    if (!buffer_->open(std::filesystem::u8path(path), std::ios::in | std::ios::binary))
        refuse(Failure::Kind::CannotOpen, path, errno);
    stream_.rdbuf(buffer_.get());
}

#endif

InputFile::~InputFile() = default;

}  // namespace inlet
