#include "BoxCaption.h"

#include <array>

namespace inlet {

namespace {

struct Caption {
    Box box;
    std::string_view caption;
    std::string_view unit;
};

// In the order Text1 to Text38.
constexpr std::array<Caption, kBoxCount> kCaptions{{
    {Box::Text1, "叶轮直径D(mm)", "mm"},
    {Box::Text2, "泵进口直径Ds(mm)", "mm"},
    {Box::Text3, "锥管进口直径D0(mm)", "mm"},
    {Box::Text4, "锥管收缩角θ(°)", "°"},
    {Box::Text5, "流道高度H(mm)", "mm"},
    {Box::Text6, "流道宽度B(mm)", "mm"},
    {Box::Text7, "流道长度L(mm)", "mm"},
    {Box::Text8, "流道进口上弧半径rs", "mm"},
    {Box::Text9, "H0(mm)", "mm"},
    {Box::Text10, "H1(mm)", "mm"},
    {Box::Text11, "H2(mm)", "mm"},
    {Box::Text12, "Q(m3/S)", "m³/s"},
    {Box::Text13, "短轴半径a1(mm)", "mm"},
    {Box::Text14, "长轴半径b1(mm)", "mm"},
    {Box::Text15, "x1(mm)", "mm"},
    {Box::Text16, "y1(mm)", "mm"},
    {Box::Text17, "y2(mm)", "mm"},
    {Box::Text18, "x2(mm)", "mm"},
    {Box::Text19, "长轴半径b2(mm)", "mm"},
    {Box::Text20, "短轴半径a2(mm)", "mm"},
    {Box::Text21, "蜗壳断面高度hk(mm)", "mm"},
    {Box::Text22, "蜗壳上壁面倾角aa(°)", "°"},
    {Box::Text23, "蜗壳上壁面切点至喇叭口外缘水平距离ap(mm)", "mm"},
    {Box::Text24, "切点至流道底高度bp(mm)", "mm"},
    {Box::Text25, "φ=90°时蜗壳宽度a90(mm)", "mm"},
    {Box::Text26, "φ=80°时蜗壳宽度a80(mm)", "mm"},
    {Box::Text27, "φ=70°时蜗壳宽度a70(mm)", "mm"},
    {Box::Text28, "φ=60°时蜗壳宽度a60(mm)", "mm"},
    {Box::Text29, "φ=50°时蜗壳宽度a50(mm)", "mm"},
    {Box::Text30, "φ=40°时蜗壳宽度a40(mm)", "mm"},
    {Box::Text31, "φ=30°时蜗壳宽度a30(mm)", "mm"},
    {Box::Text32, "φ=20°时蜗壳宽度a20(mm)", "mm"},
    {Box::Text33, "φ=10°时蜗壳宽度a10(mm)", "mm"},
    {Box::Text34, "导水锥直径dd0(mm)", "mm"},
    {Box::Text35, "喇叭口直径D1(mm)", "mm"},
    {Box::Text36, "φ=87°时蜗壳宽度a87(mm)", "mm"},
    {Box::Text37, "φ=84°时蜗壳宽度a84(mm)", "mm"},
    {Box::Text38, "φ=0°时蜗壳宽度a0(mm)", "mm"},
}};

constexpr bool inBoxOrder()
{
    for (std::size_t i = 0; i < kCaptions.size(); ++i)
        if (static_cast<std::size_t>(kCaptions[i].box) != i)
            return false;
    return true;
}
static_assert(inBoxOrder(), "kCaptions must list the boxes from Text1 to Text38");

const Caption& captionOf(Box box) { return kCaptions[static_cast<std::size_t>(box)]; }

}  // namespace

std::string_view boxCaption(Box box) { return captionOf(box).caption; }
std::string_view boxUnit(Box box) { return captionOf(box).unit; }

}  // namespace inlet
