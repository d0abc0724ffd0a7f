// The command-line tool in-process: batches, quoting, locales, usage errors, and input and
// output that fail.

#include "cli/CommandLine.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <regex>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

using namespace inlet;

namespace {

struct Result {
    int status;
    std::string out;
    std::string err;
};

Result run(const std::vector<std::string>& args, const std::string& input = "",
           const NumberLocale& locale = NumberLocale{".", ","})
{
    std::istringstream in(input);
    std::ostringstream out;
    std::ostringstream err;
    const int status = runCommandLine(args, in, out, err, locale);
    return {status, out.str(), err.str()};
}

std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        result.push_back(line);
    return result;
}

const std::string kResultHeader =
    "a1,b1,x1,y1,x2,y2,a2,b2,ap,bp,a87,a84,H,a0,a10,a20,a30,a40,a50,a60,a70,a80,a90,B,error";

// The row of hk 2000, dd0 700.
const std::string kHk2000Row =
    "2000,700,0400,0700,1500,700,1500,700,1150,2000,0225,1421,1459,1424,2700,-0008,0254,0469,"
    "0656,0823,0976,1118,1250,1376,1678,6355,";

// `text` as a test failure shows it, unprintable characters escaped.
std::string shown(const std::string& text)
{
    return ::testing::PrintToString(text);
}

}  // namespace

TEST(CsvBatch, EachRowIsOneDesignAndFailuresStayInTheirRow)
{
    const Result r = run({"--csv"}, "hk,dd0\n2000,700\r\n,700\n2000,\n1000,700.1\n");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    const std::vector<std::string> expected{
        "hk,dd0," + kResultHeader,
        "2000,700,0400,0700,1500,700,1500,700,1150,2000,0225,1421,1459,1424,2700,-0008,0254,0469,"
        "0656,0823,0976,1118,1250,1376,1678,6355,",
        ",700,0400,0700,1500,700,1500,700,1150,2000,0225,1421,,,,,,,,,,,,,,,"
        "division by zero computing the volute width a30 at φ = 30°",
        "2000,,0400,0700,1500,700,1500,700,,,,,,,,,,,,,,,,,,,"
        "type mismatch reading the guide cone diameter dd0 from box Text34",
        "1000,700.1,0400,0700,1500,700,1500,700,1149.95001220703,2000,0225,1421,2962,2860,2700,"
        "-0008,0254,0469,0656,0823,1703,2043,2383,2724,3064,9128,",
    };
    EXPECT_EQ(lines(r.out), expected);
}

TEST(CsvBatch, AbsentColumnsTakeTheOptionOrTheDefaultText)
{
    const Result fromDefault = run({"--csv"}, "dd0\n700\n");
    EXPECT_NE(fromDefault.out.find("division by zero"), std::string::npos) << fromDefault.out;
    const Result fromOption = run({"--csv", "--hk", "2000"}, "dd0\n700\n");
    EXPECT_NE(fromOption.out.find(",6355,\n"), std::string::npos) << fromOption.out;
}

TEST(CsvBatch, AByteOrderMarkBeforeTheHeaderIsNotPartOfTheFirstColumn)
{
    const Result r = run({"--csv"}, "\xEF\xBB\xBFhk\n2000\n");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(lines(r.out).at(0), "hk," + kResultHeader);
}

TEST(CsvBatch, QuotesFieldsThatNeedIt)
{
    const Result r = run({"--csv"}, "hk,dd0\n2000,\"700,1\"\n\"2,000\",\"7\"\"00\"\n",
                         NumberLocale{",", "."});
    const std::vector<std::string> out = lines(r.out);
    ASSERT_EQ(out.size(), 3u) << r.out;
    EXPECT_EQ(out[1].substr(0, 60),
              "2000,\"700,1\",0400,0700,1500,700,1500,700,\"1149,95001220703\",");
    EXPECT_EQ(out[2].substr(0, 18), "\"2,000\",\"7\"\"00\",04");
    EXPECT_NE(out[2].find("type mismatch"), std::string::npos);
}

