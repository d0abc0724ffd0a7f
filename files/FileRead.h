#pragma once

// Reading what the engineer names as a file without hanging on what is not one: a FIFO that
// nothing writes to, a device that never ends.

#include <cstddef>
#include <istream>
#include <memory>
#include <streambuf>
#include <string>

namespace inlet {

// The whole of the file `path`, at most `maxBytes` of it. A regular file is read at once; a
// pipe or FIFO (/dev/stdin from a pipe, say) only where `waitSeconds` is above zero, waiting
// at most that long for its writer and for each piece; folders and devices are refused.
// Throws a Failure naming `path`: CannotOpen, CannotRead, IsFolder, IsDevice, IsPipe,
// NothingArrived, ReadTooLarge (a regular file over `maxBytes`), StreamTooLarge.
std::string readWholeFile(const std::string& path, std::size_t maxBytes, int waitSeconds);

// A file read as a stream, opened without waiting: a regular file, a terminal, or a pipe or
// FIFO that something writes to within `waitSeconds` (after that, the stream waits as long as
// its writer takes). Throws a Failure as readWholeFile does.
class InputFile {
public:
    InputFile(const std::string& path, int waitSeconds);
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    std::istream& stream() { return stream_; }

private:
    class Buffer;
    std::unique_ptr<Buffer> buffer_;
    std::istream stream_;
};

}  // namespace inlet
