#include "cli/FlowCommand.h"

#include "cli/FixedText.h"
#include "openfoam/CaseFolder.h"
#include "document/FlowTrust.h"
#include "openfoam/Friction.h"
#include "openfoam/PassageCase.h"
#include "openfoam/PipeCase.h"
#include "openfoam/Pipeline.h"
#include "openfoam/VtkSurface.h"
#include "openfoam/ZoneSection.h"

#include <QJsonDocument>

#include <charconv>
#include <cmath>
#include <csignal>
#include <optional>
#include <ostream>

namespace inlet {

namespace fs = std::filesystem;

namespace {

// Four significant digits.
std::string general(double v)
{
    char buffer[64];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::general, 4).ptr;
    return std::string(buffer, end);
}

std::string scientific(double v)
{
    char buffer[64];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::scientific, 2).ptr;
    return std::string(buffer, end);
}

// The words of `language`.
std::string say(Language language, std::string_view chinese, std::string_view english)
{
    return std::string(language == Language::Chinese ? chinese : english);
}

std::string meshText(const cfd::FlowResult& r, Language language)
{
    if (language == Language::Chinese)
        return "网格 " + r.level + "，" + std::to_string(r.cells) + " 个单元，" + std::to_string(r.processes) + " 个进程";
    return r.level + ", " + std::to_string(r.cells) + " cells, " + std::to_string(r.processes) + " process"
           + (r.processes == 1 ? "" : "es");
}

std::string residualText(const cfd::FlowResult& r)
{
    std::string s;
    for (const auto& [name, value] : r.residuals)
        s.append(s.empty() ? "" : " ").append(name).append(" ").append(scientific(value));
    return s;
}

volatile std::sig_atomic_t interrupted = 0;

extern "C" void onFlowInterrupt(int)
{
    interrupted = 1;
}

}  // namespace

InterruptWatch::InterruptWatch()
{
    interrupted = 0;
    previousInt_ = std::signal(SIGINT, onFlowInterrupt);
    previousTerm_ = std::signal(SIGTERM, onFlowInterrupt);
}

InterruptWatch::~InterruptWatch()
{
    std::signal(SIGINT, previousInt_);
    std::signal(SIGTERM, previousTerm_);
}

bool InterruptWatch::requested()
{
    return interrupted != 0;
}

namespace {

// Where the figures are means over the averaging window (they swing from one iteration to the
// next): the window and how far Vu, theta, theta of the swirl alone and the loss swung in it,
// before the means, in the order the means follow. A result kept before theta_s's band was has
// none to print.
std::string bandText(const cfd::FlowResult& r, const cfd::SectionResult& s, Language language)
{
    if (r.averagedTo <= 0)
        return "";
    const std::string from = std::to_string(r.averagedFrom + 1), to = std::to_string(r.averagedTo);
    const auto band = [](const cfd::Band& b, int decimals) { return fixed(b.low, decimals) + "～" + fixed(b.high, decimals); };
    if (language == Language::Chinese)
        return "第 " + from + "～" + to + " 次迭代的平均（其间 Vu " + band(s.uniformityBand, 1) + "%，θ "
               + band(s.angleBand, 1) + "°" + (s.swirlAngleBand ? "（仅计旋流 " + band(*s.swirlAngleBand, 1) + "°）" : "")
               + "，水头损失 " + band(s.lossBand, 4) + " m）：";
    const auto range = [](const cfd::Band& b, int decimals) { return fixed(b.low, decimals) + " to " + fixed(b.high, decimals); };
    return "mean over iterations " + from + " to " + to + " (Vu " + range(s.uniformityBand, 1) + " %, theta "
           + range(s.angleBand, 1) + " deg" + (s.swirlAngleBand ? " (swirl alone " + range(*s.swirlAngleBand, 1) + " deg)" : "")
           + ", loss " + range(s.lossBand, 4) + " m there): ";
}

// The verdict on a settled result, read as the sheet reads a design's record.
cfd::FlowVerdict verdictOn(const cfd::FlowResult& r, const cfd::MeshStudy* study)
{
    QJsonObject record{{"result", flowResultObject(r)}};
    if (study)
        record["meshStudy"] = meshStudyObject(*study);
    return flowVerdictOf(record);
}

}  // namespace

