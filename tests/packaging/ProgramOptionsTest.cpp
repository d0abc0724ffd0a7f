#include "app/ProgramOptions.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

namespace {

struct Outcome {
    inlet::ProgramOptions options;
    std::string out;
    std::string err;
};

Outcome read(std::vector<const char*> argv)
{
    std::ostringstream out;
    std::ostringstream err;
    const inlet::ProgramOptions options =
        inlet::readProgramOptions(static_cast<int>(argv.size()), argv.data(), out, err);
    return {options, out.str(), err.str()};
}

TEST(ProgramOptions, NoArgumentsStartTheWindowQuietly)
{
    const Outcome outcome = read({"inlet"});
    EXPECT_FALSE(outcome.options.exitStatus);
    EXPECT_EQ(outcome.out, "");
    EXPECT_EQ(outcome.err, "");
}

TEST(ProgramOptions, ADesignFileIsHandedOnToTheWindow)
{
    const Outcome outcome = read({"inlet", "station 3.inlet"});
    EXPECT_FALSE(outcome.options.exitStatus);
    EXPECT_EQ(outcome.options.file.toStdString(), "station 3.inlet");
    EXPECT_TRUE(outcome.options.exportTo.isEmpty());
    EXPECT_EQ(outcome.out, "");
    EXPECT_EQ(outcome.err, "");
}

TEST(ProgramOptions, ExportNeedsADesignAndAKindOfFileItWrites)
{
    const Outcome written = read({"inlet", "--export", "sheet.PDF", "a.inlet"});
    EXPECT_FALSE(written.options.exitStatus) << written.err;
    EXPECT_EQ(written.options.exportTo.toStdString(), "sheet.PDF");
    EXPECT_EQ(written.options.file.toStdString(), "a.inlet");
    // A key that agrees with the extension, with a choice that format offers.
    const Outcome drawing = read({"inlet", "--export", "sheet.pdf", "--format", "drawing-pdf", "--paper", "A1", "a.inlet"});
    EXPECT_FALSE(drawing.options.exitStatus) << drawing.err;
    EXPECT_EQ(drawing.options.exportFormat.toStdString(), "drawing-pdf");

    struct Row {
        const char* name;
        std::vector<const char*> argv;
        const char* message;
    };
    const Row rows[] = {
        {"no design", {"inlet", "--export", "sheet.pdf"}, "--export OUT needs the design FILE to export"},
        {"no OUT", {"inlet", "a.inlet", "--export"}, "option '--export' needs a FILE"},
        {"an unknown option", {"inlet", "--bogus", "a.inlet"}, "unknown option '--bogus'"},
        {"an unknown option with a value", {"inlet", "--bogus=2", "a.inlet"}, "unknown option '--bogus'"},
        {"a switch given a value", {"inlet", "--help=3"}, "option '--help' takes no value, not '3'"},
        {"no SET", {"inlet", "a.inlet", "--export", "a.pdf", "--widths"}, "option '--widths' needs one of computed, area-true"},
        {"a kind it does not write", {"inlet", "--export", "sheet.doc", "a.inlet"}, "not 'sheet.doc'"},
        {"a format against the extension", {"inlet", "--export", "n.pdf", "--format", "step", "a.inlet"},
         "--format step writes .step files, but --export names 'n.pdf'"},
        {"a format without an extension", {"inlet", "--export", "n", "--format", "dxf", "a.inlet"},
         "--format dxf writes .dxf files, but --export names 'n'"},
        {"a choice the format does not offer", {"inlet", "--export", "a.step", "--paper", "A0", "a.inlet"},
         "--paper does not apply to the step file 'a.step'; it goes with the formats dxf, drawing-pdf"},
        {"a switch the format does not offer", {"inlet", "--export", "a.pdf", "--stl-binary", "a.inlet"},
         "--stl-binary does not apply to the pdf file 'a.pdf'"},
        {"standard output", {"inlet", "--export", "-", "--format", "dxf", "a.inlet"},
         "--export writes a file, not standard output ('-')"},
        {"the design itself", {"inlet", "--export", "a.inlet", "--format", "dxf", "a.inlet"},
         "--export would write over 'a.inlet', which FILE reads; nothing is written"},
    };
    for (const Row& row : rows) {
        const Outcome outcome = read(row.argv);
        EXPECT_EQ(outcome.options.exitStatus, 2) << row.name;
        EXPECT_NE(outcome.err.find(row.message), std::string::npos) << row.name << ": " << outcome.err;
    }
}

TEST(ProgramOptions, TwoDesignFilesAreAUsageError)
{
    const Outcome outcome = read({"inlet", "a.inlet", "b.inlet"});
    EXPECT_EQ(outcome.options.exitStatus, 2);
    EXPECT_EQ(outcome.out, "");
    EXPECT_EQ(outcome.err, "inlet: only one design file can be opened at a time\n"
                           "Try 'inlet --help'.\n");
}

TEST(ProgramOptions, ShortAndSingleDashFormsShowTheVersion)
{
    for (const char* option : {"-v", "-version"}) {
        const Outcome outcome = read({"inlet", option});
        EXPECT_EQ(outcome.options.exitStatus, 0) << option;
        EXPECT_EQ(outcome.out.rfind("inlet ", 0), 0u) << option;
        EXPECT_EQ(outcome.err, "") << option;
    }
}

TEST(ProgramOptions, HelpComesBeforeAnythingElseOnTheLine)
{
    const Outcome outcome = read({"inlet", "--help", "a.inlet", "b.inlet"});
    EXPECT_EQ(outcome.options.exitStatus, 0);
    EXPECT_EQ(outcome.out.rfind("Usage: inlet [options] [FILE]\n", 0), 0u);
    EXPECT_EQ(outcome.err, "");
}

}  // namespace
