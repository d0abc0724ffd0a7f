#include "openfoam/Pipeline.h"

#include "openfoam/CaseWriter.h"
#include "openfoam/MeshCheck.h"
#include "openfoam/Pictures.h"
#include "openfoam/Process.h"
#include "openfoam/ProcessCount.h"
#include "files/SaveFile.h"
#include "openfoam/SectionCheck.h"
#include "openfoam/VtkSurface.h"
#include "openfoam/ZoneSection.h"

#include <charconv>
#include <chrono>
#include <cmath>
#include <fstream>
#include <sstream>

namespace inlet::cfd {

namespace fs = std::filesystem;

namespace {

std::string twoDecimals(double v)
{
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::fixed, 2).ptr;
    return std::string(buffer, end);
}

std::string readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// The last lines of a log, on one line, for a failure's reason.
std::string logTail(const fs::path& log)
{
    std::string text = readFile(log);
    while (!text.empty() && (text.back() == '\n' || text.back() == ' '))
        text.pop_back();
    std::size_t start = text.size();
    for (int lines = 0; lines < 3 && start != std::string::npos && start > 0; ++lines)
        start = text.rfind('\n', start - 1);
    std::string tail = text.substr(start == std::string::npos ? 0 : start + 1);
    for (char& c : tail)
        if (c == '\n')
            c = ' ';
    return tail;
}

Failure failure(Failure::Kind kind, FlowStage stage)
{
    Failure f{.kind = kind};
    f.stage = stage;
    return f;
}

// A program that could not be started, failed or was killed, with its log's last lines.
Failure programFailure(FlowStage stage, const std::string& program, const ProcessResult& r, const fs::path& log)
{
    if (!r.started)
        return Failure{.kind = Failure::Kind::FlowProgramNotStarted, .item = program, .stage = stage};
    Failure f{.kind = r.signal ? Failure::Kind::FlowProgramKilled : Failure::Kind::FlowProgramFailed, .item = program,
              .other = log.filename().string(), .detail = logTail(log), .stage = stage};
    f.number = r.signal ? r.signal : r.exitCode;
    return f;
}

// Saves a file of the case; the stage is set where the failure is caught.
void save(const fs::path& path, const std::string& text) { saveFileAtomically(path.string(), text); }

// Runs one program of a stage; throws a Failure with the log's last lines when it fails.
void runStage(FlowStage stage, const std::vector<std::string>& args, const fs::path& dir, const std::string& logName,
              const RunControl& control, bool& cancelled)
{
    const fs::path log = dir / ("log." + logName);
    const ProcessResult r = runProcess(args, dir, openFoamEnvironment(), log, [&] {
        return !(control.cancelled && control.cancelled());
    });
    if (r.started && r.stopped) {
        cancelled = true;
        return;
    }
    if (!r.started || r.exitCode != 0)
        throw programFailure(stage, args[0], r, log);
}

// A section's faces at the evaluation in `folder` (postProcessing/sections/<iteration>),
// within its pipe: the mesh's faces in its plane with their fluxes (around a hub, the water's
// faces outside it), or the cells' values on a cutting plane (a case of blocks).
std::vector<SampledFace> sectionSurface(const FlowCase& c, const fs::path& folder, const Section& s)
{
    if (sectionsOnMeshFaces(c))
        return withinPipe(zoneSectionFaces(folder.parent_path().parent_path(), folder.filename().string(), s), s);
    const auto faces = readVtkSurface(folder / (s.name + ".vtk"));
    return s.innerRadius > 0 ? outsideRadius(faces, s, s.innerRadius) : withinPipe(faces, s);
}

FlowResult figuresFrom(const FlowCase& c, const fs::path& folder)
{
    FlowResult r;
    // The inlet's faces turn as the patch's do: their areas along their mean normal, and the
    // flow along whichever way of that normal it enters.
    const auto inlet = readVtkSurface(folder / "inlet.vtk");
    Vec3 normal, centre;
    double area = 0;
    for (const SampledFace& f : inlet) {
        normal = normal + f.areaVector;
        centre = centre + norm(f.areaVector) * f.centre;
        area += norm(f.areaVector);
    }
    normal = norm(normal) > 0 ? (1 / norm(normal)) * normal : c.axis;
    centre = area > 0 ? (1 / area) * centre : centre;
    const auto inletFaces = sectionFaces(inlet, normal);
    double flux = 0;
    for (const SectionFace& f : inletFaces)
        flux += dot(f.U, normal) * f.area;
    r.inlet = sectionFigures(inletFaces, flux < 0 ? -1.0 * normal : normal, centre);
    for (const Section& s : c.sections) {
        const auto sampled = sectionSurface(c, folder, s);
        const auto figures = [&](const std::vector<SampledFace>& faces) {
            return sectionFigures(sectionFaces(faces, s.normal), s.normal, s.point);
        };
        SectionResult section{s.name, s.caption, figures(sampled), 0};
        section.headLoss = r.inlet.totalHead - section.figures.totalHead;
        r.sections.push_back(section);
        // The annulus is a line of its own, named after its section; it is not the pipe's
        // section, and is not checked as one.
        if (s.annulusInner > 0) {
            SectionResult annulus{s.name + "_annulus", s.caption + " outside the guide cone's top",
                                  figures(outsideRadius(sampled, s, s.annulusInner)), 0};
            annulus.headLoss = r.inlet.totalHead - annulus.figures.totalHead;
            r.sections.push_back(annulus);
        }
    }
    return r;
}

int latestTime(const fs::path& dir)
{
    int latest = 0;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(dir, ec)) {
        const std::string name = entry.path().filename().string();
        if (!name.empty() && name.find_first_not_of("0123456789") == std::string::npos)
            latest = std::max(latest, std::stoi(name));
    }
    return latest;
}

