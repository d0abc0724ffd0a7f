#include "cli/CommandLine.h"

#include "boxes/BoxTexts.h"
#include "run/CalculationRun.h"
#include "cli/CheckText.h"
#include "cli/CheckedOutput.h"
#include "cli/CommandLineError.h"
#include "cli/CsvBatch.h"
#include "cli/CsvReader.h"
#include "document/DesignFile.h"
#include "files/DistinctFiles.h"
#include "export/ExportRegistry.h"
#include "messages/Failure.h"
#include "files/FileRead.h"
#include "cli/FlowCommand.h"
#include "cli/StepCommand.h"
#include "cli/StudyCommand.h"
#include "cli/FlowStudy.h"
#include "cli/MeshStudyCommand.h"
#include "InletVersion.h"
#include "messages/MessageText.h"
#include "cli/Options.h"
#include "model/RunRecord.h"
#include "modules/Features.h"
#ifdef INLET_HAVE_SOLID
#include "solid/SolidFailure.h"
#include "solid/SolidModule.h"
#endif
#if INLET_HAS_XLSX
#include "export/BatchWorkbook.h"
#include "export/XlsxWorkbook.h"
#endif

#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <new>
#include <optional>
#include <ostream>
#include <sstream>

namespace inlet {

namespace {

// How long a file named on the command line that is a pipe or FIFO may keep the program
// waiting for its writer (and, for a design file, for each piece).
constexpr int kPipeWaitSeconds = 5;

constexpr const char* kHelp = R"(Usage:
  inlet-calc [--D TEXT] [--D0 TEXT] [--theta TEXT] [--H0 TEXT] [--H1 TEXT]
             [--H2 TEXT] [--D1 TEXT] [--dd0 TEXT] [--aa TEXT] [--hk TEXT]
             [--Ds TEXT] [--Q TEXT] [--L TEXT] [--rs TEXT]
             [--json] [--checks] [--open DESIGN] [--save DESIGN]
             [--dxf FILE [--dxf-curves spline|ellipse|polyline]]%SOLID_USAGE%
             [--setout FILE] [--widths computed|area-true]
  inlet-calc --csv [FILE] [--checks] [--widths computed|area-true]
             [--open DESIGN] [--xlsx FILE] [--D TEXT ...]
  inlet-calc [--D TEXT ...] --cfd DIR [--run] [FLOW OPTIONS]
  inlet-calc --csv FILE --cfd-study DIR [--local] [FLOW OPTIONS]
  inlet-calc --cfd-validate [pipe|step] DIR [--run] [FLOW OPTIONS]
  inlet-calc [--D TEXT ...] --mesh-study DIR [--run] [FLOW OPTIONS]
  inlet-calc [--D TEXT ...] --vary NAME=FROM:TO:COUNT ... [--samples N [--seed S]]
             --study DIR [--evaluate checks|solid|flow] [--local|--slurm] [--force]
             [--mesh LEVEL] [--np N] [--progress]
             [--optimise min-B|min-volume|min-loss|max-vu|max-theta [--require EXPR ...]]
  inlet-calc --help | --version

Computes the bell-mouth pipe and guide cone profiles, the tangent point of the
volute's upper wall, the volute widths and the passage height and width of a
pump-station inlet passage, exactly as the window shows them.

Each TEXT is taken exactly as if typed into that quantity's box. An omitted
option takes the box's default text:
%OPTIONS%--NAME=TEXT works as well, and is the way to give a TEXT that begins with --.
Ds, Q, L and rs enter no formula of the results: Ds and Q are read by the
checks (Q by the velocities, and by the flow), L by the solid and the flow;
rs is shown only (the solid does not round the inlet's upper edge by it).
L is read by one rule: the number at the start of its text, up to 20, is that
many impeller diameters D ("3.5~5.0" is 3.5 x D); above 20 it is millimetres.
The length runs from the pump axis to the passage inlet; --checks states the
length used in mm and how it was read, and warns where that is not how the
text looks (a multiple of D in a box that says mm, words after the number).
dd0 must be a number written with the locale's decimal separator (and,
optionally, its digit grouping); every other text is read up to the first
character that cannot continue a number written with a full stop, and is 0
when it holds no number.

Output: one line per result, in the order the calculation writes them,
NAME<TAB>TEXT, NAME one of a1 b1 x1 y1 x2 y2 a2 b2 ap bp a87 a84 H a0 a10 a20
a30 a40 a50 a60 a70 a80 a90 B. --json prints one JSON object of the same pairs.

--checks adds the design checks of a design that computes: where it does not hold
together (a negative width, a width rule whose section shape does not hold, a
jump where the rule changes, hk below bp, hk above the pump inlet section H,
dd0 >= D0, D0 >= D1, crossing profiles, a box text read otherwise than it
looks, a Q, Ds or L that gives no figure above zero, when no velocity or
length is computed from it) and the figures shown without a verdict
(clearance, mean velocities from the design flow Q with the areas they pass,
each naming the Q it is for, H2/D1, the passage length L used, and the
passage width of the area-true widths where it is not B: the one the files
take).
They follow the results, one per line:
  check<TAB>NAME<TAB>SUBJECT<TAB>FIGURE<TAB>MESSAGE
SUBJECT the station or quantity concerned (a40, hk, Q); with --json an array
"checks" of objects {check, subject, figure, unit, warning, message} and Q
for a velocity; with --csv a column "checks" of NAME:SUBJECT=FIGURE separated
by "; ", a velocity as NAME=FIGURE m/s (Q 15 m³/s) (a station's NAME:SUBJECT=). Checks are
information: they never change a result or the exit status.

If the calculation fails, the results written before the failure are printed,
a one-line message naming the kind of failure (type mismatch, overflow,
division by zero, invalid procedure call or argument) and where it happened
goes to standard error, and the exit status is 1.

--csv [FILE] computes a batch of designs read from FILE (standard input when
FILE is omitted or -). The header row names input columns among D D0 theta H0
H1 H2 D1 dd0 aa hk Ds Q L rs; a column that is absent takes the option's TEXT or the
default text; an empty cell is an empty box (write "" for an empty cell in a
one-column file, since empty lines are skipped). Each line is one design, as a
box holds one line: a field in double quotes may hold commas and doubled
quotes ("7""00"), but not a line break. Lines end with LF or CRLF.

The output is CSV: the input columns, one column per result and an error
column. Each row is written as soon as it is computed, so rows follow the
input as it arrives on a pipe. A design that fails keeps the results it
reached and names its failure; a line that cannot be read (a quote left open
or a quote inside an unquoted field, the wrong number of fields) is named in
the error column; either way the batch goes on. With --xlsx FILE the batch is
also written, row by row as it is computed, as an Excel workbook: the sheet
批量计算, the results as numbers; beyond Excel's last row (1,048,575 designs
a sheet) it goes on in 批量计算 2, 批量计算 3 ..., each with the header. The
workbook replaces FILE only when complete; one that cannot be written is named
once the batch is printed, leaves FILE as it was, and the exit status is 1.

A text longer than a workbook's cell holds (32,767 characters, as Excel counts
them: one beyond the Basic Multilingual Plane counts two) keeps its first part
in its cell; the rest follows in the same row right of the table, after an
empty column: a cell naming the cell continued (C5), then the rest in cells of
at most 32,767 characters; a second long text of the row after another empty
cell. The cell and its continuation joined give the text back exactly.

--open DESIGN starts from the texts of a design file (.inlet) as the window
saves it, instead of a fresh window's; options given as well are typed over
them. --save DESIGN saves the design after the run: the texts of the
given-parameter boxes, as the window saves them (the design information of an
opened file is kept). A design file that cannot be opened or read is a usage
error; a save that fails leaves the old file whole and exits with status 1.

--dxf FILE writes the passage drawn, as a DXF file for AutoCAD and other CAD
programs (AutoCAD 2007, text in UTF-8, millimetres; every view at full size in
model space, not in blocks, with the sheet's frame and title block at the print
scale, on the layers OUTLINE, CENTRE, HIDDEN, DIMENSION and TEXT; dimensions as
DIMENSION entities), as well as printing the results. --dxf-curves spline|ellipse|polyline says how an
elliptical arc is written: a cubic spline within 0.005 mm of it (the default,
which FreeCAD, LibreCAD and AutoCAD all draw as the arc), an exact ELLIPSE (for
AutoCAD and LibreCAD; FreeCAD 0.20 draws it whole) or a polyline within 0.01 mm
of it; --dxf-polylines is --dxf-curves polyline. A design whose calculation
fails writes no file, and names it. A file that cannot be written is replaced
only when complete; the exit status is then 1.

--setout FILE writes the setting-out coordinates (放样坐标表) as CSV in UTF-8:
the bell-mouth and guide-cone ellipses at every 5 degrees of their parameter t
and at every 100 mm of height, with the ends of each arc, and the volute's
outer wall R(phi) at every 5 degrees and at each station, of the widths the
drawing uses (--widths). Origin on the pump axis at the floor, r across from
the axis, z up, phi from the 0 degree station; whole mm, t to 0.1 degree, as
the drawing, the DXF (layer SETOUT, on the sheets after the drawing's), the
sheet's 附录 B and the workbook's sheet 放样坐标 print them. Each table is its
title, its curve, its columns' titles and its rows, then a blank line.

Every file a command writes (--save, --dxf, --setout, --step, --stl, --xlsx, --cfd DIR,
--cfd-study DIR) is another file than each file it reads (--open, --csv FILE)
and each other file it writes, however it is named (a symbolic or hard link to
a file is that file); the one exception is --save over the design --open read.
A clash is a usage error naming both options, and nothing is written. Standard
output carries the results: '-' names no file to write. Of several files, each
is written that can be and each that cannot is named (exit status 1); a file
not written keeps what it held.

--widths computed|area-true chooses the volute widths the drawing (--dxf) and
the checks use. computed (the default) takes the widths as printed; area-true
takes at each station the rule whose section shape the width gives, so that
every section drawn carries its area F: the quadratic rule up to the area F*
at which the upper wall meets the outer wall exactly at hk, the linear rule
above it. The printed results are the same either way. A design file's choice
(--open) holds unless --widths is given, and --save keeps it. Where hk is not
above bp or H2 no section of the assumed shape exists, and there are no
area-true widths.
--cfd DIR writes the flow through the passage as an OpenFOAM case in DIR (the
passage's solid meshed by snappyHexMesh, refined at the bell mouth, the guide
cone, the pipe at the pump inlet and the feature edges, with prism layers at the
walls; checkMesh's non-orthogonality at most 60 and skewness at most 3.5, or the
run fails naming them; the design flow Q entering the passage inlet, a fixed
pressure above the pump inlet section, k-omega SST, steady SIMPLE) and, with
--run, computes it: OpenFOAM's programs run as external programs, their logs
stay in DIR (log.*). Progress goes to standard error; Ctrl-C stops the solver
so that the same command resumes it. The figures follow the results as lines
flow<TAB>NAME<TAB>TEXT: the axial velocity uniformity Vu, the velocity-weighted
mean inflow angle theta over the forward flow (90 = axial; also with the swirl
about the axis alone), the head loss from the passage inlet, the flow through
and the share of the area and of the flow running back, at the cone inlet and at
the pump inlet section, each bounded to its pipe, and over the pump inlet's
annulus outside the guide cone's top (pump_inlet_annulus, r > dd0/2); the wall
y+, the mesh and checkMesh's figures. They are a result only when they settled
(each changed by less than 0.1 % over 100 iterations, or, where they swing,
their means over 200 iterations within 0.5 % of the 200 before: then each is
that mean with the least and the most it took) and each section holds its
pipe's area (within 1 %, 15 % below the coarse level's cells; around a hub the
ring outside it) and carries Q (the flux through the mesh's faces in the
section, within 1 %); otherwise the status says why (iteration-limit: the last
window's figures marked not settled; cancelled, failed) and the exit status is
1; why a run failed, with its stage, goes to standard error. The TEXTs and the
messages are in the locale's language; the NAMEs and the status words are the
same in every language.
With --save the design file keeps the figures with the settings that produced
them, in place of any flow it held. The sheet and the workbook show a design's
flow while D to hk, Q and L are the texts it was computed for and the design
takes the widths it was computed with, and otherwise say which changed. A DIR
that holds the case of other such texts or another mesh is replaced only with
--force; a DIR that holds anything else is never written.
Flow options:
  --mesh LEVEL      coarse (default), medium or fine; tiny tries the pipeline
  --cells N         about N background cells instead of a level's
  --np N            MPI processes (default 1): no more than the cores this
                    program may use, nor one per 10,000 cells of the mesh
                    (checked again once the mesh is made); more is a usage
                    error
  --iterations N    the iteration limit (default 1000)
  --force           replace another case in DIR
--cfd-study DIR with --csv FILE writes one case per design of the batch in
DIR/design-N, runs them as a Slurm job array where sbatch is found (--local:
here, one after another) and prints the batch's columns with the flow's:
flow_status, Vu, theta (also of the swirl alone), loss and the backflow's
shares at the cone inlet, the pump inlet section and its annulus, the share of
the wall area with y+ from 30 to 300, cells, iterations,
flow_error; DIR/study.csv keeps them (exit status 1 where it cannot be saved).
Through Slurm each job's --np is bounded by its node's cores.
--mesh-study DIR computes the design's flow on three meshes, DIR/LEVEL each:
the --mesh level (fine unless given; medium for a shorter study) and the two
below it, the coarsest first. Its lines follow the finest mesh's flow lines,
study<TAB>NAME<TAB>TEXT: the meshes' actual cells and, for Vu, theta and the
loss at each section, the finest value with its grid convergence index band
(Celik et al. 2008: the apparent order p, bounded by the schemes' formal
order 2, the extrapolated value; "not converged" above 5 %). The line
flow<TAB>verdict<TAB>TEXT of every settled flow says trusted, refine the mesh
or not usable, with its reasons (section flows against Q, backflow, a mean of
a figure swinging over 5 % about it, the GCI or no study, checkMesh's figures
or none). --save keeps the finest mesh's figures with the study. A mesh that
does not settle ends the study (exit status 1).
--cfd-validate [pipe] DIR computes the validation pipe (diameter 0.1 m, 60
diameters long, Re 100,000) and compares its friction factor with
Colebrook-White and its velocity profile with the power law; exit status 0 when
the friction factor is within 6 %. --cfd-validate step DIR computes the
backward-facing step of Driver and Seegmiller (h 12.7 mm, expansion 1.125, air
at 44.2 m/s, Re_h 37,400; 2-D, meshed by blocks, the level setting the cells
across the step: tiny 4, coarse 15, medium 24, fine 40) and compares where the
flow reattaches with the measured x/h 6.26; exit status 0 within 10 %. A
design's options and files given with either are a usage error.
OpenFOAM comes from Debian's openfoam and openmpi-bin packages.
--study DIR with --vary NAME=FROM:TO:COUNT (up to three; NAME one of D1 H1
H2 dd0 aa hk, FROM up to TO, above 0, aa below 90, COUNT 1 to 1000; or
--vary widths for both width sets) evaluates the design's variants (方案比选):
the grid of every value, the last input fastest, or with --samples N N
Latin-hypercube samples over the ranges from --seed S (default 1; the same
seed the same variants on every machine), each value rounded to 0.01. The
other inputs are the design's (the options, --open). --evaluate checks (the
default) runs each variant and its checks; solid adds the solid's volume (m³)
and wetted area (m²). Variants run in parallel on this machine's cores
(--local: all but the flow). DIR/variants/NNN.inlet keeps each variant's
design; DIR/study.csv and DIR/study.xlsx hold one row per variant: its
inputs, B, v_max (the largest station velocity, m/s), [volume, wetted_area,]
sections (exist, or missing where a check says the sections do not exist:
hk below bp or above H, crossing profiles, D0 or dd0 too wide, no area-true
width, a wall beyond the axis), warnings (how many checks warn), warned (which),
checks (every check) and error (a variant that fails is listed with its
failure). The lines study<TAB>variants|computed|failed|sections-exist<TAB>N
follow. A rerun computes only the variants whose design file or result is
missing or out of date; a DIR of another study or of other files is a usage
error unless --force (which replaces another study). --progress prints
progress<TAB>DONE<TAB>TOTAL to standard error as the study goes (at the
start, at each hundredth and at the end): TOTAL counts each variant's checks
and, with --evaluate flow, its case written and its run (and the run that
confirms a flow optimum).
--optimise min-B|min-volume (min-volume with --evaluate solid) then searches
the ranges for the variant of least B or volume by NLopt's COBYLA, starting
from the study's best variants, under the constraints: the variant computes,
its sections exist and each --require EXPR holds, EXPR NAME<=NUMBER or
NAME>=NUMBER of B, v_max, warnings, volume, wetted_area, or "no warnings"
(no bound is assumed that is not given). It prints best<TAB>NAME<TAB>TEXT:
the inputs, the figures, the checks and the evaluations (at most 3000), and
saves the design as DIR/best.inlet with the study it was chosen from (the
ranges, each variant's inputs, figures and failure, the objective and the
constraints), which its sheet prints as the chapter 方案比选 and its workbook as
the sheet 方案比选; a variant that fails or breaks a constraint is never
chosen, and where none holds them all the exit status is 1, with a line for
each constraint the variants break: how many break it and the one nearest to
holding it, with its figure ("no warnings": the fewest warnings and their
checks). A build without NLopt (the Windows one) says so.
--evaluate flow adds each variant's flow (--mesh, --np, --iterations as
for --cfd): its case in DIR/cases/NNN, run here with --local (cores / --np
cases at once, each one's output in its log.study; on Linux a study killed
takes its runs with it), or as one Slurm job
array with --slurm (one variant a task; without sbatch a failure that says
so), else through Slurm where sbatch is found. The
columns flow_status, Vu_pump_inlet, theta_pump_inlet, theta_swirl_pump_inlet,
loss_pump_inlet, backflow_area_pump_inlet, backflow_flow_pump_inlet,
flow_verdict, flow_uncertainty (unknown: a single mesh), flow_verdict_reasons
and flow_error follow the checks'; a variant whose flow fails or does not
settle keeps its row with why. A rerun runs only the cases without results.
--optimise min-loss|max-vu|max-theta (the pump inlet's loss, Vu or theta)
fits a response surface to the settled variants (least-squares quadratic,
reduced to what the points support) and prints surface<TAB>figure|form|
points|loo_error<TAB>TEXT (loo_error: the leave-one-out RMS), searches it by
COBYLA under the constraints above, runs the suggestion's flow in
DIR/cases/best and prints best<TAB>predicted_FIGURE and computed_FIGURE; the
design with its flow is saved as DIR/best.inlet (exit status 1 where it does
not settle).

%SOLID%--version prints the program's name and version.

Numbers are shown with the decimal separator of the user's locale (LC_ALL,
LC_NUMERIC, LANG). Messages, the checks' MESSAGE (in the JSON too) and errors
are in Chinese where the locale's language is Chinese (LC_ALL, LC_MESSAGES,
LANG zh_*), in English otherwise; names and columns are the same in both.

