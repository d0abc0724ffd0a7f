#pragma once

// How long each mesh level of 水力评价 takes on this machine: the cells and the wall-clock time
// of the first settled run of a level begun from an empty case folder, kept in the settings
// (key "meshTimes/<level>"), so that the engineer choosing a level knows what it costs. Until
// a level has run here, a stated estimate from runs of the default design on a 2-core machine
// with 2 processes.

#include "openfoam/FlowCase.h"

#include <QString>

namespace inlet {

class MeshTimes {
public:
    // "粗网格：约 12 万个单元，约 5 分钟（估计）" before the level has run here, else
    // "粗网格：122152 个单元，本机用时 6.5 分钟".
    static QString caption(cfd::MeshLevel level);
    // A run of `level` settled after `seconds` with `cells`: kept unless the level has a time.
    static void measured(cfd::MeshLevel level, int cells, double seconds);
};

}  // namespace inlet