int processorCount(const fs::path& dir)
{
    int n = 0;
    while (fs::exists(dir / ("processor" + std::to_string(n))))
        ++n;
    return n;
}

void wallFigures(const fs::path& file, FlowResult& r)
{
    double area = 0, weighted = 0, inRange = 0;
    r.yPlusMin = 1e300;
    r.yPlusMax = 0;
    for (const SampledFace& f : readVtkSurface(file)) {
        const auto y = f.fields.find("yPlus");
        if (y == f.fields.end() || y->second.empty())
            continue;
        const double v = y->second[0];
        const double a = norm(f.areaVector);
        area += a;
        weighted += v * a;
        if (v >= 30 && v <= 300)
            inRange += a;
        r.yPlusMin = std::min(r.yPlusMin, v);
        r.yPlusMax = std::max(r.yPlusMax, v);
    }
    if (area <= 0)
        throw failure(Failure::Kind::FlowNoWallYPlus, FlowStage::Evaluate);
    r.yPlusMean = weighted / area;
    r.yPlusInRange = inRange / area;
}

// The mesh's quality as checkMesh found it, kept in the result; a failure naming the figures
// where it is beyond what the figures need (MeshCheck.h), or where checkMesh failed it.
void checkQuality(const fs::path& dir, FlowResult& result)
{
    const std::string log = readFile(dir / "log.checkMesh");
    const auto quality = meshQuality(log);
    if (!quality)
        throw Failure{.kind = Failure::Kind::FlowMeshNotSound, .other = "log.checkMesh", .stage = FlowStage::Mesh};
    result.nonOrthogonality = quality->nonOrthogonality;
    result.skewness = quality->skewness;
    result.meshChecked = true;
    if (!fitForFigures(*quality))
        throw Failure{.kind = Failure::Kind::FlowMeshQuality, .item = twoDecimals(quality->skewness),
                      .other = "log.checkMesh", .detail = twoDecimals(quality->nonOrthogonality),
                      .stage = FlowStage::Mesh};
    if (log.find("Mesh OK.") == std::string::npos)
        throw Failure{.kind = Failure::Kind::FlowMeshNotSound, .other = "log.checkMesh", .stage = FlowStage::Mesh};
}

int meshCells(const fs::path& dir)
{
    const std::string log = readFile(dir / "log.checkMesh");
    const auto at = log.find("cells:");
    return at == std::string::npos ? 0 : std::atoi(log.c_str() + at + 6);
}

std::string evaluateDict(const FlowCase& c, const fs::path& dir)
{
    std::string walls;
    for (const Surface& s : c.surfaces)
        if (s.wall)
            walls += " " + s.name;
    return "FoamFile { version 2.0; format ascii; class dictionary; object evaluateDict; }\n\nfunctions\n{\n"
           "    yPlus { type yPlus; libs (\"libfieldFunctionObjects.so\"); writeControl writeTime; }\n"
           + readFile(dir / "system" / "evaluate")
           + "    walls\n    {\n        type surfaces;\n        libs (\"libsampling.so\");\n        writeControl writeTime;\n"
             "        surfaceFormat vtk;\n        formatOptions { vtk { format ascii; legacy true; } }\n"
             "        fields (yPlus);\n        interpolationScheme cell;\n        surfaces\n        (\n"
             "            walls { type patch; patches ("
           + walls + "); interpolate false; triangulate false; }\n        );\n    }\n}\n";
}

