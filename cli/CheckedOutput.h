#pragma once

// Text on its way to an output stream, written in large pieces and checked after every write
// and flush, so that a full disk or a closed standard output cannot pass unnoticed.

#include <iosfwd>
#include <string>

namespace inlet {

class CheckedOutput {
public:
    explicit CheckedOutput(std::ostream& out);

    // Where to append the text to write.
    std::string& text() { return text_; }
    // Writes the text held once there is enough of it to be worth a write.
    void writeIfLarge();
    // Writes all text held and flushes the stream.
    void flush();
    // Both throw CommandLineError (status 1), "cannot write to standard output: <reason>", when the
    // stream fails.

private:
    void write();
    void check();

    std::ostream& out_;
    std::string text_;
};

}  // namespace inlet
