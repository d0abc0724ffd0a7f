// A text cut into the pieces a workbook's cells hold: at most 32,767 characters as Excel
// counts them (a character beyond the BMP counts two), no character cut, nothing lost.

#include "export/CellPieces.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace inlet::test {
namespace {

std::string times(const std::string& text, std::size_t n)
{
    std::string out;
    for (std::size_t i = 0; i < n; ++i)
        out += text;
    return out;
}

// Characters as Excel counts them: UTF-16 code units.
std::size_t excelLength(std::string_view utf8)
{
    std::size_t units = 0;
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte & 0xC0) != 0x80)
            units += byte >= 0xF0 ? 2 : 1;
    }
    return units;
}

struct Case {
    const char* name;
    std::string text;
    std::vector<std::size_t> lengths;  // of the pieces, as Excel counts
};

class CellPiecesTest : public testing::TestWithParam<Case> {};

TEST_P(CellPiecesTest, CutsWhereACellIsFullAndJoinsBackExactly)
{
    const Case& c = GetParam();
    const std::vector<std::string_view> pieces = cellPieces(c.text);
    std::vector<std::size_t> lengths;
    std::string joined;
    for (const std::string_view piece : pieces) {
        lengths.push_back(excelLength(piece));
        joined += piece;
    }
    EXPECT_EQ(lengths, c.lengths);
    EXPECT_EQ(joined, c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, CellPiecesTest,
    testing::Values(Case{"Empty", "", {}}, Case{"Short", "2200", {4}},
                    Case{"ExactlyFull", std::string(32767, 'a'), {32767}},
                    Case{"OneOver", std::string(32768, 'a'), {32767, 1}},
                    Case{"ChineseCountsOne", times("界", 32768), {32767, 1}},
                    Case{"AstralCountsTwo", times("𠀀", 16384), {32766, 2}},
                    Case{"AstralNotCutInTwo", std::string(32766, 'a') + "𠀀", {32766, 2}},
                    Case{"AstralFillsTheCell", std::string(32765, 'a') + "𠀀" + "b", {32767, 1}},
                    Case{"ThreeCells", times("界", 65535), {32767, 32767, 1}}),
    [](const testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace inlet::test