TEST(CsvBatch, ARowWithTheWrongNumberOfFieldsNamesItsLine)
{
    const Result r = run({"--csv"}, "hk,dd0\n2000\n2000,700,9\n2000,700\n");
    const std::vector<std::string> out = lines(r.out);
    ASSERT_EQ(out.size(), 4u) << r.out;
    EXPECT_EQ(out[1], "2000,,,,,,,,,,,,,,,,,,,,,,,,,,\"line 2 has 1 field, the header has 2\"");
    EXPECT_EQ(out[2].substr(0, 9), "2000,700,");
    EXPECT_NE(out[2].find("line 3 has 3 fields"), std::string::npos);
    EXPECT_NE(out[3].find(",6355,"), std::string::npos);
}

TEST(CsvBatch, ALineThatCannotBeSplitIntoFieldsIsAnErrorRowAndTheNextLineIsComputed)
{
    struct Row {
        const char* name;
        std::string line;
        const char* error;
    };
    const Row rows[] = {
        {"quote left open at the line's end", "\"2000,700", "line 2: the quoted field is not closed on its line"},
        {"quote left open in the last field", "2000,\"700", "line 2: the quoted field is not closed on its line"},
        {"quote inside an unquoted field", "2000,7\"00", "line 2: a \"\" inside a field that does not begin with one"},
        {"quote after a blank", "2000, \"700\"", "line 2: a \"\" inside a field that does not begin with one"},
        {"text after the closing quote", "\"2000\"x,700", "line 2: text after the closing quote of a field"},
        {"carriage return inside the line", "2000\r,700", "line 2: a carriage return not followed by a line feed"},
    };
    for (const Row& row : rows) {
        const std::string input = "hk,dd0\n" + row.line + "\n2000,700\n";
        SCOPED_TRACE(std::string(row.name) + ": " + shown(input));
        const Result r = run({"--csv"}, input);
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.err, "");
        const std::vector<std::string> out = lines(r.out);
        ASSERT_EQ(out.size(), 3u) << r.out;
        EXPECT_EQ(out[1].substr(0, 26), std::string(26, ','));  // no cells, no results
        EXPECT_NE(out[1].find(row.error), std::string::npos) << out[1];
        EXPECT_EQ(out[2], kHk2000Row);
    }
}

TEST(CsvBatch, AQuoteOpenOnOneLineDoesNotSwallowTheNext)
{
    const Result r = run({"--csv"}, "hk,dd0\n\"2000,700\n1000\",700\n2000,700\n");
    const std::vector<std::string> out = lines(r.out);
    ASSERT_EQ(out.size(), 4u) << r.out;
    EXPECT_NE(out[1].find("line 2: the quoted field is not closed on its line"), std::string::npos) << out[1];
    EXPECT_NE(out[2].find("line 3: a \"\" inside a field"), std::string::npos) << out[2];
    EXPECT_EQ(out[3], kHk2000Row);
}

TEST(CsvBatch, ALineBeyondSixteenMebibytesIsAnErrorRowAndTheNextLineIsComputed)
{
    const std::string input = "D,hk,dd0\n" + std::string(17 * 1024 * 1024, '1') + ",2000,700\n2200,2000,700\n";
    const Result r = run({"--csv"}, input);
    EXPECT_EQ(r.status, 0);
    const std::vector<std::string> out = lines(r.out);
    ASSERT_EQ(out.size(), 3u) << r.out.substr(0, 500);
    EXPECT_EQ(out[1], std::string(3 + 24, ',') + "line 2: the line is longer than 16 MiB");
    EXPECT_EQ(out[2], "2200," + kHk2000Row);
}