Exit status:
  0  done; a batch exits 0 even when designs fail, as their failures are in
     the error column
  1  the calculation of the design failed, or the batch or the output could
     not be completed: reading the input failed part-way, or writing the
     output failed (a full disk, a closed standard output)
  2  a usage error: an unknown option or one without its TEXT, a CSV header
     that is not usable, a FILE that cannot be opened, is a directory or is
     not text, a file to write that is read or written by another option
)";

constexpr const char* kSolidUsage = R"(
             [--step FILE [--step-walls]]
             [--stl FILE [--stl-binary] [--stl-metres]]
             [--length MM] [--outlet-extension MM]
             [--roughness MM] [--hub-diameter MM])";

constexpr const char* kSolidHelp = R"(--step FILE writes the passage's fluid volume as a solid, STEP AP214 in
millimetres, each face named by its wall: inlet, outlet (the pump inlet
section), floor, outer_wall, roof, bell (the bell-mouth wall and the conical
pipe), guide_cone. --step-walls writes the walls alone, as a shell without the
inlet and the outlet. --stl FILE writes its walls as STL triangles facing out
of the fluid, within 0.5 mm of the exact surfaces, one region per wall: ASCII
with one "solid NAME" per wall, or with --stl-binary binary (each triangle's
attribute word holds the wall's index in the order above); --stl-metres writes
metres instead of millimetres. --length MM is the distance from the pump axis
to the passage inlet (else the L box's length, --L above), for the flow's
case too;
--outlet-extension MM carries the pipe on straight above the pump inlet
section, so that the outlet lies that far above it; for the flow's case too,
whose outlet is otherwise two pump inlet diameters (2 D0) above it, and there
more than 0. For the flow's case alone (--cfd, --cfd-study): --roughness MM is
the walls' equivalent sand roughness Ks (default 0, smooth; concrete is about
1 to 3 mm), through OpenFOAM's rough-wall function (nutkRoughWallFunction,
Cs 0.5); --hub-diameter MM models the pump's hub as a wall "hub": a cylinder of
that diameter on the axis from the pump inlet section up through the outlet,
its flat end in that section (default none; less than the pipe's diameter
there). The flow's output (flow case) and the design's record name all three.
With --checks the solid's volume and areas follow the checks. A design that has no solid (hk not above
bp, a width from 10 degrees on below ap, crossing profiles, a guide cone above
the cone inlet, a passage too short for its roof) writes no file, says which condition failed and exits with status 1.

)";

