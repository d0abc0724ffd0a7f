#include "cli/CheckedOutput.h"

#include "cli/CommandLineError.h"

#include <cerrno>
#include <ostream>

namespace inlet {

namespace {

constexpr std::size_t kLargeWrite = 64 * 1024;

}  // namespace

CheckedOutput::CheckedOutput(std::ostream& out) : out_(out)
{
    text_.reserve(kLargeWrite + 4096);
}

void CheckedOutput::writeIfLarge()
{
    if (text_.size() >= kLargeWrite)
        write();
}

void CheckedOutput::flush()
{
    write();
    errno = 0;
    out_.flush();
    check();
}

void CheckedOutput::write()
{
    errno = 0;
    out_.write(text_.data(), static_cast<std::streamsize>(text_.size()));
    text_.clear();
    check();
}

// errno still holds the reason the stream's last write failed: the check follows it at once.
void CheckedOutput::check()
{
    if (out_)
        return;
    throw CommandLineError{CommandLineError::kUnfinished,
                           systemFailure(Failure::Kind::CannotWriteResults, {}, errno != 0 ? errno : EIO)};
}

}  // namespace inlet
