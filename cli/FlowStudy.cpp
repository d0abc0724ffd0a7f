#include "cli/FlowStudy.h"

#include "run/CalculationRun.h"
#include "cli/CheckedOutput.h"
#include "cli/CommandLineError.h"
#include "cli/CsvBatch.h"
#include "cli/CsvReader.h"
#include "document/DesignFile.h"
#include "cli/Options.h"
#include "openfoam/Process.h"
#include "files/SaveFile.h"
#include "cli/ShellWord.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <thread>
#ifndef _WIN32
#include <unistd.h>
#endif

namespace inlet {

namespace fs = std::filesystem;

namespace {

struct StudyCase {
    std::optional<cfd::FlowCase> flowCase;  // none: no case for this row
    fs::path dir;
    std::optional<Failure> failure;         // why there is no case
};

// Each section's figures: Vu, theta over the whole velocity across the axis and over the swirl
// alone, the loss and the backflow's share of the area and of the flow; the pump inlet's also
// over the annulus outside the guide cone's top.
constexpr const char* kFlowSections[] = {"cone_inlet", "pump_inlet", "pump_inlet_annulus"};
constexpr int kSectionColumns = 6;
constexpr const char* kFlowColumns =
    "flow_status,Vu_cone_inlet,theta_cone_inlet,theta_swirl_cone_inlet,loss_cone_inlet,backflow_area_cone_inlet,"
    "backflow_flow_cone_inlet,Vu_pump_inlet,theta_pump_inlet,theta_swirl_pump_inlet,loss_pump_inlet,"
    "backflow_area_pump_inlet,backflow_flow_pump_inlet,Vu_pump_inlet_annulus,theta_pump_inlet_annulus,"
    "theta_swirl_pump_inlet_annulus,loss_pump_inlet_annulus,backflow_area_pump_inlet_annulus,"
    "backflow_flow_pump_inlet_annulus,yplus_share_30_300,cells,iterations,flow_error";

std::string fixed(double v, int decimals)
{
    char buffer[64];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::fixed, decimals).ptr;
    return std::string(buffer, end);
}

std::string csvField(const std::string& field)
{
    if (field.find_first_of(",\"\r\n") == std::string::npos)
        return field;
    std::string out = "\"";
    for (const char c : field)
        out.append(c == '"' ? "\"\"" : std::string(1, c));
    return out + "\"";
}

// The flow's columns of a design; the status words stay the same in both languages, for
// scripts, the error is in `language`.
std::string flowCells(const StudyCase& c, Language language)
{
    // The columns after the status and before the error, empty.
    const std::string empty(std::size(kFlowSections) * kSectionColumns + 3, ',');
    if (!c.flowCase)
        return "no case," + empty + csvField(c.failure ? render(*c.failure, language) : std::string());
    cfd::FlowResult r;
    try {
        r = cfd::readResult(c.dir / "results");
    } catch (const Failure&) {
        return "not run," + empty
               + csvField(render(Failure{.kind = Failure::Kind::FlowNoResults, .file = c.dir.string()}, language));
    }
    std::string s = cfd::statusName(r.status);
    for (const char* name : kFlowSections) {
        const cfd::SectionResult* section = r.section(name);
        if (r.status == cfd::RunStatus::Settled && section)
            s += "," + fixed(section->figures.uniformity, 2) + "," + fixed(section->figures.angle, 2) + ","
                 + fixed(section->figures.swirlAngle, 2) + "," + fixed(section->headLoss, 4) + ","
                 + fixed(section->figures.backflowArea, 4) + "," + fixed(section->figures.backflowFlow, 4);
        else
            s += std::string(kSectionColumns, ',');
    }
    s += "," + (r.status == cfd::RunStatus::Settled ? fixed(r.yPlusInRange, 3) : std::string()) + ","
         + std::to_string(r.cells) + "," + std::to_string(r.iterations) + ","
         + csvField(r.failure ? render(*r.failure, language) : std::string());
    return s;
}

}  // namespace

std::string selfPath()
{
#ifdef _WIN32
    return "inlet-calc";
#else
    char buffer[4096];
    const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    return n > 0 ? std::string(buffer, static_cast<std::size_t>(n)) : std::string("inlet-calc");
#endif
}

