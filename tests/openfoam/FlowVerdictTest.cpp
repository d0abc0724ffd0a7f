// The verdict on a run's figures: one row per reason, each a sound run with one fact changed or
// missing; a missing fact never passes.

#include "openfoam/FlowVerdict.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

using namespace inlet;
using namespace inlet::cfd;
using K = VerdictReason::Kind;

namespace {

StudyFigure figure(const char* section, const char* name, Convergence convergence, double index)
{
    StudyFigure f{.section = section, .figure = name, .values = {1, 1, 1}, .convergence = {}};
    f.convergence.convergence = convergence;
    f.convergence.index = index;
    f.convergence.order = f.convergence.bandOrder = 1.8;
    return f;
}

// Every check passes: Q carried, little backflow, a mesh study within 5 %, checkMesh within limits.
VerdictInput sound()
{
    VerdictInput in;
    in.settled = true;
    in.flowGiven = 15;
    in.sections = {{"cone_inlet", 15.05, 85.0, 0.056}, {"pump_inlet", 14.99, 81.3, 0.039}};
    MeshStudy study;
    for (const char* section : {"cone_inlet", "pump_inlet"})
        for (const char* name : {"Vu", "theta", "headLoss"})
            study.figures.push_back(figure(section, name, Convergence::Monotone, 0.021));
    study.figures[1].convergence.convergence = Convergence::Exact;
    study.figures[1].convergence.index = 0;
    in.study = study;
    in.nonOrthogonality = 59.9;
    in.skewness = 3.4;
    return in;
}

// The sound run settled on its means instead: each figure the mean of a swing well within 5 %
// (the pump inlet's loss ±2.5 %).
void onMeans(VerdictInput& in)
{
    in.onMeans = true;
    VerdictSection& cone = in.sections[0];
    cone.angle = 80.0, cone.headLoss = 0.0300;
    cone.uniformityBand = Band{84.0, 86.0}, cone.angleBand = Band{79.5, 80.5}, cone.lossBand = Band{0.0295, 0.0305};
    VerdictSection& pump = in.sections[1];
    pump.angle = 83.1, pump.headLoss = 0.0595;
    pump.uniformityBand = Band{80.0, 82.6}, pump.angleBand = Band{82.5, 83.7}, pump.lossBand = Band{0.0580, 0.0610};
}

struct Row {
    const char* name;
    std::function<void(VerdictInput&)> change;
    Verdict verdict;
    std::vector<K> reasons;
    const char* chinese;  // a piece of the Chinese line
    const char* notSaid = nullptr;  // a piece the Chinese line must not hold
};

const Row kRows[] = {
    {"Sound", [](VerdictInput&) {}, Verdict::Trusted, {}, "可信：各断面流量与 Q 相差在 ±1% 以内"},
    {"NotSettled", [](VerdictInput& in) { in.settled = false; }, Verdict::Unusable, {K::NotSettled}, "不可用：计算未稳定"},
    {"FlowOff", [](VerdictInput& in) { in.sections[0].flow = 15.20; }, Verdict::Unusable, {K::FlowOff},
     "喇叭管进口（锥管进口）流量 15.2 m³/s，与 Q 15 m³/s 相差 1.3%（限 ±1%）"},
    // The annulus outside the guide cone's top is part of the pump inlet: it carries less than Q.
    {"AnnulusCarriesPartOfQ",
     [](VerdictInput& in) { in.sections.push_back({"pump_inlet_annulus", 13.57, 89.5, 0.02, false}); },
     Verdict::Trusted, {}, "可信"},
    {"FlowUnknown", [](VerdictInput& in) { in.sections[1].flow.reset(); }, Verdict::Unusable, {K::FlowUnknown},
     "水泵进口断面流量未知"},
    {"FlowGivenUnknown", [](VerdictInput& in) { in.flowGiven.reset(); }, Verdict::Unusable,
     {K::FlowUnknown, K::FlowUnknown}, "流量未知"},
    {"UniformityOutside", [](VerdictInput& in) { in.sections[0].uniformity = -334.6; }, Verdict::Unusable,
     {K::UniformityOutside}, "Vu -334.6% 不在 0～100% 之内"},
    {"BackflowLarge", [](VerdictInput& in) { in.sections[1].backflowArea = 0.12; }, Verdict::Unusable,
     {K::BackflowLarge}, "水泵进口断面回流占面积 12.0%（限 10%）"},
    {"BackflowUnknown", [](VerdictInput& in) { in.sections[1].backflowArea.reset(); }, Verdict::Unusable,
     {K::BackflowUnknown}, "回流份额未知"},
    {"NoMeshStudy", [](VerdictInput& in) { in.study.reset(); }, Verdict::Refine, {K::NoMeshStudy},
     "需加密网格：未做网格收敛研究（GCI 未知）"},
    {"GciAbove", [](VerdictInput& in) { in.study->figures[5].convergence.index = 0.155; }, Verdict::Refine,
     {K::GciAbove}, "水泵进口断面 水头损失 GCI 15.5%（限 5%），未收敛"},
    {"GciUnknown", [](VerdictInput& in) { in.study->figures[3].convergence.convergence = Convergence::Unknown; },
     Verdict::Refine, {K::GciUnknown}, "水泵进口断面 Vu 的 GCI 无法求得"},
    {"Oscillatory", [](VerdictInput& in) { in.study->figures[2].convergence.convergence = Convergence::Oscillatory; },
     Verdict::Refine, {K::Oscillatory}, "水头损失 振荡收敛"},
    {"NotAsymptotic",
     [](VerdictInput& in) {
         in.study->figures[5].convergence.order = 3.61;
         in.study->figures[5].convergence.bandOrder = 2;
     },
     Verdict::Refine, {K::NotAsymptotic}, "水泵进口断面 水头损失 表观阶数 3.61 高于格式精度 2，未进入渐近区"},
    {"MeshQualityUnknown", [](VerdictInput& in) { in.skewness.reset(); }, Verdict::Refine, {K::MeshQualityUnknown},
     "网格质量未知（无 checkMesh 数据）"},
    {"NonOrthogonalityAbove", [](VerdictInput& in) { in.nonOrthogonality = 64.99; }, Verdict::Refine,
     {K::NonOrthogonalityAbove}, "网格非正交度 65.0（限 60）"},
    {"SkewnessAbove", [](VerdictInput& in) { in.skewness = 3.70; }, Verdict::Refine, {K::SkewnessAbove},
     "网格偏斜度 3.70（限 3.5）"},
    {"NothingKnown",
     [](VerdictInput& in) {
         in = VerdictInput{};
         in.settled = true;
     },
     Verdict::Refine, {K::NoMeshStudy, K::MeshQualityUnknown}, "需加密网格：未做网格收敛研究（GCI 未知）；网格质量未知"},
    {"WorstReasonDecides",
     [](VerdictInput& in) {
         in.study.reset();
         in.sections[0].flow = 12.48;
     },
     Verdict::Unusable, {K::FlowOff, K::NoMeshStudy}, "不可用："},
    // A steady run's line says nothing of a swing, whatever bands its input holds.
    {"SettledSteadily",
     [](VerdictInput& in) {
         onMeans(in);
         in.onMeans = false;
         in.sections[1].lossBand = Band{0.0400, 0.0800};
     },
     Verdict::Trusted, {}, "网格质量在限内", "摆动"},
    {"OnMeansWithinLimit", onMeans, Verdict::Trusted, {},
     "可信：各断面流量与 Q 相差在 ±1% 以内，回流面积在 10% 以内，各指标 GCI 在 5% 以内，网格质量在限内，"
     "各断面指标在均值附近的摆动在 ±5% 以内"},
    {"OnMeansSwingAbove",
     [](VerdictInput& in) {
         onMeans(in);
         in.sections[1].lossBand = Band{0.0558, 0.0632};
     },
     Verdict::Refine, {K::SwingAbove}, "需加密网格：水泵进口断面 水头损失 在均值附近摆动 ±6.2%（限 ±5%），按均值取用"},
    {"OnMeansVuSwingAbove",
     [](VerdictInput& in) {
         onMeans(in);
         in.sections[0].uniformityBand = Band{79.0, 91.0};
     },
     Verdict::Refine, {K::SwingAbove}, "喇叭管进口（锥管进口） Vu 在均值附近摆动 ±7.1%（限 ±5%）"},
    // The annulus is weighed as a part of its whole section, not apart.
    {"OnMeansAnnulusNotWeighed",
     [](VerdictInput& in) {
         onMeans(in);
         in.sections.push_back({"pump_inlet_annulus", 13.57, 89.5, 0.02, false, 84.0, 0.05, Band{70, 100},
                                Band{70, 90}, Band{0.01, 0.09}});
     },
     Verdict::Trusted, {}, "可信"},
    {"OnMeansBandUnknown",
     [](VerdictInput& in) {
         onMeans(in);
         in.sections[1].uniformityBand.reset();
         in.sections[1].angleBand.reset();
         in.sections[1].lossBand.reset();
     },
     Verdict::Refine, {K::SwingUnknown}, "需加密网格：水泵进口断面各指标在均值附近的摆动未知（按均值取用）"},
    {"OnMeansOneBandUnknown",
     [](VerdictInput& in) {
         onMeans(in);
         in.sections[0].angleBand.reset();
     },
     Verdict::Refine, {K::SwingUnknown}, "喇叭管进口（锥管进口）各指标在均值附近的摆动未知"},
    // A results file naming the averaged iterations without their bands reads them as 0 to 0.
    {"OnMeansBandNotHoldingTheMean",
     [](VerdictInput& in) {
         onMeans(in);
         in.sections[1].uniformityBand = Band{0, 0};
     },
     Verdict::Refine, {K::SwingUnknown}, "水泵进口断面各指标在均值附近的摆动未知"},
    {"UnusableWinsOverSwing",
     [](VerdictInput& in) {
         onMeans(in);
         in.sections[1].lossBand = Band{0.0558, 0.0632};
         in.sections[1].backflowArea = 0.12;
     },
     Verdict::Unusable, {K::BackflowLarge, K::SwingAbove}, "不可用：水泵进口断面回流占面积 12.0%（限 10%）；水泵进口断面 水头损失 在均值附近摆动 ±6.2%"},
};

class FlowVerdictTest : public ::testing::TestWithParam<Row> {};

TEST_P(FlowVerdictTest, GivesTheVerdictWithItsReasons)
{
    const Row& row = GetParam();
    VerdictInput in = sound();
    row.change(in);
    const FlowVerdict v = flowVerdict(in);
    EXPECT_EQ(v.verdict, row.verdict);
    std::vector<K> kinds;
    for (const VerdictReason& r : v.reasons)
        kinds.push_back(r.kind);
    EXPECT_EQ(kinds, row.reasons);
    const std::string chinese = verdictLine(v, Language::Chinese);
    EXPECT_NE(chinese.find(row.chinese), std::string::npos) << chinese;
    if (row.notSaid) {
        EXPECT_EQ(chinese.find(row.notSaid), std::string::npos) << chinese;
    }
    // Every reason is said in English too, and none in the other's words.
    const std::string english = verdictLine(v, Language::English);
    EXPECT_EQ(english.rfind(verdictName(row.verdict, Language::English) + ": ", 0), 0u) << english;
    for (const VerdictReason& r : v.reasons)
        EXPECT_NE(english.find(reasonText(r, Language::English)), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Reasons, FlowVerdictTest, ::testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FlowVerdictTest, EachReasonLeadsToItsVerdict)
{
    EXPECT_EQ(verdictOf(K::FlowOff), Verdict::Unusable);
    EXPECT_EQ(verdictOf(K::BackflowLarge), Verdict::Unusable);
    EXPECT_EQ(verdictOf(K::GciAbove), Verdict::Refine);
    EXPECT_EQ(verdictOf(K::MeshQualityUnknown), Verdict::Refine);
    EXPECT_EQ(verdictOf(K::SwingAbove), Verdict::Refine);
    EXPECT_EQ(verdictOf(K::SwingUnknown), Verdict::Refine);
}

}  // namespace
