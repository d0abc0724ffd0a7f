#include "ExportInput.h"

#include "BoxTexts.h"
#include "InletVersion.h"

#include <QDateTime>

#include <algorithm>
#include <utility>

namespace inlet {

bool ExportInput::wasWritten(Box box) const
{
    return std::find(written.begin(), written.end(), box) != written.end();
}

ExportInput exportInputFrom(const RunRecord& record, const DesignInfo& info)
{
    ExportInput input;
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
    input.program = "inlet";
    input.version = kVersion;
    input.locale = record.locale;
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
    return exportInputFrom(runAndRecord(boxes, design.widthSet, locale), design.info);
}

}  // namespace inlet
