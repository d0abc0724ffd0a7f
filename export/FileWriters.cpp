#include "export/FileWriters.h"

#include "document/AtomicSave.h"
#include "export/DrawingSheets.h"
#include "messages/Failure.h"
#include "dxf/DxfWriter.h"
#ifdef INLET_HAVE_SOLID
#include "solid/SolidFailure.h"
#include "solid/SolidModule.h"
#endif

#include "InletFeatures.h"

#if INLET_HAS_XLSX
#include "export/XlsxWorkbook.h"
#endif

#include <QDir>
#include <QFile>

namespace inlet {

namespace {

void writeDxfFile(const ExportInput& input, const QString& path, const ExportChoices& choices)
{
    const auto paper = choices.find(QStringLiteral("paper"));
    const std::string paperName = paper == choices.end() ? std::string("auto") : paper->second.toStdString();
    const Drawing drawing = input.drawingOn(paperName);
    if (drawing.views.empty())
        throw Failure{.kind = Failure::Kind::NothingToDraw, .file = shownPath(path)};
    {
        const QString curves = choices.count(QStringLiteral("dxf-curves")) ? choices.at(QStringLiteral("dxf-curves")) : QString();
        DxfOptions options;
        if (curves == QLatin1String("ellipse"))
            options.curves = DxfOptions::Curves::Ellipse;
        else if (curves == QLatin1String("polyline") || ExportFormat::isOn(choices, QStringLiteral("dxf-polylines")))
            options.curves = DxfOptions::Curves::Polyline;
        DrawingSheets sheets = drawingSheets(input, drawing, paperName);
        options.sheet = std::move(sheets.views);
        options.setOut = std::move(sheets.setOut);
        saveAtomically(path, QByteArray::fromStdString(dxfText(drawing, options)));
    }
}

// A CSV field, quoted where it holds a comma, a quote or a line break.
std::string csvField(const std::string& text)
{
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (const char c : text)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

// The setting-out tables as CSV (UTF-8): the datum, then each table as its title, its curve,
// its columns' titles and its rows, a blank line after each; the figures as the drawing prints them.
void writeSetOutCsv(const ExportInput& input, const QString& path)
{
    if (!input.setOut)
        throw Failure{.kind = Failure::Kind::NothingToDraw, .file = shownPath(path)};
    const SetOut& tables = *input.setOut;
    std::string csv = csvField(tables.heading()) + "\n\n";
    for (const SetOutTable& table : tables.tables) {
        csv += csvField(table.title) + "\n";
        if (!table.note.empty())
            csv += csvField(table.note) + "\n";
        for (std::size_t c = 0; c < table.columns.size(); ++c)
            csv += (c ? "," : "") + csvField(table.columns[c].title);
        csv += "\n";
        if (table.rows.empty())
            csv += csvField(table.empty) + "\n";
        for (std::size_t r = 0; r < table.rows.size(); ++r) {
            for (std::size_t c = 0; c < table.columns.size(); ++c)
                csv += (c ? "," : "") + table.cell(r, c);
            csv += "\n";
        }
        csv += "\n";
    }
    saveAtomically(path, QByteArray::fromStdString(csv));
}

#ifdef INLET_HAVE_SOLID
// The solid's shape as the choices "length" and "outlet-extension" (mm) give it.
SolidOptions solidOptionsOf(const ExportChoices& choices)
{
    const auto millimetres = [&](const char* key) -> std::optional<double> {
        const auto it = choices.find(QString::fromLatin1(key));
        if (it == choices.end())
            return std::nullopt;
        return it->second.toDouble();
    };
    SolidOptions options;
    options.passageLength = millimetres("length");
    options.outletExtension = millimetres("outlet-extension").value_or(0);
    return options;
}

// The passage's solid written as STEP or STL; a design without a solid says which condition
// fails. The choices "length" and "outlet-extension" (mm) shape the solid.
void writeSolidFile(const ExportInput& input, const QString& path, const ExportChoices& choices, bool step)
{
    if (!input.calculation())
        throw Failure{.kind = Failure::Kind::NothingToDraw, .file = shownPath(path)};
    try {
        const Calculation& c = *input.calculation();
        const auto solid = cachedSolid(solidDesign(c, solidStations(c, input.widthSet()), input.text(kPassageLengthBox),
                                                   solidOptionsOf(choices)));
        const std::string file = QFile::encodeName(path).toStdString();
        if (step)
            solid->writeStep(file, StepOptions{ExportFormat::isOn(choices, QStringLiteral("step-walls"))});
        else
            solid->writeStl(file, StlOptions{ExportFormat::isOn(choices, QStringLiteral("stl-binary")),
                                             ExportFormat::isOn(choices, QStringLiteral("stl-metres"))});
    } catch (Failure& f) {
        if (f.file.empty())
            f.file = shownPath(path);
        throw;
    }
}
#endif

}  // namespace

void addSolidFigures([[maybe_unused]] ExportInput& input, [[maybe_unused]] const ExportChoices& choices)
{
#ifdef INLET_HAVE_SOLID
    if (!input.calculation())
        return;
    try {
        const Calculation& c = *input.calculation();
        const auto solid = cachedSolid(solidDesign(c, solidStations(c, input.widthSet()), input.text(kPassageLengthBox),
                                                   solidOptionsOf(choices)));
        const auto figures = solidFigureChecks(solid->figures(), input.locale());
        input.solidChecks.insert(input.solidChecks.end(), figures.begin(), figures.end());
    } catch (const Failure&) {
        // No solid: the sheet has no figures of one.
    }
#endif
}

void addFileWriters(ExportRegistry& registry)
{
    registry.setWriter(QStringLiteral("dxf"), writeDxfFile);
    registry.setWriter(QStringLiteral("setout"), [](const ExportInput& input, const QString& path, const ExportChoices&) {
        writeSetOutCsv(input, path);
    });
#ifdef INLET_HAVE_SOLID
    registry.setWriter(QStringLiteral("step"), [](const ExportInput& input, const QString& path, const ExportChoices& choices) {
        writeSolidFile(input, path, choices, true);
    });
    registry.setWriter(QStringLiteral("stl"), [](const ExportInput& input, const QString& path, const ExportChoices& choices) {
        writeSolidFile(input, path, choices, false);
    });
#endif
#if INLET_HAS_XLSX
    // The workbook holds the solid's figures (the fluid volume) as the sheet and the checks do,
    // of the solid a STEP written with the same choices holds.
    registry.setWriter(QStringLiteral("xlsx"), [](const ExportInput& input, const QString& path, const ExportChoices& choices) {
        ExportInput withSolid = input;
        addSolidFigures(withSolid, choices);
        writeXlsx(withSolid, path);
    });
#endif
}

}  // namespace inlet
