#pragma once

// Everything a file made from a run shows, gathered once after the run: the design
// information, every box's text as the window shows it, the run's values or why it stopped,
// the design checks, the drawing, the program that calculated it, the design file and when,
// and the flow kept with the design.
// Every format writes from here and computes no figure of its own.

#include "Boxes.h"
#include "Calculation.h"
#include "DesignChecks.h"
#include "DesignFile.h"
#include "DrawingSheet.h"
#include "Failure.h"
#include "NumberLocale.h"
#include "PassageDrafting.h"
#include "RunRecord.h"
#include "SetOut.h"
#include "Shapes.h"
#include "WidthSets.h"

#include <QJsonObject>
#include <QString>

#include <array>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace inlet {

struct ExportInput {
    DesignInfo info;
    std::array<std::string, kBoxCount> texts;  // every box as the window shows it after the run
    std::vector<Box> written;                   // the result boxes the run wrote
    std::optional<Calculation> calculation;     // when the run completed
    std::optional<Failure> failure;             // else why it stopped
    WidthSet widthSet = WidthSet::Computed;     // the widths the drawings use
    std::optional<WidthSets> widths;            // of a completed run: both sets
    std::optional<double> passageWidth;         // B of the widths drawn (RunRecord::passageWidth)
    std::vector<DesignCheck> checks;            // of a completed run
    std::optional<Drawing> drawing;             // of a completed run
    std::optional<Drawing> chart;               // of a completed run: area, width and velocity along φ
    std::optional<SetOut> setOut;               // of a completed run: the setting-out tables of the widths drawn
    std::string program;                        // "inlet"
    std::string version;                        // "1.00"
    NumberLocale locale;
    QString designFile;                         // the design's file name ("泵站.inlet"); empty when never saved
    QString runTime;                            // when the run was made: "2026-12-07 14:03"
    // The flow record kept with the design (FlowRecord.h), whatever texts it was computed for:
    // each format shows its figures where it belongs to the texts above, else says it does not.
    QJsonObject flow;

    const std::string& text(Box box) const { return texts[static_cast<std::size_t>(box)]; }
    // The passage width of the widths drawn where it is not the result box's B (the area-true
    // a90 is another): shown beside it; none where the two are the same.
    std::optional<double> secondPassageWidth() const;
    bool wasWritten(Box box) const;
    // The texts of the given-parameter boxes, as a flow record is matched against them.
    std::map<Box, QString> givenTexts() const;
    // What the drawing shows beyond the run (Ds from its box, the floor elevation) on `paper`.
    DrawingOptions drawingOptions(const std::string& paper = "auto") const;
    // The drawing of a completed run at the scale `paper` gives it: `drawing` itself for "auto".
    Drawing drawingOn(const std::string& paper) const;
};

// What a recorded run shows (its texts, values, checks and drawings as the record has them,
// computed nothing again), with the design information and the time now.
ExportInput exportInputFrom(const RunRecord& record, const DesignInfo& info);

// What the drawing sheet's title block shows of the run's design.
TitleBlock titleBlock(const ExportInput& input);

// The record of a design: its texts typed into a fresh set of boxes and the calculation run
// over them, as the window's "计算并打印" runs it, drawn with the design's widths, with its flow.
ExportInput exportInputFor(const Design& design, const NumberLocale& locale);

}  // namespace inlet
