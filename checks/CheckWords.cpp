#include "checks/CheckWords.h"

#include <array>

namespace inlet {

namespace {

using enum CheckWording;

struct Row {
    CheckWording wording;
    std::string_view chinese;
    std::string_view english;
};

// One row per wording, in the order of the enumeration.
constexpr std::array kRows{
    Row{NegativeWidth, "φ={2}°时蜗壳宽度{1}为 {3} mm，小于零：外壁位于喇叭口边缘以内",
        "{1} at φ = {2}° is {3} mm, below zero: the outer wall stands inside the bell-mouth rim"},
    Row{WallBeyondPumpAxis, "φ={2}°时蜗壳宽度{1}的外壁越过水泵轴线，断面无法绘出",
        "{1} at φ = {2}°: the outer wall lies beyond the pump axis; its section cannot be drawn"},
    Row{WallMeetsBellMouth, "φ={2}°时蜗壳宽度{1}为 {3} mm，小于 ap = {4} mm：外壁与喇叭口唇部相交于切点以下",
        "{1} at φ = {2}° is {3} mm, less than ap {4} mm: the outer wall meets the bell mouth below the tangent point"},
    Row{QuadraticWallAboveHk, "φ={2}°时蜗壳宽度{1}按二次式计算，但外壁高 {3} mm，超过 hk = {4} mm；按线性式宽度为 {5} mm",
        "{1} at φ = {2}° takes the quadratic rule, but its outer wall would be {3} mm tall, above hk {4} mm; the "
        "linear rule gives {5} mm"},
    Row{QuadraticWallAboveHkOnly, "φ={2}°时蜗壳宽度{1}按二次式计算，但外壁高 {3} mm，超过 hk = {4} mm；线性式亦不相符",
        "{1} at φ = {2}° takes the quadratic rule, but its outer wall would be {3} mm tall, above hk {4} mm; the "
        "linear rule does not fit either"},
    Row{LinearWallBelowHk,
        "φ={2}°时蜗壳宽度{1}按线性式计算，但上壁面升至 hk 之前即遇外壁（外壁高 {3} mm）；按二次式宽度为 {4} mm",
        "{1} at φ = {2}° takes the linear rule, but the outer wall comes before the upper wall rises to hk (wall {3} "
        "mm tall); the quadratic rule gives {4} mm"},
    Row{LinearWallBelowHkOnly,
        "φ={2}°时蜗壳宽度{1}按线性式计算，但上壁面升至 hk 之前即遇外壁（外壁高 {3} mm）；二次式亦不相符",
        "{1} at φ = {2}° takes the linear rule, but the outer wall comes before the upper wall rises to hk (wall {3} "
        "mm tall); the quadratic rule does not fit either"},
    Row{AreaTrueWidthFails, "φ={2}°时蜗壳宽度{1}无法按断面形状求得（{3}），该处无面积一致宽度",
        "the area-true width {1} at φ = {2}° cannot be computed ({3}); there is none at that station"},
    Row{WidthJump, "φ={1}°至φ={2}°蜗壳宽度由 {3} mm 跳至 {4} mm（{5}→{6}）",
        "the width jumps from {3} mm at φ = {1}° to {4} mm at φ = {2}° where the rule changes from {5} to {6}"},
    Row{QuadraticRule, "二次式", "quadratic"},
    Row{LinearRule, "线性式", "linear"},
    Row{WidthSetsDiffer, "计算宽度 {1} 所得断面不是其计算式所设的形状，所绘面积与 F 不符（最大相差 {4}%）{2}{3}",
        "the computed widths {1} give sections of another shape than their rule assumes, whose areas drawn are not F "
        "(by up to {4}%){2}{3}"},
    Row{AreaTrueWidths, "；按断面形状（面积一致）的宽度为 {1} mm", "; the area-true widths are {1} mm"},
    Row{Range, "{1}～{2}", "{1} to {2}"},
    Row{List, "{1}、{2}", "{1}, {2}"},
    Row{DrawnAreaTrue, "。图形按面积一致宽度绘制", "; drawn with the area-true widths"},
    Row{DrawnComputed, "。图形按计算结果绘制", "; drawn with the computed widths"},
    Row{HkBelowBpAndRim,
        "蜗壳断面高度 hk = {1} 不高于切点高度 bp = {2}，且不高于喇叭口边缘高度 H2 = {3}（顶板低于喇叭口边缘）："
        "不存在计算式所设形状的蜗壳断面，不绘断面，不给出其他宽度",
        "hk {1} is not above the tangent point's height bp {2} and not above the rim's height H2 {3} (the roof would "
        "lie below the rim): no volute section of the form the width rules assume exists; no section is drawn and "
        "no other width is given"},
    Row{HkBelowBpAboveRim,
        "蜗壳断面高度 hk = {1} 不高于切点高度 bp = {2}，高于喇叭口边缘高度 H2 = {3}："
        "不存在计算式所设形状的蜗壳断面，不绘断面，不给出其他宽度",
        "hk {1} is not above the tangent point's height bp {2} and above the rim's height H2 {3}: no volute section "
        "of the form the width rules assume exists; no section is drawn and no other width is given"},
    Row{HkAboveBpBelowRim,
        "蜗壳断面高度 hk = {1} 高于切点高度 bp = {2}，且不高于喇叭口边缘高度 H2 = {3}（顶板低于喇叭口边缘）："
        "不存在计算式所设形状的蜗壳断面，不绘断面，不给出其他宽度",
        "hk {1} is above the tangent point's height bp {2} and not above the rim's height H2 {3} (the roof would lie "
        "below the rim): no volute section of the form the width rules assume exists; no section is drawn and no "
        "other width is given"},
    Row{GuideConeWiderThanConeInlet, "导水锥直径 dd0 = {1} 不小于锥管进口直径 D0 = {2}",
        "the guide cone top dd0 {1} is not narrower than the cone inlet D0 {2}"},
    Row{ConeInletNotNarrowerThanRim, "锥管进口直径 D0 = {1} 不小于喇叭口直径 D1 = {2}",
        "the cone inlet D0 {1} is not narrower than the bell-mouth rim D1 {2}"},
    Row{FloorClearance, "喇叭口悬空高度 H2/D1 = {1}（泵站进水设计常引用 0.25～0.5 倍喇叭口直径）",
        "floor clearance H2/D1 = {1} (pump-intake guidance commonly cites 0.25 to 0.5 of the bell diameter)"},
    Row{ConeTopNoPumpInlet, "锥管顶部直径 D0 - 2·H0·tanθ = {1} mm（未给出泵进口直径 Ds）",
        "the top of the conical pipe D0 - 2·H0·tanθ is {1} mm (no pump inlet diameter Ds given)"},
    Row{ConeTopApart, "锥管顶部直径 D0 - 2·H0·tanθ = {1} mm，泵进口直径 Ds = {2} mm，相差 {3}%，超过 1%",
        "the top of the conical pipe D0 - 2·H0·tanθ is {1} mm against the pump inlet Ds {2} mm, {3}%, more than 1% "
        "apart"},
    Row{ConeTopClose, "锥管顶部直径 D0 - 2·H0·tanθ = {1} mm，泵进口直径 Ds = {2} mm，相差 {3}%",
        "the top of the conical pipe D0 - 2·H0·tanθ is {1} mm against the pump inlet Ds {2} mm, {3}%"},
    Row{BellMouthToImpeller, "喇叭口直径与叶轮直径之比 D1/D = {1}", "the bell-mouth diameter in impeller diameters D1/D = {1}"},
    Row{PassageWidthToImpeller, "流道宽度与叶轮直径之比 B/D = {1}", "the passage width in impeller diameters B/D = {1}"},
    Row{PassageHeightToImpeller, "流道高度与叶轮直径之比 H/D = {1}", "the passage height in impeller diameters H/D = {1}"},
    Row{SectionHeightToImpeller, "蜗壳断面高度与叶轮直径之比 hk/D = {1}",
        "the volute section height in impeller diameters hk/D = {1}"},
    Row{FloorClearanceToImpeller, "喇叭口悬空高度与叶轮直径之比 H2/D = {1}",
        "the bell's floor clearance in impeller diameters H2/D = {1}"},
    Row{SectionVelocity, "φ={1}°断面平均流速 Q·(φ/360)/F = {2} m/s（F = {4} mm²），所绘断面 {3} m/s（面积 {5} mm²）（Q = {6} m³/s）",
        "mean velocity at φ = {1}°, Q·(φ/360)/F = {2} m/s (F {4} mm²), in the section drawn {3} m/s (area {5} mm²) (Q = {6} m³/s)"},
    Row{SectionVelocityUndrawn, "φ={1}°断面平均流速 Q·(φ/360)/F = {2} m/s（F = {3} mm²，无所绘断面；Q = {4} m³/s）",
        "mean velocity at φ = {1}°, Q·(φ/360)/F = {2} m/s (F {3} mm², no section drawn; Q = {4} m³/s)"},
    Row{ProfilesCross, "喇叭管壁面与导水锥型线相交，最大重叠 {1} mm",
        "the bell-mouth wall and the guide cone cross, by up to {1} mm"},
    Row{ProfileClearance, "喇叭管壁面与导水锥之间最小间距 {1} mm",
        "smallest clearance between the bell-mouth wall and the guide cone {1} mm"},
    Row{VelocityAtConeInlet, "锥管进口平均流速（扣除导水锥顶，π·(D0² - dd0²)/4 = {2} m²）{1} m/s（Q = {4} m³/s）",
        "mean velocity at the cone inlet (net of the guide cone's top, π·(D0² - dd0²)/4 = {2} m²) {1} m/s (Q = {4} m³/s)"},
    Row{VelocityUnderRim, "喇叭口下环形断面平均流速（π·D1·H2 = {2} m²）{1} m/s（Q = {4} m³/s）",
        "mean velocity through the ring under the rim (π·D1·H2 = {2} m²) {1} m/s (Q = {4} m³/s)"},
    Row{VelocityAtPassageInlet, "流道进口平均流速（B·hk = {2} m²，B = {3} mm）{1} m/s（Q = {4} m³/s）",
        "mean velocity at the passage inlet (B·hk = {2} m², B {3} mm) {1} m/s (Q = {4} m³/s)"},
    Row{TextReadOtherwise, "{1}（{2}）的文本“{3}”按 {4} 计算：{5}", "{1} ({2}) '{3}' is read as {4}: {5}"},
    Row{FullWidthDigits, "全角数字未读入", "full-width digits are not read"},
    Row{CommaEndsNumber, "逗号结束了数字，其后的数字未读入", "a comma ends the number; the digits after it are not read"},
    Row{NoNumber, "文本中没有数字", "the text holds no number"},
    Row{TextAfterNumber, "数字后的文字未读入", "the text after the number is not read"},
    Row{BellMouthNotDrawable, "喇叭管椭圆的半轴 a1 = {1}、b1 = {2} 不为正，型线无法绘出",
        "the bell-mouth ellipse's semi-axes a1 {1} and b1 {2} are not both positive; its wall cannot be drawn"},
    Row{GuideConeNotDrawable, "导水锥椭圆的半轴 a2 = {1}、b2 = {2} 不为正，型线无法绘出",
        "the guide cone ellipse's semi-axes a2 {1} and b2 {2} are not both positive; its wall cannot be drawn"},
    Row{BoxEmpty, "{1} 为空，按 0 计算", "{1} is empty, read as 0"},
    Row{BoxZero, "{1} 为 0", "{1} is 0"},
    Row{BoxNegative, "{1} 为负数 {2}", "{1} is negative, {2}"},
    Row{FluidVolume, "流道水体体积 {1}", "fluid volume of the passage {1}"},
    Row{InletArea, "流道进口面积 {1}", "passage inlet area {1}"},
    Row{OutletArea, "出口（水泵进口断面）面积 {1}", "outlet (pump inlet section) area {1}"},
    Row{WettedArea, "过水边壁面积 {1}", "wetted wall area {1}"},
    Row{PassageWidthDrawn,
        "按面积一致宽度的流道宽度 B = 2·a90 + D1 = {1} mm（计算结果 B = {2} mm）；图形、实体及流场均按此宽度",
        "the passage width of the area-true widths B = 2·a90 + D1 is {1} mm (the result B {2} mm); the drawings, "
        "the solid and the flow take it"},
    Row{HkAbovePumpInlet,
        "蜗壳断面高度 hk = {1} 高于水泵进口断面高度 H = {2}：蜗壳顶板高出水泵进口断面 {3}，顶板下积存空气",
        "hk {1} is above the pump inlet section's height H {2}: the volute roof stands {3} above the pump inlet "
        "section and traps air under it"},
    Row{FlowNotUsable, "设计流量 Q（Text12）的文本“{1}”不是大于零的数：不计算流速",
        "the design flow Q (Text12) “{1}” is not a number above zero: no velocity is computed"},
    Row{PumpInletNotUsable, "泵进口直径 Ds（Text2）的文本“{1}”不是大于零的数：锥管顶部直径不与之校核",
        "the pump inlet diameter Ds (Text2) “{1}” is not a number above zero: the cone top is not checked against it"},
    Row{LengthNotUsable, "流道长度 L（Text7）的文本“{1}”读不出长度：不建流道实体，不计水体体积",
        "the passage length L (Text7) “{1}” gives no length: no solid and no fluid volume are made from it"},
    Row{PassageLengthMillimetres, "流道长度（水泵轴线至流道进口）L = {1} mm（按 mm 读取，取自“{2}”）{3}",
        "passage length from the pump axis to the passage inlet L = {1} mm (read as mm, from “{2}”){3}"},
    Row{PassageLengthTimesD, "流道长度（水泵轴线至流道进口）L = {1} mm（{2} × D，取自“{3}”）{4}",
        "passage length from the pump axis to the passage inlet L = {1} mm ({2} × D, from “{3}”){4}"},
    Row{LengthReadOtherwise, "：{1}", ": {1}"},
    Row{LengthTimesD, "框中标注 mm，但不大于 20 的数按叶轮直径 D 的倍数读取",
        "the box says mm, but a number up to 20 is read as a multiple of the impeller diameter D"},
};

constexpr bool inOrder()
{
    for (std::size_t i = 0; i < kRows.size(); ++i)
        if (static_cast<std::size_t>(kRows[i].wording) != i)
            return false;
    return true;
}
static_assert(inOrder(), "one row per wording, in the order of CheckWording");

// `pattern` with each {n} replaced by the n-th of `facts` (1-based); a number beyond them by
// nothing.
std::string fill(std::string_view pattern, std::initializer_list<Fact> facts, bool chinese)
{
    std::size_t size = pattern.size();
    for (const Fact& fact : facts)
        size += chinese ? fact.chinese.size() : fact.english.size();
    std::string out;
    out.reserve(size);
    std::size_t pos = 0;
    while (pos < pattern.size()) {
        const std::size_t open = pattern.find('{', pos);
        if (open == std::string_view::npos) {
            out.append(pattern.substr(pos));
            break;
        }
        if (open + 2 >= pattern.size() || pattern[open + 2] != '}') {  // a brace, not a fact
            out.append(pattern.substr(pos, open + 1 - pos));
            pos = open + 1;
            continue;
        }
        out.append(pattern.substr(pos, open - pos));
        const std::size_t n = static_cast<std::size_t>(pattern[open + 1] - '1');
        if (n < facts.size()) {
            const Fact& fact = facts.begin()[n];
            out.append(chinese ? fact.chinese : fact.english);
        }
        pos = open + 3;
    }
    return out;
}

}  // namespace

Bilingual checkWords(CheckWording wording, std::initializer_list<Fact> facts)
{
    const Row& row = kRows[static_cast<std::size_t>(wording)];
    return Bilingual(fill(row.chinese, facts, true), fill(row.english, facts, false));
}

std::string_view checkPattern(CheckWording wording, Language language)
{
    const Row& row = kRows[static_cast<std::size_t>(wording)];
    return language == Language::Chinese ? row.chinese : row.english;
}

std::size_t checkWordingCount() { return kRows.size(); }

}  // namespace inlet
