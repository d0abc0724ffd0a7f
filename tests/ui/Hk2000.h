#pragma once

// The design most tests draw: a fresh window's texts with hk 2000.

#include "BoxTexts.h"
#include "Calculation.h"
#include "CalculationRun.h"
#include "PassageDrafting.h"

namespace inlet::test {

inline Calculation hk2000Run()
{
    BoxTexts boxes;
    boxes.type(Box::Text21, "2000");
    return runCalculation(boxes, NumberLocale{".", ","});
}

inline Drawing hk2000Drawing() { return drawPassage(hk2000Run()); }

}  // namespace inlet::test