namespace {

// Runs a program and returns what it printed, trimmed; empty when it failed.
std::string capture(const std::vector<std::string>& args, const fs::path& dir)
{
    const fs::path out = dir / ".capture";
    fs::remove(out);
    const cfd::ProcessResult r = cfd::runProcess(args, dir, {}, out, {});
    std::ifstream in(out);
    std::string text((std::istreambuf_iterator<char>(in)), {});
    fs::remove(out);
    while (!text.empty() && (text.back() == '\n' || text.back() == ' '))
        text.pop_back();
    return r.exitCode == 0 ? text : std::string();
}

// The array's task numbers as sbatch takes them, runs joined: 1, 2, 3, 5 as "1-3,5".
std::string taskRanges(const std::vector<int>& tasks)
{
    std::string list;
    for (std::size_t i = 0; i < tasks.size(); ++i) {
        if (i > 0 && tasks[i - 1] + 1 == tasks[i])
            continue;
        std::size_t last = i;
        while (last + 1 < tasks.size() && tasks[last + 1] == tasks[last] + 1)
            ++last;
        list.append(list.empty() ? "" : ",").append(std::to_string(tasks[i]));
        if (last > i)
            list.append("-").append(std::to_string(tasks[last]));
    }
    return list;
}

// Saves a file of the study; a failure ends the study with status 1.
void saveStudyFile(const fs::path& path, const std::string& text)
{
    try {
        saveFileAtomically(path.string(), text);
    } catch (const Failure& f) {
        throw CommandLineError{CommandLineError::kUnfinished, f};
    }
}

}  // namespace

std::vector<std::string> caseRunArguments(const FlowOptions& options)
{
    std::vector<std::string> args{"--run", "--np", std::to_string(options.processes), "--iterations",
                                  std::to_string(options.iterations)};
    if (options.cells)
        args.insert(args.end(), {"--cells", std::to_string(*options.cells)});
    else
        args.insert(args.end(), {"--mesh", cfd::levelName(options.level)});
    // The case's own inputs, as they were given: each job's case is named by them, so a job
    // without them would find another case in its folder.
    const auto millimetres = [&](const char* option, double mm) {
        char buffer[64];
        const auto end = std::to_chars(buffer, buffer + sizeof buffer, mm).ptr;
        args.insert(args.end(), {option, std::string(buffer, end)});
    };
    if (options.passageLength)
        millimetres("--length", *options.passageLength);
    if (options.outletExtension)
        millimetres("--outlet-extension", *options.outletExtension);
    if (options.roughness > 0)
        millimetres("--roughness", options.roughness);
    if (options.hubDiameter)
        millimetres("--hub-diameter", *options.hubDiameter);
    return args;
}

std::string submitCaseArray(const std::vector<int>& taskList, const std::string& caseFolder, const FlowOptions& options,
                            const fs::path& dir, std::ostream& err, Language language)
{
    const std::string tasks = taskRanges(taskList);
    if (tasks.empty())
        return {};
    const std::size_t count = taskList.size();
    std::string settings;
    for (const std::string& word : caseRunArguments(options))
        settings += " " + word;  // options and numbers: no word the shell reads otherwise
    const fs::path root = fs::absolute(dir);
    // The job's output beside the cases: sbatch takes the path relative to the folder it
    // runs in, which is `root`.
    const std::string script = "#!/bin/sh\n#SBATCH --job-name=inlet-study\n#SBATCH --ntasks=1\n#SBATCH --cpus-per-task="
                               + std::to_string(options.processes) + "\n#SBATCH --output=slurm-%A_%a.out\n#SBATCH --array="
                               + tasks + "\ncase=" + caseFolder + "\nexec "
                               + shellWord(selfPath()) + " --open \"$case/design.inlet\" --cfd \"$case\"" + settings + "\n";
    saveStudyFile(root / "study.sbatch", script);
    const std::string job = capture({"sbatch", "--parsable", (root / "study.sbatch").string()}, root);
    if (job.empty())
        throw CommandLineError{CommandLineError::kUnfinished,
                               Failure{.kind = Failure::Kind::StudyRefused, .file = (root / "study.sbatch").string()}};
    const std::string id = job.substr(0, job.find(';'));
    if (language == Language::Chinese)
        err << "inlet-calc: 研究已作为 Slurm 作业 " << id << " 提交，共 " << count << " 个算例" << std::endl;
    else
        err << "inlet-calc: the study is Slurm job " << id << ", " << count << " cases" << std::endl;
    return id;
}

bool slurmJobWaiting(const std::string& id, const fs::path& dir)
{
    const std::string states = capture({"squeue", "-h", "-j", id, "-t", "all", "-o", "%T"}, fs::absolute(dir));
    std::istringstream lines(states);
    for (std::string state; std::getline(lines, state);)
        if (state == "PENDING" || state == "RUNNING" || state == "CONFIGURING" || state == "COMPLETING"
            || state == "SUSPENDED" || state == "REQUEUED" || state == "RESIZING")
            return true;
    return false;
}

void cancelSlurmJob(const std::string& id, const fs::path& dir)
{
    capture({"scancel", id}, fs::absolute(dir));
}

