#pragma once

// What the 水力评价 window says of a run that stopped at the iteration limit: its last figures,
// marked as not settled and no result (the design keeps no flow from it), as inlet-calc's flow
// lines do.

#include "openfoam/FlowResult.h"

#include <QString>

namespace inlet {

// "第 801～1000 次迭代的平均值（未稳定，不作结果）：水泵进口断面 Vu 70.1%（波动 64.1～73.4），…"
// where the run averaged its last window, else the last evaluation's figures; empty where the
// run reached no figures.
QString unsettledFiguresText(const cfd::FlowResult& result);

}  // namespace inlet
