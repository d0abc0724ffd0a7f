#include "CalculationRun.h"

#include "calc/Arithmetic.h"
#include "calc/DesignInputs.h"
#include "calc/Profiles.h"
#include "calc/ResultText.h"
#include "calc/Volute.h"

#include <array>
#include <string_view>
#include <utility>

namespace inlet {

namespace {

struct QuantityWords {
    std::string_view symbol;
    std::string_view english;
    std::string_view chinese;
};

constexpr std::array<QuantityWords, 41> kQuantities{{
    {"D", "the impeller diameter D", "叶轮直径D"},
    {"D0", "the cone inlet diameter D0", "锥管进口直径D0"},
    {"theta", "the cone contraction angle θ", "锥管收缩角θ"},
    {"H0", "the height H0", "H0"},
    {"H1", "the height H1", "H1"},
    {"H2", "the height H2", "H2"},
    {"D1", "the bell-mouth diameter D1", "喇叭口直径D1"},
    {"dd0", "the guide cone diameter dd0", "导水锥直径dd0"},
    {"aa", "the inclination aa of the volute's upper wall", "蜗壳上壁面倾角aa"},
    {"hk", "the volute section height hk", "蜗壳断面高度hk"},
    {"a1", "the bell-mouth semi-minor axis a1", "喇叭管短轴半径a1"},
    {"b1", "the bell-mouth semi-major axis b1", "喇叭管长轴半径b1"},
    {"x1", "the bell-mouth ellipse centre x1", "喇叭管椭圆型线中心点x1"},
    {"y1", "the bell-mouth ellipse centre y1", "喇叭管椭圆型线中心点y1"},
    {"x2", "the guide cone ellipse centre x2", "导水锥椭圆型线中心点x2"},
    {"y2", "the guide cone ellipse centre y2", "导水锥椭圆型线中心点y2"},
    {"a2", "the guide cone semi-minor axis a2", "导水锥短轴半径a2"},
    {"b2", "the guide cone semi-major axis b2", "导水锥长轴半径b2"},
    {"S", "the tangent point of the volute's upper wall", "蜗壳上壁面切点"},
    {"ap", "the tangent point distance ap", "蜗壳上壁面切点至喇叭口外缘水平距离ap"},
    {"bp", "the tangent point height bp", "切点至流道底高度bp"},
    {"Ft", "the threshold area Ft", "临界面积Ft"},
    {"P", "the width coefficient P", "宽度系数P"},
    {"a0", "the volute width a0 at φ = 0°", "φ=0°时蜗壳宽度a0"},
    {"a10", "the volute width a10 at φ = 10°", "φ=10°时蜗壳宽度a10"},
    {"a20", "the volute width a20 at φ = 20°", "φ=20°时蜗壳宽度a20"},
    {"a30", "the volute width a30 at φ = 30°", "φ=30°时蜗壳宽度a30"},
    {"a40", "the volute width a40 at φ = 40°", "φ=40°时蜗壳宽度a40"},
    {"a50", "the volute width a50 at φ = 50°", "φ=50°时蜗壳宽度a50"},
    {"a60", "the volute width a60 at φ = 60°", "φ=60°时蜗壳宽度a60"},
    {"a70", "the volute width a70 at φ = 70°", "φ=70°时蜗壳宽度a70"},
    {"a80", "the volute width a80 at φ = 80°", "φ=80°时蜗壳宽度a80"},
    {"a84", "the volute width a84 at φ = 84°", "φ=84°时蜗壳宽度a84"},
    {"a87", "the volute width a87 at φ = 87°", "φ=87°时蜗壳宽度a87"},
    {"a90", "the volute width a90 at φ = 90°", "φ=90°时蜗壳宽度a90"},
    {"H", "the passage height H", "流道高度H"},
    {"B", "the passage width B", "流道宽度B"},
    {"Ds", "the pump inlet diameter Ds", "泵进口直径Ds"},
    {"L", "the passage length L", "流道长度L"},
    {"rs", "the inlet upper-arc radius rs", "流道进口上弧半径rs"},
    {"Q", "the design flow Q", "Q"},
}};

const QuantityWords& words(std::string_view symbol)
{
    for (const QuantityWords& q : kQuantities)
        if (q.symbol == symbol)
            return q;
    static const QuantityWords unknown{"", "the calculation", "计算"};
    return unknown;
}

const char* kindChinese(FailureKind kind)
{
    switch (kind) {
    case FailureKind::TypeMismatch: return "类型不匹配";
    case FailureKind::Overflow: return "溢出";
    case FailureKind::DivisionByZero: return "除数为零";
    case FailureKind::InvalidCall: return "无效的过程调用或参数";
    }
    return "错误";
}

// The run's own bookkeeping: which step it is in, and turning a calculation failure into a
// RunFailure that says where it happened.
class Run {
public:
    Run(BoxAccess& boxes, const NumberLocale& locale) : boxes_(boxes), locale_(locale) {}

    const NumberLocale& locale() const { return locale_; }
    void step(int n) { step_ = n; }

    template <typename Convert>
    auto read(Box box, Convert convert)
    {
        const std::string text = boxes_.text(box);
        try {
            return convert(text);
        } catch (const CalcError& e) {
            throw RunFailure(e.kind(), FailureSite{step_, box, std::string(boxInfo(box).symbol)});
        }
    }

    template <typename Compute>
    auto compute(std::string_view quantity, Compute f)
    {
        try {
            return f();
        } catch (const CalcError& e) {
            throw RunFailure(e.kind(), FailureSite{step_, std::nullopt, std::string(quantity)});
        }
    }

