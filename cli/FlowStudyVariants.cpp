#include "cli/FlowStudyVariants.h"

#include "boxes/BoxTexts.h"
#include "cli/CommandLineError.h"
#include "cli/FlowCommand.h"
#include "cli/FlowStudy.h"
#include "cli/ShellWord.h"
#include "document/FlowTrust.h"
#include "drawing/Figures.h"
#include "files/SaveFile.h"
#include "openfoam/Process.h"
#include "openfoam/ProcessCount.h"
#include "run/CalculationRun.h"
#include "study/ResponseSurface.h"
#include "study/StudyOptimiser.h"
#include "study/SurfaceOptimiser.h"
#include "study/UnheldConstraints.h"

#include <algorithm>
#include <chrono>
#include <fstream>
#include <map>
#include <ostream>
#include <thread>
#ifndef _WIN32
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace inlet {

namespace fs = std::filesystem;

namespace {

// The section whose figures the study shows and optimises: where the pump takes the flow.
constexpr const char* kSection = "pump_inlet";

CommandLineError unfinished(Failure failure)
{
    return {CommandLineError::kUnfinished, std::move(failure)};
}

BoxTexts boxesOf(const Design& design)
{
    BoxTexts boxes;
    for (const auto& [box, text] : design.texts)
        boxes.type(box, text.toStdString());
    return boxes;
}

// A result a rerun keeps: one that ran to its end. A cancelled run resumes; a failed one is
// tried again (OpenFOAM missing, a node lost).
std::optional<cfd::FlowResult> keptResult(const fs::path& caseDir)
{
    try {
        cfd::FlowResult r = cfd::readResult(caseDir / "results");
        if (r.status == cfd::RunStatus::Settled || r.status == cfd::RunStatus::IterationLimit)
            return r;
    } catch (const Failure&) {
    }
    return std::nullopt;
}

FlowVariant gathered(const fs::path& caseDir, Design design)
{
    FlowVariant v;
    v.design = std::move(design);
    v.caseDir = caseDir;
    try {
        v.result = cfd::readResult(caseDir / "results");
    } catch (const Failure&) {
        v.noResult = "not run";
        v.failure = Failure{.kind = Failure::Kind::FlowNoResults, .file = caseDir.string()};
    }
    return v;
}

// The case of a design written into `caseDir`, an out-of-date one there replaced (the study
// owns its cases). Throws the Failure saying why there is none.
cfd::FlowCase writeCase(const Design& design, const FlowOptions& options, const fs::path& caseDir,
                        const NumberLocale& locale)
{
    BoxTexts boxes = boxesOf(design);
    const Calculation calculation = runCalculation(boxes, locale);
    FlowOptions o = options;
    o.dir = caseDir.string();
    o.force = true;
    return writeDesignCase(calculation, design, o);
}

// The Slurm job a study's cases were last submitted as, kept in `jobFile`.
std::string earlierJob(const fs::path& jobFile)
{
    std::ifstream in(jobFile);
    std::string id;
    std::getline(in, id);
    return id;
}

// Where the study was stopped while its job went on (killed, the terminal closed; Ctrl-C
// cancels the job): a rerun waits for that job rather than submitting its cases twice. Returns
// whether it waited.
bool waitForEarlierJob(const fs::path& jobFile, const fs::path& dir, std::ostream& err, Language language)
{
    const std::string id = earlierJob(jobFile);
    if (id.empty() || !slurmJobWaiting(id, dir))
        return false;
    err << (language == Language::Chinese ? "inlet-calc: 等待先前提交的 Slurm 作业 " : "inlet-calc: waiting for the earlier Slurm job ")
        << id << std::endl;
    waitForSlurmJob(id, dir, err, language);
    return true;
}

// The tasks submitted as one job array, its id kept in `jobFile`, and waited for.
void submitAndWait(const std::vector<int>& tasks, const std::string& caseFolder, const FlowOptions& options,
                   const fs::path& dir, const fs::path& jobFile, std::ostream& err, Language language,
                   const std::function<void()>& poll = {})
{
    const std::string id = submitCaseArray(tasks, caseFolder, options, dir, err, language);
    if (id.empty())
        return;
    try {
        saveFileAtomically(jobFile.string(), id + "\n");
    } catch (const Failure& f) {
        // Without it a rerun could submit the same cases again while this job runs.
        cancelSlurmJob(id, dir);
        throw unfinished(f);
    }
    waitForSlurmJob(id, dir, err, language, poll);
}

#ifndef _WIN32
// Runs the cases in `dirs` here, `lanes` at a time, each as this program run on its case (as a
// Slurm task runs it), its output in the case's log.study. One thread starts them all (a
// thread that forks while another holds a lock would hang the child). Ctrl-C reaches each,
// which stops in an orderly way and keeps its case resumable; none is started after it.
// `ended` is called as each case's run ends (or could not start).
void runSideBySide(const std::vector<fs::path>& dirs, const FlowOptions& options, std::size_t lanes, std::ostream& err,
                   Language language, const std::function<void()>& ended)
{
    const bool chinese = language == Language::Chinese;
    const std::string self = selfPath();
    const std::vector<std::string> settings = caseRunArguments(options);
    const InterruptWatch watch;
    std::map<pid_t, fs::path> running;
    std::size_t next = 0;
    bool interrupted = false;
    while ((!interrupted && next < dirs.size()) || !running.empty()) {
        while (!interrupted && next < dirs.size() && running.size() < lanes) {
            const fs::path& dir = dirs[next++];
            std::vector<std::string> args{self, "--open", (dir / "design.inlet").string(), "--cfd", dir.string()};
            args.insert(args.end(), settings.begin(), settings.end());
            std::vector<char*> argv;
            for (std::string& a : args)
                argv.push_back(a.data());
            argv.push_back(nullptr);
            const std::string log = (dir / "log.study").string();
            const pid_t parent = ::getpid();
            const pid_t pid = ::fork();
            if (pid == 0) {
                // A study killed outright (SIGKILL, the study window's 取消) takes its runs with
                // it: each stops on the SIGTERM as on Ctrl-C, its case resumable.
                cfd::endWithParent(parent);
                const int fd = ::open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
                if (fd >= 0) {
                    ::dup2(fd, 1);
                    ::dup2(fd, 2);
                    ::close(fd);
                }
                ::execv(argv[0], argv.data());
                ::_exit(127);
            }
            if (pid < 0) {
                ended();
                continue;  // not started: the case has no results, and its row says so
            }
            running[pid] = dir;
            err << "inlet-calc: " << (chinese ? "开始计算 " : "running ") << dir.string() << (chinese ? "（输出见 " : " (its output in ")
                << log << (chinese ? "）" : ")") << std::endl;
        }
        if (InterruptWatch::requested() && !interrupted) {
            interrupted = true;
            for (const auto& [pid, dir] : running)
                ::kill(pid, SIGINT);
        }
        int status = 0;
        const pid_t done = ::waitpid(-1, &status, WNOHANG);
        if (done > 0 && running.count(done)) {
            const fs::path dir = running[done];
            running.erase(done);
            std::string word = "not run";
            try {
                word = cfd::statusName(cfd::readResult(dir / "results").status);
            } catch (const Failure&) {
            }
            err << "inlet-calc: " << dir.string() << (chinese ? "：" : ": ") << word << std::endl;
            ended();
            continue;
        }
        if (done < 0 && errno == ECHILD)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
}
#endif

std::optional<double> objectiveFigure(const FlowVariant& v, const std::string& objective)
{
    if (!v.result || v.result->status != cfd::RunStatus::Settled)
        return std::nullopt;
    const cfd::SectionResult* s = v.result->section(kSection);
    if (!s)
        return std::nullopt;
    return objective == "loss" ? s->headLoss : objective == "vu" ? s->figures.uniformity : s->figures.angle;
}

std::string objectiveColumn(const std::string& objective)
{
    return (objective == "loss" ? "loss_" : objective == "vu" ? "Vu_" : "theta_") + std::string(kSection);
}

int objectiveDecimals(const std::string& objective)
{
    return objective == "loss" ? 4 : 2;
}

}  // namespace

bool flowObjective(const std::string& objective)
{
    return objective == "loss" || objective == "vu" || objective == "theta";
}

const std::vector<std::string>& flowColumnTitles()
{
    static const std::vector<std::string> titles{
        "flow_status",          "Vu_pump_inlet",    "theta_pump_inlet",     "theta_swirl_pump_inlet",
        "loss_pump_inlet",      "backflow_area_pump_inlet", "backflow_flow_pump_inlet", "flow_verdict",
        "flow_uncertainty",     "flow_verdict_reasons", "flow_error"};
    return titles;
}

std::vector<bool> flowColumnNumbers()
{
    return {false, true, true, true, true, true, true, false, false, false, false};
}

std::vector<std::string> flowColumnCells(const FlowVariant& v, const FlowOptions& options, const NumberLocale& locale,
                                         Language language)
{
    std::vector<std::string> cells(flowColumnTitles().size());
    if (!v.result) {
        cells.front() = v.noResult;
        cells.back() = v.failure ? render(*v.failure, language) : v.errorText;
        return cells;
    }
    const cfd::FlowResult& r = *v.result;
    cells[0] = cfd::statusName(r.status);
    const cfd::SectionResult* s = r.section(kSection);
    if (r.status == cfd::RunStatus::Settled && s) {
        cells[1] = fixedFigure(s->figures.uniformity, 2, locale);
        cells[2] = fixedFigure(s->figures.angle, 2, locale);
        cells[3] = fixedFigure(s->figures.swirlAngle, 2, locale);
        cells[4] = fixedFigure(s->headLoss, 4, locale);
        cells[5] = fixedFigure(s->figures.backflowArea, 4, locale);
        cells[6] = fixedFigure(s->figures.backflowFlow, 4, locale);
        // A single mesh: how far a finer one would move the figures is not known (a mesh
        // study, --mesh-study, gives each its band).
        cells[8] = "unknown";
    }
    FlowOptions caseOptions = options;
    caseOptions.dir = v.caseDir.string();
    const cfd::FlowVerdict verdict = flowVerdictOf(flowRecord(r, caseOptions, v.design));
    cells[7] = cfd::verdictName(verdict.verdict, Language::English);
    cells[9] = cfd::verdictLine(verdict, language);
    cells[10] = r.failure ? render(*r.failure, language) : std::string();
    return cells;
}

bool flowStudyThroughSlurm(const FlowOptions& options, bool slurm)
{
    const bool found = !cfd::findProgram("sbatch").empty();
    if (slurm && !found)
        throw unfinished(Failure{.kind = Failure::Kind::StudySlurmMissing});
    return slurm || (!options.local && found);
}

std::vector<FlowVariant> evaluateFlowVariants(const fs::path& dir, const std::vector<Design>& designs,
                                              const std::vector<std::string>& names,
                                              const std::vector<std::optional<std::string>>& failures,
                                              const FlowOptions& options, bool slurm, std::ostream& err,
                                              const NumberLocale& locale, Language language, StudyProgress& progress)
{
    const std::size_t n = designs.size();
    std::vector<FlowVariant> flows(n);
    std::vector<std::optional<cfd::FlowCase>> cases(n);
    std::vector<std::size_t> toRun;
    const auto caseDir = [&](std::size_t i) { return dir / "cases" / fs::path(names[i]).stem(); };
    for (std::size_t i = 0; i < n; ++i) {
        flows[i].design = designs[i];
        flows[i].caseDir = caseDir(i);
        flows[i].noResult = "no case";
        // Its case and its run: both steps done at once where there is nothing to run.
        if (failures[i]) {
            flows[i].errorText = *failures[i];
            progress.step(2);
            continue;
        }
        try {
            cases[i] = writeCase(designs[i], options, caseDir(i), locale);
        } catch (const Failure& f) {
            flows[i].failure = f;  // no section shape, a solid that cannot be built
            progress.step(2);
            continue;
        }
        if (auto kept = keptResult(caseDir(i))) {
            flows[i].result = std::move(kept);
            progress.step(2);
        } else {
            toRun.push_back(i);
            progress.step(1);
        }
    }
    if (slurm) {
        const fs::path jobFile = dir / "cases" / "slurm.job";
        if (!toRun.empty() && waitForEarlierJob(jobFile, dir, err, language))
            std::erase_if(toRun, [&](std::size_t i) {
                flows[i].result = keptResult(caseDir(i));
                progress.step(flows[i].result ? 1 : 0);
                return flows[i].result.has_value();
            });
        // Task N runs the case of variant N, its folder's name N with the names' leading zeros.
        std::vector<int> tasks;
        for (const std::size_t i : toRun)
            tasks.push_back(int(i + 1));
        const std::string width = std::to_string(fs::path(names.front()).stem().string().size());
        // A task's run counts once its results stand; the rest (failed, cancelled) at the end.
        std::vector<bool> counted(toRun.size(), false);
        const auto countEnded = [&](bool all) {
            for (std::size_t k = 0; k < toRun.size(); ++k)
                if (!counted[k] && (all || keptResult(caseDir(toRun[k])))) {
                    counted[k] = true;
                    progress.step();
                }
        };
        submitAndWait(tasks,
                      shellWord((fs::absolute(dir) / "cases").string()) + "/\"$(printf %0" + width
                          + "d \"$SLURM_ARRAY_TASK_ID\")\"",
                      options, dir, jobFile, err, language, [&] { countEnded(false); });
        countEnded(true);
    } else {
        // As many cases at once as the cores hold their processes; one at a time shows its
        // progress here.
        const std::size_t lanes = std::size_t(std::max(1, cfd::coresPresent() / std::max(1, options.processes)));
#ifndef _WIN32
        if (lanes > 1 && toRun.size() > 1) {
            std::vector<fs::path> dirs;
            for (const std::size_t i : toRun)
                dirs.push_back(caseDir(i));
            runSideBySide(dirs, options, lanes, err, language, [&] { progress.step(); });
        } else
#endif
        {
            (void)lanes;
            for (const std::size_t i : toRun) {
                runWithProgress(*cases[i], caseDir(i), err, language);
                progress.step();
            }
        }
    }
    for (const std::size_t i : toRun)
        flows[i] = gathered(caseDir(i), designs[i]);
    return flows;
}

void optimiseOnFlow(const FlowOptimisation& study, const std::vector<FlowVariant>& flows, const FlowOptions& options,
                    bool slurm, const fs::path& dir, std::string& text, std::ostream& err, const NumberLocale& locale,
                    Language language, StudyProgress& progress)
{
    const std::string& objective = study.objective;
    const bool maximise = objective != "loss";
    const double sign = maximise ? -1 : 1;
    const int decimals = objectiveDecimals(objective);
    const std::string column = objectiveColumn(objective);

    // The surface through every settled variant: whether it holds the constraints is the
    // search's question, not the fit's.
    std::vector<std::vector<double>> points;
    std::vector<double> values;
    std::vector<std::size_t> settled;
    for (std::size_t i = 0; i < flows.size(); ++i) {
        if (const auto figure = objectiveFigure(flows[i], objective)) {
            points.push_back(unitCoordinates(study.inputs, study.values[i]));
            values.push_back(*figure);
            settled.push_back(i);
        }
    }
    std::vector<bool> choice;
    for (const VariedInput& input : study.inputs)
        choice.push_back(!input.box);
    const auto surface = fitSurface(points, values, choice);
    if (!surface)
        throw unfinished(Failure{.kind = Failure::Kind::StudySurfaceTooFew, .file = dir.string(),
                                 .number = (long long)points.size(), .limit = 2});
    text += "surface\tfigure\t" + column + "\n";
    text += "surface\tform\t" + surface->form + "\n";
    text += "surface\tpoints\t" + std::to_string(surface->points) + "\n";
    text += "surface\tloo_error\t" + fixedFigure(surface->looError, decimals + 1, locale) + "\n";

    // The search starts from the three best settled variants that hold every constraint.
    std::vector<std::size_t> held;
    for (std::size_t k = 0; k < settled.size(); ++k)
        if (holds(study.checks[settled[k]], study.requirements))
            held.push_back(k);
    std::stable_sort(held.begin(), held.end(),
                     [&](std::size_t a, std::size_t b) { return sign * values[a] < sign * values[b]; });
    std::vector<VariantValues> starts;
    for (std::size_t k = 0; k < held.size() && k < 3; ++k)
        starts.push_back(study.values[settled[held[k]]]);
    const auto best = starts.empty() ? std::nullopt
                                     : optimiseSurface(study.inputs, *surface, maximise, study.requirements, starts,
                                                       study.evaluate);
    if (!best) {
        // Why: the constraints the settled variants break, each with the nearest to holding it.
        std::vector<SeenVariant> seen;
        for (const std::size_t i : settled)
            seen.push_back({i < study.labels.size() ? study.labels[i] : std::to_string(i + 1), &study.checks[i],
                            i < study.warned.size() ? study.warned[i] : std::string()});
        CommandLineError error = unfinished(Failure{.kind = Failure::Kind::StudyNoVariantHolds, .file = dir.string()});
        error.more = unheldConstraints(study.requirements, seen, locale);
        throw error;
    }

    Design design = study.designOf(best->values);
    for (std::size_t i = 0; i < study.inputs.size(); ++i) {
        const VariedInput& input = study.inputs[i];
        text += "best\t" + input.name + "\t"
                + (input.box ? design.texts.at(*input.box).toStdString() : std::string(widthSetName(design.widthSet)))
                + "\n";
    }
    text += "best\tB\t" + best->figures.bText + "\n";
    text += "best\twarnings\t" + std::to_string(best->figures.warnings) + "\n";
    text += "best\tevaluations\t" + std::to_string(best->evaluations) + "\n";
    text += "best\tpredicted_" + column + "\t" + fixedFigure(best->predicted, decimals, locale) + "\n";

    // Confirmed by its own flow run, in DIR/cases/best.
    const fs::path caseDir = dir / "cases" / "best";
    FlowOptions caseOptions = options;
    caseOptions.dir = caseDir.string();
    FlowVariant confirmed;
    try {
        const cfd::FlowCase flowCase = writeCase(design, options, caseDir, locale);
        const fs::path jobFile = caseDir / "slurm.job";
        if (slurm && !keptResult(caseDir))
            waitForEarlierJob(jobFile, dir, err, language);
        if (auto kept = keptResult(caseDir)) {
            confirmed.result = std::move(kept);
            confirmed.design = design;
            confirmed.caseDir = caseDir;
        } else {
            if (slurm)
                submitAndWait({1}, shellWord(fs::absolute(caseDir).string()), options, dir, jobFile, err, language);
            else
                runWithProgress(flowCase, caseDir, err, language);
            confirmed = gathered(caseDir, design);
        }
    } catch (const Failure& f) {
        throw unfinished(f);
    }
    progress.step();
    const std::string status = confirmed.result ? cfd::statusName(confirmed.result->status) : confirmed.noResult;
    text += "best\tflow_status\t" + status + "\n";
    const auto computed = objectiveFigure(confirmed, objective);
    if (!computed) {
        Failure f{.kind = Failure::Kind::StudyOptimumNotSettled, .file = caseDir.string(), .item = status};
        if (confirmed.result && confirmed.result->failure)
            f.detail = (language == Language::Chinese ? "：" : ": ") + render(*confirmed.result->failure, language);
        throw unfinished(f);
    }
    text += "best\tcomputed_" + column + "\t" + fixedFigure(*computed, decimals, locale) + "\n";
    text += "best\tdifference\t" + fixedFigure(*computed - best->predicted, decimals, locale) + "\n";
    const std::vector<std::string> cells = flowColumnCells(confirmed, caseOptions, locale, language);
    text += "best\tflow_verdict\t" + cells[7] + "\n";
    design.flow = flowRecord(*confirmed.result, caseOptions, design);
    try {
        writeDesignFile(QString::fromStdString((dir / "best.inlet").string()), design);
    } catch (const Failure& f) {
        throw unfinished(f);
    }
}

}  // namespace inlet
