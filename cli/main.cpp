#include "cli/CommandLine.h"
#include "messages/Failure.h"
#include "platform/NumberFormat.h"
#include "files/SaveFile.h"
#include "platform/StandardStreams.h"

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
    inlet::reportFileSizeLimit();
    const inlet::Language language = inlet::messageLanguage();
    int status = inlet::runCommandLine(args, std::cin, std::cout, std::cerr, inlet::systemNumberLocale(), language);

    // runCommandLine flushes and checks what it writes; flushing here once more leaves the
    // runtime nothing to flush unchecked at exit.
    errno = 0;
    if (!std::cout.flush() && status == 0) {
        std::cerr << "inlet-calc: "
                  << inlet::render(inlet::systemFailure(inlet::Failure::Kind::CannotWriteResults, {}, errno != 0 ? errno : EIO),
                                   language)
                  << '\n';
        status = 1;
    }
    return status;
}
