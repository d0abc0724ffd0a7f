#include "boxes/Quantity.h"

#include <array>

namespace inlet {

namespace {

struct Words {
    Quantity quantity;
    std::string_view symbol;
    std::string_view english;
    std::string_view chinese;
};

using enum Quantity;

// In the order of the enumeration.
constexpr std::array<Words, 35> kWords{{
    {D, "D", "the impeller diameter D", "叶轮直径D"},
    {D0, "D0", "the cone inlet diameter D0", "锥管进口直径D0"},
    {theta, "theta", "the cone contraction angle θ", "锥管收缩角θ"},
    {H0, "H0", "the height H0", "H0"},
    {H1, "H1", "the height H1", "H1"},
    {H2, "H2", "the height H2", "H2"},
    {D1, "D1", "the bell-mouth diameter D1", "喇叭口直径D1"},
    {dd0, "dd0", "the guide cone diameter dd0", "导水锥直径dd0"},
    {aa, "aa", "the inclination aa of the volute's upper wall", "蜗壳上壁面倾角aa"},
    {hk, "hk", "the volute section height hk", "蜗壳断面高度hk"},
    {a1, "a1", "the bell-mouth semi-minor axis a1", "喇叭管短轴半径a1"},
    {b1, "b1", "the bell-mouth semi-major axis b1", "喇叭管长轴半径b1"},
    {y1, "y1", "the bell-mouth ellipse centre y1", "喇叭管椭圆型线中心点y1"},
    {y2, "y2", "the guide cone ellipse centre y2", "导水锥椭圆型线中心点y2"},
    {a2, "a2", "the guide cone semi-minor axis a2", "导水锥短轴半径a2"},
    {b2, "b2", "the guide cone semi-major axis b2", "导水锥长轴半径b2"},
    {tangentPoint, "S", "the tangent point of the volute's upper wall", "蜗壳上壁面切点"},
    {ap, "ap", "the tangent point distance ap", "蜗壳上壁面切点至喇叭口外缘水平距离ap"},
    {bp, "bp", "the tangent point height bp", "切点至流道底高度bp"},
    {Ft, "Ft", "the threshold area Ft", "临界面积Ft"},
    {P, "P", "the width coefficient P", "宽度系数P"},
    {a0, "a0", "the volute width a0 at φ = 0°", "φ=0°时蜗壳宽度a0"},
    {a10, "a10", "the volute width a10 at φ = 10°", "φ=10°时蜗壳宽度a10"},
    {a20, "a20", "the volute width a20 at φ = 20°", "φ=20°时蜗壳宽度a20"},
    {a30, "a30", "the volute width a30 at φ = 30°", "φ=30°时蜗壳宽度a30"},
    {a40, "a40", "the volute width a40 at φ = 40°", "φ=40°时蜗壳宽度a40"},
    {a50, "a50", "the volute width a50 at φ = 50°", "φ=50°时蜗壳宽度a50"},
    {a60, "a60", "the volute width a60 at φ = 60°", "φ=60°时蜗壳宽度a60"},
    {a70, "a70", "the volute width a70 at φ = 70°", "φ=70°时蜗壳宽度a70"},
    {a80, "a80", "the volute width a80 at φ = 80°", "φ=80°时蜗壳宽度a80"},
    {a87, "a87", "the volute width a87 at φ = 87°", "φ=87°时蜗壳宽度a87"},
    {a84, "a84", "the volute width a84 at φ = 84°", "φ=84°时蜗壳宽度a84"},
    {H, "H", "the passage height H", "流道高度H"},
    {a90, "a90", "the volute width a90 at φ = 90°", "φ=90°时蜗壳宽度a90"},
    {B, "B", "the passage width B", "流道宽度B"},
}};

constexpr bool inEnumerationOrder()
{
    for (std::size_t i = 0; i < kWords.size(); ++i)
        if (static_cast<std::size_t>(kWords[i].quantity) != i)
            return false;
    return true;
}
static_assert(inEnumerationOrder(), "kWords must list the quantities in enumeration order");

const Words& words(Quantity q) { return kWords[static_cast<std::size_t>(q)]; }

}  // namespace

std::string_view symbol(Quantity q) { return words(q).symbol; }
std::string_view englishName(Quantity q) { return words(q).english; }
std::string_view chineseName(Quantity q) { return words(q).chinese; }

}  // namespace inlet
