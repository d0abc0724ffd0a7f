#include "FlowResult.h"

#include <charconv>
#include <fstream>
#include <sstream>
#include <stdexcept>

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
           + num(f.totalHead) + " " + std::to_string(f.faces);
}

SectionFigures readFigures(std::istringstream& in)
{
    SectionFigures f;
    std::string a, q, u, vu, th, ht;
    in >> a >> q >> u >> vu >> th >> ht >> f.faces;
    f.area = toDouble(a), f.flow = toDouble(q), f.meanAxial = toDouble(u), f.uniformity = toDouble(vu);
    f.angle = toDouble(th), f.totalHead = toDouble(ht);
    return f;
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
    s << "status " << statusName(r.status) << "\nstage " << r.stage << "\nreason " << r.reason << "\nlevel " << r.level
      << "\ncells " << r.cells << "\nprocesses " << r.processes << "\niterations " << r.iterations << "\nflow "
      << num(r.flow) << "\nseconds " << num(r.seconds) << "\n";
    for (const auto& [name, value] : r.residuals)
        s << "residual " << name << " " << num(value) << "\n";
    s << "yplus " << num(r.yPlusMin) << " " << num(r.yPlusMax) << " " << num(r.yPlusMean) << " " << num(r.yPlusInRange)
      << "\ninlet " << figures(r.inlet) << "\n";
    for (const SectionResult& section : r.sections)
        s << "section " << section.name << " " << num(section.headLoss) << " " << figures(section.figures) << " "
          << section.caption << "\n";
    const std::filesystem::path temporary = file.string() + ".new";
    std::ofstream out(temporary, std::ios::binary);
    out << s.str();
    out.close();
    if (!out)
        throw std::runtime_error("cannot write " + temporary.string());
    std::filesystem::rename(temporary, file);
}

FlowResult readResult(const std::filesystem::path& file)
{
    std::ifstream in(file);
    if (!in)
        throw std::runtime_error("cannot read " + file.string());
    FlowResult r;
    for (std::string line; std::getline(in, line);) {
        std::istringstream fields(line);
        std::string key;
        fields >> key;
        std::string rest;
        std::getline(fields >> std::ws, rest);
        std::istringstream values(rest);
        if (key == "status") {
            for (const auto& s : kStatuses)
                if (rest == s.name)
                    r.status = s.status;
        } else if (key == "stage") {
            r.stage = rest;
        } else if (key == "reason") {
            r.reason = rest;
        } else if (key == "level") {
            r.level = rest;
        } else if (key == "cells") {
            r.cells = std::stoi(rest);
        } else if (key == "processes") {
            r.processes = std::stoi(rest);
        } else if (key == "iterations") {
            r.iterations = std::stoi(rest);
        } else if (key == "flow") {
            r.flow = toDouble(rest);
        } else if (key == "seconds") {
            r.seconds = toDouble(rest);
        } else if (key == "residual") {
            std::string name, value;
            values >> name >> value;
            r.residuals[name] = toDouble(value);
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
        }
    }
    return r;
}

}  // namespace inlet::cfd
