#include "FileWriters.h"

#include "AtomicSave.h"
#include "Failure.h"
#include "DxfWriter.h"

#ifdef INLET_WITH_XLSX
#include "XlsxWorkbook.h"
#endif

#include <QDir>
#include <QFile>

namespace inlet {

namespace {

void writeDxfFile(const ExportInput& input, const QString& path, const ExportChoices& choices)
{
    if (!input.drawing || input.drawing->views.empty())
        throw Failure{.kind = Failure::Kind::NothingToDraw, .file = shownPath(path)};
    {
        const QString curves = choices.count(QStringLiteral("dxf-curves")) ? choices.at(QStringLiteral("dxf-curves")) : QString();
        DxfOptions options;
        if (curves == QLatin1String("ellipse"))
            options.curves = DxfOptions::Curves::Ellipse;
        else if (curves == QLatin1String("polyline") || ExportFormat::isOn(choices, QStringLiteral("dxf-polylines")))
            options.curves = DxfOptions::Curves::Polyline;
        saveAtomically(path, QByteArray::fromStdString(dxfText(*input.drawing, options)));
    }
}

}  // namespace

void addFileWriters(ExportRegistry& registry)
{
    registry.setWriter(QStringLiteral("dxf"), writeDxfFile);
#ifdef INLET_WITH_XLSX
    registry.setWriter(QStringLiteral("xlsx"), [](const ExportInput& input, const QString& path, const ExportChoices&) {
        writeXlsx(input, path);
    });
#endif
}

}  // namespace inlet
