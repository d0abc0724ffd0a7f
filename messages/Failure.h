#pragma once

// What went wrong and where, as data. Every part of the program reports a failure as a
// Failure: it is thrown where the work stops and caught at the program's edge, which renders
// it in the program's language: the window, the calculation sheet and the dialogs in Chinese,
// each command-line program in the language of its locale (messageLanguage()).
//
// To add a kind of failure: add its name to Failure::Kind and one row to the table in
// Failure.cpp with its Chinese and its English text, written with the facts it needs:
// {file} {source} {item} {other} {line} {number} {limit} {reason} {detail} {where} ({s}: an "s"
// where {number} is not 1, for English's plural). Fill in those
// facts where the failure is thrown; never put words in a fact that only one language
// reads. A test renders every kind in both languages and checks that both state the same
// facts.
//
// A failure of the flow computation also carries the stage it stopped in (FlowStage), which
// render() says first: "meshing: snappyHexMesh failed ...", "划分网格：snappyHexMesh 失败……".

#include "boxes/Boxes.h"
#include "boxes/Quantity.h"

#include <optional>
#include <string>

namespace inlet {

enum class Language { Chinese, English };

// The stage of a flow computation that stopped: shown before what failed.
enum class FlowStage { None, Case, Mesh, Decompose, Solve, Evaluate };

struct Failure {
    enum class Kind {
        // The calculation ({where}: the box being read, or the quantity being computed).
        TypeMismatch, Overflow, DivisionByZero, InvalidCall,

        // Opening and reading a file ({file}).
        CannotOpen, CannotRead, ReadFailedAfterLine, IsFolder, IsDevice, IsPipe, NothingArrived, ReadTooLarge, StreamTooLarge,
        // A design file's contents.
        DesignNotUtf8, DesignNotJson, DesignNestedTooDeep, DesignNumberOutOfRange, NotADesign, FormatVersionUnreadable, FormatVersionNewer,
        FieldMissing, FieldNotText, FieldNotObject, FieldNotOneOf, FloorElevationNotANumber, TextTooLong, TextHasNul, TextHasInvalidChar,
        // Saving a design that would not open again.
        SaveTextTooLong, SaveTextHasNul, SaveTextHasInvalidChar, SaveFloorElevationNotANumber, SaveTooLarge, CannotSaveDesign,

        // Writing a file ({file}); {reason} is the system's.
        CannotWrite, FolderNotWritable, NotAFileName, NotARegularFile, ReservedDeviceName,
        // What is written.
        NothingToDraw, UnsupportedFormat, ImageTooLarge, OutOfMemory, CannotMake, SheetTooLong, ModuleMissing,
        // A workbook ({detail} libxlsxwriter's words; {item} the sheet, {other} the cell).
        WorkbookNotMade, WorkbookCellNotWritten,
        PrinterFailed, SheetOfIncompleteRun, NoDrawingOfIncompleteRun, DrawingNotFinite, DrawingBeyondReach,
        Cancelled,
        // The passage's solid ({item} the quantity or station, {other} the figure that failed,
        // {detail} the bound, both in whole mm; or {detail} the modelling kernel's own words).
        SolidNoSectionShape, SolidWidthBelowAp, SolidBackWallOnGuideCone, SolidNoWidth, SolidProfileNotUsable,
        SolidProfilesCross, SolidGuideConeAboveConeInlet, SolidPassageTooShort, SolidLengthNotUsable,
        SolidLengthNotGiven,
        SolidExtensionNotUsable, SolidModelling, SolidNotSound,
        // The flow computation ({file} the case folder, {item} a program, {other} its log,
        // {detail} the log's last lines or the solver's own words).
        FlowFolderNotAFolder, FlowFolderNotACase, FlowFolderOtherCase, FlowCannotCreateFolder, FlowNoOpenFoam,
        FlowDesignFlowNotPositive, FlowNeedsSolid, FlowProgramNotStarted, FlowProgramFailed, FlowProgramKilled,
        FlowMeshNotSound, FlowResidualNotFinite, FlowSpeedTooHigh, FlowSolverError, FlowNoWallYPlus,
        FlowNoResults, FlowEarlierFailure, FlowUnexpected,
        // --np N above what the cores and the cells allow ({number} asked, {limit} the most,
        // {other} the cores, {detail} the cells), or the cells alone (a study through Slurm).
        FlowTooManyProcesses, FlowTooManyProcessesForCells,
        // An evaluation section that is not the pipe it names ({item} the section, {detail} its
        // figure, {other} the pipe's): its area, the flow through it, its Vu outside 0 to 100 %.
        // A design whose sections cannot be bounded ({detail} hk, {other} H, in mm; or {item}
        // the section without a pipe radius).
        FlowSectionArea, FlowSectionFlow, FlowSectionUniformity, FlowRoofAbovePumpInlet, FlowSectionUnbounded,
        // The pump's hub not inside the pipe at the pump inlet section ({detail} its diameter,
        // {other} the pipe's, in mm); an outlet on the pump inlet section ({other} the extension).
        FlowHubNotInPipe, FlowOutletOnPumpInlet,
        // A mesh too distorted for the figures ({detail} its largest non-orthogonality, {item}
        // its largest skewness, {other} checkMesh's log).
        FlowMeshQuality,

