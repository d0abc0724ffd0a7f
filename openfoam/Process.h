#pragma once

// Runs an external program (OpenFOAM's, mpirun) in a folder, its output appended to a log,
// in a process group of its own so that the whole of it can be stopped.

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace inlet::cfd {

struct ProcessResult {
    bool started = false;   // false: the program was not found or could not be started
    int exitCode = -1;      // when it exited
    int signal = 0;         // when a signal ended it
    bool stopped = false;   // when `poll` asked to stop it
};

// Runs `args` in `dir` with `environment` added, appending standard output and error to `log`.
// `poll` is called about twice a second while it runs; returning false stops the program
// (SIGTERM to its group, SIGKILL after 10 s).
ProcessResult runProcess(const std::vector<std::string>& args, const std::filesystem::path& dir,
                         const std::vector<std::pair<std::string, std::string>>& environment,
                         const std::filesystem::path& log, const std::function<bool()>& poll);

// The full path of `program` on PATH, empty when it is not there.
std::string findProgram(const std::string& program);

// Called in a child just forked, before it execs: on Linux the child is sent SIGTERM when the
// thread that forked it ends, even by SIGKILL, so that no run outlives the program that
// started it (each run stops on SIGTERM as on Ctrl-C); `parent` the forking process's id, to
// end at once where it is gone already. Elsewhere nothing.
void endWithParent(int parent);

}  // namespace inlet::cfd
