#include "SheetInput.h"

#include "BoxTexts.h"
#include "CalculationRun.h"
#include "InletVersion.h"
#include "PassageGeometry.h"
#include "SheetFlow.h"

#include <algorithm>
#include <utility>

namespace inlet {

bool SheetInput::wasWritten(Box box) const
{
    return std::find(written.begin(), written.end(), box) != written.end();
}

SheetInput sheetInputAfterRun(const DesignInfo& info, const BoxAccess& boxes, std::vector<Box> written,
                              const std::optional<Calculation>& calculation, const std::string& failure,
                              const NumberLocale& locale, ViewPicture picture)
{
    SheetInput input;
    input.info = info;
    for (const BoxInfo& box : boxTable())
        input.texts[static_cast<std::size_t>(box.box)] = boxes.text(box.box);
    input.written = std::move(written);
    input.calculation = calculation;
    if (calculation) {
        input.checks = designChecks(*calculation, boxes, locale);
        input.drawing = drawPassage(*calculation);
    } else {
        input.failure = failure;
    }
    input.picture = std::move(picture);
    input.program = "inlet";
    input.version = kVersion;
    input.locale = locale;
    return input;
}

SheetInput sheetInputFor(const Design& design, const NumberLocale& locale, ViewPicture picture)
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
    SheetInput input = sheetInputAfterRun(design.info, boxes, boxes.written(), calculation, failure, locale,
                                          std::move(picture));
    if (calculation)
        input.flow = flowRecordFor(design.kept, design.texts);
    return input;
}

}  // namespace inlet
