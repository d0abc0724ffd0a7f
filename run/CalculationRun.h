#pragma once

// One press of "计算并打印": read the given dimensions from their boxes, compute, and write
// every result's text into its box, reading and writing interleaved in one fixed order so
// that a failure part-way leaves exactly the results of the finished steps in place.

#include "Boxes.h"
#include "CalcError.h"
#include "Calculation.h"
#include "NumberLocale.h"
#include "Quantity.h"

#include <optional>
#include <stdexcept>
#include <string>

namespace inlet {

// Where a run stopped: the box being read, or the quantity being computed.
struct FailureSite {
    int step = 0;            // 1 to 16, in the order the run takes them
    std::optional<Box> box;  // set when a box text was being converted
    Quantity quantity;       // what was being read or computed
};

class RunFailure : public std::runtime_error {
public:
    RunFailure(FailureKind kind, FailureSite site);
    FailureKind kind() const { return kind_; }
    const FailureSite& site() const { return site_; }

private:
    FailureKind kind_;
    FailureSite site_;
};

// Performs one run and returns every value it computed. Throws RunFailure at the first
// failure; the boxes written before it keep their new texts, the others are untouched.
Calculation runCalculation(BoxAccess& boxes, const NumberLocale& locale);

// "division by zero computing the volute width a30 at φ = 30°"
std::string describe(const RunFailure& failure);
// The same in Chinese, for the window: "除数为零：计算φ=30°时蜗壳宽度a30时出错"
std::string describeChinese(const RunFailure& failure);

}  // namespace inlet