        // The command line.
        UnknownOption, OptionNeedsFile, OptionNeedsText, OptionNeedsTextNotOption, OptionTakesNoValue,
        UnexpectedArgument, OptionsExclusive, OptionNotInBatch, OptionNeedsOption, OptionNeedsOneOf, OptionNeedsLength, OptionNotALength, OptionTakesOneOf,
        OptionNeedsWholeNumber, OptionNotAWholeNumber, OptionNeedsFolder, OnlyOneOf, OptionOfOneDesign,
        OnlyOneFile, ExportNeedsFile, ExportFormat, CommandLineUnreadable,
        CannotWriteResults, StudyRefused,
        // A study of variants (--study DIR): {item} the --vary or --require text, {other} the
        // input or the figures it may name; {file} the study's folder.
        StudyInputNotVaried, StudyRangeNotUsable, StudyInputTwice, StudyTooManyInputs, StudyTooManyVariants,
        StudyFolderOther, StudyRequireNotUsable, StudyNoVariantHolds, StudyOptimiserMissing,
        // Why none holds, one constraint each ({item} the --require text, {number} the variants
        // that break it of {limit}, {other} the nearest to holding it, {detail} its figure or
        // its warnings; or {other} a figure no variant has).
        StudySectionsUnheld, StudyRequireUnheld, StudyWarningsUnheld, StudyRequireNoFigure,
        // The flow's depth of a study ({number} the settled variants, {item} a run's status).
        StudySlurmMissing, StudySurfaceTooFew, StudyOptimumNotSettled,
        // Files a command names ({item} and {other} the options, {file} the file written).
        OutputOverwritesInput, OutputsSameFile, NoStandardOutput, FormatDisagrees, OptionNotForFormat,
        // CSV input ({file} the input, {line} its line).
        CsvNoHeader, CsvHeaderUnreadable, CsvHeaderNotUtf8, CsvHeaderTrailingComma, CsvColumnUnnamed,
        CsvUnknownColumn, CsvColumnTwice, CsvNotText, CsvLineTooLong, CsvCarriageReturn,
        CsvQuoteNotClosed, CsvTextAfterQuote, CsvQuoteInField, CsvFieldCount, CsvRowNotUtf8,
    };

    Kind kind{};
    std::string file{}; // the file or input concerned, as given (UTF-8); empty: standard input
    std::string item{}; // the field, box, option, column, extension or text concerned
    std::string other{}; // a second one: the folder, the other option
    long long line = 0;
    long long number = 0;  // a size, count or position
    long long limit = 0;   // the most allowed
    int error = 0;         // the system's error number (errno), worded by this program
    std::string detail{}; // a library's own words, where it gives nothing else
    // Where a calculation stopped: the quantity being read or computed, the box being read.
    std::optional<Quantity> quantity{};
    std::optional<Box> box{};
    int step = 0;  // the run's step, 1 to 16
    FlowStage stage = FlowStage::None;  // where a flow computation stopped
};

// The failure as one line in `language`: "division by zero computing the volute width a30 at
// φ = 30°", "除数为零：计算φ=30°时蜗壳宽度a30时出错".
std::string render(const Failure& failure, Language language);

// A flow computation's stage in `language`: "meshing", "划分网格"; in English also the word the
// flow's files and JSON keep.
std::string flowStageName(FlowStage stage, Language language);

// The language a command-line program speaks: Chinese where the locale's language is Chinese
// (LANGUAGE, LC_ALL, LC_MESSAGES, LANG as the C library reads them), English otherwise.
Language messageLanguage();

// How many kinds there are.
std::size_t failureKindCount();

// A failure of the system call that set errno to `error`, on `file`.
Failure systemFailure(Failure::Kind kind, const std::string& file, int error);

}  // namespace inlet