std::string helpText()
{
    std::string help = kHelp;
    const auto put = [&help](std::string_view marker, std::string_view text) {
        help.replace(help.find(marker), marker.size(), text);
    };
    // One line per given dimension, from the box table: "  --D0     cone inlet ...  default 2200".
    std::string options;
    for (const Box box : settableBoxes()) {
        const BoxInfo& info = boxInfo(box);
        std::string line = "  --" + std::string(info.symbol);
        line.resize(std::max<std::size_t>(line.size() + 1, 11), ' ');
        line.append(info.help);
        line.resize(std::max<std::size_t>(line.size() + 2, 63), ' ');
        line.append("default ").append(info.defaultText.empty() ? "empty" : info.defaultText).append("\n");
        options.append(line);
    }
    put("%OPTIONS%", options);
    put("%SOLID_USAGE%", features::solid() ? kSolidUsage : "");
    put("%SOLID%", features::solid() ? kSolidHelp : "");
    return help;
}

// The design the options describe: a fresh window's texts, or those of the design file
// opened, with the texts of the options typed over them.
Design designFor(const Options& options)
{
    Design design = defaultDesign();
    if (options.openFile) {
        try {
            design = readDesignFile(QString::fromStdString(*options.openFile), kPipeWaitSeconds);
        } catch (const Failure& f) {
            throw CommandLineError{CommandLineError::kUsage, f};
        }
    }
    for (std::size_t i = 0; i < options.texts.size(); ++i)
        if (options.texts[i])
            design.texts[settableBoxes()[i]] = QString::fromStdString(*options.texts[i]);
    if (options.widthSet)
        design.widthSet = *options.widthSet;
    return design;
}

