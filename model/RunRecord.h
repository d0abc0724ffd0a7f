#pragma once

// One press of "计算并打印" (or one design run without a window) as everything shown of it
// reads it, worked out once: the box texts, the outcome, both width sets, the drawing and the
// chart drawn with the chosen widths, and the design checks. The drawing window, the checks
// window, the exports and the calculation sheet read a record; none of them recomputes it.

#include "boxes/BoxTexts.h"
#include "run/Calculation.h"
#include "checks/DesignChecks.h"
#include "messages/Failure.h"
#include "calc/NumberLocale.h"
#include "drawing/Shapes.h"
#include "drawing/WidthSets.h"

#include <optional>
#include <string>
#include <vector>

namespace inlet {

struct RunRecord {
    // Every box as the run left it; boxes.written() lists the result boxes it wrote, in order.
    BoxTexts boxes;
    std::optional<Calculation> calculation;  // when the run completed
    std::optional<Failure> failure;          // else why it stopped
    WidthSet widthSet = WidthSet::Computed;  // what the drawing, the chart and the checks use
    NumberLocale locale;                     // what the checks' and the chart's figures use
    unsigned run = 0;  // which run this is: the same for the run redrawn with other widths

    // Of a completed run; empty after a failure.
    std::optional<WidthSets> widths;
    // The passage width B = 2·a90 + D1 of the widths chosen, which every output takes: the
    // result box's B for the computed widths; none without a width at 90 degrees in the set.
    std::optional<double> passageWidth;
    std::vector<DesignCheck> checks;
    std::optional<Drawing> drawing;
    std::optional<Drawing> chart;

    bool completed() const { return calculation.has_value(); }
};

// The record of a run over `boxes` that wrote the result boxes `written` (in order) and
// completed with `calculation`, or stopped with `failure`.
RunRecord recordRun(const BoxAccess& boxes, const std::vector<Box>& written,
                    const std::optional<Calculation>& calculation, const std::optional<Failure>& failure,
                    WidthSet set, const NumberLocale& locale);

// Runs the calculation over a copy of `typed`, as the window's "计算并打印" runs it, and
// records it.
RunRecord runAndRecord(const BoxTexts& typed, WidthSet set, const NumberLocale& locale);

// Why the run stopped, in `language`; empty for a run that completed.
std::string whyStopped(const RunRecord& record, Language language);

// The record drawn with other widths: the drawing, the chart and the checks anew, the run
// and its texts as they were.
void chooseWidthSet(RunRecord& record, WidthSet set);

}  // namespace inlet