void appendFlowLines(std::string& text, const cfd::FlowResult& r, Language language, const cfd::MeshStudy* study)
{
    auto line = [&](const std::string& name, const std::string& value) {
        text.append("flow\t").append(name).append("\t").append(value).append("\n");
    };
    line("status", cfd::statusName(r.status));
    if (r.status == cfd::RunStatus::Failed)
        return;
    const bool chinese = language == Language::Chinese;
    line("mesh", meshText(r, language));
    if (r.meshChecked)  // not in the results of a run before checkMesh's figures were kept
        line("checkMesh", chinese ? "最大非正交角 " + fixed(r.nonOrthogonality, 2) + "°（上限 60°），最大偏斜度 "
                                        + fixed(r.skewness, 2) + "（上限 3.5）"
                                  : "non-orthogonality up to " + fixed(r.nonOrthogonality, 2)
                                        + " deg (at most 60), skewness up to " + fixed(r.skewness, 2) + " (at most 3.5)");
    line("iterations", std::to_string(r.iterations));
    line("residuals", residualText(r));
    if (r.status == cfd::RunStatus::Cancelled) {
        line("figures", say(language, "无：计算已取消，同一命令从停止处继续",
                            "none: the run was cancelled; the same command resumes it"));
        return;
    }
    // At the iteration limit the last figures are shown as what they are, not as a result.
    const bool unsettled = r.status != cfd::RunStatus::Settled;
    if (unsettled)
        line("figures", say(language, "未稳定：达到迭代上限时各指标尚未稳定，以下为最后的数值，不作结果；提高 --iterations 后同一命令从此处继续",
                            "not settled: the figures had not settled at the iteration limit; the last ones below "
                            "are no result; a higher --iterations resumes it"));
    // The walls' y+ and the flow through the inlet of a result alone.
    if (!unsettled) {
        if (chinese) {
            line("y+", fixed(r.yPlusMin, 1) + "～" + fixed(r.yPlusMax, 1) + "，面积加权平均 " + fixed(r.yPlusMean, 1) + "，"
                           + fixed(100 * r.yPlusInRange, 0) + "% 的壁面积在 30～300 之间");
            line("Q", "给定 " + general(r.flow) + " m³/s，进口流量 " + general(r.inlet.flow) + " m³/s");
        } else {
            line("y+", fixed(r.yPlusMin, 1) + " to " + fixed(r.yPlusMax, 1) + ", mean " + fixed(r.yPlusMean, 1) + ", "
                           + fixed(100 * r.yPlusInRange, 0) + " % of the wall area within 30 to 300");
            line("Q", general(r.flow) + " m3/s given, " + general(r.inlet.flow) + " m3/s through the inlet");
        }
    }
    for (const cfd::SectionResult& s : r.sections)
        line(s.name, std::string(unsettled ? say(language, "未稳定，", "not settled, ") : "") + bandText(r, s, language)
                         + (chinese ? "Vu " + fixed(s.figures.uniformity, 1) + "%，θ " + fixed(s.figures.angle, 1) + "°（仅计旋流 "
                                   + fixed(s.figures.swirlAngle, 1) + "°），水头损失 "
                                   + fixed(s.headLoss, 4) + " m，流量 " + general(s.figures.flow) + " m³/s，回流占面积 "
                                   + fixed(100 * s.figures.backflowArea, 1) + "%、占流量 "
                                   + fixed(100 * s.figures.backflowFlow, 1) + "%"
                             : "Vu " + fixed(s.figures.uniformity, 1) + " %, theta " + fixed(s.figures.angle, 1)
                                   + " deg (swirl alone " + fixed(s.figures.swirlAngle, 1) + " deg), loss " + fixed(s.headLoss, 4) + " m, Q " + general(s.figures.flow)
                                   + " m3/s, backflow " + fixed(100 * s.figures.backflowArea, 1) + " % of the area, "
                                   + fixed(100 * s.figures.backflowFlow, 1) + " % of the flow"));
    if (unsettled)
        return;
    line("verdict", cfd::verdictLine(verdictOn(r, study), language));
}

void appendFlowJson(std::string& text, const cfd::FlowResult& r, Language language, const cfd::MeshStudy* study)
{
    QJsonObject object = flowResultObject(r);
    if (r.failure)
        object["reason"] = QString::fromStdString(render(*r.failure, language));
    if (r.status == cfd::RunStatus::Settled) {
        const cfd::FlowVerdict verdict = verdictOn(r, study);
        static const char* const kVerdicts[] = {"trusted", "refine", "unusable"};
        object["verdict"] = kVerdicts[static_cast<int>(verdict.verdict)];
        object["verdictLine"] = QString::fromStdString(cfd::verdictLine(verdict, language));
    }
    text += QJsonDocument(object).toJson(QJsonDocument::Compact).toStdString();
}

int reportFailure(const cfd::FlowResult& r, std::ostream& err, Language language)
{
    if (r.status != cfd::RunStatus::Failed || !r.failure)
        return r.status == cfd::RunStatus::Settled ? 0 : 1;
    err << "inlet-calc: " << render(*r.failure, language) << std::endl;
    // More processes than the cores and the cells allow is found once the mesh is made.
    return r.failure->kind == Failure::Kind::FlowTooManyProcesses ? 2 : 1;
}