TEST(CsvBatch, EachRowIsWrittenBeforeTheNextLineIsWaitedFor)
{
    // Serves one line at each read and notes what had been written by then.
    class OneLineAtATime : public std::streambuf {
    public:
        OneLineAtATime(std::vector<std::string> lines, const std::ostringstream& out)
            : lines_(std::move(lines)), out_(out) {}
        std::vector<std::string> writtenBeforeEachRead;

    protected:
        int_type underflow() override
        {
            if (next_ == lines_.size())
                return traits_type::eof();
            writtenBeforeEachRead.push_back(out_.str());
            std::string& line = lines_[next_++];
            setg(line.data(), line.data(), line.data() + line.size());
            return traits_type::to_int_type(line[0]);
        }

    private:
        std::vector<std::string> lines_;
        std::size_t next_ = 0;
        const std::ostringstream& out_;
    };

    std::ostringstream out;
    std::ostringstream err;
    OneLineAtATime source({"hk,dd0\n", "2000,700\n", "2000,700\n"}, out);
    std::istream in(&source);
    EXPECT_EQ(runCommandLine({"--csv"}, in, out, err, NumberLocale{".", ","}), 0);
    ASSERT_EQ(source.writtenBeforeEachRead.size(), 3u);
    EXPECT_EQ(lines(source.writtenBeforeEachRead[1]), std::vector<std::string>{"hk,dd0," + kResultHeader});
    EXPECT_EQ(lines(source.writtenBeforeEachRead[2]),
              (std::vector<std::string>{"hk,dd0," + kResultHeader, kHk2000Row}));
    EXPECT_EQ(lines(out.str()).size(), 3u) << out.str();
}

TEST(CsvBatch, AReadThatFailsPartWayEndsTheBatchWithStatusOne)
{
    // Serves its text, then fails as a disk that has gone away does.
    class FailingAfterText : public std::streambuf {
    public:
        explicit FailingAfterText(std::string text) : text_(std::move(text)) {}

    protected:
        int_type underflow() override
        {
            if (!served_) {
                served_ = true;
                setg(text_.data(), text_.data(), text_.data() + text_.size());
                return traits_type::to_int_type(text_[0]);
            }
            errno = EIO;
            throw std::runtime_error("read error");
        }

    private:
        std::string text_;
        bool served_ = false;
    };

    FailingAfterText source("hk,dd0\n2000,700\n");
    std::istream in(&source);
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(runCommandLine({"--csv"}, in, out, err, NumberLocale{".", ","}), 1);
    EXPECT_EQ(err.str(), "inlet-calc: cannot read standard input after line 2: Input/output error\n");
    EXPECT_EQ(lines(out.str()), (std::vector<std::string>{"hk,dd0," + kResultHeader, kHk2000Row}));
}

TEST(UsageErrors, ExitWithStatusTwoAndSayWhy)
{
    struct Row {
        const char* name;
        std::vector<std::string> args;
        std::string input;
        const char* message;
    };
    const Row rows[] = {
        {"unknown option", {"--hk2", "5"}, "", "unknown option '--hk2'"},
        {"option without its text", {"--hk"}, "", "option '--hk' needs a TEXT"},
        {"stray argument", {"2000"}, "", "unexpected argument '2000'"},
        {"json with csv", {"--json", "--csv"}, "", "--json and --csv cannot be combined"},
        {"unknown column", {"--csv"}, "hk,B\n", "unknown column 'B'"},
        {"repeated column", {"--csv"}, "hk,hk\n", "column 'hk' appears twice"},
        {"no header", {"--csv"}, "", "no header row"},
        {"missing file", {"--csv", "/nonexistent/designs.csv"}, "", "cannot open"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const Result r = run(row.args, row.input);
        EXPECT_EQ(r.status, 2);
        EXPECT_NE(r.err.find(row.message), std::string::npos) << r.err;
    }
}

TEST(SingleDesign, OptionsWithAnEqualsSignAndEmptyTexts)
{
    const Result r = run({"--hk=2000", "--dd0="});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(lines(r.out).size(), 6u);
    EXPECT_EQ(r.err, "inlet-calc: type mismatch reading the guide cone diameter dd0 from box Text34\n");
}

TEST(CsvBatchHeader, AHeaderThatCannotBeUsedIsAUsageErrorSayingWhatIsWrong)
{
    struct Row {
        const char* name;
        std::string input;
        const char* message;
    };
    const Row rows[] = {
        {"trailing comma", "hk,dd0,\n2000,700,\n",
         "the CSV header ends with an empty column (a trailing comma, as spreadsheets write it); remove"},
        {"CR-only line ends", "hk,dd0\r2000,700\r",
         "line 1: a carriage return not followed by a line feed: lines end with LF or CRLF"},
        {"NUL byte", std::string("hk,dd0\n2000,7\0\n", 15),
         "standard input is not text: line 2 holds a NUL byte"},
        {"UTF-16 text", std::string("\xFF\xFEh\0k\0\n\0", 8), "standard input is not text: line 1 holds a NUL byte"},
        {"header not UTF-8", "\xB8\xDF,dd0\n", "the CSV header is not UTF-8 text (column '\\xB8\\xDF')"},
        {"unnamed column inside", "hk,,dd0\n", "column 2 of the CSV header has no name"},
        {"quote left open", "\"hk,dd0\n", "line 1: the quoted field is not closed"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.name) + ": " + shown(row.input));
        const Result r = run({"--csv"}, row.input);
        EXPECT_EQ(r.status, 2);
        EXPECT_NE(r.err.find(row.message), std::string::npos) << r.err;
    }
}

