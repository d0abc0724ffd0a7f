#include "cli/LineReader.h"

#include "cli/CommandLineError.h"

#include <algorithm>
#include <cerrno>
#include <istream>
#include <utility>

namespace inlet {

namespace {

constexpr std::size_t kChunk = 64 * 1024;

}  // namespace

CommandLineError LineReader::readFailure(int error) const
{
    Failure f = systemFailure(Failure::Kind::ReadFailedAfterLine, source_, error != 0 ? error : EIO);
    f.line = lineNumber_;
    return {CommandLineError::kUnfinished, f};
}

LineReader::LineReader(std::istream& in, std::string source, std::size_t maxLength,
                       std::function<void()> beforeWaiting)
    : in_(in), source_(std::move(source)), maxLength_(maxLength), beforeWaiting_(std::move(beforeWaiting))
{
}

LineReader::Result LineReader::next(std::string_view& line)
{
    bool tooLong = false;
    std::size_t searched = start_;  // the buffer before this holds no LF of this line
    for (;;) {
        const std::size_t end = buffer_.find('\n', searched);
        if (end != std::string::npos) {
            ++lineNumber_;
            line = std::string_view(buffer_).substr(start_, end - start_);
            start_ = end + 1;
            return tooLong || line.size() > maxLength_ ? Result::TooLong : Result::Line;
        }
        if (buffer_.size() - start_ > maxLength_) {
            tooLong = true;  // forget what was read of it and look for its end
            buffer_.clear();
            start_ = 0;
        }

        // Move the line read so far to the front, then read more after it.
        buffer_.erase(0, start_);
        start_ = 0;
        searched = buffer_.size();
        if (!fill()) {
            if (buffer_.empty() && !tooLong)
                return Result::End;
            ++lineNumber_;
            line = buffer_;
            start_ = buffer_.size();
            return tooLong || line.size() > maxLength_ ? Result::TooLong : Result::Line;
        }
    }
}

// Appends what has arrived, waiting for it if nothing has; false at the end of the input.
bool LineReader::fill()
{
    if (in_.rdbuf()->in_avail() <= 0)
        beforeWaiting_();
    errno = 0;
    if (in_.peek() == std::istream::traits_type::eof()) {
        if (in_.bad())
            throw readFailure(errno);
        return false;
    }
    const std::size_t held = buffer_.size();
    const auto arrived = static_cast<std::size_t>(std::max<std::streamsize>(in_.rdbuf()->in_avail(), 1));
    buffer_.resize(held + std::min(arrived, kChunk));
    std::streamsize got = in_.readsome(buffer_.data() + held, static_cast<std::streamsize>(buffer_.size() - held));
    if (got == 0) {
        // An unbuffered stream shows nothing in advance: take the character peek() saw.
        buffer_[held] = static_cast<char>(in_.get());
        got = 1;
    }
    buffer_.resize(held + static_cast<std::size_t>(got));
    return true;
}

}  // namespace inlet