cfd::FlowResult runWithProgress(const cfd::FlowCase& flowCase, const fs::path& dir, std::ostream& err,
                                Language language)
{
    const bool chinese = language == Language::Chinese;
    const InterruptWatch watch;
    cfd::RunControl control;
    std::optional<FlowStage> lastStage;
    int lastEvaluation = -1;
    control.cancelled = [] { return InterruptWatch::requested(); };
    control.progress = [&](const cfd::Progress& p) {
        if (p.stage != lastStage) {
            lastStage = p.stage;
            err << "inlet-calc: " << flowStageName(p.stage, language) << " " << dir.string() << std::endl;
        }
        if (p.iteration && p.iteration->number / flowCase.solver.sampleInterval != lastEvaluation) {
            lastEvaluation = p.iteration->number / flowCase.solver.sampleInterval;
            err << "inlet-calc: " << say(language, "第 ", "iteration ") << p.iteration->number
                << say(language, " 次迭代", "");
            for (const auto& [name, value] : p.iteration->residuals)
                err << " " << name << " " << scientific(value);
            if (p.figures)
                for (const cfd::SectionResult& s : p.figures->sections)
                    err << (chinese ? "；" : "; ") << s.name << " Vu " << fixed(s.figures.uniformity, 2)
                        << (chinese ? "%，θ " : " % theta ") << fixed(s.figures.angle, 2)
                        << (chinese ? "°，水头损失 " : " loss ") << fixed(s.headLoss, 4) << " m";
            err << std::endl;
        }
    };
    return cfd::runCase(flowCase, dir, control);
}

std::string caseWritten(const std::string& dir, Language language)
{
    return say(language, "inlet-calc: 算例已写入 ", "inlet-calc: the case is written in ") + dir
           + say(language, "；加 --run 进行计算\n", "; --run computes it\n");
}

std::string millimetresText(double mm)
{
    char buffer[64];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, mm).ptr;
    return std::string(buffer, end) + " mm";
}

// The case's own inputs, so that the figures say what they were computed with: the outlet,
// the walls, the hub.
std::string caseInputsText(const FlowOptions& o, Language language)
{
    const std::string outlet = o.outletExtension ? millimetresText(*o.outletExtension)
                                                 : general(cfd::kOutletExtension) + (language == Language::Chinese ? " 倍 D0" : " D0");
    if (language == Language::Chinese)
        return "出口在水泵进口断面以上 " + outlet + "；"
               + (o.roughness > 0 ? "壁面当量砂粒粗糙度 Ks = " + millimetresText(o.roughness) : "壁面光滑（Ks = 0）")
               + "；轮毂：" + (o.hubDiameter ? "直径 " + millimetresText(*o.hubDiameter) + "，自水泵进口断面向上至出口的圆柱" : "无");
    return "outlet " + outlet + " above the pump inlet section; walls "
           + (o.roughness > 0 ? "rough, Ks " + millimetresText(o.roughness) : "smooth (Ks 0)") + "; hub: "
           + (o.hubDiameter ? millimetresText(*o.hubDiameter) + ", a cylinder from the pump inlet section up through the outlet"
                            : "none");
}

QJsonObject caseInputsObject(const FlowOptions& o)
{
    QJsonObject inputs{{"roughness", o.roughness},
                       {"hubDiameter", o.hubDiameter ? QJsonValue(*o.hubDiameter) : QJsonValue()}};
    if (o.outletExtension)
        inputs["outletExtension"] = *o.outletExtension;
    else
        inputs["outletExtensionDiameters"] = cfd::kOutletExtension;
    return inputs;
}

// A failure while the case is written or read back: the stage is the case's where no other.
cfd::FlowResult failedResult(Failure failure)
{
    if (failure.stage == FlowStage::None)
        failure.stage = FlowStage::Case;
    cfd::FlowResult result;
    result.status = cfd::RunStatus::Failed;
    result.failure = failure;
    return result;
}

