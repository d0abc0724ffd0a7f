#include "FileWriters.h"

#include "DxfError.h"
#include "DxfWriter.h"

#include "InletFeatures.h"

#if INLET_HAS_XLSX
#include "XlsxWorkbook.h"
#endif

#include <QDir>
#include <QFile>

namespace inlet {

namespace {

ExportFailure cannotWrite(const QString& path, const QString& reason)
{
    const QString shown = QDir::toNativeSeparators(path);
    return {QStringLiteral("无法写入“%1”：%2").arg(shown, reason), QStringLiteral("cannot write %1: %2").arg(shown, reason)};
}

std::optional<ExportFailure> writeDxfFile(const ExportInput& input, const QString& path, const ExportChoices& choices)
{
    if (!input.drawing || input.drawing->views.empty())
        return cannotWrite(path, QStringLiteral("没有可导出的图形"));
    try {
        const QString curves = choices.count(QStringLiteral("dxf-curves")) ? choices.at(QStringLiteral("dxf-curves")) : QString();
        DxfOptions options;
        if (curves == QLatin1String("ellipse"))
            options.curves = DxfOptions::Curves::Ellipse;
        else if (curves == QLatin1String("polyline") || ExportFormat::isOn(choices, QStringLiteral("dxf-polylines")))
            options.curves = DxfOptions::Curves::Polyline;
#ifdef Q_OS_WIN
        const std::string name = path.toStdString();  // UTF-8, as the DXF writer takes it there
#else
        const std::string name = QFile::encodeName(path).toStdString();
#endif
        writeDxf(*input.drawing, name, options);
    } catch (const DxfError& e) {
        return cannotWrite(path, QString::fromStdString(e.reason()));
    }
    return std::nullopt;
}

}  // namespace

void addFileWriters(ExportRegistry& registry)
{
    registry.setWriter(QStringLiteral("dxf"), writeDxfFile);
#if INLET_HAS_XLSX
    registry.setWriter(QStringLiteral("xlsx"), [](const ExportInput& input, const QString& path, const ExportChoices&) {
        return writeXlsx(input, path);
    });
#endif
}

}  // namespace inlet
