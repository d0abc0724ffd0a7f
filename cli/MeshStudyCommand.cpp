#include "cli/MeshStudyCommand.h"

#include "cli/FixedText.h"
#include "cli/CommandLineError.h"
#include "document/DesignFile.h"
#include "document/FlowTrust.h"
#include "openfoam/ProcessCount.h"

#include <QJsonDocument>

#include <charconv>
#include <cmath>
#include <filesystem>
#include <ostream>

namespace inlet {

namespace fs = std::filesystem;

namespace {

// The decimals a figure is shown with in the flow lines.
int decimalsOf(const std::string& figure)
{
    return figure == "headLoss" ? 4 : 1;
}

std::string unitOf(const std::string& figure, Language language)
{
    if (figure == "Vu")
        return language == Language::Chinese ? "%" : " %";
    if (figure == "theta")
        return language == Language::Chinese ? "°" : " deg";
    return " m";
}

std::string convergenceWords(cfd::Convergence c, Language language)
{
    const bool zh = language == Language::Chinese;
    switch (c) {
    case cfd::Convergence::Monotone:
        return zh ? "单调" : "monotone";
    case cfd::Convergence::Oscillatory:
        return zh ? "振荡" : "oscillatory";
    case cfd::Convergence::Exact:
        return zh ? "三套网格结果相同" : "the same on all three meshes";
    case cfd::Convergence::Unknown:
        break;
    }
    return zh ? "无法求得收敛阶" : "no order found";
}

}  // namespace

std::array<cfd::MeshLevel, 3> studyLevels(cfd::MeshLevel finest)
{
    using L = cfd::MeshLevel;
    return finest == L::Fine ? std::array<L, 3>{L::Fine, L::Medium, L::Coarse} : std::array<L, 3>{L::Medium, L::Coarse, L::Tiny};
}

void checkMeshStudyOptions(Options& options, bool meshGiven)
{
    if (!meshGiven)
        options.flow.level = cfd::MeshLevel::Fine;
    if (options.flow.level != cfd::MeshLevel::Fine && options.flow.level != cfd::MeshLevel::Medium)
        throw CommandLineError{CommandLineError::kUsage,
                               Failure{.kind = Failure::Kind::OptionNeedsOneOf, .item = "--mesh", .other = "medium, fine"}};
    if (options.flow.cells)
        throw CommandLineError{CommandLineError::kUsage,
                               Failure{.kind = Failure::Kind::OptionsExclusive, .item = "--cells", .other = "--mesh-study"}};
    if (options.csv)
        throw CommandLineError{CommandLineError::kUsage,
                               Failure{.kind = Failure::Kind::OptionOfOneDesign, .item = "--mesh-study", .other = "--cfd-study DIR"}};
}

void appendStudyLines(std::string& text, const cfd::MeshStudy& study, Language language)
{
    const bool zh = language == Language::Chinese;
    auto line = [&](const std::string& name, const std::string& value) {
        text.append("study\t").append(name).append("\t").append(value).append("\n");
    };
    std::string meshes;
    for (int i = 0; i < 3; ++i)
        meshes += (i == 0 ? "" : zh ? "，" : ", ") + study.levels[i] + " " + std::to_string(study.cells[i])
                  + (zh ? " 个单元" : " cells");
    line("meshes", meshes);
    for (const cfd::StudyFigure& f : study.figures) {
        const cfd::GridConvergence& g = f.convergence;
        const int decimals = decimalsOf(f.figure);
        const std::string unit = unitOf(f.figure, language);
        std::string value = cfd::figureWords(f.figure, language) + " " + fixed(f.values[0], decimals) + unit;
        if (g.convergence == cfd::Convergence::Unknown) {
            value += zh ? "（" + fixed(f.values[1], decimals) + unit + "，" + fixed(f.values[2], decimals) + unit
                              + "；无法求得收敛阶，GCI 未知，未收敛）"
                        : " (" + fixed(f.values[1], decimals) + unit + ", " + fixed(f.values[2], decimals) + unit
                              + " on the coarser meshes; no order found, GCI not known, not converged)";
        } else {
            const bool above = !(g.index <= cfd::kGciLimit);
            value += " ± " + fixed(std::abs(f.values[0]) * g.index, decimals) + unit;
            const std::string order = fixed(g.order, 2)
                                      + (cfd::beyondFormalOrder(g) ? (zh ? "，按 " : ", taken as ") + fixed(g.bandOrder, 0)
                                                                   : std::string());
            value += zh ? "（GCI " + fixed(100 * g.index, 1) + "%，p " + order + "，外推值 "
                              + fixed(g.extrapolated, decimals + 1) + unit + "，" + convergenceWords(g.convergence, language)
                              + (above ? "，未收敛" : "") + "）"
                        : " (GCI " + fixed(100 * g.index, 1) + " %, p " + order + ", extrapolated "
                              + fixed(g.extrapolated, decimals + 1) + unit + ", " + convergenceWords(g.convergence, language)
                              + (above ? ", not converged" : "") + ")";
        }
        line(f.section + "." + f.figure, value);
    }
}

int meshStudyForDesign(const Calculation& calculation, const Design& design, const FlowOptions& options, bool json,
                       std::string& text, std::ostream& err, QJsonObject& record, Language language)
{
    const std::array<cfd::MeshLevel, 3> levels = studyLevels(options.level);
    std::array<cfd::FlowResult, 3> results;
    std::array<FlowOptions, 3> levelOptions;
    // The coarsest first: it fails soonest.
    std::string written;
    for (int i = 2; i >= 0; --i) {
        levelOptions[i] = options;
        levelOptions[i].level = levels[i];
        levelOptions[i].cells.reset();
        // The coarser meshes with no more processes than their cells allow.
        levelOptions[i].processes = cfd::largestProcessCount(options.processes, cfd::levelCells(levels[i]));
        levelOptions[i].dir = (fs::path(options.dir) / cfd::levelName(levels[i])).string();
        std::error_code ec;
        fs::create_directories(options.dir, ec);
        std::string lines;
        const int status = flowForDesign(calculation, design, levelOptions[i], json, lines, err, results[i], language);
        if (results[i].status == cfd::RunStatus::Settled)
            continue;
        // A case only written (no --run, no results yet): the others are written too.
        if (!options.run && results[i].status == cfd::RunStatus::Cancelled && !results[i].failure && status == 0) {
            if (written.empty())
                written = lines;
            continue;
        }
        // A mesh that did not settle, or failed, ends the study with its lines.
        text += lines;
        return status;
    }
    if (!written.empty() || results[0].status != cfd::RunStatus::Settled || results[1].status != cfd::RunStatus::Settled
        || results[2].status != cfd::RunStatus::Settled) {
        text += written;
        return 0;
    }
    const cfd::MeshStudy study = cfd::meshStudy(results);
    record = flowRecord(results[0], levelOptions[0], design);
    record["meshStudy"] = meshStudyObject(study);
    if (json) {
        text.append("\"flow\": ");
        appendFlowJson(text, results[0], language, &study);
        text.append(", \"meshStudy\": ")
            .append(QJsonDocument(meshStudyObject(study)).toJson(QJsonDocument::Compact).toStdString());
    } else {
        appendFlowLines(text, results[0], language, &study);
        appendStudyLines(text, study, language);
    }
    return 0;
}

}  // namespace inlet
