#pragma once

// The design most tests draw: a fresh window's texts with hk 2000.

#include "boxes/BoxTexts.h"
#include "run/Calculation.h"
#include "run/CalculationRun.h"
#include "drawing/PassageDrafting.h"

namespace inlet::test {

inline Calculation hk2000Run()
{
    BoxTexts boxes;
    boxes.type(Box::Text21, "2000");
    return runCalculation(boxes, NumberLocale{".", ","});
}

inline Drawing hk2000Drawing() { return drawPassage(hk2000Run()); }

}  // namespace inlet::test
