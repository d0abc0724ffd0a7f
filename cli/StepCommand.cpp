#include "cli/StepCommand.h"

#include "cli/FixedText.h"
#include "openfoam/CaseFolder.h"
#include "cli/FlowCommand.h"
#include "openfoam/StepCase.h"
#include "openfoam/StepFigures.h"

#include <charconv>
#include <cmath>
#include <ostream>

namespace inlet {

namespace {

std::string signedPercent(double share)
{
    std::string text = share >= 0 ? "+" : "";
    return text.append(fixed(100 * share, 1));
}

}  // namespace

int flowForStep(const FlowOptions& options, bool json, std::ostream& out, std::ostream& err, Language language)
{
    const cfd::Step step;
    const int across = cfd::stepCellsAcross(cellsFor(options));
    cfd::FlowCase flowCase = cfd::stepCase(step, across);
    applySettings(flowCase, options);
    cfd::FlowResult result;
    std::string text;
    cfd::StepFigures figures;
    try {
        cfd::prepareCaseFolder(flowCase, options.dir,
                               "validation step | mesh " + levelText(options) + " " + std::to_string(across)
                                   + " cells across the step",
                               options.force);
        if (!options.run) {
            err << caseWritten(options.dir, language);
            return 0;
        }
        result = runWithProgress(flowCase, options.dir, err, language);
        result.level = levelText(options);
        if (result.status == cfd::RunStatus::Settled)
            figures = cfd::stepFigures(step, flowCase, options.dir, result.iterations);
    } catch (const Failure& f) {
        result = failedResult(f);
    }
    if (result.status != cfd::RunStatus::Settled) {
        if (json)
            appendFlowJson(text, result, language), text.push_back('\n');
        else
            appendFlowLines(text, result, language);
        out << text;
        return reportFailure(result, err, language);
    }

    const bool chinese = language == Language::Chinese;
    const std::optional<double> deviation =
        figures.reattachment ? std::optional(*figures.reattachment / kMeasuredReattachment - 1) : std::nullopt;
    const bool within = deviation && std::abs(*deviation) <= kReattachmentTolerance;
    if (json) {
        text = "{\"Re_h\": " + fixed(figures.reynolds, 0) + ", \"Uref\": " + fixed(figures.referenceVelocity, 2)
               + ", \"delta99_h\": " + fixed(figures.boundaryLayer, 2) + ", \"Cf_x-4\": " + fixed(figures.frictionBefore, 5)
               + ", \"reattachment_h\": " + (figures.reattachment ? fixed(*figures.reattachment, 2) : "null")
               + ", \"reattachment_measured_h\": " + fixed(kMeasuredReattachment, 2) + ", \"deviation\": "
               + (deviation ? fixed(*deviation, 4) : "null") + ", \"Cf_least\": " + fixed(figures.frictionLeast, 5)
               + ", \"Cf_least_at_h\": " + fixed(figures.frictionLeastAt, 2) + ", \"profiles\": [";
        for (std::size_t i = 0; i < figures.profiles.size(); ++i) {
            const cfd::StationProfile& p = figures.profiles[i];
            text += std::string(i ? ", " : "") + "{\"x_h\": " + fixed(p.station, 0) + ", \"reversed_below_h\": "
                    + fixed(p.reversedTop, 3) + ", \"u_least_Uref\": " + fixed(p.smallest, 3) + "}";
        }
        text += "], \"flow\": ";
        appendFlowJson(text, result, language);
        text.append("}\n");
    } else {
        appendFlowLines(text, result, language);
        const std::string reattached = figures.reattachment ? fixed(*figures.reattachment, 2) : "-";
        const std::string off = deviation ? signedPercent(*deviation) : "-";
        if (chinese) {
            text += "step\tRe_h\t" + fixed(figures.reynolds, 0) + "（U_ref " + fixed(figures.referenceVelocity, 2)
                    + " m/s，x/h = -4 处的核心流速）\nstep\tboundary layer\tx/h = -4 处 δ99/h " + fixed(figures.boundaryLayer, 2)
                    + "，实验约 1.5\nstep\treattachment\t计算值 x/h " + reattached + "，实验值 "
                    + fixed(kMeasuredReattachment, 2) + "，偏差 " + off + "%"
                    + (within ? "" : "（超出 10%）") + "\nstep\tskin friction\tx/h = -4 处 Cf " + fixed(figures.frictionBefore, 5)
                    + "；台阶后最小 Cf " + fixed(figures.frictionLeast, 5) + "，位于 x/h " + fixed(figures.frictionLeastAt, 2)
                    + "\n";
            for (const cfd::StationProfile& p : figures.profiles)
                text += "step\tprofile x/h " + fixed(p.station, 0) + "\t回流高度 y/h " + fixed(p.reversedTop, 3)
                        + "，最小 u/U_ref " + fixed(p.smallest, 3) + "\n";
        } else {
            text += "step\tRe_h\t" + fixed(figures.reynolds, 0) + " (U_ref " + fixed(figures.referenceVelocity, 2)
                    + " m/s, the core's at x/h -4)\nstep\tboundary layer\tdelta99/h " + fixed(figures.boundaryLayer, 2)
                    + " at x/h -4, about 1.5 measured\nstep\treattachment\tx/h " + reattached + " computed, "
                    + fixed(kMeasuredReattachment, 2) + " measured, " + off + " %" + (within ? "" : " (beyond 10 %)")
                    + "\nstep\tskin friction\tCf " + fixed(figures.frictionBefore, 5) + " at x/h -4; least "
                    + fixed(figures.frictionLeast, 5) + " at x/h " + fixed(figures.frictionLeastAt, 2) + " behind the step\n";
            for (const cfd::StationProfile& p : figures.profiles)
                text += "step\tprofile x/h " + fixed(p.station, 0) + "\tflow runs back below y/h " + fixed(p.reversedTop, 3)
                        + ", least u/U_ref " + fixed(p.smallest, 3) + "\n";
        }
    }
    out << text;
    return within ? 0 : 1;
}

}  // namespace inlet