BoxTexts boxesFor(const Design& design)
{
    BoxTexts boxes;
    for (const auto& [box, text] : design.texts)
        boxes.type(box, text.toStdString());
    return boxes;
}

// Every file the command reads and writes: a file written that another option reads or writes
// too is a usage error, found before anything is written. The design saved over the file it
// was opened from is the one exception: that is how a design is edited.
void refuseSameFiles(const Options& options)
{
    std::vector<NamedFile> written;
    if (options.saveFile)
        written.push_back({"--save", *options.saveFile, true});
    for (const auto& [key, file] : options.exports)
        written.push_back({"--" + key, file, true});
    if (options.flowTask == Options::FlowTask::Design || options.flowTask == Options::FlowTask::Study
        || options.flowTask == Options::FlowTask::MeshStudy)
        written.push_back({options.flowTask == Options::FlowTask::Design  ? "--cfd"
                           : options.flowTask == Options::FlowTask::Study ? "--cfd-study"
                                                                          : "--mesh-study",
                           options.flow.dir, true});
    std::vector<NamedFile> files = written;
    if (options.csv)
        files.push_back({"--csv", options.csvFile, false});
    std::optional<Failure> clash = sameFileClash(files);
    if (!clash && options.openFile) {
        files = {{"--open", *options.openFile, false}};
        std::copy_if(written.begin(), written.end(), std::back_inserter(files),
                     [](const NamedFile& f) { return f.option != "--save"; });
        clash = sameFileClash(files);
    }
    if (clash)
        throw CommandLineError{CommandLineError::kUsage, *clash};
}