TEST(CsvBatchHeader, ADirectoryGivenAsTheFileIsAUsageError)
{
    const std::string directory = std::filesystem::temp_directory_path().string();
    const Result r = run({"--csv", directory});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "inlet-calc: '" + directory + "' is a folder, not a file\nTry 'inlet-calc --help'.\n");
}

TEST(UsageErrors, MessagesShowEchoedTextEscapedAndCutShort)
{
    struct Row {
        const char* name;
        std::vector<std::string> args;
        std::string input;
        std::string message;
    };
    const std::string longName = "/nonexistent/" + std::string(60, 'a') + ".csv";
    const Row rows[] = {
        {"escape character", {"--h\x1B[2Jk"}, "", "unknown option '--h\\x1B[2Jk'\n"},
        {"tab, CR and LF", {"--a\tb\rc\n"}, "", "unknown option '--a\\tb\\rc\\n'\n"},
        {"a Windows path keeps its backslashes", {"C:\\设计\\a b"}, "", "unexpected argument 'C:\\设计\\a b'\n"},
        {"byte that is not UTF-8", {"--\xFFx"}, "", "unknown option '--\\xFFx'\n"},
        {"truncated UTF-8 character", {"--x\xCF"}, "", "unknown option '--x\\xCF'\n"},
        {"direction override", {"--\xE2\x80\xAEx"}, "", "unknown option '--\\xE2\\x80\\xAEx'\n"},
        {"printable UTF-8 is kept", {"--φ"}, "", "unknown option '--φ'\n"},
        {"column name with a tab", {"--csv"}, "h\tk\n", "unknown column 'h\\tk' in the CSV header"},
        {"a file's name is shown whole", {"--csv", longName}, "",
         "cannot open '" + longName + "': No such file or directory\n"},
        {"long argument cut at 40 characters", {std::string(50, 'x')}, "",
         "unexpected argument '" + std::string(40, 'x') + "…'\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.name) + ": " + shown(row.args.back()) + " " + shown(row.input));
        const Result r = run(row.args, row.input);
        EXPECT_EQ(r.status, 2);
        EXPECT_NE(r.err.find(row.message), std::string::npos) << r.err;
    }
}

TEST(UsageErrors, AnOptionsTextThatIsItselfAnOptionIsAUsageError)
{
    struct Row {
        const char* name;
        std::vector<std::string> args;
        const char* message;
    };
    const Row rows[] = {
        {"a flag", {"--hk", "--json"},
         "option '--hk' needs a TEXT, not the option '--json' (write '--hk=--json' to give that text)"},
        {"another input", {"--dd0", "--hk", "2000"}, "option '--dd0' needs a TEXT, not the option '--hk'"},
        {"help", {"--D0", "-h"}, "option '--D0' needs a TEXT, not the option '-h'"},
        {"last before csv", {"--csv", "--aa", "--csv"}, "option '--aa' needs a TEXT, not the option '--csv'"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const Result r = run(row.args);
        EXPECT_EQ(r.status, 2);
        EXPECT_NE(r.err.find(row.message), std::string::npos) << r.err;
        EXPECT_EQ(r.out, "");
    }
}

TEST(SingleDesign, TextsThatLookLikeOptionsGoThroughAsWritten)
{
    const Result negative = run({"--hk", "-2000"});
    EXPECT_EQ(negative.status, 0) << negative.err;
    EXPECT_EQ(lines(negative.out).back(), "B\t-4225");
    const Result equals = run({"--hk=--2000"});  // no number at the start: hk is 0
    EXPECT_EQ(equals.err, "inlet-calc: division by zero computing the volute width a30 at φ = 30°\n");
    const Result help = run({"--csv", "-h"});
    EXPECT_EQ(help.status, 0) << help.err;
    EXPECT_EQ(help.out.substr(0, 6), "Usage:");
}

TEST(Version, PrintsTheProgramsNameAndVersion)
{
    const Result r = run({"--version"});
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(std::regex_search(r.out, std::regex("^inlet-calc [0-9]+\\.[0-9][0-9]\nLicence GPL-3.0-or-later: "))) << r.out;
    EXPECT_EQ(r.err, "");
    EXPECT_NE(run({"--help"}).out.find("--version"), std::string::npos);
}

TEST(WriteFailures, EveryKindOfOutputReportsAFailedWriteWithStatusOne)
{
    // Refuses every character, as a full disk does.
    class FullDisk : public std::streambuf {
    protected:
        int_type overflow(int_type) override
        {
            errno = ENOSPC;
            return traits_type::eof();
        }
    };
    struct Row {
        const char* name;
        std::vector<std::string> args;
    };
    const Row rows[] = {
        {"single design", {"--hk", "2000"}},
        {"failing single design", {}},
        {"json", {"--hk", "2000", "--json"}},
        {"csv", {"--csv"}},
        {"help", {"--help"}},
        {"version", {"--version"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        FullDisk disk;
        std::ostream out(&disk);
        std::istringstream in("hk\n2000\n");
        std::ostringstream err;
        EXPECT_EQ(runCommandLine(row.args, in, out, err, NumberLocale{".", ","}), 1);
        EXPECT_EQ(err.str(), "inlet-calc: cannot write to standard output: No space left on device\n");
    }
}

TEST(DesignChecks, FollowTheResultsInEachKindOfOutput)
{
    const Result lines = run({"--hk", "2000", "--checks"});
    EXPECT_EQ(lines.status, 0) << lines.err;
    const std::vector<std::string> out = ::lines(lines.out);
    ASSERT_GT(out.size(), 24u);
    EXPECT_EQ(out[23], "B\t6355");
    EXPECT_TRUE(out[24].starts_with("check\twidth-sets-differ\ta40-a87\t167.08")) << out[24];
    EXPECT_TRUE(out[25].starts_with("check\tnegative-width\ta0\t-7.6055293")) << out[25];
    EXPECT_NE(lines.out.find("check\tquadratic-rule-wall-above-hk\ta40\t2133.9246887057"), std::string::npos);

    const Result json = run({"--hk", "1000", "--checks", "--json"});
    EXPECT_NE(json.out.find("\"B\": \"9128\", \"checks\": [{\"check\": \"hk-below-bp\", \"subject\": \"hk\", "
                            "\"figure\": -421.4219291375721, \"unit\": \"mm\", \"warning\": true, "),
              std::string::npos)
        << json.out;
    EXPECT_NE(json.out.find("{\"check\": \"width-jump\", \"subject\": \"a40-a50\""), std::string::npos) << json.out;

    const Result csv = run({"--csv", "--checks"}, "hk\n1000\n\"\"\n", NumberLocale{",", "."});
    const std::vector<std::string> rows = ::lines(csv.out);
    ASSERT_EQ(rows.size(), 3u) << csv.out;
    EXPECT_EQ(rows[0].substr(rows[0].size() - 13), ",checks,error");
    EXPECT_NE(rows[1].find(",\"hk-below-bp:hk=-421,421929137572; "), std::string::npos) << rows[1];
    EXPECT_NE(rows[1].find("width-jump:a40-a50=879,788635253906"), std::string::npos) << rows[1];
    EXPECT_TRUE(rows[2].ends_with(",,division by zero computing the volute width a30 at φ = 30°"))
        << "a failed design has no checks: " << rows[2];
}

TEST(DesignChecks, AFailedDesignPrintsNoChecks)
{
    const Result r = run({"--checks"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out.find("check\t"), std::string::npos) << r.out;
}
