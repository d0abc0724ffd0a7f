#include "openfoam/ProcessCount.h"

#include <algorithm>
#include <thread>
#ifdef __linux__
#include <sched.h>
#endif

namespace inlet::cfd {

int coresPresent()
{
#ifdef __linux__
    cpu_set_t set;
    CPU_ZERO(&set);
    if (sched_getaffinity(0, sizeof set, &set) == 0 && CPU_COUNT(&set) > 0)
        return CPU_COUNT(&set);
#endif
    return std::max(1u, std::thread::hardware_concurrency());
}

int largestProcessCount(int cores, long long cells)
{
    const long long byCells = cells / kFlowCellsPerProcess;
    return static_cast<int>(std::max(1LL, std::min<long long>(cores, byCells)));
}

Failure tooManyProcesses(int asked, int cores, long long cells, const char* option)
{
    Failure f{.kind = Failure::Kind::FlowTooManyProcesses, .item = option, .other = std::to_string(cores),
              .detail = std::to_string(cells)};
    f.number = asked;
    f.limit = largestProcessCount(cores, cells);
    return f;
}

Failure tooManyProcessesForCells(int asked, long long cells, const char* option)
{
    Failure f{.kind = Failure::Kind::FlowTooManyProcessesForCells, .item = option, .detail = std::to_string(cells)};
    f.number = asked;
    f.limit = std::max(1LL, cells / kFlowCellsPerProcess);
    return f;
}

}  // namespace inlet::cfd