void waitForSlurmJob(const std::string& id, const fs::path& dir, std::ostream& err, Language language,
                     const std::function<void()>& poll)
{
    const fs::path root = fs::absolute(dir);
    const InterruptWatch watch;
    for (;;) {
        if (InterruptWatch::requested()) {
            capture({"scancel", id}, root);
            err << (language == Language::Chinese ? "inlet-calc: 已取消作业 " : "inlet-calc: cancelled job ") << id
                << std::endl;
            break;
        }
        if (!slurmJobWaiting(id, root))
            break;
        if (poll)
            poll();
        std::this_thread::sleep_for(std::chrono::seconds(2));
    }
}

void runCaseArray(const std::vector<int>& tasks, const std::string& caseFolder, const FlowOptions& options,
                  const fs::path& dir, std::ostream& err, Language language)
{
    const std::string id = submitCaseArray(tasks, caseFolder, options, dir, err, language);
    if (!id.empty())
        waitForSlurmJob(id, dir, err, language);
}

namespace {

// One array task per case, task N for the design DIR/design-N.
void runOnSlurm(const std::vector<StudyCase>& cases, const FlowOptions& options, const fs::path& dir, std::ostream& err,
                Language language)
{
    std::vector<int> tasks;
    for (std::size_t i = 0; i < cases.size(); ++i)
        if (cases[i].flowCase)
            tasks.push_back(int(i + 1));
    runCaseArray(tasks, shellWord(fs::absolute(dir).string()) + "/design-\"$SLURM_ARRAY_TASK_ID\"", options, dir, err,
                 language);
}

}  // namespace

bool studyThroughSlurm(const FlowOptions& options)
{
    return !options.local && !cfd::findProgram("sbatch").empty();
}

void runFlowStudy(std::istream& in, const std::string& source, const BoxTexts& defaults, const FlowOptions& options,
                  std::ostream& out, std::ostream& err, const NumberLocale& locale, Language language)
{
    const bool slurm = studyThroughSlurm(options);
    const std::string input((std::istreambuf_iterator<char>(in)), {});
    std::ostringstream batch;
    {
        std::istringstream csv(input);
        runCsvBatch(csv, source, defaults, true, WidthSet::Computed, batch, locale, language);
    }
    const fs::path dir = options.dir;
    std::error_code ec;
    fs::create_directories(dir, ec);

    // The designs once more, each that computes with a case of its own.
    std::vector<StudyCase> cases;
    std::istringstream csv(input);
    CsvReader reader(csv, source, [] {});
    CsvRecord record;
    reader.next(record);
    std::vector<Box> columns;
    for (const std::string& name : record.fields)
        columns.push_back(*inputNamed(name));
    while (reader.next(record)) {
        StudyCase c;
        c.dir = dir / ("design-" + std::to_string(cases.size() + 1));
        if (record.error) {
            c.failure = record.error;
        } else if (record.fields.size() != columns.size()) {
            c.failure = Failure{.kind = Failure::Kind::CsvFieldCount, .file = source};
            c.failure->line = record.line;
            c.failure->number = static_cast<long long>(record.fields.size());
            c.failure->limit = static_cast<long long>(columns.size());
        } else {
            BoxTexts boxes = defaults;
            for (std::size_t i = 0; i < columns.size(); ++i)
                boxes.type(columns[i], record.fields[i]);
            try {
                const Calculation calculation = runCalculation(boxes, locale);
                Design design = defaultDesign();
                for (const Box box : givenParameterBoxes())
                    design.texts[box] = QString::fromStdString(boxes.text(box));
                FlowOptions caseOptions = options;
                caseOptions.dir = c.dir.string();
                c.flowCase = writeDesignCase(calculation, design, caseOptions);
            } catch (const Failure& f) {
                // The design that does not compute, or its case that cannot be written.
                c.failure = f;
            }
        }
        cases.push_back(std::move(c));
    }

    if (slurm) {
        runOnSlurm(cases, options, dir, err, language);
    } else {
        for (const StudyCase& c : cases)
            if (c.flowCase)
                runWithProgress(*c.flowCase, c.dir, err, language);
    }

    // The batch's rows with the flow's columns.
    std::string gathered;
    std::istringstream rows(batch.str());
    std::string line;
    std::getline(rows, line);
    gathered += line + "," + kFlowColumns + "\n";
    for (const StudyCase& c : cases) {
        if (!std::getline(rows, line))
            break;
        gathered += line + "," + flowCells(c, language) + "\n";
    }
    // Printed first: a study.csv that cannot be saved leaves the figures on standard output.
    CheckedOutput output(out);
    output.text() = gathered;
    output.flush();
    saveStudyFile(dir / "study.csv", gathered);
}

}  // namespace inlet
