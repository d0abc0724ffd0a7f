#include "ExportInput.h"

#include "BoxTexts.h"
#include "CalculationRun.h"
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
        input.drawing = drawPassage(*calculation);
    } else {
        input.failure = failure;
    }
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
    block.project = text(input.info.project);
    block.title = "进水流道型线图";
    block.stage = text(input.info.stage);
    block.designer = text(input.info.designer);
    block.checker = text(input.info.checker);
    block.date = text(input.info.date);
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
