// Every text a DXF file carries is printable ASCII.

#include "AsciiText.h"

#include <gtest/gtest.h>

#include <string>

using namespace inlet;

namespace {

struct AsciiCase {
    const char* name;
    std::string utf8;
    std::string ascii;
};

class AsciiTextTest : public testing::TestWithParam<AsciiCase> {};

TEST_P(AsciiTextTest, ReadsAsExpected)
{
    const AsciiCase& c = GetParam();
    EXPECT_EQ(asciiText(c.utf8), c.ascii) << "text \"" << c.utf8 << "\"";
}

INSTANTIATE_TEST_SUITE_P(
    Texts, AsciiTextTest,
    testing::Values(
        AsciiCase{"Empty", "", ""},
        AsciiCase{"PlainAsciiUnchanged", "a1=400 B=6355 STATION phi=40", "a1=400 B=6355 STATION phi=40"},
        AsciiCase{"PrintableEnds", " ~", " ~"},
        AsciiCase{"Phi", "\xCF\x86=40", "phi=40"},
        AsciiCase{"PhiSymbol", "\xCF\x95", "phi"},
        AsciiCase{"Theta", "\xCE\xB8=5", "theta=5"},
        AsciiCase{"DegreeAsCadCode", "90\xC2\xB0", "90%%d"},
        AsciiCase{"Squared", "mm\xC2\xB2", "mm2"},
        AsciiCase{"Cubed", "m\xC2\xB3", "m3"},
        AsciiCase{"StationTitle", "\xCF\x86=40\xC2\xB0\xE6\x96\xAD\xE9\x9D\xA2", "phi=40%%d??"},
        AsciiCase{"ChineseOneMarkEach", "\xE4\xBA\x8C\xE6\xAC\xA1\xE5\xBC\x8F", "???"},
        AsciiCase{"FullWidthTilde", "3.5\xEF\xBD\x9E" "5.0", "3.5?5.0"},
        AsciiCase{"FourByteCharacter", "a\xF0\x9F\x98\x80" "b", "a?b"},
        AsciiCase{"LineFeed", "a\nb", "a?b"},
        AsciiCase{"Tab", "a\tb", "a?b"},
        AsciiCase{"CarriageReturn", "a\rb", "a?b"},
        AsciiCase{"Delete", "a\x7F" "b", "a?b"},
        AsciiCase{"NulByte", std::string("a\0b", 3), "a?b"},
        AsciiCase{"StrayContinuationByte", "a\x80" "b", "a?b"},
        AsciiCase{"InvalidByte", "\xFF\xFE", "??"},
        AsciiCase{"CutShortAtEnd", "a\xE4\xBA", "a??"},
        AsciiCase{"CutShortBeforeAscii", "\xE4\xBA" "a", "??a"},
        AsciiCase{"OverlongTwoBytes", "\xC0\xAF", "??"},
        AsciiCase{"OverlongThreeBytes", "\xE0\x80\xAF", "???"},
        AsciiCase{"Surrogate", "\xED\xA0\x80", "???"},
        AsciiCase{"BeyondUnicode", "\xF4\x90\x80\x80", "????"}),
    [](const testing::TestParamInfo<AsciiCase>& info) { return info.param.name; });

}  // namespace
