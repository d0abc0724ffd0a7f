#include "model/RunRecord.h"

#include "run/CalculationRun.h"
#include "boxes/GivenReadings.h"
#include "drawing/PassageDrafting.h"
#include "checks/VoluteChart.h"

namespace inlet {

namespace {

// What is drawn and checked with the record's widths.
void draw(RunRecord& record)
{
    record.checks.clear();
    record.passageWidth.reset();
    record.drawing.reset();
    record.chart.reset();
    if (!record.calculation)
        return;
    const Calculation& c = *record.calculation;
    if (!record.widths)
        record.widths = widthSets(c);
    record.passageWidth = record.widths->passageWidth(record.widthSet, c.in.D1);
    record.checks = designChecks(c, *record.widths, record.widthSet, record.boxes, record.locale);
    DrawingOptions options;
    options.Ds = pumpInletDiameter(record.boxes);
    record.drawing = drawPassage(c, *record.widths, record.widthSet, options);
    record.chart = voluteChart(c, *record.widths, record.widthSet, flowRate(record.boxes), record.locale);
}

}  // namespace

RunRecord recordRun(const BoxAccess& boxes, const std::vector<Box>& written,
                    const std::optional<Calculation>& calculation, const std::optional<Failure>& failure,
                    WidthSet set, const NumberLocale& locale)
{
    RunRecord record;
    for (const BoxInfo& info : boxTable())
        record.boxes.type(info.box, boxes.text(info.box));
    for (const Box box : written)
        record.boxes.setText(box, boxes.text(box));
    record.calculation = calculation;
    if (!calculation)
        record.failure = failure;
    record.widthSet = set;
    record.locale = locale;
    draw(record);
    return record;
}

RunRecord runAndRecord(const BoxTexts& typed, WidthSet set, const NumberLocale& locale)
{
    BoxTexts boxes = typed;
    boxes.clearWritten();
    std::optional<Calculation> calculation;
    std::optional<Failure> failure;
    try {
        calculation = runCalculation(boxes, locale);
    } catch (const Failure& f) {
        failure = f;
    }
    return recordRun(boxes, boxes.written(), calculation, failure, set, locale);
}

std::string whyStopped(const RunRecord& record, Language language)
{
    return record.failure ? render(*record.failure, language) : std::string();
}

void chooseWidthSet(RunRecord& record, WidthSet set)
{
    if (record.widthSet == set)
        return;
    record.widthSet = set;
    draw(record);
}

}  // namespace inlet
