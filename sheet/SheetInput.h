#pragma once

// Everything the calculation sheet shows, gathered once after a run: the design information,
// every box's text as the window shows it, the run's values or why it stopped, the design
// checks, the drawing, and the program that calculated it. The sheet takes every figure from
// here and computes none of its own.

#include "Boxes.h"
#include "Calculation.h"
#include "DesignChecks.h"
#include "DesignFile.h"
#include "NumberLocale.h"
#include "Shapes.h"

#include <QImage>
#include <QJsonObject>

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace inlet {

// Draws the view named `view` ("SECTION", "PLAN") of `drawing` to the scale 1:`scale` (50
// draws 50 mm of the passage as 1 mm of paper) at `dpi` pixels per inch. The sheet prints
// the picture at that size, states the scale beside it and draws the scale bar under it; the
// picture need not carry either.
using ViewPicture =
    std::function<QImage(const Drawing& drawing, const std::string& view, double scale, int dpi)>;

struct SheetInput {
    DesignInfo info;
    std::array<std::string, kBoxCount> texts;  // every box as the window shows it after the run
    std::vector<Box> written;                   // the result boxes the run wrote
    std::optional<Calculation> calculation;     // when the run completed
    std::string failure;                        // else why it stopped, in Chinese
    std::vector<DesignCheck> checks;            // of a completed run
    std::optional<Drawing> drawing;             // of a completed run
    ViewPicture picture;                        // none leaves the drawings out
    QJsonObject flow;                           // the settled flow computed for these texts, or empty
    std::string program;                        // "inlet"
    std::string version;                        // "1.00"
    NumberLocale locale;

    const std::string& text(Box box) const { return texts[static_cast<std::size_t>(box)]; }
    bool wasWritten(Box box) const;
};

// The sheet of a run that has just finished over `boxes`: `written` lists the result boxes it
// wrote; `calculation` is its values when it completed, else `failure` says why it stopped.
// Adds the checks and the drawing of a completed run.
SheetInput sheetInputAfterRun(const DesignInfo& info, const BoxAccess& boxes, std::vector<Box> written,
                              const std::optional<Calculation>& calculation, const std::string& failure,
                              const NumberLocale& locale, ViewPicture picture = {});

// The sheet of a design: its texts typed into a fresh set of boxes and the calculation run
// over them, as the window's "计算并打印" runs it.
SheetInput sheetInputFor(const Design& design, const NumberLocale& locale, ViewPicture picture = {});

}  // namespace inlet
