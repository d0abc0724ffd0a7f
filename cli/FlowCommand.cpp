#include "FlowCommand.h"

#include "CaseFolder.h"
#include "CfdError.h"
#include "Friction.h"
#include "PipeCase.h"
#include "Pipeline.h"
#include "VtkSurface.h"

#include <QJsonDocument>

#include <charconv>
#include <cmath>
#include <csignal>
#include <ostream>

namespace inlet {

namespace fs = std::filesystem;

namespace {

std::string fixed(double v, int decimals)
{
    char buffer[64];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::fixed, decimals).ptr;
    return std::string(buffer, end);
}

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

std::string meshText(const cfd::FlowResult& r)
{
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

void appendFlowLines(std::string& text, const cfd::FlowResult& r)
{
    auto line = [&](const std::string& name, const std::string& value) {
        text.append("flow\t").append(name).append("\t").append(value).append("\n");
    };
    line("status", cfd::statusName(r.status));
    if (r.status == cfd::RunStatus::Failed) {
        line("failed", r.stage + ": " + r.reason);
        return;
    }
    line("mesh", meshText(r));
    line("iterations", std::to_string(r.iterations));
    line("residuals", residualText(r));
    if (r.status != cfd::RunStatus::Settled) {
        line("figures", r.status == cfd::RunStatus::Cancelled
                            ? "none: the run was cancelled; the same command resumes it"
                            : "none: the figures had not settled at the iteration limit; a higher --iterations resumes it");
        return;
    }
    line("y+", fixed(r.yPlusMin, 1) + " to " + fixed(r.yPlusMax, 1) + ", mean " + fixed(r.yPlusMean, 1) + ", "
                   + fixed(100 * r.yPlusInRange, 0) + " % of the wall area within 30 to 300");
    line("Q", general(r.flow) + " m3/s given, " + general(r.inlet.flow) + " m3/s through the inlet");
    for (const cfd::SectionResult& s : r.sections)
        line(s.name, "Vu " + fixed(s.figures.uniformity, 1) + " %, theta " + fixed(s.figures.angle, 1) + " deg, loss "
                         + fixed(s.headLoss, 4) + " m, Q " + general(s.figures.flow) + " m3/s");
}

void appendFlowJson(std::string& text, const cfd::FlowResult& r)
{
    text += QJsonDocument(flowResultObject(r)).toJson(QJsonDocument::Compact).toStdString();
}

cfd::FlowResult runWithProgress(const cfd::FlowCase& flowCase, const fs::path& dir, std::ostream& err)
{
    const InterruptWatch watch;
    cfd::RunControl control;
    std::string lastStage;
    int lastEvaluation = -1;
    control.cancelled = [] { return InterruptWatch::requested(); };
    control.progress = [&](const cfd::Progress& p) {
        if (p.stage != lastStage) {
            lastStage = p.stage;
            err << "inlet-calc: " << p.stage << " " << dir.string() << std::endl;
        }
        if (p.iteration && p.iteration->number / flowCase.solver.sampleInterval != lastEvaluation) {
            lastEvaluation = p.iteration->number / flowCase.solver.sampleInterval;
            err << "inlet-calc: iteration " << p.iteration->number;
            for (const auto& [name, value] : p.iteration->residuals)
                err << " " << name << " " << scientific(value);
            if (p.figures)
                for (const cfd::SectionResult& s : p.figures->sections)
                    err << "; " << s.name << " Vu " << fixed(s.figures.uniformity, 2) << " % theta "
                        << fixed(s.figures.angle, 2) << " loss " << fixed(s.headLoss, 4) << " m";
            err << std::endl;
        }
    };
    return cfd::runCase(flowCase, dir, control);
}

int flowForDesign(const Calculation& calculation, const Design& design, const FlowOptions& options, bool json,
                  std::string& text, std::ostream& err, cfd::FlowResult& result)
{
    try {
        const cfd::FlowCase flowCase = writeDesignCase(calculation, design, options);
        const fs::path dir = options.dir;
        if (options.run) {
            result = runWithProgress(flowCase, dir, err);
            result.level = levelText(options);
        } else if (fs::exists(dir / "results")) {
            result = cfd::readResult(dir / "results");
        } else {
            err << "inlet-calc: the case is written in " << dir.string() << "; --run computes it\n";
            if (json)
                text.append("\"flow\": {\"status\": \"written\"}");
            result.status = cfd::RunStatus::Cancelled;
            return 0;
        }
    } catch (const cfd::CfdError& e) {
        result.status = cfd::RunStatus::Failed;
        result.stage = cfd::stageName(e.stage());
        result.reason = e.reason();
    } catch (const std::exception& e) {
        result.status = cfd::RunStatus::Failed;
        result.stage = cfd::stageName(cfd::Stage::Case);
        result.reason = e.what();
    }
    if (json) {
        text.append("\"flow\": ");
        appendFlowJson(text, result);
    } else {
        appendFlowLines(text, result);
    }
    return result.status == cfd::RunStatus::Settled ? 0 : 1;
}

int flowForPipe(const FlowOptions& options, bool json, std::ostream& out, std::ostream& err)
{
    const cfd::Pipe pipe;
    cfd::FlowCase flowCase = cfd::pipeCase(pipe);
    applySettings(flowCase, options);
    cfd::FlowResult result;
    std::string text;
    try {
        cfd::prepareCaseFolder(flowCase, options.dir,
                               "validation pipe | mesh " + levelText(options) + " " + std::to_string(cellsFor(options))
                                   + " background cells",
                               options.force);
        if (!options.run) {
            err << "inlet-calc: the case is written in " << options.dir << "; --run computes it\n";
            return 0;
        }
        result = runWithProgress(flowCase, options.dir, err);
        result.level = levelText(options);
    } catch (const cfd::CfdError& e) {
        result.status = cfd::RunStatus::Failed;
        result.stage = cfd::stageName(e.stage());
        result.reason = e.reason();
    }
    if (result.status != cfd::RunStatus::Settled) {
        if (json)
            appendFlowJson(text, result), text.push_back('\n');
        else
            appendFlowLines(text, result);
        out << text;
        return 1;
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
    const fs::path latest = fs::path(options.dir) / "postProcessing" / "sections" / std::to_string(result.iterations);
    const auto faces = cfd::sectionFaces(cfd::readVtkSurface(latest / "downstream.vtk"), {0, 0, 1});
    const double radius = pipe.diameter / 2 * std::cos(3.14159265358979 / 48);  // the inscribed polygon's
    for (const cfd::SectionFace& f : faces) {
        const double r = std::hypot(f.centre.x, f.centre.y) / radius;
        const double d = f.U.z / velocity - cfd::powerLawProfile(std::min(r, 1.0), n);
        squares += d * d * f.area;
        area += f.area;
    }
    const double profileDeviation = std::sqrt(squares / area);
    const bool within = std::abs(deviation) <= 0.10;
    if (json) {
        text = "{\"Re\": " + fixed(reynolds, 0) + ", \"friction\": " + fixed(friction, 5) + ", \"colebrookWhite\": "
               + fixed(colebrook, 5) + ", \"deviation\": " + fixed(deviation, 4) + ", \"profileExponent\": " + fixed(n, 2)
               + ", \"profileRmsDeviation\": " + fixed(profileDeviation, 4) + ", \"flow\": ";
        appendFlowJson(text, result);
        text.append("}\n");
    } else {
        appendFlowLines(text, result);
        text += "pipe\tRe\t" + fixed(reynolds, 0) + "\npipe\tfriction\t" + fixed(friction, 5) + " computed, "
                + fixed(colebrook, 5) + " Colebrook-White, " + (deviation >= 0 ? "+" : "") + fixed(100 * deviation, 1)
                + " %" + (within ? "" : " (beyond 10 %)") + "\npipe\tprofile\trms of u/U from the power law (n "
                + fixed(n, 2) + ") " + fixed(profileDeviation, 3) + "\n";
    }
    out << text;
    return within ? 0 : 1;
}

}  // namespace inlet
