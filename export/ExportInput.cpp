#include "export/ExportInput.h"

#include "boxes/BoxTexts.h"
#include "calc/DesignInputs.h"
#include "boxes/GivenReadings.h"
#include "InletVersion.h"
#include "drawing/PassageDrafting.h"

#include <QDateTime>

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace inlet {

namespace {

// The time the sheet and the workbook say they were computed, to the minute: now, or the time
// SOURCE_DATE_EPOCH names (seconds since 1970, UTC), as reproducible builds and the tests that
// compare outputs byte for byte set it.
QString runTimeText()
{
    const char* epoch = std::getenv("SOURCE_DATE_EPOCH");
    char* end = nullptr;
    const long long seconds = epoch ? std::strtoll(epoch, &end, 10) : 0;
    const QDateTime time = epoch && *epoch && end && *end == '\0' && seconds >= 0
        ? QDateTime::fromSecsSinceEpoch(seconds, Qt::UTC)
        : QDateTime::currentDateTime();
    return time.toString(QStringLiteral("yyyy-MM-dd HH:mm"));
}

} // namespace

bool ExportInput::wasWritten(Box box) const
{
    return std::find(written().begin(), written().end(), box) != written().end();
}

std::vector<DesignCheck> ExportInput::checks() const
{
    std::vector<DesignCheck> all = record->checks;
    all.insert(all.end(), solidChecks.begin(), solidChecks.end());
    return all;
}

std::map<Box, QString> ExportInput::givenTexts() const
{
    std::map<Box, QString> given;
    for (const Box box : givenParameterBoxes())
        given[box] = QString::fromStdString(text(box));
    return given;
}

DrawingOptions ExportInput::drawingOptions(const std::string& paper) const
{
    DrawingOptions options;
    options.paper = paper;
    options.Ds = pumpInletDiameter(record->boxes);
    options.floorElevation = floorElevationOf(info.floorElevation).metres;
    return options;
}

Drawing ExportInput::drawingOn(const std::string& paper) const
{
    if (!calculation() || !widths())
        return {};
    if (drawing() && (paper == "auto" || paper.empty()))
        return *drawing();
    return drawPassage(*calculation(), *widths(), widthSet(), drawingOptions(paper));
}

ExportInput exportInputFrom(std::shared_ptr<const RunRecord> record, const DesignInfo& info)
{
    ExportInput input;
    input.record = std::move(record);
    input.info = info;
    const RunRecord& run = *input.record;
    if (run.calculation && run.widths)
        input.setOut = setOut(*run.calculation, *run.widths, run.widthSet);
    // The record draws heights above the floor; elevations from the design's floor need the
    // drawing again.
    if (run.calculation && run.widths && input.drawingOptions().floorElevation)
        input.ownDrawing = drawPassage(*run.calculation, *run.widths, run.widthSet, input.drawingOptions());
    input.program = "inlet";
    input.version = kVersion;
    input.runTime = runTimeText();
    return input;
}

std::optional<double> ExportInput::secondPassageWidth() const
{
    if (!calculation() || widthSet() == WidthSet::Computed || !passageWidth() || *passageWidth() == calculation()->B)
        return std::nullopt;
    return passageWidth();
}

TitleBlock titleBlock(const ExportInput& input)
{
    const auto text = [](const QString& s) { return s.simplified().toStdString(); };
    TitleBlock block;
    const DesignInfo& info = input.info;
    block.unit = text(info.unit);
    block.project = text(info.project);
    block.title = "进水流道型线图";
    block.number = text(info.drawingNumber);
    block.stage = text(info.stage);
    block.designer = text(info.designer);
    block.checker = text(info.checker);
    block.reviewer = text(info.reviewer);
    block.approver = text(info.approver);
    block.ratifier = text(info.ratifier);
    block.date = text(info.date);
    block.reviewDate = text(info.reviewDate);
    block.approveDate = text(info.approveDate);
    block.ratifyDate = text(info.ratifyDate);
    return block;
}

ExportInput exportInputFor(const Design& design, const NumberLocale& locale)
{
    BoxTexts boxes;
    for (const auto& [box, text] : design.texts)
        boxes.type(box, text.toStdString());
    ExportInput input =
        exportInputFrom(std::make_shared<const RunRecord>(runAndRecord(boxes, design.widthSet, locale)), design.info);
    input.flow = design.flow;
    input.study = design.study;
    return input;
}

}  // namespace inlet
