#pragma once

// One press of "计算并打印": read the given dimensions from their boxes, compute, and write
// every result's text into its box, reading and writing interleaved in one fixed order so
// that a failure part-way leaves exactly the results of the finished steps in place.

#include "boxes/Boxes.h"
#include "calc/CalcError.h"
#include "run/Calculation.h"
#include "messages/Failure.h"
#include "calc/NumberLocale.h"
#include "boxes/Quantity.h"


namespace inlet {

// Performs one run and returns every value it computed. Throws a Failure at the first
// failure, naming its kind (type mismatch, overflow, division by zero, invalid call), the
// quantity, the box being read and the step; the boxes written before it keep their new
// texts, the others are untouched.
Calculation runCalculation(BoxAccess& boxes, const NumberLocale& locale);

}  // namespace inlet
