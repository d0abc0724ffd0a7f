#include "boxes/Boxes.h"

namespace inlet {

namespace {

constexpr std::array<BoxInfo, kBoxCount> kBoxes{{
    {Box::Text1, "Text1", "D", "2200",
     "叶轮直径D(mm)", "mm", Reading::Lenient, "mm", "读取，不参与型线计算，用于比值校核（H2/D 等）", "impeller diameter D, mm (read; used by the ratio checks only)"},
    {Box::Text2, "Text2", "Ds", "2205",
     "泵进口直径Ds(mm)", "mm", Reading::ChecksOnly, "mm", "不参与计算，仅用于校核锥管顶部直径",
     "pump inlet diameter Ds, mm (checks only)"},
    {Box::Text3, "Text3", "D0", "2200",
     "锥管进口直径D0(mm)", "mm", Reading::Lenient, "mm", "", "cone inlet diameter D0, mm"},
    {Box::Text4, "Text4", "theta", "0",
     "锥管收缩角θ(°)", "°", Reading::ThetaRadians, "°", "乘 π 除以 180 化为弧度，取单精度", "cone contraction angle theta, degrees"},
    {Box::Text5, "Text5", "H", "2700",
     "流道高度H(mm)", "mm", Reading::Result, "", "计算结果", ""},
    {Box::Text6, "Text6", "B", "",
     "流道宽度B(mm)", "mm", Reading::Result, "", "计算结果", ""},
    {Box::Text7, "Text7", "L", "3.5\xEF\xBD\x9E" "5.0",
     "流道长度L(mm)", "mm", Reading::Shown, "",
     "水泵轴线至流道进口；不大于 20 的数为叶轮直径 D 的倍数，大于 20 的数为 mm；不参与计算，用于流道实体与水体体积",
     "passage length L, pump axis to inlet (see below)"},
    {Box::Text8, "Text8", "rs", "800",
     "流道进口上弧半径rs", "mm", Reading::Shown, "", "仅显示，不参与计算；流道实体的进口上缘未按此弧修圆",
     "inlet's upper arc radius rs, mm (shown only)"},
    {Box::Text9, "Text9", "H0", "700",
     "H0(mm)", "mm", Reading::Lenient, "mm", "", "height H0, mm"},
    {Box::Text10, "Text10", "H1", "700",
     "H1(mm)", "mm", Reading::Lenient, "mm", "", "height H1, mm"},
    {Box::Text11, "Text11", "H2", "1300",
     "H2(mm)", "mm", Reading::LenientSingle, "mm", "取单精度", "height H2, mm"},
    {Box::Text12, "Text12", "Q", "15",
     "Q(m3/S)", "m³/s", Reading::ChecksOnly, "m3/s", "不参与计算，仅用于流速校核",
     "design flow Q, m3/s (velocities and flow only)"},
    {Box::Text13, "Text13", "a1", "",
     "短轴半径a1(mm)", "mm", Reading::Result, "", "计算结果", ""},
    {Box::Text14, "Text14", "b1", "",
     "长轴半径b1(mm)", "mm", Reading::Result, "", "计算结果", ""},
    {Box::Text15, "Text15", "x1", "",
     "x1(mm)", "mm", Reading::Result, "", "计算结果", ""},
    {Box::Text16, "Text16", "y1", "",
     "y1(mm)", "mm", Reading::Result, "", "计算结果", ""},
    {Box::Text17, "Text17", "y2", "",
     "y2(mm)", "mm", Reading::Result, "", "计算结果", ""},
    {Box::Text18, "Text18", "x2", "",
     "x2(mm)", "mm", Reading::Result, "", "计算结果", ""},
    {Box::Text19, "Text19", "b2", "",
     "长轴半径b2(mm)", "mm", Reading::Result, "", "计算结果", ""},
    {Box::Text20, "Text20", "a2", "",
     "短轴半径a2(mm)", "mm", Reading::Result, "", "计算结果", ""},
    {Box::Text21, "Text21", "hk", "",
     "蜗壳断面高度hk(mm)", "mm", Reading::LenientSingle, "mm", "取单精度", "volute section height hk, mm"},
    {Box::Text22, "Text22", "aa", "50",
     "蜗壳上壁面倾角aa(°)", "°", Reading::AaRadians, "°", "乘 π 除以 180 化为弧度（双精度）", "inclination aa of the volute's upper wall, degrees"},
    {Box::Text23, "Text23", "ap", "",
     "蜗壳上壁面切点至喇叭口外缘水平距离ap(mm)", "mm", Reading::Result, "", "计算结果", ""},
    {Box::Text24, "Text24", "bp", "",
     "切点至流道底高度bp(mm)", "mm", Reading::Result, "", "计算结果", ""},
    {Box::Text25, "Text25", "a90", "",
     "φ=90°时蜗壳宽度a90(mm)", "mm", Reading::Result, "", "计算结果", ""},
    {Box::Text26, "Text26", "a80", "",
     "φ=80°时蜗壳宽度a80(mm)", "mm", Reading::Result, "", "计算结果", ""},
    {Box::Text27, "Text27", "a70", "",
     "φ=70°时蜗壳宽度a70(mm)", "mm", Reading::Result, "", "计算结果", ""},
    {Box::Text28, "Text28", "a60", "",
     "φ=60°时蜗壳宽度a60(mm)", "mm", Reading::Result, "", "计算结果", ""},
    {Box::Text29, "Text29", "a50", "",
     "φ=50°时蜗壳宽度a50(mm)", "mm", Reading::Result, "", "计算结果", ""},
    {Box::Text30, "Text30", "a40", "",
     "φ=40°时蜗壳宽度a40(mm)", "mm", Reading::Result, "", "计算结果", ""},
    {Box::Text31, "Text31", "a30", "",
     "φ=30°时蜗壳宽度a30(mm)", "mm", Reading::Result, "", "计算结果", ""},
    {Box::Text32, "Text32", "a20", "",
     "φ=20°时蜗壳宽度a20(mm)", "mm", Reading::Result, "", "计算结果", ""},
    {Box::Text33, "Text33", "a10", "",
     "φ=10°时蜗壳宽度a10(mm)", "mm", Reading::Result, "", "计算结果", ""},
    {Box::Text34, "Text34", "dd0", "700",
     "导水锥直径dd0(mm)", "mm", Reading::Strict, "", "整段文本按本机数字格式转换，取单精度", "guide cone diameter dd0, mm (locale's number form)"},
    {Box::Text35, "Text35", "D1", "3000",
     "喇叭口直径D1(mm)", "mm", Reading::Lenient, "mm", "", "bell-mouth diameter D1, mm"},
    {Box::Text36, "Text36", "a87", "",
     "φ=87°时蜗壳宽度a87(mm)", "mm", Reading::Result, "", "计算结果", ""},
    {Box::Text37, "Text37", "a84", "",
     "φ=84°时蜗壳宽度a84(mm)", "mm", Reading::Result, "", "计算结果", ""},
    {Box::Text38, "Text38", "a0", "",
     "φ=0°时蜗壳宽度a0(mm)", "mm", Reading::Result, "", "计算结果", ""},
}};

constexpr bool inBoxOrder()
{
    for (std::size_t i = 0; i < kBoxes.size(); ++i)
        if (static_cast<std::size_t>(kBoxes[i].box) != i)
            return false;
    return true;
}
static_assert(inBoxOrder(), "kBoxes must list the boxes from Text1 to Text38");

// The given dimensions in the order of the Quantity enumeration, D to hk.
constexpr std::array<Box, 10> kInputs{
    Box::Text1, Box::Text3, Box::Text4, Box::Text9, Box::Text10,
    Box::Text11, Box::Text35, Box::Text34, Box::Text22, Box::Text21,
};
static_assert(static_cast<std::size_t>(Quantity::hk) == kInputs.size() - 1);

constexpr std::array<Box, 14> kSettable{
    Box::Text1, Box::Text3, Box::Text4, Box::Text9, Box::Text10, Box::Text11, Box::Text35,
    Box::Text34, Box::Text22, Box::Text21, Box::Text2, Box::Text12, Box::Text7, Box::Text8,
};

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

const std::array<Box, 14>& settableBoxes() { return kSettable; }

const std::array<Box, 16>& givenParameterBoxes() { return kGivenParameters; }

const std::array<Box, 24>& resultWriteOrder() { return kWriteOrder; }

}  // namespace inlet
