#pragma once

// The window as it must be drawn: every control with its container, caption or default
// text, rectangle in twips from its container's outer top-left corner, and TabIndex.

#include <array>
#include <string_view>

namespace inlet::test {

enum class Kind { Frame, Label, EditBox, Button };

struct ExpectedControl {
    std::string_view name;
    std::string_view container;  // empty for the window itself
    Kind kind;
    std::string_view text;       // caption, or an edit box's default text
    int left, top, width, height;
    int tabIndex;
};

inline constexpr int kTwipsPerPixel = 15;

inline constexpr std::array<ExpectedControl, 85> kExpectedControls{{
    {"frame1", "", Kind::Frame, "给定参数", 240, 0, 7815, 3375, 46},
    {"Frame2", "", Kind::Frame, "喇叭管型线计算", 240, 3480, 7695, 1335, 0},
    {"Frame3", "", Kind::Frame, "导水锥型线计算", 240, 4920, 7695, 1575, 1},
    {"Frame4", "", Kind::Frame, "蜗壳吸水室计算", 240, 6600, 7695, 4215, 2},
    {"Command1", "", Kind::Button, "计算并打印", 4920, 10440, 1215, 375, 44},
    {"Label1", "frame1", Kind::Label, "叶轮直径D(mm)", 120, 480, 1335, 255, 78},
    {"Label5", "frame1", Kind::Label, "流道高度H(mm)", 2760, 480, 1335, 255, 74},
    {"Label9", "frame1", Kind::Label, "H0(mm)", 5640, 480, 1335, 255, 70},
    {"Label2", "frame1", Kind::Label, "泵进口直径Ds(mm)", 120, 960, 1575, 255, 77},
    {"Label6", "frame1", Kind::Label, "流道宽度B(mm)", 2760, 960, 1335, 255, 73},
    {"Label10", "frame1", Kind::Label, "H1(mm)", 5640, 960, 1335, 255, 69},
    {"Label3", "frame1", Kind::Label, "锥管进口直径D0(mm)", 120, 1440, 1695, 255, 76},
    {"Label7", "frame1", Kind::Label, "流道长度L(mm)", 2760, 1440, 1335, 255, 72},
    {"Label11", "frame1", Kind::Label, "H2(mm)", 5640, 1440, 1335, 255, 68},
    {"Label4", "frame1", Kind::Label, "锥管收缩角θ(°)", 120, 1920, 1575, 255, 75},
    {"Label8", "frame1", Kind::Label, "流道进口上弧半径rs", 2760, 1920, 1815, 255, 71},
    {"Label12", "frame1", Kind::Label, "Q(m3/S)", 5640, 1920, 1335, 255, 67},
    {"Label23", "frame1", Kind::Label, "蜗壳断面高度hk(mm)", 120, 2400, 1815, 255, 66},
    {"Label24", "frame1", Kind::Label, "蜗壳上壁面倾角aa(°)", 2760, 2400, 1815, 255, 65},
    {"Label38", "frame1", Kind::Label, "喇叭口直径D1(mm)", 120, 2880, 1575, 255, 64},
    {"Label37", "frame1", Kind::Label, "导水锥直径dd0(mm)", 2760, 2880, 1575, 255, 63},
    {"Text1", "frame1", Kind::EditBox, "2200", 1800, 360, 855, 375, 62},
    {"Text5", "frame1", Kind::EditBox, "2700", 4440, 360, 855, 375, 58},
    {"Text9", "frame1", Kind::EditBox, "700", 6840, 360, 855, 375, 54},
    {"Text2", "frame1", Kind::EditBox, "2205", 1800, 840, 855, 375, 61},
    {"Text6", "frame1", Kind::EditBox, "", 4440, 840, 855, 375, 57},
    {"Text10", "frame1", Kind::EditBox, "700", 6840, 840, 855, 375, 53},
    {"Text3", "frame1", Kind::EditBox, "2200", 1800, 1320, 855, 375, 60},
    {"Text7", "frame1", Kind::EditBox, "3.5～5.0", 4440, 1320, 855, 375, 56},
    {"Text11", "frame1", Kind::EditBox, "1300", 6840, 1320, 855, 375, 52},
    {"Text4", "frame1", Kind::EditBox, "0", 1800, 1800, 855, 375, 59},
    {"Text8", "frame1", Kind::EditBox, "800", 4440, 1800, 855, 375, 55},
    {"Text12", "frame1", Kind::EditBox, "15", 6840, 1800, 855, 375, 51},
    {"Text21", "frame1", Kind::EditBox, "", 1800, 2280, 855, 375, 50},
    {"Text22", "frame1", Kind::EditBox, "50", 4440, 2280, 855, 375, 49},
    {"Text35", "frame1", Kind::EditBox, "3000", 1800, 2760, 855, 375, 48},
    {"Text34", "frame1", Kind::EditBox, "700", 4440, 2760, 855, 375, 47},
    {"Label13", "Frame2", Kind::Label, "短轴半径a1(mm)", 240, 480, 1335, 255, 3},
    {"Label16", "Frame2", Kind::Label, "x1(mm)", 5280, 480, 1335, 255, 10},
    {"Label15", "Frame2", Kind::Label, "椭圆型线中心点", 3720, 720, 1335, 255, 9},
    {"Label14", "Frame2", Kind::Label, "长轴半径b1(mm)", 240, 960, 1335, 255, 4},
    {"Label17", "Frame2", Kind::Label, "y1(mm)", 5280, 960, 1335, 255, 11},
    {"Text13", "Frame2", Kind::EditBox, "", 1800, 360, 855, 375, 5},
    {"Text15", "Frame2", Kind::EditBox, "", 6480, 360, 855, 375, 7},
    {"Text14", "Frame2", Kind::EditBox, "", 1800, 840, 855, 375, 6},
    {"Text16", "Frame2", Kind::EditBox, "", 6480, 840, 855, 375, 8},
    {"Label18", "Frame3", Kind::Label, "短轴半径a2(mm)", 240, 600, 1335, 255, 12},
    {"Label21", "Frame3", Kind::Label, "x2(mm)", 5400, 600, 1335, 255, 15},
    {"Label20", "Frame3", Kind::Label, "椭圆型线中心点", 3720, 840, 1335, 255, 14},
    {"Label19", "Frame3", Kind::Label, "长轴半径b2(mm)", 240, 1080, 1335, 255, 13},
    {"Label22", "Frame3", Kind::Label, "y2(mm)", 5400, 1080, 1335, 255, 16},
    {"Text20", "Frame3", Kind::EditBox, "", 1800, 480, 855, 375, 20},
    {"Text18", "Frame3", Kind::EditBox, "", 6480, 480, 855, 375, 18},
    {"Text19", "Frame3", Kind::EditBox, "", 1800, 960, 855, 375, 19},
    {"Text17", "Frame3", Kind::EditBox, "", 6480, 960, 855, 375, 17},
    {"Label25", "Frame4", Kind::Label, "蜗壳上壁面切点至", 120, 600, 1575, 255, 21},
    {"Label26", "Frame4", Kind::Label, "喇叭口外缘水平距离ap(mm)", 1560, 600, 2175, 255, 22},
    {"Label27", "Frame4", Kind::Label, "切点至流道底高度bp(mm)", 4680, 600, 2055, 255, 23},
    {"Label28", "Frame4", Kind::Label, "φ=90°时蜗壳宽度a90(mm)", 120, 1200, 2295, 255, 26},
    {"Label39", "Frame4", Kind::Label, "φ=87°时蜗壳宽度a87(mm)", 120, 1680, 2295, 255, 79},
    {"Label29", "Frame4", Kind::Label, "φ=84°时蜗壳宽度a84(mm)", 120, 2160, 2295, 255, 27},
    {"Label40", "Frame4", Kind::Label, "φ=80°时蜗壳宽度a80(mm)", 120, 2640, 2295, 255, 80},
    {"Label30", "Frame4", Kind::Label, "φ=70°时蜗壳宽度a70(mm)", 120, 3120, 2295, 255, 28},
    {"Label31", "Frame4", Kind::Label, "φ=60°时蜗壳宽度a60(mm)", 120, 3600, 2295, 255, 29},
    {"Label32", "Frame4", Kind::Label, "φ=50°时蜗壳宽度a50(mm)", 4200, 1080, 2295, 255, 30},
    {"Label33", "Frame4", Kind::Label, "φ=40°时蜗壳宽度a40(mm)", 4200, 1560, 2295, 255, 36},
    {"Label34", "Frame4", Kind::Label, "φ=30°时蜗壳宽度a30(mm)", 4200, 2040, 2295, 255, 37},
    {"Label35", "Frame4", Kind::Label, "φ=20°时蜗壳宽度a20(mm)", 4200, 2520, 2295, 255, 38},
    {"Label36", "Frame4", Kind::Label, "φ=10°时蜗壳宽度a10(mm)", 4200, 3000, 2295, 255, 39},
    {"Label41", "Frame4", Kind::Label, "φ=0°时蜗壳宽度a0(mm)", 4200, 3480, 2295, 255, 83},
    {"Text23", "Frame4", Kind::EditBox, "", 3720, 480, 855, 375, 24},
    {"Text24", "Frame4", Kind::EditBox, "", 6720, 480, 855, 375, 25},
    {"Text25", "Frame4", Kind::EditBox, "", 2640, 1080, 855, 375, 31},
    {"Text36", "Frame4", Kind::EditBox, "", 2640, 1560, 855, 375, 81},
    {"Text37", "Frame4", Kind::EditBox, "", 2640, 2040, 855, 375, 82},
    {"Text26", "Frame4", Kind::EditBox, "", 2640, 2520, 855, 375, 32},
    {"Text27", "Frame4", Kind::EditBox, "", 2640, 3000, 855, 375, 33},
    {"Text28", "Frame4", Kind::EditBox, "", 2640, 3480, 855, 375, 34},
    {"Text29", "Frame4", Kind::EditBox, "", 6720, 960, 855, 375, 35},
    {"Text30", "Frame4", Kind::EditBox, "", 6720, 1440, 855, 375, 40},
    {"Text31", "Frame4", Kind::EditBox, "", 6720, 1920, 855, 375, 41},
    {"Text32", "Frame4", Kind::EditBox, "", 6720, 2400, 855, 375, 42},
    {"Text33", "Frame4", Kind::EditBox, "", 6720, 2880, 855, 375, 43},
    {"Text38", "Frame4", Kind::EditBox, "", 6720, 3360, 855, 375, 84},
    {"Command2", "Frame4", Kind::Button, "退 出", 6360, 3840, 1215, 375, 45},
}};

// The order in which Tab visits the edit boxes and buttons.
inline constexpr std::array<std::string_view, 40> kFocusOrder{
    "Text13", "Text14", "Text15", "Text16", "Text17", "Text18", "Text19", "Text20",
    "Text23", "Text24", "Text25", "Text26", "Text27", "Text28", "Text29", "Text30",
    "Text31", "Text32", "Text33", "Command1", "Command2", "Text34", "Text35", "Text22",
    "Text21", "Text12", "Text11", "Text10", "Text9", "Text8", "Text7", "Text6",
    "Text5", "Text4", "Text3", "Text2", "Text1", "Text36", "Text37", "Text38",
};

}  // namespace inlet::test
