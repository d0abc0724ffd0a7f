#include "openfoam/FlowResult.h"

#include "files/SaveFile.h"

#include <cerrno>
#include <charconv>
#include <fstream>
#include <sstream>

namespace inlet::cfd {

namespace {

constexpr struct {
    RunStatus status;
    const char* name;
} kStatuses[] = {
    {RunStatus::Settled, "settled"},
    {RunStatus::IterationLimit, "iteration-limit"},
    {RunStatus::Cancelled, "cancelled"},
    {RunStatus::Failed, "failed"},
};

std::string num(double v)
{
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, v).ptr;
    return std::string(buffer, end);
}

int toInt(const std::string& s)
{
    int v = 0;
    std::from_chars(s.data(), s.data() + s.size(), v);
    return v;
}

double toDouble(const std::string& s)
{
    double v = 0;
    std::from_chars(s.data(), s.data() + s.size(), v);
    return v;
}

// The figures of a section as the values after its key, in this order.
std::string figures(const SectionFigures& f)
{
    return num(f.area) + " " + num(f.flow) + " " + num(f.meanAxial) + " " + num(f.uniformity) + " " + num(f.angle) + " "
           + num(f.totalHead) + " " + std::to_string(f.faces) + " " + num(f.backflowArea) + " " + num(f.backflowFlow) + " "
           + num(f.swirlAngle);
}

// A figure a record written by an earlier version may lack: the next word when it is a number,
// else nothing read (the section's caption follows).
bool optionalFigure(std::istringstream& in, double& value)
{
    const auto at = in.tellg();
    std::string word;
    if (in >> word) {
        const auto r = std::from_chars(word.data(), word.data() + word.size(), value);
        if (r.ec == std::errc() && r.ptr == word.data() + word.size())
            return true;
    }
    in.clear();
    in.seekg(at);
    return false;
}

SectionFigures readFigures(std::istringstream& in)
{
    SectionFigures f;
    std::string a, q, u, vu, th, ht;
    in >> a >> q >> u >> vu >> th >> ht >> f.faces;
    f.area = toDouble(a), f.flow = toDouble(q), f.meanAxial = toDouble(u), f.uniformity = toDouble(vu);
    f.angle = toDouble(th), f.totalHead = toDouble(ht);
    // A record written before backflow or the swirl's angle were kept has none: it reads as none.
    if (optionalFigure(in, f.backflowArea))
        optionalFigure(in, f.backflowFlow);
    optionalFigure(in, f.swirlAngle);
    return f;
}

// A text on one line: backslashes, line feeds and carriage returns escaped.
std::string escaped(const std::string& text)
{
    std::string out;
    for (const char c : text)
        out.append(c == '\\' ? "\\\\" : c == '\n' ? "\\n" : c == '\r' ? "\\r" : std::string(1, c));
    return out;
}

std::string unescaped(const std::string& text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out.push_back(text[i]);
            continue;
        }
        const char next = text[++i];
        out.push_back(next == 'n' ? '\n' : next == 'r' ? '\r' : next);
    }
    return out;
}

// The failure's facts, one per line, so that a study (another process) says it in its own
// language; its English words too, for a reader of the file and to tell that the facts
// still mean the same kind when another version of the program reads them.
std::string failureLines(const Failure& f)
{
    std::ostringstream s;
    s << "reason " << escaped(render(f, Language::English)) << "\nfailure " << static_cast<int>(f.kind) << " "
      << f.line << " " << f.number << " " << f.limit << " " << f.error << " " << static_cast<int>(f.stage)
      << "\nfailure-file " << escaped(f.file) << "\nfailure-item " << escaped(f.item) << "\nfailure-other "
      << escaped(f.other) << "\nfailure-detail " << escaped(f.detail) << "\n";
    return s.str();
}

FlowStage stageNamed(const std::string& name)
{
    for (const FlowStage stage : {FlowStage::Case, FlowStage::Mesh, FlowStage::Decompose, FlowStage::Solve,
                                  FlowStage::Evaluate})
        if (flowStageName(stage, Language::English) == name)
            return stage;
    return FlowStage::None;
}

}  // namespace

const char* statusName(RunStatus status)
{
    for (const auto& s : kStatuses)
        if (s.status == status)
            return s.name;
    return "";
}

const SectionResult* FlowResult::section(const std::string& name) const
{
    for (const SectionResult& s : sections)
        if (s.name == name)
            return &s;
    return nullptr;
}

