#pragma once

// The programs' standard input, output and error carry bytes as they are on every platform:
// on Windows no CR is added before each LF, none is taken away, and a Ctrl-Z in the input
// does not end it. Output is then the same, byte for byte, as on Linux, and the readers of
// CSV input and design texts see what the file holds.

namespace inlet {

// Call first thing in main(), before anything is read or written.
void useBinaryStandardStreams();

}  // namespace inlet