    void write(Box box, const std::string& text) { boxes_.setText(box, text); }

private:
    BoxAccess& boxes_;
    const NumberLocale& locale_;
    int step_ = 0;
};

double lenient(const std::string& text) { return lenientParse(text); }
float lenientSingle(const std::string& text) { return toSingle(lenientParse(text)); }

}  // namespace

RunFailure::RunFailure(FailureKind kind, FailureSite site)
    : std::runtime_error(kindName(kind)), kind_(kind), site_(std::move(site))
{
}

void runCalculation(BoxAccess& boxes, const NumberLocale& locale)
{
    Run run(boxes, locale);
    DesignInputs in;
    ProfileResults profile;

    run.step(1);
    in.H0 = run.read(Box::Text9, lenient);
    in.H1 = run.read(Box::Text10, lenient);
    in.H2 = run.read(Box::Text11, lenientSingle);
    in.D0 = run.read(Box::Text3, lenient);
    in.theta = run.read(Box::Text4, [](const std::string& s) { return thetaRadians(lenientParse(s)); });
    in.D1 = run.read(Box::Text35, lenient);
    in.D = run.read(Box::Text1, lenient);

    run.step(2);
    profile.a1 = run.compute("a1", [&] { return a1(in); });
    profile.b1 = run.compute("b1", [&] { return b1(in); });
    run.write(Box::Text13, picture0000(profile.a1));
    run.write(Box::Text14, picture0000(profile.b1));

    run.step(3);
    profile.x1 = x1(in);
    run.write(Box::Text15, generalText(profile.x1, locale));

    run.step(4);
    profile.y1 = run.compute("y1", [&] { return y1(in, profile.b1); });
    run.write(Box::Text16, run.compute("y1", [&] { return y1Text(profile.y1, locale); }));

    run.step(5);
    profile.x2 = x2(in);
    run.write(Box::Text18, generalText(profile.x2, locale));

    run.step(6);
    profile.y2 = run.compute("y2", [&] { return y2(in); });
    run.write(Box::Text17, singleText(profile.y2, locale));

    run.step(7);
    in.dd0 = run.read(Box::Text34, [&](const std::string& s) { return strictConversion(s, locale); });
    profile.a2 = run.compute("a2", [&] { return a2(in); });
    run.write(Box::Text20, generalText(profile.a2, locale));

    run.step(8);
    profile.b2 = run.compute("b2", [&] { return b2(in); });
    run.write(Box::Text19, generalText(profile.b2, locale));

    run.step(9);
    in.aa = run.read(Box::Text22, [](const std::string& s) { return aaRadians(lenientParse(s)); });
    const double tanAa = run.compute("S", [&] { return T(in); });
    const double s = run.compute("S", [&] { return S(profile.a1, profile.b1, tanAa); });
    TangentPoint tp;
    tp.ap = run.compute("ap", [&] { return ap(profile.a1, tanAa, s); });
    tp.bp = run.compute("bp", [&] { return bp(profile.b1, in.H2, s); });
    run.write(Box::Text23, picture0000(tp.ap));
    run.write(Box::Text24, picture0000(tp.bp));

    run.step(10);
    in.hk = run.read(Box::Text21, lenientSingle);
    Volute v{tp, in.H2, in.hk, tanAa, 0, 0};
    v.Ft = run.compute("Ft", [&] { return Ft(v); });
    v.P = run.compute("P", [&] { return P(v); });
    StationTable stations;
    constexpr std::array<std::string_view, 9> kStation{"a0", "a10", "a20", "a30", "a40",
                                                       "a50", "a60", "a70", "a80"};
    for (int k = 0; k <= 8; ++k)
        run.compute(kStation[static_cast<std::size_t>(k)],
                    [&] { computeStation(stations, k, v, in.D1); });

    run.step(11);
    const float w87 = run.compute("a87", [&] { return a87(v, in.D1); });
    run.write(Box::Text36, picture0000(w87));

    run.step(12);
    const float w84 = run.compute("a84", [&] { return a84(v, in.D1); });
    run.write(Box::Text37, picture0000(w84));

    run.step(13);
    profile.H = run.compute("H", [&] { return H(in); });
    run.write(Box::Text5, picture0000(profile.H));

    run.step(14);
    constexpr std::array<Box, 9> kStationBox{Box::Text38, Box::Text33, Box::Text32,
                                             Box::Text31, Box::Text30, Box::Text29,
                                             Box::Text28, Box::Text27, Box::Text26};
    for (std::size_t k = 0; k < kStationBox.size(); ++k)
        run.write(kStationBox[k], picture0000(stations.A[k]));

    run.step(15);
    const double w90 = run.compute("a90", [&] { return a90(v, in.D1); });
    run.write(Box::Text25, picture0000(w90));

    run.step(16);
    const double passageWidth = run.compute("B", [&] { return B(w90, in.D1); });
    run.write(Box::Text6, picture0000(passageWidth));
}

std::string describe(const RunFailure& failure)
{
    const FailureSite& site = failure.site();
    std::string text = kindName(failure.kind());
    if (site.box) {
        text.append(" reading ").append(words(site.quantity).english);
        text.append(" from box ").append(boxName(*site.box));
    } else {
        text.append(" computing ").append(words(site.quantity).english);
    }
    return text;
}

std::string describeChinese(const RunFailure& failure)
{
    const FailureSite& site = failure.site();
    std::string text = kindChinese(failure.kind());
    text.append("：");
    if (site.box) {
        text.append("读取").append(words(site.quantity).chinese);
        text.append("（").append(boxName(*site.box)).append("）时出错");
    } else {
        text.append("计算").append(words(site.quantity).chinese).append("时出错");
    }
    return text;
}

}  // namespace inlet
