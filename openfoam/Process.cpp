#include "openfoam/Process.h"

#include <cstdlib>
#include <sstream>

#ifndef _WIN32
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#endif
#ifdef __linux__
#include <sys/prctl.h>
#endif

namespace inlet::cfd {

#ifdef _WIN32

// OpenFOAM, MPI and Slurm are POSIX programs: on Windows none is found, and the commands say
// that OpenFOAM is not installed.
std::string findProgram(const std::string&)
{
    return {};
}

ProcessResult runProcess(const std::vector<std::string>&, const std::filesystem::path&,
                         const std::vector<std::pair<std::string, std::string>>&, const std::filesystem::path&,
                         const std::function<bool()>&)
{
    return {};
}

void endWithParent(int) {}

#else

std::string findProgram(const std::string& program)
{
    const char* path = std::getenv("PATH");
    std::istringstream dirs(path ? path : "/usr/bin:/bin");
    for (std::string dir; std::getline(dirs, dir, ':');) {
        const std::string candidate = (dir.empty() ? "." : dir) + "/" + program;
        if (::access(candidate.c_str(), X_OK) == 0)
            return candidate;
    }
    return {};
}

void endWithParent([[maybe_unused]] int parent)
{
#ifdef __linux__
    // Kept across exec (the programs are not set-user-ID); the parent may have died between
    // the fork and this call, which the signal would then never tell.
    ::prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (::getppid() != parent)
        ::_exit(128 + SIGTERM);
#endif
}

ProcessResult runProcess(const std::vector<std::string>& args, const std::filesystem::path& dir,
                         const std::vector<std::pair<std::string, std::string>>& environment,
                         const std::filesystem::path& log, const std::function<bool()>& poll)
{
    ProcessResult result;
    const std::string program = findProgram(args.at(0));
    if (program.empty())
        return result;
    const int logFd = ::open(log.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (logFd < 0)
        return result;
    std::vector<char*> argv;
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);

    const pid_t parent = ::getpid();
    const pid_t pid = ::fork();
    if (pid == 0) {
        endWithParent(parent);
        ::setpgid(0, 0);
        ::dup2(logFd, STDOUT_FILENO);
        ::dup2(logFd, STDERR_FILENO);
        const int nullFd = ::open("/dev/null", O_RDONLY);
        ::dup2(nullFd, STDIN_FILENO);
        if (::chdir(dir.c_str()) != 0)
            ::_exit(127);
        for (const auto& [name, value] : environment)
            ::setenv(name.c_str(), value.c_str(), 1);
        ::execv(program.c_str(), argv.data());
        ::_exit(127);
    }
    ::close(logFd);
    if (pid < 0)
        return result;
    ::setpgid(pid, pid);
    result.started = true;

    int status = 0;
    int waitedAfterTerm = -1;  // half-seconds since SIGTERM
    for (;;) {
        const pid_t done = ::waitpid(pid, &status, WNOHANG);
        if (done == pid)
            break;
        if (done < 0 && errno != EINTR)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        if (waitedAfterTerm < 0 && poll && !poll()) {
            result.stopped = true;
            ::kill(-pid, SIGTERM);
            waitedAfterTerm = 0;
        } else if (waitedAfterTerm >= 0 && ++waitedAfterTerm == 20) {
            ::kill(-pid, SIGKILL);
        }
    }
    if (WIFEXITED(status))
        result.exitCode = WEXITSTATUS(status);
    else if (WIFSIGNALED(status))
        result.signal = WTERMSIG(status);
    // Whatever the program left running in its group goes with it.
    ::kill(-pid, SIGKILL);
    return result;
}

#endif

}  // namespace inlet::cfd