// Saves the design with the texts the boxes hold after the run, as the window would, and its
// flow (the one computed now, where there is one, else the one it was opened with).
void save(Design design, const BoxTexts& boxes, const std::string& path)
{
    for (const Box box : givenParameterBoxes())
        design.texts[box] = QString::fromStdString(boxes.text(box));
    writeDesignFile(QString::fromStdString(path), design);
}

// The files asked for, from the recorded run, each one written that can be: returns the
// failures of the others, in the order given. A format that needs a completed run writes
// nothing after a failed one, and says so.
std::vector<Failure> writeFiles(const Options& options, const Design& design, std::shared_ptr<const RunRecord> record)
{
    ExportInput input = exportInputFrom(std::move(record), design.info);
    input.program = "inlet-calc";
    input.flow = design.flow;
    input.study = design.study;
    if (options.openFile)
        input.designFile = QFileInfo(QString::fromStdString(*options.openFile)).fileName();
    ExportChoices choices;
    for (const auto& [key, value] : options.choices)
        choices[QString::fromStdString(key)] = QString::fromStdString(value);
    if (options.passageLength)
        choices[QStringLiteral("length")] = QString::fromStdString(*options.passageLength);
    if (options.outletExtension)
        choices[QStringLiteral("outlet-extension")] = QString::fromStdString(*options.outletExtension);
    std::vector<Failure> unwritten;
    for (const auto& [key, file] : options.exports) {
        const ExportFormat& format = *calcFormats().byKey(QString::fromStdString(key));
        try {
            writeExport(format, input, QString::fromStdString(file), choices);
        } catch (const Failure& f) {
            unwritten.push_back(f);
        }
    }
    return unwritten;
}