// The axial velocity over each section and the residuals' whole history, as SVG in the case.
void writePictures(const FlowCase& c, const fs::path& dir, int latest, const FlowResult& result)
{
    for (const SectionResult& s : result.sections) {
        std::ostringstream out;
        const Section* section = nullptr;
        for (const Section& candidate : c.sections)
            if (candidate.name == s.name)
                section = &candidate;
        if (!section)
            continue;  // an annulus: its section's picture shows it
        const auto faces = sectionSurface(c, dir / "postProcessing" / "sections" / std::to_string(latest), *section);
        writeSvg(sectionPicture(faces, section->normal,
                            s.caption + ": axial velocity / mean, Vu " + std::to_string(std::lround(s.figures.uniformity * 10) / 10)
                                + "." + std::to_string(std::lround(s.figures.uniformity * 10) % 10) + " %"),
                 out);
        save(dir / ("section-" + s.name + ".svg"), out.str());
    }
    SolverLog whole;
    whole.feed(readFile(dir / "log.simpleFoam"));
    std::ostringstream out;
    writeSvg(residualPicture(whole.iterations()), out);
    save(dir / "residuals.svg", out.str());
}

}  // namespace

std::optional<Failure> openFoamMissing()
{
    for (const char* program : {"blockMesh", "snappyHexMesh", "simpleFoam"})
        if (findProgram(program).empty())
            return Failure{.kind = Failure::Kind::FlowNoOpenFoam, .item = program, .stage = FlowStage::Mesh};
    return std::nullopt;
}

std::vector<std::pair<std::string, std::string>> openFoamEnvironment()
{
    std::vector<std::pair<std::string, std::string>> env;
    const char* project = std::getenv("WM_PROJECT_DIR");
    env.emplace_back("WM_PROJECT_DIR", project && *project ? project : "/usr/share/openfoam");
    // mpirun refuses root unless told; CI and containers run as root.
    env.emplace_back("OMPI_ALLOW_RUN_AS_ROOT", "1");
    env.emplace_back("OMPI_ALLOW_RUN_AS_ROOT_CONFIRM", "1");
    env.emplace_back("OMPI_MCA_rmaps_base_oversubscribe", "1");
    return env;
}

std::map<int, FlowResult> evaluationsSoFar(const FlowCase& c, const fs::path& dir)
{
    std::map<int, FlowResult> result;
    updateEvaluations(c, dir, result);
    return result;
}

void updateEvaluations(const FlowCase& c, const fs::path& dir, std::map<int, FlowResult>& evaluations)
{
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(dir / "postProcessing" / "sections", ec)) {
        const std::string name = entry.path().filename().string();
        if (name.empty() || name.find_first_not_of("0123456789") != std::string::npos)
            continue;
        const int iteration = std::stoi(name);
        if (evaluations.count(iteration))
            continue;
        try {
            evaluations[iteration] = figuresFrom(c, entry.path());
        } catch (const std::exception&) {
            // Being written: read at the next look.
        }
    }
}

bool settled(const std::map<int, FlowResult>& evaluations, int window, double tolerance)
{
    if (evaluations.size() < 2)
        return false;
    const auto& [last, now] = *evaluations.rbegin();
    auto before = evaluations.upper_bound(last - window);
    if (before == evaluations.begin())
        return false;
    --before;
    const FlowResult& then = before->second;
    if (now.sections.size() != then.sections.size() || now.sections.empty())
        return false;
    auto close = [&](double a, double b) { return std::abs(a - b) <= tolerance * std::abs(a); };
    for (std::size_t i = 0; i < now.sections.size(); ++i) {
        const SectionResult &a = now.sections[i], &b = then.sections[i];
        if (!close(a.figures.uniformity, b.figures.uniformity) || !close(a.figures.angle, b.figures.angle)
            || !close(a.headLoss, b.headLoss))
            return false;
    }
    return true;
}

