#include "SheetInput.h"

#include "BoxTexts.h"
#include "InletVersion.h"

#include <algorithm>
#include <utility>

namespace inlet {

bool SheetInput::wasWritten(Box box) const
{
    return std::find(written.begin(), written.end(), box) != written.end();
}

SheetInput sheetInputFrom(const RunRecord& record, const DesignInfo& info, ViewPicture picture)
{
    SheetInput input;
    input.info = info;
    for (const BoxInfo& box : boxTable())
        input.texts[static_cast<std::size_t>(box.box)] = record.boxes.text(box.box);
    input.written = record.boxes.written();
    input.calculation = record.calculation;
    input.failure = record.failure;
    input.widthSet = record.widthSet;
    input.widths = record.widths;
    input.checks = record.checks;
    input.drawing = record.drawing;
    input.chart = record.chart;
    input.picture = std::move(picture);
    input.program = "inlet";
    input.version = kVersion;
    input.locale = record.locale;
    return input;
}

SheetInput sheetInputFor(const Design& design, const NumberLocale& locale, ViewPicture picture)
{
    BoxTexts boxes;
    for (const auto& [box, text] : design.texts)
        boxes.type(box, text.toStdString());
    return sheetInputFrom(runAndRecord(boxes, design.widthSet, locale), design.info, std::move(picture));
}

}  // namespace inlet