// The outputs that could not be written, all named; the first carries the exit status.
void reportUnwritten(std::vector<Failure> unwritten)
{
    if (unwritten.empty())
        return;
    CommandLineError error{CommandLineError::kUnfinished, unwritten.front()};
    error.more.assign(unwritten.begin() + 1, unwritten.end());
    throw error;
}

int runOne(const Options& options, std::ostream& out, std::ostream& err, const NumberLocale& locale,
           Language language)
{
    Design design = designFor(options);
    // The run as the window's "计算并打印" makes it: the texts, the checks and the files all
    // read this one record, drawn with the widths chosen.
    const auto record = std::make_shared<const RunRecord>(runAndRecord(boxesFor(design), design.widthSet, locale));
    const BoxTexts& boxes = record->boxes;
    const std::optional<Calculation>& calculation = record->calculation;
    const std::optional<Failure>& failure = record->failure;
    std::vector<DesignCheck> checks = options.checks ? record->checks : std::vector<DesignCheck>{};
#ifdef INLET_HAVE_SOLID
    // The solid's figures join the checks where a solid is written; the files written below
    // take the same solid. A design without one says why when its file is written.
    const bool solidAsked = std::any_of(options.exports.begin(), options.exports.end(),
                                        [](const auto& e) { return e.first == "step" || e.first == "stl"; });
    if (calculation && options.checks && solidAsked) {
        try {
            SolidOptions solidOptions;
            if (options.passageLength)
                solidOptions.passageLength = std::stod(*options.passageLength);
            if (options.outletExtension)
                solidOptions.outletExtension = std::stod(*options.outletExtension);
            const auto solid = cachedSolid(solidDesign(*calculation, solidStations(*calculation, design.widthSet),
                                                         boxes.text(kPassageLengthBox), solidOptions));
            const auto figures = solidFigureChecks(solid->figures(), locale);
            checks.insert(checks.end(), figures.begin(), figures.end());
        } catch (const Failure&) {
        }
    }
#endif

    CheckedOutput output(out);
    std::string& text = output.text();
    if (options.json) {
        text.push_back('{');
        for (const Box box : boxes.written()) {
            if (text.size() > 1)
                text.append(", ");
            appendJsonString(text, boxInfo(box).symbol);
            text.append(": ");
            appendJsonString(text, boxes.text(box));
        }
        if (options.checks && !failure) {
            text.append(text.size() > 1 ? ", " : "").append("\"checks\": ");
            appendCheckJson(text, checks, language);
        }
    } else {
        for (const Box box : boxes.written())
            text.append(boxInfo(box).symbol).append("\t").append(boxes.text(box)).append("\n");
        appendCheckLines(text, checks, locale, language);
        output.flush();
    }
    int flowStatus = 0;
    if (options.flowTask == Options::FlowTask::Design && calculation) {
        if (options.json)
            text.append(text.size() > 1 ? ", " : "");
        cfd::FlowResult flow;
        flowStatus = flowForDesign(*calculation, design, options.flow, options.json, text, err, flow, language);
        if (flow.status == cfd::RunStatus::Settled)
            design.flow = flowRecord(flow, options.flow, design);
    }
    if (options.flowTask == Options::FlowTask::MeshStudy && calculation) {
        if (options.json)
            text.append(text.size() > 1 ? ", " : "");
        QJsonObject study;
        flowStatus = meshStudyForDesign(*calculation, design, options.flow, options.json, text, err, study, language);
        if (!study.isEmpty())
            design.flow = study;
    }
    if (options.json)
        text.append("}\n");
    output.flush();
    // Each output written that can be, each that cannot named: one failing leaves the others
    // holding this design, not the last.
    std::vector<Failure> unwritten;
    if (options.saveFile) {
        try {
            save(design, boxes, *options.saveFile);
        } catch (const Failure& f) {
            unwritten.push_back(f);
        }
    }
    if (!options.exports.empty()) {
        const std::vector<Failure> files = writeFiles(options, design, record);
        unwritten.insert(unwritten.end(), files.begin(), files.end());
    }
    if (failure)
        err << "inlet-calc: " << render(*failure, language) << '\n';
    reportUnwritten(unwritten);
    return failure ? 1 : flowStatus;
}

