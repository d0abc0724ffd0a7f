// The DXF text as dxflib's writer would lay it out, every real read back as the same double.

#include "dxf/DxfTextWriter.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cstdlib>
#include <string>

using namespace inlet;

namespace {

struct RealCase {
    const char* name;
    double value;
    const char* text;
};

class DxfRealTest : public testing::TestWithParam<RealCase> {};

TEST_P(DxfRealTest, WritesTheFewestDigitsThatReadBackTheSame)
{
    const RealCase& c = GetParam();
    DxfTextWriter writer;
    writer.dxfReal(10, c.value);
    EXPECT_EQ(writer.text(), std::string(" 10\n") + c.text + "\n") << "the value " << c.value;
    EXPECT_EQ(std::strtod(writer.text().c_str() + 4, nullptr), c.value) << "the value " << c.value;
}

INSTANTIATE_TEST_SUITE_P(
    Reals, DxfRealTest,
    testing::Values(RealCase{"Whole", 1500, "1500.0"},
                    RealCase{"Zero", 0, "0.0"},
                    RealCase{"NegativeZero", -0.0, "-0.0"},
                    RealCase{"Tenth", 0.1, "0.1"},
                    RealCase{"TangentPointHeight", 1421.4219291375721, "1421.421929137572"},
                    RealCase{"NegativePlacement", -4330.6359708785239, "-4330.635970878524"},
                    RealCase{"Ratio", 400.0 / 700, "0.5714285714285714"},
                    RealCase{"Tiny", 1e-20, "0.00000000000000000001"},
                    RealCase{"Huge", 1e20, "100000000000000000000.0"}),
    [](const testing::TestParamInfo<RealCase>& info) { return info.param.name; });

TEST(DxfTextWriter, LargestDoubleFitsInFixedNotation)
{
    DxfTextWriter writer;
    writer.dxfReal(40, DBL_MAX);
    EXPECT_EQ(writer.text().size(), 4u + 309 + 2 + 1) << writer.text();
    EXPECT_EQ(std::strtod(writer.text().c_str() + 4, nullptr), DBL_MAX);
}

TEST(DxfTextWriter, GroupCodesAlignRightInThreeCharacters)
{
    DxfTextWriter writer;
    writer.dxfString(0, "SECTION");
    writer.dxfString(9, std::string("$INSUNITS"));
    writer.dxfInt(70, 4);
    writer.dxfInt(370, -1);
    writer.dxfHex(5, 0x3F);
    writer.dxfHex(390, 0xF);
    writer.dxfInt(1071, 0);
    EXPECT_EQ(writer.text(), "  0\nSECTION\n  9\n$INSUNITS\n 70\n4\n370\n-1\n  5\n3F\n390\nF\n1071\n0\n");
}

}  // namespace
