#include "CommandLine.h"
#include "NumberFormat.h"
#include "StandardStreams.h"

#include <cerrno>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

int main(int argc, char* argv[])
{
    inlet::useBinaryStandardStreams();
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> args(argv + 1, argv + argc);
    int status = inlet::runCommandLine(args, std::cin, std::cout, std::cerr, inlet::systemNumberLocale());

    // runCommandLine flushes and checks what it writes; flushing here once more leaves the
    // runtime nothing to flush unchecked at exit.
    errno = 0;
    if (!std::cout.flush() && status == 0) {
        std::cerr << "inlet-calc: cannot write the results: "
                  << (errno != 0 ? std::strerror(errno) : "the output stream failed") << '\n';
        status = 1;
    }
    return status;
}
