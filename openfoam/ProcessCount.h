#pragma once

// How many MPI processes a flow computation may run on: no more than the cores this process
// may use (more only take turns on them and slow the run down), and no more than the mesh's
// cells allow (a process with too few cells spends its time exchanging faces).

#include "messages/Failure.h"

namespace inlet::cfd {

// The fewest cells worth a process of its own.
constexpr long long kFlowCellsPerProcess = 10000;

// The cores this process may run on (its CPU affinity), at least 1.
int coresPresent();

// The most processes `cores` cores and a mesh of `cells` cells allow: at least 1.
int largestProcessCount(int cores, long long cells);

// FlowTooManyProcesses for `asked` processes, naming the option it came from.
Failure tooManyProcesses(int asked, int cores, long long cells, const char* option = "--np");
// FlowTooManyProcessesForCells: the cells alone, where the cores are elsewhere (Slurm's nodes).
Failure tooManyProcessesForCells(int asked, long long cells, const char* option = "--np");

}  // namespace inlet::cfd
