#include "export/ExportRegistry.h"

#include "modules/Features.h"
#include "document/AtomicSave.h"
#include "messages/Failure.h"
#include "run/Progress.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace inlet {

bool ExportFormat::isOn(const ExportChoices& choices, const QString& key)
{
    const auto it = choices.find(key);
    return it != choices.end() && it->second == QLatin1String("yes");
}

QString ExportFormat::value(const ExportChoices& choices, const QString& key) const
{
    for (const ExportOption& option : options) {
        if (option.key != key)
            continue;
        const auto it = choices.find(key);
        if (it != choices.end() && option.values.contains(it->second))
            return it->second;
        return option.values.value(0);
    }
    return {};
}

ExportRegistry ExportRegistry::described()
{
    ExportRegistry registry;
    auto& f = registry.formats_;
    const auto add = [&f](const char* key, const char* name, const char* english, ExportKind kind,
                          std::vector<ExportOption> options = {}) {
        const QString k = QString::fromLatin1(key);
        f.push_back({k, k.section(QLatin1Char('-'), -1), QString::fromUtf8(name), QString::fromLatin1(english), kind,
                     std::move(options), kind == ExportKind::Drawing, {}});
    };
    add("pdf", "计算书 PDF", "the calculation sheet", ExportKind::Sheet);
    add("odt", "计算书 ODT", "the calculation sheet for a word processor", ExportKind::Sheet);
    if (features::xlsx())
        add("xlsx", "Excel", "the texts, values, results, stations and checks as a workbook", ExportKind::Workbook);
    const ExportOption paper{QStringLiteral("paper"), QStringLiteral("图幅"),
                             {QStringLiteral("auto"), QStringLiteral("A0"), QStringLiteral("A1"), QStringLiteral("A2"),
                              QStringLiteral("A3")},
                             QStringLiteral("the sheet's size: the smallest that holds the views at the largest "
                                            "scale (auto), or A0 to A3"),
                             {QStringLiteral("自动"), QStringLiteral("A0"), QStringLiteral("A1"), QStringLiteral("A2"),
                              QStringLiteral("A3")}};
    add("dxf", "DXF 图形", "the drawing for CAD programs", ExportKind::Drawing,
        {{QStringLiteral("dxf-curves"), QStringLiteral("椭圆弧写为"),
          {QStringLiteral("spline"), QStringLiteral("ellipse"), QStringLiteral("polyline")},
          QStringLiteral("each elliptical arc as a cubic spline within 0.005 mm of it (spline, every CAD "
                         "program tried draws it), an exact ELLIPSE (ellipse, for AutoCAD and LibreCAD; "
                         "FreeCAD 0.20 draws it whole) or a polyline within 0.01 mm (polyline)"),
          {QStringLiteral("样条曲线"), QStringLiteral("椭圆"), QStringLiteral("多段线")}},
         // The command line's older spelling of 多段线 above: not offered again in the dialog.
         {QStringLiteral("dxf-polylines"), {}, {}, QStringLiteral("the same as --dxf-curves polyline"), {}},
         paper});
    add("drawing-pdf", "图纸 PDF", "the drawing sheet as a vector PDF of its size", ExportKind::Drawing, {paper});
    if (features::svg())
        add("svg", "SVG 图形", "the drawing sheet as a vector picture", ExportKind::Drawing, {paper});
    add("png", "PNG 图像", "the drawing sheet as a picture 4000 pixels wide", ExportKind::Drawing, {paper});
    add("setout", "放样坐标 CSV", "the setting-out coordinates as CSV", ExportKind::Table);
    f.back().extension = QStringLiteral("csv");
    f.back().needsCompletedRun = true;
    if (features::solid()) {
        add("step", "STEP 三维模型", "the passage's fluid volume as a solid for CAD, faces named by wall", ExportKind::Drawing,
            {{QStringLiteral("step-walls"), QStringLiteral("只写壁面（不含进口、出口）"), {},
              QStringLiteral("the walls alone, as a shell without the inlet and the outlet"), {}}});
        add("stl", "STL 三维模型", "the passage's walls in triangles for CFD, one region per wall", ExportKind::Drawing,
            {{QStringLiteral("stl-binary"), QStringLiteral("二进制 STL"), {},
              QStringLiteral("binary STL, the wall's index in each triangle's attribute word"), {}},
             {QStringLiteral("stl-metres"), QStringLiteral("以米为单位"), {}, QStringLiteral("metres instead of millimetres"), {}}});
    }
    return registry;
}

void ExportRegistry::setWriter(const QString& key, ExportWriter writer)
{
    for (ExportFormat& format : formats_) {
        if (format.key == key)
            format.write = std::move(writer);
    }
}

std::vector<const ExportFormat*> ExportRegistry::formats(std::optional<ExportKind> kind) const
{
    std::vector<const ExportFormat*> found;
    for (const ExportFormat& format : formats_) {
        if (format.write && (!kind || format.kind == *kind))
            found.push_back(&format);
    }
    return found;
}

const ExportFormat* ExportRegistry::byKey(const QString& key) const
{
    for (const ExportFormat* format : formats()) {
        if (format->key == key)
            return format;
    }
    return nullptr;
}

const ExportFormat* ExportRegistry::forPath(const QString& path, std::optional<ExportKind> kind) const
{
    const QString extension = QFileInfo(path).suffix().toLower();
    for (const ExportFormat* format : formats(kind)) {
        if (format->extension == extension)
            return format;
    }
    return nullptr;
}

QString ExportRegistry::fileFilter(ExportKind kind) const
{
    QStringList filters;
    for (const ExportFormat* format : formats(kind))
        filters << QStringLiteral("%1 (*.%2)").arg(format->name, format->extension);
    return filters.join(QStringLiteral(";;"));
}

QString ExportRegistry::extensionList(std::optional<ExportKind> kind) const
{
    QStringList extensions;
    for (const ExportFormat* format : formats(kind)) {
        const QString dotted = QLatin1Char('.') + format->extension;
        if (!extensions.contains(dotted))
            extensions << dotted;
    }
    return extensions.join(QStringLiteral("、"));
}

void writeExport(const ExportFormat& format, const ExportInput& input, const QString& path,
                 const ExportChoices& choices)
{
    if (format.needsCompletedRun && !input.calculation())
        throw Failure{.kind = Failure::Kind::NothingToDraw, .file = shownPath(path)};
    progress(0, 0);  // the work starts: a watching window times it from here
    format.write(input, path, choices);
}

}  // namespace inlet