void writeResult(const FlowResult& r, const std::filesystem::path& file)
{
    std::ostringstream s;
    s << "status " << statusName(r.status) << "\n";
    if (r.failure)
        s << "stage " << flowStageName(r.failure->stage, Language::English) << "\n" << failureLines(*r.failure);
    s << "level " << r.level
      << "\ncells " << r.cells << "\nprocesses " << r.processes << "\niterations " << r.iterations << "\nflow "
      << num(r.flow) << "\nseconds " << num(r.seconds) << "\n";
    for (const auto& [name, value] : r.residuals)
        s << "residual " << name << " " << num(value) << "\n";
    s << "meshquality " << num(r.nonOrthogonality) << " " << num(r.skewness) << "\n";
    s << "yplus " << num(r.yPlusMin) << " " << num(r.yPlusMax) << " " << num(r.yPlusMean) << " " << num(r.yPlusInRange)
      << "\ninlet " << figures(r.inlet) << "\n";
    for (const SectionResult& section : r.sections)
        s << "section " << section.name << " " << num(section.headLoss) << " " << figures(section.figures) << " "
          << section.caption << "\n";
    // The window the sections' figures are means over, and each one's band there.
    if (r.averagedTo > 0) {
        s << "averaged " << r.averagedFrom << " " << r.averagedTo << "\n";
        for (const SectionResult& section : r.sections)
            s << "band " << section.name << " " << num(section.uniformityBand.low) << " "
              << num(section.uniformityBand.high) << " " << num(section.angleBand.low) << " "
              << num(section.angleBand.high) << " " << num(section.lossBand.low) << " " << num(section.lossBand.high)
              << (section.swirlAngleBand ? " " + num(section.swirlAngleBand->low) + " " + num(section.swirlAngleBand->high) : "")
              << "\n";
    }
    saveFileAtomically(file.string(), s.str());
}

FlowResult readResult(const std::filesystem::path& file)
{
    std::ifstream in(file);
    if (!in)
        throw systemFailure(Failure::Kind::CannotOpen, file.string(), errno);
    FlowResult r;
    Failure kept;
    bool failureKept = false;
    std::string stage, reason;
    for (std::string line; std::getline(in, line);) {
        std::istringstream fields(line);
        std::string key;
        fields >> key;
        std::string rest;
        std::getline(fields >> std::ws, rest);
        std::istringstream values(rest);
        // A text as written, leading blanks too.
        const std::string text = unescaped(line.substr(std::min(line.size(), key.size() + 1)));
        if (key == "status") {
            for (const auto& s : kStatuses)
                if (rest == s.name)
                    r.status = s.status;
        } else if (key == "stage") {
            stage = rest;
        } else if (key == "reason") {
            reason = text;
        } else if (key == "failure") {
            int kind = -1, stageIndex = 0;
            values >> kind >> kept.line >> kept.number >> kept.limit >> kept.error >> stageIndex;
            failureKept = kind >= 0 && static_cast<std::size_t>(kind) < failureKindCount() && stageIndex >= 0
                          && stageIndex <= static_cast<int>(FlowStage::Evaluate);
            kept.kind = static_cast<Failure::Kind>(failureKept ? kind : 0);
            kept.stage = static_cast<FlowStage>(failureKept ? stageIndex : 0);
        } else if (key == "failure-file") {
            kept.file = text;
        } else if (key == "failure-item") {
            kept.item = text;
        } else if (key == "failure-other") {
            kept.other = text;
        } else if (key == "failure-detail") {
            kept.detail = text;
        } else if (key == "level") {
            r.level = rest;
        } else if (key == "cells") {
            r.cells = toInt(rest);
        } else if (key == "processes") {
            r.processes = toInt(rest);
        } else if (key == "iterations") {
            r.iterations = toInt(rest);
        } else if (key == "flow") {
            r.flow = toDouble(rest);
        } else if (key == "seconds") {
            r.seconds = toDouble(rest);
        } else if (key == "residual") {
            std::string name, value;
            values >> name >> value;
            r.residuals[name] = toDouble(value);
        } else if (key == "meshquality") {
            std::string a, b;
            values >> a >> b;
            r.nonOrthogonality = toDouble(a), r.skewness = toDouble(b);
            // Results kept before checkMesh's figures were write zeros; no checked mesh has both.
            r.meshChecked = r.nonOrthogonality > 0 || r.skewness > 0;
        } else if (key == "yplus") {
            std::string a, b, c, d;
            values >> a >> b >> c >> d;
            r.yPlusMin = toDouble(a), r.yPlusMax = toDouble(b), r.yPlusMean = toDouble(c), r.yPlusInRange = toDouble(d);
        } else if (key == "inlet") {
            r.inlet = readFigures(values);
        } else if (key == "section") {
            SectionResult s;
            std::string loss;
            values >> s.name >> loss;
            s.headLoss = toDouble(loss);
            s.figures = readFigures(values);
            std::getline(values >> std::ws, s.caption);
            r.sections.push_back(s);
        } else if (key == "averaged") {
            values >> r.averagedFrom >> r.averagedTo;
        } else if (key == "band") {
            std::string name, v[8];
            values >> name >> v[0] >> v[1] >> v[2] >> v[3] >> v[4] >> v[5];
            // theta_s's band last, where it was kept.
            const bool swirl = static_cast<bool>(values >> v[6] >> v[7]);
            for (SectionResult& s : r.sections)
                if (s.name == name) {
                    s.uniformityBand = {toDouble(v[0]), toDouble(v[1])};
                    s.angleBand = {toDouble(v[2]), toDouble(v[3])};
                    s.lossBand = {toDouble(v[4]), toDouble(v[5])};
                    if (swirl)
                        s.swirlAngleBand = Band{toDouble(v[6]), toDouble(v[7])};
                }
        }
    }
    if (r.status == RunStatus::Failed) {
        if (failureKept && render(kept, Language::English) == reason) {
            r.failure = kept;
        } else {
            r.failure = Failure{.kind = Failure::Kind::FlowEarlierFailure, .file = file.parent_path().string()};
            r.failure->stage = stageNamed(stage);
        }
    }
    return r;
}

}  // namespace inlet::cfd
