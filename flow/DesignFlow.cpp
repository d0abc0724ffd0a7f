#include "flow/DesignFlow.h"

#include "boxes/Boxes.h"
#include "openfoam/CaseFolder.h"
#include "document/DesignFile.h"
#include "messages/Failure.h"
#include "document/FlowRecord.h"
#include "openfoam/PassageCase.h"
#include "openfoam/SectionCheck.h"

#include <QJsonArray>

#include <charconv>
#include <cmath>
#include <filesystem>

namespace inlet {

namespace fs = std::filesystem;

namespace {

// As few digits as read back the same.
std::string shortest(double v)
{
    char buffer[64];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, v).ptr;
    return std::string(buffer, end);
}

// `v` to `decimals` decimals, or to `digits` significant digits: what the figure is worth.
double decimals(double v, int decimals)
{
    const double scale = std::pow(10.0, decimals);
    return std::isfinite(v) ? std::round(v * scale) / scale : 0;
}

double significant(double v, int digits)
{
    if (!(v != 0) || !std::isfinite(v))
        return 0;
    return decimals(v, digits - 1 - static_cast<int>(std::floor(std::log10(std::abs(v)))));
}

QString qs(const std::string& s) { return QString::fromStdString(s); }

QString symbolOf(Box box)
{
    const std::string_view symbol = boxInfo(box).symbol;
    return QString::fromUtf8(symbol.data(), static_cast<qsizetype>(symbol.size()));
}

}  // namespace

int cellsFor(const FlowOptions& options)
{
    return options.cells ? *options.cells : cfd::levelCells(options.level);
}

std::string levelText(const FlowOptions& options)
{
    return options.cells ? "cells" : cfd::levelName(options.level);
}

namespace {

// The passage length and the mesh, after a case's texts.
std::string signatureTail(const FlowOptions& options)
{
    std::string what;
    if (options.passageLength)
        what.append(" length=").append(shortest(*options.passageLength)).append(" mm");
    // Always named: a case of the outlet an earlier version put one diameter up is another case.
    what.append(" outlet=").append(options.outletExtension ? shortest(*options.outletExtension) + " mm"
                                                            : shortest(cfd::kOutletExtension) + " D");
    if (options.roughness > 0)
        what.append(" Ks=").append(shortest(options.roughness)).append(" mm");
    if (options.hubDiameter)
        what.append(" hub=").append(shortest(*options.hubDiameter)).append(" mm");
    // Always named: the sections are face zones of the mesh; a case an earlier version wrote
    // took them as cutting planes, and its mesh has no zones to resume with.
    what.append(" sections=faces");
    // Always named: the prism layers are thin ones from the wall functions' first cell; a case
    // an earlier version wrote had layers sized by the core's cells, a mesh of another case.
    what.append(" layers=thin");
    return what + " | mesh " + levelText(options) + " " + std::to_string(cellsFor(options)) + " background cells";
}

// The line written before a case was named by its inputs: every box of the frame, the result
// boxes too. A folder holding the case of that line is still this case, and resumes.
std::string earlierSignature(const Design& design, const FlowOptions& options)
{
    std::string what = "design";
    for (const auto& [box, value] : design.texts)
        what.append(" ").append(boxInfo(box).symbol).append("=").append(value.toStdString());
    return what + signatureTail(options);
}

}  // namespace

std::string caseSignature(const Design& design, const FlowOptions& options)
{
    // The texts the case is computed from, not the result boxes (H, B), which a design holds
    // filled or empty as it was saved: the same inputs are the same case.
    std::string what = "design";
    for (const Box box : flowInputBoxes()) {
        const auto value = design.texts.find(box);
        what.append(" ").append(boxInfo(box).symbol).append("=");
        if (value != design.texts.end())
            what.append(value->second.toStdString());
    }
    return what + signatureTail(options);
}

std::string folderSignature(const Design& design, const FlowOptions& options)
{
    const std::string earlier = earlierSignature(design, options);
    return cfd::folderContent(options.dir, earlier) == cfd::FolderContent::SameCase ? earlier
                                                                                    : caseSignature(design, options);
}

void applySettings(cfd::FlowCase& flowCase, const FlowOptions& options)
{
    flowCase.mesh = cfd::meshFor(flowCase, cellsFor(options));
    flowCase.solver.sectionTolerance = cfd::sectionTolerance(cellsFor(options));
    flowCase.solver.processes = options.processes;
    flowCase.solver.iterationLimit = options.iterations;
}

cfd::FlowCase writeDesignCase(const Calculation& calculation, const Design& design, const FlowOptions& options)
{
    cfd::FlowCase flowCase = passageFlowCase(calculation, design, options);
    applySettings(flowCase, options);
    const fs::path dir = options.dir;
    cfd::prepareCaseFolder(flowCase, dir, folderSignature(design, options), options.force);
    // The design beside its case, without a flow it was opened with: that may be another
    // case's, and the case's own is in its results.
    Design beside = design;
    beside.flow = {};
    try {
        writeDesignFile(QString::fromStdString((dir / "design.inlet").string()), beside);
    } catch (Failure& f) {
        f.stage = FlowStage::Case;
        throw;
    }
    return flowCase;
}

