#pragma once

// Why inlet-calc stops before its work is done, with the exit status that tells a script so.

#include "messages/Failure.h"

#include <vector>

namespace inlet {

struct CommandLineError {
    static constexpr int kUnfinished = 1;  // reading the input or writing the output failed
    static constexpr int kUsage = 2;       // options, the CSV header, the input file

    int status;
    Failure failure;
    std::vector<Failure> more{};  // the other outputs that could not be written, each named
};

}  // namespace inlet
