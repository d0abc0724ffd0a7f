#include "Boxes.h"

namespace inlet {

namespace {

constexpr std::array<BoxInfo, kBoxCount> kBoxes{{
    {Box::Text1, "Text1", "D", "2200"},
    {Box::Text2, "Text2", "Ds", "2205"},
    {Box::Text3, "Text3", "D0", "2200"},
    {Box::Text4, "Text4", "theta", "0"},
    {Box::Text5, "Text5", "H", "2700"},
    {Box::Text6, "Text6", "B", ""},
    {Box::Text7, "Text7", "L", "3.5\xEF\xBD\x9E" "5.0"},
    {Box::Text8, "Text8", "rs", "800"},
    {Box::Text9, "Text9", "H0", "700"},
    {Box::Text10, "Text10", "H1", "700"},
    {Box::Text11, "Text11", "H2", "1300"},
    {Box::Text12, "Text12", "Q", "15"},
    {Box::Text13, "Text13", "a1", ""},
    {Box::Text14, "Text14", "b1", ""},
    {Box::Text15, "Text15", "x1", ""},
    {Box::Text16, "Text16", "y1", ""},
    {Box::Text17, "Text17", "y2", ""},
    {Box::Text18, "Text18", "x2", ""},
    {Box::Text19, "Text19", "b2", ""},
    {Box::Text20, "Text20", "a2", ""},
    {Box::Text21, "Text21", "hk", ""},
    {Box::Text22, "Text22", "aa", "50"},
    {Box::Text23, "Text23", "ap", ""},
    {Box::Text24, "Text24", "bp", ""},
    {Box::Text25, "Text25", "a90", ""},
    {Box::Text26, "Text26", "a80", ""},
    {Box::Text27, "Text27", "a70", ""},
    {Box::Text28, "Text28", "a60", ""},
    {Box::Text29, "Text29", "a50", ""},
    {Box::Text30, "Text30", "a40", ""},
    {Box::Text31, "Text31", "a30", ""},
    {Box::Text32, "Text32", "a20", ""},
    {Box::Text33, "Text33", "a10", ""},
    {Box::Text34, "Text34", "dd0", "700"},
    {Box::Text35, "Text35", "D1", "3000"},
    {Box::Text36, "Text36", "a87", ""},
    {Box::Text37, "Text37", "a84", ""},
    {Box::Text38, "Text38", "a0", ""},
}};

// The given dimensions in the order of the Quantity enumeration, D to hk.
constexpr std::array<Box, 10> kInputs{
    Box::Text1, Box::Text3, Box::Text4, Box::Text9, Box::Text10,
    Box::Text11, Box::Text35, Box::Text34, Box::Text22, Box::Text21,
};
static_assert(static_cast<std::size_t>(Quantity::hk) == kInputs.size() - 1);

constexpr std::array<Box, 16> kGivenParameters{
    Box::Text1, Box::Text5, Box::Text9, Box::Text2, Box::Text6, Box::Text10,
    Box::Text3, Box::Text7, Box::Text11, Box::Text4, Box::Text8, Box::Text12,
    Box::Text21, Box::Text22, Box::Text35, Box::Text34,
};

constexpr std::array<Box, 24> kWriteOrder{
    Box::Text13, Box::Text14, Box::Text15, Box::Text16, Box::Text18, Box::Text17,
    Box::Text20, Box::Text19, Box::Text23, Box::Text24, Box::Text36, Box::Text37,
    Box::Text5, Box::Text38, Box::Text33, Box::Text32, Box::Text31, Box::Text30,
    Box::Text29, Box::Text28, Box::Text27, Box::Text26, Box::Text25, Box::Text6,
};

}  // namespace

const std::array<BoxInfo, kBoxCount>& boxTable() { return kBoxes; }

const BoxInfo& boxInfo(Box box) { return kBoxes[static_cast<std::size_t>(box)]; }

std::string_view boxName(Box box) { return boxInfo(box).name; }

const std::array<Box, 10>& inputBoxes() { return kInputs; }

Box inputBox(Quantity q) { return kInputs.at(static_cast<std::size_t>(q)); }

const std::array<Box, 16>& givenParameterBoxes() { return kGivenParameters; }

const std::array<Box, 24>& resultWriteOrder() { return kWriteOrder; }

}  // namespace inlet