std::optional<FlowResult> averaged(const std::map<int, FlowResult>& evaluations, int from, int to)
{
    const auto first = evaluations.upper_bound(from), end = evaluations.upper_bound(to);
    if (first == end || std::next(first) == end)
        return std::nullopt;
    FlowResult mean = std::prev(end)->second;
    const std::size_t sections = mean.sections.size();
    for (auto it = first; it != end; ++it)
        if (it->second.sections.size() != sections)
            return std::nullopt;
    const auto n = static_cast<double>(std::distance(first, end));
    for (std::size_t i = 0; i < sections; ++i) {
        SectionResult& m = mean.sections[i];
        m.uniformityBand = {m.figures.uniformity, m.figures.uniformity};
        m.angleBand = {m.figures.angle, m.figures.angle};
        m.lossBand = {m.headLoss, m.headLoss};
        m.swirlAngleBand = Band{m.figures.swirlAngle, m.figures.swirlAngle};
        double uniformity = 0, angle = 0, swirlAngle = 0, loss = 0;
        for (auto it = first; it != end; ++it) {
            const SectionResult& e = it->second.sections[i];
            if (e.name != m.name)
                return std::nullopt;
            uniformity += e.figures.uniformity, angle += e.figures.angle, swirlAngle += e.figures.swirlAngle;
            loss += e.headLoss;
            const auto widen = [](Band& band, double v) { band = {std::min(band.low, v), std::max(band.high, v)}; };
            widen(m.uniformityBand, e.figures.uniformity);
            widen(m.angleBand, e.figures.angle);
            widen(m.lossBand, e.headLoss);
            widen(*m.swirlAngleBand, e.figures.swirlAngle);
        }
        m.figures.uniformity = uniformity / n, m.figures.angle = angle / n, m.figures.swirlAngle = swirlAngle / n;
        m.headLoss = loss / n;
    }
    mean.averagedFrom = from;
    mean.averagedTo = std::prev(end)->first;
    return mean;
}

bool settledOnAverage(const std::map<int, FlowResult>& evaluations, int window, double tolerance)
{
    if (evaluations.empty())
        return false;
    const int last = evaluations.rbegin()->first;
    const auto now = averaged(evaluations, last - window, last);
    const auto before = averaged(evaluations, last - 2 * window, last - window);
    // Both windows whole: as many evaluations in the one before as in the last.
    const auto count = [&](int from, int to) {
        return std::distance(evaluations.upper_bound(from), evaluations.upper_bound(to));
    };
    if (!now || !before || count(last - 2 * window, last - window) != count(last - window, last)
        || now->sections.size() != before->sections.size() || now->sections.empty())
        return false;
    auto close = [&](double a, double b) { return std::abs(a - b) <= tolerance * std::abs(a); };
    for (std::size_t i = 0; i < now->sections.size(); ++i) {
        const SectionResult &a = now->sections[i], &b = before->sections[i];
        if (a.name != b.name || !close(a.figures.uniformity, b.figures.uniformity)
            || !close(a.figures.angle, b.figures.angle) || !close(a.headLoss, b.headLoss))
            return false;
    }
    return true;
}

Settling settling(const std::map<int, FlowResult>& evaluations, const SolverSettings& solver)
{
    if (settled(evaluations, solver.settleWindow, solver.settleTolerance))
        return Settling::Steady;
    if (settledOnAverage(evaluations, solver.averageWindow, solver.averageTolerance))
        return Settling::OnAverage;
    return Settling::NotYet;
}

namespace {

// What the stages of one run share: the case, its folder, the control, the result as it grows
// and what the earlier stages found.
struct CaseRun {
    const FlowCase& c;
    const fs::path& dir;
    const RunControl& control;
    FlowResult& result;
    bool cancelled = false;
    bool figuresSettled = false;  // the solver stopped because the figures settled
    bool figuresAveraged = false; // ... on their means over the averaging window (settledOnAverage)
    std::map<int, FlowResult> evaluations{};  // the figures sampled as the solver ran, by iteration