QJsonObject flowResultObject(const cfd::FlowResult& r)
{
    QJsonObject o{{"status", cfd::statusName(r.status)}};
    if (r.status == cfd::RunStatus::Failed) {
        if (r.failure) {
            o["stage"] = qs(flowStageName(r.failure->stage, Language::English));
            o["reason"] = qs(render(*r.failure, Language::English));
        }
        return o;
    }
    o["level"] = qs(r.level);
    o["cells"] = r.cells;
    o["processes"] = r.processes;
    o["iterations"] = r.iterations;
    QJsonObject residuals;
    for (const auto& [name, value] : r.residuals)
        residuals[qs(name)] = significant(value, 3);
    o["residuals"] = residuals;
    if (r.meshChecked)
        o["checkMesh"] = QJsonObject{{"nonOrthogonalityMax", decimals(r.nonOrthogonality, 2)},
                                     {"skewnessMax", decimals(r.skewness, 2)}};
    if (r.status != cfd::RunStatus::Settled)
        return o;
    o["yPlus"] = QJsonObject{{"min", decimals(r.yPlusMin, 2)},
                             {"max", decimals(r.yPlusMax, 2)},
                             {"mean", decimals(r.yPlusMean, 2)},
                             {"shareWithin30To300", decimals(r.yPlusInRange, 4)}};
    o["flowGiven"] = decimals(r.flow, 6);
    o["flowAtInlet"] = decimals(r.inlet.flow, 6);
    QJsonArray sections;
    for (const cfd::SectionResult& s : r.sections) {
        QJsonObject section{{"name", qs(s.name)},
                            {"Vu", decimals(s.figures.uniformity, 3)},
                            {"theta", decimals(s.figures.angle, 3)},
                            {"thetaSwirl", decimals(s.figures.swirlAngle, 3)},
                            {"headLoss", decimals(s.headLoss, 5)},
                            {"flow", decimals(s.figures.flow, 6)},
                            {"area", decimals(s.figures.area, 6)},
                            {"backflowArea", decimals(s.figures.backflowArea, 4)},
                            {"backflowFlow", decimals(s.figures.backflowFlow, 4)}};
        // Means over the averaging window: how far each swung there.
        if (r.averagedTo > 0) {
            QJsonObject band{{"Vu", QJsonArray{decimals(s.uniformityBand.low, 3), decimals(s.uniformityBand.high, 3)}},
                             {"theta", QJsonArray{decimals(s.angleBand.low, 3), decimals(s.angleBand.high, 3)}},
                             {"headLoss", QJsonArray{decimals(s.lossBand.low, 5), decimals(s.lossBand.high, 5)}}};
            if (s.swirlAngleBand)
                band["thetaSwirl"] = QJsonArray{decimals(s.swirlAngleBand->low, 3), decimals(s.swirlAngleBand->high, 3)};
            section["band"] = band;
        }
        sections.append(section);
    }
    o["sections"] = sections;
    if (r.averagedTo > 0)
        o["averagedOver"] = QJsonArray{r.averagedFrom + 1, r.averagedTo};
    return o;
}

QJsonObject flowRecord(const cfd::FlowResult& result, const FlowOptions& options, const Design& design)
{
    QJsonObject settings{{"mesh", qs(levelText(options))},
                         {"backgroundCells", cellsFor(options)},
                         {"processes", options.processes},
                         {"iterationLimit", options.iterations},
                         {"solver", "OpenFOAM simpleFoam, k-omega SST, steady SIMPLE"},
                         {"case", qs(fs::absolute(options.dir).string())}};
    if (options.passageLength)
        settings["passageLength"] = *options.passageLength;
    // The widths the passage was built with: a design that takes the other set has another flow.
    const std::string_view widths = widthSetName(design.widthSet);
    settings[QLatin1String(kFlowWidthSetKey)] = QString::fromUtf8(widths.data(), static_cast<qsizetype>(widths.size()));
    // The case's inputs, each written (FlowRecord.h reads a record without them as the
    // earlier version's run).
    if (options.outletExtension)
        settings["outletExtension"] = *options.outletExtension;
    else
        settings["outletExtensionDiameters"] = cfd::kOutletExtension;
    settings["roughness"] = options.roughness;
    settings["hubDiameter"] = options.hubDiameter ? QJsonValue(*options.hubDiameter) : QJsonValue();
    QJsonObject texts;
    for (const auto& [box, value] : design.texts)
        texts[symbolOf(box)] = value;
    return QJsonObject{{"settings", settings}, {"texts", texts}, {"result", flowResultObject(result)}};
}

}  // namespace inlet