void print(std::ostream& out, const std::string& text)
{
    CheckedOutput output(out);
    output.text() = text;
    output.flush();
}

// The batch printed as it is computed and, row by row as well, written as each workbook named
// (BatchWorkbook: sheets of rows, the result columns as numbers), so that neither grows with
// the batch in memory. A workbook that fails is dropped, its file left as it was, and named
// once the batch is done; the other workbooks are still written, and the output goes on.
void runBatchWithWorkbooks(const Options& options, std::istream& csv, const std::string& name, const Design& design,
                           std::ostream& out, const NumberLocale& locale, Language language)
{
#if INLET_HAS_XLSX
    struct Workbook {
        std::string file;
        std::unique_ptr<BatchWorkbook> book;
        std::optional<Failure> failure;
    };
    std::vector<Workbook> workbooks;
    for (const auto& [key, file] : options.exports)
        workbooks.push_back({file, nullptr, std::nullopt});
    const auto write = [&](const std::vector<std::string>& cells) {
        for (Workbook& w : workbooks) {
            if (w.failure)
                continue;
            try {
                if (w.book) {
                    w.book->row(cells);
                    continue;
                }
                std::vector<bool> numbers;
                for (const std::string& column : cells)
                    numbers.push_back(std::any_of(resultWriteOrder().begin(), resultWriteOrder().end(),
                                                  [&column](Box box) { return boxInfo(box).symbol == column; }));
                w.book = std::make_unique<BatchWorkbook>(QString::fromStdString(w.file), locale);
                w.book->header(cells, numbers);
            } catch (const Failure& f) {
                w.failure = f;
                w.book.reset();
            }
        }
    };
    runCsvBatch(csv, name, boxesFor(design), options.checks, design.widthSet, out, locale, language, write);
    std::vector<Failure> unwritten;
    for (Workbook& w : workbooks) {
        try {
            if (w.book)
                w.book->save();
        } catch (const Failure& f) {
            w.failure = f;
        }
        w.book.reset();
        if (w.failure)
            unwritten.push_back(*w.failure);
    }
    reportUnwritten(unwritten);
#else
    runCsvBatch(csv, name, boxesFor(design), options.checks, design.widthSet, out, locale, language);
#endif
}

