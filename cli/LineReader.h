#pragma once

// A text stream read one line at a time, holding no more than the line being read and what
// has already arrived after it: input of any length goes through in the same memory.

#include "cli/CommandLineError.h"

#include <cstddef>
#include <functional>
#include <iosfwd>
#include <string>
#include <string_view>

namespace inlet {

class LineReader {
public:
    enum class Result { Line, TooLong, End };

    // `source` names the input in messages: the file as given, empty for standard input.
    // `beforeWaiting` is called whenever the next read may have to wait for input to arrive
    // (on a pipe or a terminal), so that what was done so far can be written out first.
    LineReader(std::istream& in, std::string source, std::size_t maxLength,
               std::function<void()> beforeWaiting);

    // Reads the next line, without its LF, into `line`, which stays valid until the next
    // call. A line longer than maxLength is skipped to its end and gives TooLong. Throws
    // CommandLineError (status 1) when reading fails.
    Result next(std::string_view& line);
    // The number of the line last read, counting from 1.
    long lineNumber() const { return lineNumber_; }
    const std::string& source() const { return source_; }

private:
    bool fill();
    CommandLineError readFailure(int error) const;

    std::istream& in_;
    std::string source_;
    std::size_t maxLength_;
    std::function<void()> beforeWaiting_;
    std::string buffer_;     // the rest of the input read so far
    std::size_t start_ = 0;  // where in buffer_ the next line starts
    long lineNumber_ = 0;
};

}  // namespace inlet
