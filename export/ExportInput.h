#pragma once

// Everything a file made from a run shows, gathered once after the run: the design
// information, every box's text as the window shows it, the run's values or why it stopped,
// the design checks, the drawing, the program that calculated it, the design file and when,
// and the flow kept with the design.
// Every format writes from here and computes no figure of its own; the run itself is the
// record's, shared, not copied.

#include "boxes/Boxes.h"
#include "run/Calculation.h"
#include "checks/DesignChecks.h"
#include "document/DesignFile.h"
#include "drawing/DrawingSheet.h"
#include "messages/Failure.h"
#include "calc/NumberLocale.h"
#include "drawing/PassageDrafting.h"
#include "model/RunRecord.h"
#include "drawing/SetOut.h"
#include "drawing/Shapes.h"
#include "drawing/WidthSets.h"

#include <QJsonObject>
#include <QString>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace inlet {

struct ExportInput {
    // The run as its record has it (texts, values or why it stopped, widths, checks, drawing,
    // chart), shared with the window and whatever else shows it, never copied.
    std::shared_ptr<const RunRecord> record = std::make_shared<const RunRecord>();
    DesignInfo info;
    // The drawing the file shows where it is not the record's: drawn again from the design's
    // floor, or the chart exported in the drawing's place.
    std::optional<Drawing> ownDrawing;
    std::optional<SetOut> setOut;               // of a completed run: the setting-out tables of the widths drawn
    std::vector<DesignCheck> solidChecks;       // the solid's figures, where a file shows them beside the run's checks
    std::string program;                        // "inlet"
    std::string version;                        // "1.00"
    QString designFile;                         // the design's file name ("泵站.inlet"); empty when never saved
    QString runTime;                            // when the run was made: "2026-12-07 14:03"
    // The flow record kept with the design (FlowRecord.h), whatever texts it was computed for:
    // each format shows its figures where it belongs to the texts above, else says it does not.
    QJsonObject flow;
    // The study the design was chosen from ("study", StudyRecord.h): its 方案比选 chapter and sheet.
    QJsonObject study;

    // What the record holds, read through it.
    const std::optional<Calculation>& calculation() const { return record->calculation; }
    const std::optional<Failure>& failure() const { return record->failure; }
    WidthSet widthSet() const { return record->widthSet; }
    const std::optional<WidthSets>& widths() const { return record->widths; }
    std::optional<double> passageWidth() const { return record->passageWidth; }
    const std::optional<Drawing>& chart() const { return record->chart; }
    const NumberLocale& locale() const { return record->locale; }
    const std::vector<Box>& written() const { return record->boxes.written(); }
    std::string text(Box box) const { return record->boxes.text(box); }
    // The drawing the file shows: its own where it has one, else the record's.
    const std::optional<Drawing>& drawing() const { return ownDrawing ? ownDrawing : record->drawing; }
    // The run's checks, then the solid's figures.
    std::vector<DesignCheck> checks() const;

    // The passage width of the widths drawn where it is not the result box's B (the area-true
    // a90 is another): shown beside it; none where the two are the same.
    std::optional<double> secondPassageWidth() const;
    bool wasWritten(Box box) const;
    // The texts of the given-parameter boxes, as a flow record is matched against them.
    std::map<Box, QString> givenTexts() const;
    // What the drawing shows beyond the run (Ds from its box, the floor elevation) on `paper`.
    DrawingOptions drawingOptions(const std::string& paper = "auto") const;
    // The drawing of a completed run at the scale `paper` gives it: `drawing()` itself for "auto".
    Drawing drawingOn(const std::string& paper) const;
};

// What a recorded run shows (its texts, values, checks and drawings as the record has them,
// computed nothing again), with the design information and the time now.
ExportInput exportInputFrom(std::shared_ptr<const RunRecord> record, const DesignInfo& info);

// What the drawing sheet's title block shows of the run's design.
TitleBlock titleBlock(const ExportInput& input);

// The record of a design: its texts typed into a fresh set of boxes and the calculation run
// over them, as the window's "计算并打印" runs it, drawn with the design's widths, with its flow.
ExportInput exportInputFor(const Design& design, const NumberLocale& locale);

}  // namespace inlet