    void report(FlowStage reached) const
    {
        if (control.progress)
            control.progress(Progress{reached, nullptr, nullptr});
    }
};

// The mesh, unless a finished one is there.
void meshStage(CaseRun& run)
{
    const FlowStage stage = FlowStage::Mesh;
    const fs::path& dir = run.dir;
    if (const auto missing = openFoamMissing())
        throw *missing;
    if (!fs::exists(dir / "constant" / "polyMesh" / "boundary") || !fs::exists(dir / "log.checkMesh")) {
        run.report(stage);
        for (const char* log : {"log.blockMesh", "log.surfaceFeatureExtract", "log.snappyHexMesh", "log.topoSet", "log.checkMesh"})
            fs::remove(dir / log);
        runStage(stage, {"blockMesh"}, dir, "blockMesh", run.control, run.cancelled);
        // A case of blocks is meshed already; a background is cut to the surfaces.
        if (!run.cancelled && run.c.blockMesh.empty())
            runStage(stage, {"surfaceFeatureExtract"}, dir, "surfaceFeatureExtract", run.control, run.cancelled);
        if (!run.cancelled && run.c.blockMesh.empty())
            runStage(stage, {"snappyHexMesh", "-overwrite"}, dir, "snappyHexMesh", run.control, run.cancelled);
        // The sections as faceZones of the mesh's faces in their planes.
        if (!run.cancelled && fs::exists(dir / "system" / "topoSetDict"))
            runStage(stage, {"topoSet"}, dir, "topoSet", run.control, run.cancelled);
        if (!run.cancelled)
            runStage(stage, {"checkMesh"}, dir, "checkMesh", run.control, run.cancelled);
        if (run.cancelled)
            fs::remove(dir / "log.checkMesh");
    }
}

// The mesh made now or kept from before: within the figures' limits, or no run.
void checkMeshStage(CaseRun& run)
{
    if (!run.cancelled)
        checkQuality(run.dir, run.result);
}

// The mesh's cells, and the fields at rest the solver starts from, unless there already.
void fieldsStage(CaseRun& run)
{
    run.result.cells = meshCells(run.dir);
    if (!run.cancelled && !fs::exists(run.dir / "0"))
        fs::copy(run.dir / "0.orig", run.dir / "0", fs::copy_options::recursive);
}

// The decomposition, anew when the number of processes changed; never more processes than the
// cores here and the mesh's cells allow.
void decomposeStage(CaseRun& run)
{
    const FlowStage stage = FlowStage::Decompose;
    const fs::path& dir = run.dir;
    const int np = run.result.processes;
    if (!run.cancelled && np > largestProcessCount(coresPresent(), run.result.cells)) {
        Failure f = tooManyProcesses(np, coresPresent(), run.result.cells);
        f.stage = stage;
        throw f;
    }
    if (!run.cancelled && np > 1 && processorCount(dir) != np) {
        run.report(stage);
        if (processorCount(dir) > 0)
            runStage(stage, {"reconstructPar", "-latestTime"}, dir, "reconstructPar", run.control, run.cancelled);
        for (int i = 0; fs::exists(dir / ("processor" + std::to_string(i))); ++i)
            fs::remove_all(dir / ("processor" + std::to_string(i)));
        writeDecomposeParDict(run.c, dir);
        if (!run.cancelled)
            runStage(stage, {"decomposePar", "-latestTime", "-force"}, dir, "decomposePar", run.control, run.cancelled);
    }
}

// Feeds the solver's log what it has written since the last call.
void readOn(std::ifstream& logFile, SolverLog& log)
{
    std::string chunk(1 << 16, '\0');
    for (;;) {
        logFile.read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
        const auto got = logFile.gcount();
        if (got <= 0)
            break;
        log.feed(std::string_view(chunk.data(), static_cast<std::size_t>(got)));
    }
    logFile.clear();
}

// Why the solver is to be stopped as diverged after this iteration, if it is.
std::optional<Failure> divergence(const Iteration& last, double limitSpeed)
{
    for (const auto& [name, value] : last.residuals)
        if (!std::isfinite(value))
            return Failure{.kind = Failure::Kind::FlowResidualNotFinite, .item = name, .other = "log.simpleFoam",
                           .stage = FlowStage::Solve};
    if (!std::isfinite(last.maxSpeed) || last.maxSpeed > limitSpeed)
        return Failure{.kind = Failure::Kind::FlowSpeedTooHigh, .other = "log.simpleFoam",
                       .detail = std::to_string(last.maxSpeed), .stage = FlowStage::Solve};
    return std::nullopt;
}

// The solver, from the latest time written, followed as it runs: stopped when the figures
// have settled, when it diverges or when the run is cancelled.
void solveStage(CaseRun& run)
{
    const FlowStage stage = FlowStage::Solve;
    const FlowCase& c = run.c;
    const fs::path& dir = run.dir;
    const RunControl& control = run.control;
    const int np = run.result.processes;
    fs::remove(dir / "stop");
    writeControlDict(c, dir);
    SolverLog log;
    std::map<int, FlowResult>& evaluations = run.evaluations;
    std::optional<Failure> diverged;  // or a stop file that could not be written
    const double limitSpeed = 100 * inletVelocity(c);
    if (!run.cancelled) {
        run.report(stage);
        const fs::path logPath = dir / "log.simpleFoam";
        std::ifstream logFile;
        const auto logStart = fs::exists(logPath) ? fs::file_size(logPath) : 0;
        std::size_t seenEvaluations = 0;
        int polls = 0;
        // The solver stops at its next iteration once the file `stop` is there.
        const auto stop = [&](const char* why) {
            try {
                save(dir / "stop", why);
            } catch (const Failure& f) {
                if (!diverged)
                    diverged = f;
            }
        };
        auto follow = [&] {
            if (!logFile.is_open()) {
                logFile.open(logPath, std::ios::binary);
                logFile.seekg(static_cast<std::streamoff>(logStart));
            }
            readOn(logFile, log);
            const auto& iterations = log.iterations();
            const Iteration* last = iterations.size() >= 2 ? &iterations[iterations.size() - 2] : nullptr;
            if (last && !diverged)
                diverged = divergence(*last, limitSpeed);
            // Every few seconds: reading the sections costs more than following the log.
            if (++polls % 6 == 0)
                updateEvaluations(c, dir, evaluations);
            if (evaluations.size() != seenEvaluations) {
                seenEvaluations = evaluations.size();
                // Figures that swing from one evaluation to the next settle on their means, if at all.
                const Settling now = settling(evaluations, c.solver);
                run.figuresSettled = now != Settling::NotYet;
                run.figuresAveraged = now == Settling::OnAverage;
                if (run.figuresSettled)
                    stop("settled\n");
            }
            if (control.progress && last)
                control.progress(Progress{stage, last, evaluations.empty() ? nullptr : &evaluations.rbegin()->second});
            if (control.cancelled && control.cancelled() && !fs::exists(dir / "stop")) {
                run.cancelled = true;
                stop("cancelled\n");
            }
            return !diverged;
        };
        std::vector<std::string> args = {"simpleFoam"};
        if (np > 1)
            args = {"mpirun", "-np", std::to_string(np), "simpleFoam", "-parallel"};
        const ProcessResult r = runProcess(args, dir, openFoamEnvironment(), logPath, follow);
        follow();
        if (!r.started)
            throw programFailure(stage, args[0], r, logPath);
        if (diverged)
            throw *diverged;
        if (!log.fatal().empty())
            throw Failure{.kind = Failure::Kind::FlowSolverError, .other = "log.simpleFoam", .detail = log.fatal(),
                          .stage = stage};
        if (r.exitCode != 0)
            throw programFailure(stage, "simpleFoam", r, logPath);
    }
    if (!log.iterations().empty()) {
        run.result.iterations = log.iterations().back().number;
        run.result.residuals = log.iterations().back().residuals;
    }
}

// Where the figures settled on their means: each section's Vu, theta, theta_s and loss are the
// means over the averaging window of the evaluations made as the solver ran, with their bands;
// the rest (the flow through, the area, the backflow) stays the last evaluation's.
void averageSections(const CaseRun& run, FlowResult& result)
{
    if (run.evaluations.empty())
        return;
    const int last = run.evaluations.rbegin()->first;
    const auto mean = averaged(run.evaluations, last - run.c.solver.averageWindow, last);
    if (!mean)
        return;
    for (SectionResult& section : result.sections)
        for (const SectionResult& m : mean->sections)
            if (m.name == section.name) {
                section.figures.uniformity = m.figures.uniformity, section.figures.angle = m.figures.angle;
                section.figures.swirlAngle = m.figures.swirlAngle, section.headLoss = m.headLoss;
                section.uniformityBand = m.uniformityBand, section.angleBand = m.angleBand, section.lossBand = m.lossBand;
                section.swirlAngleBand = m.swirlAngleBand;
            }
    result.averagedFrom = mean->averagedFrom;
    result.averagedTo = mean->averagedTo;
}

// The last evaluation, on the whole case: the figures at the sections, the walls' y+ and the
// pictures, and the run's status.
void evaluateStage(CaseRun& run)
{
    const FlowStage stage = FlowStage::Evaluate;
    const FlowCase& c = run.c;
    const fs::path& dir = run.dir;
    FlowResult& result = run.result;
    if (!run.cancelled) {
        run.report(stage);
        if (result.processes > 1)
            runStage(stage, {"reconstructPar", "-latestTime"}, dir, "reconstructPar", run.control, run.cancelled);
        save(dir / "system" / "evaluateDict", evaluateDict(c, dir));
        fs::remove(dir / "log.evaluate");
        if (!run.cancelled)
            runStage(stage, {"simpleFoam", "-postProcess", "-dict", "system/evaluateDict", "-latestTime"}, dir,
                     "evaluate", run.control, run.cancelled);
    }
    if (run.cancelled) {
        result.status = RunStatus::Cancelled;
        return;
    }
    const int latest = latestTime(dir);
    result.iterations = latest;
    const FlowResult last = figuresFrom(c, dir / "postProcessing" / "sections" / std::to_string(latest));
    result.inlet = last.inlet;
    result.sections = last.sections;
    // Figures that settled on their means, or never settled: the means over the last window, with
    // the bands that show how far they swung.
    if (run.figuresAveraged || !run.figuresSettled)
        averageSections(run, result);
    wallFigures(dir / "postProcessing" / "walls" / std::to_string(latest) / "walls.vtk", result);
    writePictures(c, dir, latest, result);
    // Figures of a section that is not its pipe are no result, settled or not.
    for (const Section& section : c.sections)
        if (const SectionResult* figures = result.section(section.name))
            if (const auto wrong = checkSection(figures->figures, section, c.flow, c.solver.sectionTolerance,
                                                sectionsOnMeshFaces(c) ? std::optional(kSectionTolerance) : std::nullopt))
                throw *wrong;
    result.status = run.figuresSettled ? RunStatus::Settled : RunStatus::IterationLimit;
}

// The stages of a run, in the order they run. Each row is one function; its FlowStage is the
// stage a failure in it is reported and recorded under (several rows may share one).
enum class Step { Mesh, CheckMesh, Fields, Decompose, Solve, Evaluate };

struct StepRow {
    Step step;
    FlowStage stage;
    void (*run)(CaseRun&);
};

constexpr StepRow kSteps[] = {
    {Step::Mesh, FlowStage::Mesh, meshStage},
    {Step::CheckMesh, FlowStage::Mesh, checkMeshStage},
    {Step::Fields, FlowStage::Mesh, fieldsStage},
    {Step::Decompose, FlowStage::Decompose, decomposeStage},
    {Step::Solve, FlowStage::Solve, solveStage},
    {Step::Evaluate, FlowStage::Evaluate, evaluateStage},
};

// Each step has its row, in the order of the enum.
constexpr bool stepsInOrder()
{
    for (std::size_t i = 0; i < std::size(kSteps); ++i)
        if (kSteps[i].step != static_cast<Step>(i))
            return false;
    return true;
}
static_assert(stepsInOrder());

}  // namespace