void runBatch(const Options& options, std::istream& in, std::ostream& out, std::ostream& err, const NumberLocale& locale,
              Language language)
{
    auto batch = [&](std::istream& csv, const std::string& name) {
        const Design design = designFor(options);
        if (options.flowTask == Options::FlowTask::Study) {
            runFlowStudy(csv, name.empty() ? "standard input" : quoteForMessage(name), boxesFor(design), options.flow,
                         out, err, locale, language);
        } else if (options.exports.empty()) {
            runCsvBatch(csv, name, boxesFor(design), options.checks, design.widthSet, out, locale, language);
        } else {
            runBatchWithWorkbooks(options, csv, name, design, out, locale, language);
        }
    };
    if (options.csvFile == "-") {
        batch(in, {});
        return;
    }
    std::optional<InputFile> file;
    try {
        file.emplace(options.csvFile, kPipeWaitSeconds);
    } catch (const Failure& f) {
        throw CommandLineError{CommandLineError::kUsage, f};
    }
    batch(file->stream(), options.csvFile);
}

}  // namespace

int runCommandLine(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                   std::ostream& err, const NumberLocale& locale, Language language)
{
    try {
        const Options options = parseOptions(args);
        if (options.help) {
            print(out, helpText());
            return 0;
        }
        if (options.version) {
            print(out, std::string("inlet-calc ") + kVersion + "\n"
                           + (language == Language::Chinese ? kLicenceChinese : kLicenceEnglish));
            return 0;
        }
        refuseSameFiles(options);
        if (options.flowTask == Options::FlowTask::Pipe)
            return flowForPipe(options.flow, options.json, out, err, language);
        if (options.flowTask == Options::FlowTask::Step)
            return flowForStep(options.flow, options.json, out, err, language);
        if (options.study)
            return runStudy(*options.study, designFor(options), out, err, locale, language);
        if (options.csv) {
            runBatch(options, in, out, err, locale, language);
            return 0;
        }
        return runOne(options, out, err, locale, language);
    } catch (const CommandLineError& e) {
        err << "inlet-calc: " << render(e.failure, language) << '\n';
        for (const Failure& more : e.more)
            err << "inlet-calc: " << render(more, language) << '\n';
        if (e.status == CommandLineError::kUsage)
            err << (language == Language::Chinese ? "请参阅“inlet-calc --help”。\n" : "Try 'inlet-calc --help'.\n");
        return e.status;
    } catch (const std::bad_alloc&) {
        err << "inlet-calc: " << render(Failure{.kind = Failure::Kind::OutOfMemory, .file = "inlet-calc"}, language)
            << '\n';
        return CommandLineError::kUnfinished;
    }
}

}  // namespace inlet