int flowForDesign(const Calculation& calculation, const Design& design, const FlowOptions& options, bool json,
                  std::string& text, std::ostream& err, cfd::FlowResult& result, Language language)
{
    try {
        const cfd::FlowCase flowCase = writeDesignCase(calculation, design, options);
        const fs::path dir = options.dir;
        if (options.run) {
            result = runWithProgress(flowCase, dir, err, language);
            result.level = levelText(options);
        } else if (fs::exists(dir / "results")) {
            result = cfd::readResult(dir / "results");
            // The runner writes the results before its caller names the level; the folder holds
            // this level's case (its signature was checked as the case was written).
            if (result.level.empty())
                result.level = levelText(options);
        } else {
            err << caseWritten(dir.string(), language);
            if (json)
                text.append("\"flow\": {\"status\": \"written\"}");
            result.status = cfd::RunStatus::Cancelled;
            return 0;
        }
    } catch (const Failure& f) {
        result = failedResult(f);
    } catch (const std::exception& e) {
        result = failedResult(Failure{.kind = Failure::Kind::FlowUnexpected, .detail = e.what()});
    }
    if (json) {
        QJsonObject object = flowResultObject(result);
        if (result.failure)
            object["reason"] = QString::fromStdString(render(*result.failure, language));
        object["case"] = caseInputsObject(options);
        text.append("\"flow\": ").append(QJsonDocument(object).toJson(QJsonDocument::Compact).toStdString());
    } else {
        appendFlowLines(text, result, language);
        text.append("flow\tcase\t").append(caseInputsText(options, language)).append("\n");
    }
    return reportFailure(result, err, language);
}

int flowForPipe(const FlowOptions& options, bool json, std::ostream& out, std::ostream& err, Language language)
{
    const cfd::Pipe pipe;
    cfd::FlowCase flowCase = cfd::pipeCase(pipe);
    applySettings(flowCase, options);
    cfd::FlowResult result;
    std::string text;
    try {
        cfd::prepareCaseFolder(flowCase, options.dir,
                               // sections=faces: as a passage's case (DesignFlow.cpp)
                               "validation pipe sections=faces | mesh " + levelText(options) + " " + std::to_string(cellsFor(options))
                                   + " background cells",
                               options.force);
        if (!options.run) {
            err << caseWritten(options.dir, language);
            return 0;
        }
        result = runWithProgress(flowCase, options.dir, err, language);
        result.level = levelText(options);
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

    // The friction factor over the developed length, and the profile at its end.
    const cfd::SectionResult* up = result.section("upstream");
    const cfd::SectionResult* down = result.section("downstream");
    const double velocity = down->figures.meanAxial;
    const double reynolds = velocity * pipe.diameter / pipe.viscosity;
    const double friction = (up->figures.totalHead - down->figures.totalHead) * 2 * cfd::kGravity
                            / ((pipe.to - pipe.from) * velocity * velocity);
    const double colebrook = cfd::colebrookWhite(reynolds);
    const double deviation = friction / colebrook - 1;

    const double n = cfd::powerLawExponent(reynolds);
    double area = 0, squares = 0;
    const auto faces = cfd::sectionFaces(cfd::writtenSection(options.dir, result.iterations, "downstream", {0, 0, 1}),
                                         {0, 0, 1});
    const double radius = pipe.diameter / 2 * std::cos(3.14159265358979 / 48);  // the inscribed polygon's
    for (const cfd::SectionFace& f : faces) {
        const double r = std::hypot(f.centre.x, f.centre.y) / radius;
        const double d = f.U.z / velocity - cfd::powerLawProfile(std::min(r, 1.0), n);
        squares += d * d * f.area;
        area += f.area;
    }
    const double profileDeviation = std::sqrt(squares / area);
    const bool within = std::abs(deviation) <= kPipeTolerance;
    if (json) {
        text = "{\"Re\": " + fixed(reynolds, 0) + ", \"friction\": " + fixed(friction, 5) + ", \"colebrookWhite\": "
               + fixed(colebrook, 5) + ", \"deviation\": " + fixed(deviation, 4) + ", \"profileExponent\": " + fixed(n, 2)
               + ", \"profileRmsDeviation\": " + fixed(profileDeviation, 4) + ", \"flow\": ";
        appendFlowJson(text, result, language);
        text.append("}\n");
    } else {
        appendFlowLines(text, result, language);
        const std::string signedDeviation = (deviation >= 0 ? "+" : "") + fixed(100 * deviation, 1);
        if (language == Language::Chinese)
            text += "pipe\tRe\t" + fixed(reynolds, 0) + "\npipe\tfriction\t计算值 " + fixed(friction, 5)
                    + "，Colebrook-White 公式 " + fixed(colebrook, 5) + "，偏差 " + signedDeviation + "%"
                    + (within ? "" : "（超出 6%）") + "\npipe\tprofile\tu/U 与幂律分布（n " + fixed(n, 2)
                    + "）的均方根偏差 " + fixed(profileDeviation, 3) + "\n";
        else
            text += "pipe\tRe\t" + fixed(reynolds, 0) + "\npipe\tfriction\t" + fixed(friction, 5) + " computed, "
                    + fixed(colebrook, 5) + " Colebrook-White, " + signedDeviation + " %"
                    + (within ? "" : " (beyond 6 %)") + "\npipe\tprofile\trms of u/U from the power law (n "
                    + fixed(n, 2) + ") " + fixed(profileDeviation, 3) + "\n";
    }
    out << text;
    return within ? 0 : 1;
}

}  // namespace inlet
