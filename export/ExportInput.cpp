#include "ExportInput.h"

#include "BoxTexts.h"
#include "CalculationRun.h"
#include "DesignInputs.h"
#include "InletVersion.h"
#include "PassageGeometry.h"

#include <QDateTime>

#include <algorithm>
#include <utility>

namespace inlet {

bool ExportInput::wasWritten(Box box) const
{
    return std::find(written.begin(), written.end(), box) != written.end();
}

DrawingOptions ExportInput::drawingOptions(const std::string& paper) const
{
    DrawingOptions options;
    options.paper = paper;
    try {
        const LenientReading Ds = lenientRead(text(Box::Text2));
        if (Ds.anyDigit)
            options.Ds = Ds.value;
    } catch (const std::exception&) {
        // A Ds beyond the double range is not drawn.
    }
    options.floorElevation = floorElevationOf(info.floorElevation).metres;
    return options;
}

Drawing ExportInput::drawingOn(const std::string& paper) const
{
    if (!calculation)
        return {};
    if (drawing && (paper == "auto" || paper.empty()))
        return *drawing;
    return drawPassage(*calculation, drawingOptions(paper));
}

ExportInput exportInputAfterRun(const DesignInfo& info, const BoxAccess& boxes, std::vector<Box> written,
                                const std::optional<Calculation>& calculation, const std::string& failure,
                                const NumberLocale& locale)
{
    ExportInput input;
    input.info = info;
    for (const BoxInfo& box : boxTable())
        input.texts[static_cast<std::size_t>(box.box)] = boxes.text(box.box);
    input.written = std::move(written);
    input.calculation = calculation;
    if (calculation) {
        input.checks = designChecks(*calculation, boxes, locale);
    } else {
        input.failure = failure;
    }
    if (calculation)
        input.drawing = drawPassage(*calculation, input.drawingOptions());
    input.program = "inlet";
    input.version = kVersion;
    input.locale = locale;
    input.runTime = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm"));
    return input;
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
    std::optional<Calculation> calculation;
    std::string failure;
    try {
        calculation = runCalculation(boxes, locale);
    } catch (const RunFailure& f) {
        failure = describeChinese(f);
    }
    return exportInputAfterRun(design.info, boxes, boxes.written(), calculation, failure, locale);
}

}  // namespace inlet
