#include "study/StudyTable.h"

#include "messages/Failure.h"

#include <gtest/gtest.h>

#include <string>

namespace inlet {
namespace {

const NumberLocale kFullStop{".", ","};
const NumberLocale kComma{",", "."};

// One cell of a table read: its text and its number.
struct CellCase {
    std::string name;
    std::string csv;
    NumberLocale locale;
    std::string column;
    std::size_t row;
    std::string text;
    std::optional<double> number;
};

class StudyTableCellTest : public testing::TestWithParam<CellCase> {};

TEST_P(StudyTableCellTest, ReadsTheCellByItsColumnsName)
{
    const CellCase& c = GetParam();
    const StudyTable table = readStudyTable(c.csv, c.locale, "study.csv");
    const std::optional<std::size_t> column = table.column(c.column);
    ASSERT_TRUE(column);
    ASSERT_LT(c.row, table.rowCount());
    EXPECT_EQ(table.text(c.row, *column), c.text);
    EXPECT_EQ(table.number(c.row, *column), c.number);
}

const std::string kStudy = "variant,hk,aa,B,v_max,sections,warnings,warned,checks,error\n"
                           "001.inlet,1800,45,6602,1.357,exist,9,\"negative-width:a0; width-jump:a70-a80\",\"a,b\",\n"
                           "002.inlet,1800,50,,,,,,,\"division by zero computing B, \"\"a30\"\"\"\n";

INSTANTIATE_TEST_SUITE_P(
    Cells, StudyTableCellTest,
    testing::Values(
        CellCase{"Input", kStudy, kFullStop, "hk", 0, "1800", 1800.0},
        CellCase{"FigureWithDecimals", kStudy, kFullStop, "v_max", 0, "1.357", 1.357},
        CellCase{"QuotedTextWithComma", kStudy, kFullStop, "checks", 0, "a,b", std::nullopt},
        CellCase{"TextIsNoNumber", kStudy, kFullStop, "sections", 0, "exist", std::nullopt},
        CellCase{"EmptyIsNoNumber", kStudy, kFullStop, "B", 1, "", std::nullopt},
        CellCase{"FailureWithDoubledQuotes", kStudy, kFullStop, "error", 1, "division by zero computing B, \"a30\"",
                 std::nullopt},
        CellCase{"CommaLocaleDecimals", "variant,v_max\n001.inlet,\"1,357\"\n", kComma, "v_max", 0, "1,357", 1.357},
        CellCase{"CommaLocaleGrouping", "variant,B\n001.inlet,6.602\n", kComma, "B", 0, "6.602", 6602.0},
        CellCase{"FullStopGrouping", "variant,B\n001.inlet,\"12,345.5\"\n", kFullStop, "B", 0, "12,345.5", 12345.5},
        CellCase{"NegativeNumber", "variant,x\n001.inlet,-4.5\n", kFullStop, "x", 0, "-4.5", -4.5},
        CellCase{"NumberWithUnitIsText", "variant,x\n001.inlet,1.2 m/s\n", kFullStop, "x", 0, "1.2 m/s", std::nullopt},
        CellCase{"CrLfLines", "variant,B\r\n001.inlet,7\r\n", kFullStop, "B", 0, "7", 7.0},
        CellCase{"LineBreakInQuotes", "variant,error\n001.inlet,\"one\ntwo\"\n", kFullStop, "error", 0, "one\ntwo",
                 std::nullopt},
        CellCase{"ColumnAddedByAnotherDepth", "variant,B,loss,loss_band\n001.inlet,7,0.123,0.004\n", kFullStop, "loss", 0,
                 "0.123", 0.123},
        CellCase{"NoFinalLineBreak", "variant,B\n001.inlet,7", kFullStop, "B", 0, "7", 7.0}),
    [](const testing::TestParamInfo<CellCase>& info) { return info.param.name; });

// A text the reader refuses, with the failure's kind and line.
struct RefusedCase {
    std::string name;
    std::string csv;
    Failure::Kind kind;
    long long line;
};

class StudyTableRefusedTest : public testing::TestWithParam<RefusedCase> {};

TEST_P(StudyTableRefusedTest, NamesWhatIsWrongAndWhere)
{
    const RefusedCase& c = GetParam();
    try {
        readStudyTable(c.csv, kFullStop, "s/study.csv");
        FAIL() << "read";
    } catch (const Failure& f) {
        EXPECT_EQ(f.kind, c.kind);
        EXPECT_EQ(f.line, c.line);
        EXPECT_EQ(f.file, "s/study.csv");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, StudyTableRefusedTest,
    testing::Values(RefusedCase{"Empty", "", Failure::Kind::CsvNoHeader, 0},
                    RefusedCase{"FewerFields", "variant,B,error\n001.inlet,7\n", Failure::Kind::CsvFieldCount, 2},
                    RefusedCase{"MoreFields", "variant,B\n001.inlet,7\n002.inlet,8,9\n", Failure::Kind::CsvFieldCount, 3},
                    RefusedCase{"QuoteOpen", "variant,B\n\"001.inlet,7\n", Failure::Kind::CsvQuoteNotClosed, 2},
                    RefusedCase{"TextAfterQuote", "variant,B\n\"001\"x,7\n", Failure::Kind::CsvTextAfterQuote, 2}),
    [](const testing::TestParamInfo<RefusedCase>& info) { return info.param.name; });

// A variant that failed stays a row of its own, with its failure; the others have none.
TEST(StudyTable, KeepsAFailedVariantAsItsRow)
{
    const StudyTable table = readStudyTable(kStudy, kFullStop, "study.csv");
    ASSERT_EQ(table.rowCount(), 2u);
    EXPECT_EQ(table.failure(0), "");
    EXPECT_EQ(table.failure(1), "division by zero computing B, \"a30\"");
    EXPECT_EQ(table.columns().size(), 10u);
    EXPECT_FALSE(table.column("loss"));
}

// A column is numeric when each of its non-empty cells is a number.
TEST(StudyTable, TellsNumericColumnsFromTexts)
{
    const StudyTable table = readStudyTable(kStudy, kFullStop, "study.csv");
    for (const char* name : {"hk", "aa", "B", "v_max", "warnings"})
        EXPECT_TRUE(table.numeric(*table.column(name))) << name;
    for (const char* name : {"variant", "sections", "warned", "checks", "error"})
        EXPECT_FALSE(table.numeric(*table.column(name))) << name;
}

}  // namespace
}  // namespace inlet