FlowResult runCase(const FlowCase& c, const fs::path& dir, const RunControl& control)
{
    const auto start = std::chrono::steady_clock::now();
    FlowResult result;
    result.processes = std::max(1, c.solver.processes);
    result.flow = c.flow;
    CaseRun run{c, dir, control, result};
    FlowStage stage = kSteps[0].stage;
    try {
        for (const StepRow& row : kSteps) {
            stage = row.stage;
            row.run(run);
        }
    } catch (const Failure& f) {
        result.status = RunStatus::Failed;
        result.failure = f;
    } catch (const fs::filesystem_error& e) {
        // Removing a log, copying the fields at rest: the folder's files as written.
        result.status = RunStatus::Failed;
        result.failure = systemFailure(Failure::Kind::CannotWrite, e.path1().string(), e.code().value());
    } catch (const std::exception& e) {
        result.status = RunStatus::Failed;
        result.failure = Failure{.kind = Failure::Kind::FlowUnexpected, .detail = e.what()};
    }
    if (result.failure && result.failure->stage == FlowStage::None)
        result.failure->stage = stage;
    result.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    try {
        writeResult(result, dir / "results");
    } catch (const Failure& f) {
        if (result.status != RunStatus::Failed) {
            result.status = RunStatus::Failed;
            result.failure = f;
            result.failure->stage = FlowStage::Evaluate;
        }
    }
    return result;
}

}  // namespace inlet::cfd
