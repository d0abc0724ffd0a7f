// The design checks: which stations, quantities and texts each names, with the figures the
// issue of a design is judged by.

#include "boxes/BoxTexts.h"
#include "run/CalculationRun.h"
#include "checks/DesignChecks.h"
#include "drawing/Figures.h"
#include "boxes/GivenReadings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <utility>
#include <vector>

using namespace inlet;

namespace {

using Typed = std::vector<std::pair<Box, std::string>>;
const NumberLocale kFullStop{".", ","};

struct Checked {
    BoxTexts boxes;
    std::vector<DesignCheck> checks;
};

Checked checksOf(const Typed& typed, const NumberLocale& locale = kFullStop)
{
    Checked result;
    result.boxes.type(Box::Text21, "2000");
    for (const auto& [box, text] : typed)
        result.boxes.type(box, text);
    const Calculation c = runCalculation(result.boxes, locale);
    result.checks = designChecks(c, result.boxes, locale);
    return result;
}

std::vector<const DesignCheck*> ofKind(const std::vector<DesignCheck>& checks, CheckKind kind)
{
    std::vector<const DesignCheck*> found;
    for (const DesignCheck& c : checks)
        if (c.kind == kind)
            found.push_back(&c);
    return found;
}

std::string subjects(const std::vector<const DesignCheck*>& checks)
{
    std::string text;
    for (const DesignCheck* c : checks)
        text.append(text.empty() ? "" : " ").append(c->subject);
    return text;
}

}  // namespace

TEST(StationChecks, Hk2000TakesTheQuadraticRuleWhereTheWallWouldRiseAboveHk)
{
    const Checked r = checksOf({});
    const auto taller = ofKind(r.checks, CheckKind::QuadraticRuleWallAboveHk);
    EXPECT_EQ(subjects(taller), "a40 a50 a60 a70 a80 a84 a87");
    ASSERT_EQ(taller.size(), 7u);
    EXPECT_EQ(wholeMillimetres(taller.front()->figure), "2134") << taller.front()->english;
    EXPECT_EQ(wholeMillimetres(taller.back()->figure), "2892") << taller.back()->english;
    for (const DesignCheck* c : taller) {
        ASSERT_TRUE(c->advisedWidth) << c->english;
        EXPECT_GT(*c->advisedWidth, 0) << c->english;
        EXPECT_NE(c->chinese.find("线性式"), std::string::npos) << c->chinese;
    }
    EXPECT_EQ(subjects(ofKind(r.checks, CheckKind::NegativeWidth)), "a0");
    EXPECT_EQ(subjects(ofKind(r.checks, CheckKind::WidthJump)), "a87-a90") << "90 degrees always takes the linear rule";
    EXPECT_TRUE(ofKind(r.checks, CheckKind::HkBelowBp).empty());
}

TEST(StationChecks, Hk1000JumpsWhereTheRuleChanges)
{
    const Checked r = checksOf({{Box::Text21, "1000"}});
    const auto jumps = ofKind(r.checks, CheckKind::WidthJump);
    ASSERT_EQ(subjects(jumps), "a40-a50");
    EXPECT_EQ(wholeMillimetres(jumps.front()->figure), "880");
    EXPECT_NE(jumps.front()->chinese.find("823 mm 跳至 1703 mm"), std::string::npos) << jumps.front()->chinese;
    EXPECT_EQ(subjects(ofKind(r.checks, CheckKind::HkBelowBp)), "hk");
}

TEST(ProportionChecks, NameTheQuantityThatIsOutOfProportion)
{
    struct Row {
        const char* name;
        Typed typed;
        CheckKind kind;
        const char* subject;
    };
    const Row rows[] = {
        {"guide cone as wide as the cone inlet", {{Box::Text34, "2200"}}, CheckKind::GuideConeWiderThanConeInlet, "dd0"},
        {"cone inlet wider than the rim", {{Box::Text3, "3100"}}, CheckKind::ConeInletNotNarrowerThanRim, "D0"},
        {"a negative bell-mouth axis cannot be drawn", {{Box::Text3, "3100"}}, CheckKind::NotDrawable, "a1"},
        {"hk below the tangent point", {{Box::Text21, "1400"}}, CheckKind::HkBelowBp, "hk"},
        {"the guide cone reaching past the bell-mouth wall", {{Box::Text34, "2400"}}, CheckKind::ProfilesCross, "profiles"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const Checked r = checksOf(row.typed);
        EXPECT_EQ(subjects(ofKind(r.checks, row.kind)), row.subject);
    }
    const Checked sound = checksOf({});
    for (const CheckKind kind : {CheckKind::GuideConeWiderThanConeInlet, CheckKind::ConeInletNotNarrowerThanRim,
                                 CheckKind::ProfilesCross, CheckKind::NotDrawable})
        EXPECT_TRUE(ofKind(sound.checks, kind).empty()) << checkName(kind) << " in the default design";
}

TEST(FigureChecks, VelocitiesClearanceAndFloorClearanceAreFiguresWithoutAVerdict)
{
    const Checked r = checksOf({}, NumberLocale{",", "."});
    struct Row {
        CheckKind kind;
        double figure;
        const char* shown;
    };
    // Q 15 m³/s: pi·(2.2² - 0.7²)/4 = 3.41649 m² at the cone inlet, net of the guide cone's
    // top in its plane (pi·2.2²/4 gave 3.95 m/s, 11 % low); pi·3·1.3 = 12.25224 m² under the
    // rim, 6.35505·2 m² at the passage inlet (pi 3.1416). Each names its area.
    const Row rows[] = {
        {CheckKind::VelocityAtConeInlet, 15 / (3.1416 * (2.2 * 2.2 - 0.7 * 0.7) / 4), "3,416 m²）4,39 m/s"},
        {CheckKind::VelocityUnderRim, 15 / (3.1416 * 3 * 1.3), "12,252 m²）1,22 m/s"},
        {CheckKind::VelocityAtPassageInlet, 15 / (6.35505 * 2), "12,710 m²，B = 6355 mm）1,18 m/s"},
        {CheckKind::FloorClearance, 1300.0 / 3000, "0,433"},
        {CheckKind::ProfileClearance, 750, "750 mm"},
    };
    for (const Row& row : rows) {
        const auto found = ofKind(r.checks, row.kind);
        ASSERT_EQ(found.size(), 1u) << checkName(row.kind);
        EXPECT_FALSE(found.front()->warning) << checkName(row.kind);
        EXPECT_NEAR(found.front()->figure, row.figure, 1e-3 * row.figure) << checkName(row.kind);
        EXPECT_NE(found.front()->chinese.find(row.shown), std::string::npos) << found.front()->chinese;
    }
    EXPECT_TRUE(ofKind(checksOf({{Box::Text12, "abc"}}).checks, CheckKind::VelocityAtConeInlet).empty())
        << "no velocity without a flow";
}

TEST(TextChecks, NameBoxesWhoseTextIsReadOtherwiseThanItLooks)
{
    struct Row {
        const char* name;
        Box box;
        std::string text;
        const char* subject;  // empty where nothing is to be said
        const char* because;
    };
    const Row rows[] = {
        {"full-width digits", Box::Text11, "\xEF\xBC\x91\xEF\xBC\x93\xEF\xBC\x90\xEF\xBC\x90", "H2", "全角数字"},
        {"full-width digits after ASCII ones", Box::Text12, "1\xEF\xBC\x95", "Q", "全角数字"},
        {"a decimal comma", Box::Text22, "50,5", "aa", "逗号"},
        {"text after the number", Box::Text9, "700abc", "H0", "数字后的文字"},
        {"no number at all", Box::Text1, "abc", "D", "没有数字"},
        {"a degree sign is read as it looks", Box::Text22, "50°", "", ""},
        {"millimetres are read as they look", Box::Text3, "2200 mm", "", ""},
        {"blanks around the number", Box::Text10, " 700 ", "", ""},
        {"a text never read is never checked", Box::Text7, "abc", "", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.name) + ": " + std::string(boxName(row.box)) + " \"" + row.text + "\"");
        const Checked r = checksOf({{row.box, row.text}});
        const auto found = ofKind(r.checks, CheckKind::TextReadOtherwise);
        EXPECT_EQ(subjects(found), row.subject);
        if (!found.empty()) {
            EXPECT_NE(found.front()->chinese.find(row.because), std::string::npos) << found.front()->chinese;
        }
    }
}

TEST(TextChecks, QuoteTheTextShortAndPrintable)
{
    const Checked r = checksOf({{Box::Text9, "7\x01" "00" + std::string(40, 'x')}});
    const auto found = ofKind(r.checks, CheckKind::TextReadOtherwise);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_NE(found.front()->chinese.find("“7\\x0100xxxxxxxxxxxxxxxxxxxx…”"), std::string::npos)
        << found.front()->chinese;
}

TEST(HeightChecks, HkAboveThePumpInletSectionIsWarnedOf)
{
    // H = H0 + H1 + H2 = 2700 mm in the default design: a roof above it traps air.
    const struct Row {
        const char* name;
        const char* hk;
        bool warned;
    } rows[] = {
        {"hk 2000, below H", "2000", false},
        {"hk 2700, at H", "2700", false},
        {"hk 2701, 1 mm above", "2701", true},
        {"hk 2800", "2800", true},
        {"hk 5000", "5000", true},
    };
    for (const Row& row : rows) {
        const Checked r = checksOf({{Box::Text21, row.hk}});
        const auto found = ofKind(r.checks, CheckKind::HkAbovePumpInlet);
        ASSERT_EQ(found.size(), row.warned ? 1u : 0u) << row.name;
        if (!row.warned)
            continue;
        EXPECT_TRUE(found.front()->warning) << row.name;
        EXPECT_EQ(found.front()->figure, std::stod(row.hk) - 2700) << row.name;
        EXPECT_NE(found.front()->chinese.find(std::string("hk = ") + row.hk + " mm 高于水泵进口断面高度 H = 2700 mm"),
                  std::string::npos)
            << found.front()->chinese;
    }
}

TEST(WidthSetChecks, TheAreaTrueBIsTheOneTheRatioAndTheVelocityTake)
{
    // hk 5000: the result box's B is 6705 mm, the area-true widths' 5989 mm; hk 2000: the
    // two sets agree at 90 degrees, and no second B is given.
    const struct Row {
        const char* name;
        const char* hk;
        WidthSet set;
        bool second;
    } rows[] = {
        {"hk 5000 area-true", "5000", WidthSet::AreaTrue, true},
        {"hk 5000 computed", "5000", WidthSet::Computed, false},
        {"hk 2000 area-true", "2000", WidthSet::AreaTrue, false},
    };
    for (const Row& row : rows) {
        BoxTexts boxes;
        boxes.type(Box::Text21, row.hk);
        const Calculation c = runCalculation(boxes, kFullStop);
        const WidthSets widths = widthSets(c);
        const std::vector<DesignCheck> checks = designChecks(c, widths, row.set, boxes, kFullStop);
        const double B = *widths.passageWidth(row.set, c.in.D1);
        const auto second = ofKind(checks, CheckKind::PassageWidthDrawn);
        ASSERT_EQ(second.size(), row.second ? 1u : 0u) << row.name;
        if (row.second) {
            EXPECT_EQ(second.front()->figure, B) << row.name;
            EXPECT_NE(B, c.B) << row.name;
        }
        for (const DesignCheck* ratio : ofKind(checks, CheckKind::ProportionToImpeller))
            if (ratio->subject == "B/D")
                EXPECT_DOUBLE_EQ(ratio->figure * c.in.D, B) << row.name;
        const auto velocity = ofKind(checks, CheckKind::VelocityAtPassageInlet);
        ASSERT_EQ(velocity.size(), 1u) << row.name;
        EXPECT_DOUBLE_EQ(velocity.front()->figure, 15 / (B / 1000 * c.volute.hk / 1000)) << row.name;
    }
}

// The L box by its one rule: the length used, how it was read, and whether that is how the
// text looks (D is 2200 mm).
TEST(GivenBoxChecks, PassageLengthStatedAsReadFromTheBox)
{
    struct Row {
        const char* name;
        std::string text;
        double millimetres;  // 0: no length
        bool warning;
        const char* stated;  // in the English line
    };
    const Row rows[] = {
        {"the default range, the lower end times D", "3.5\xEF\xBD\x9E" "5.0", 7700, true, "L = 7700 mm (3.5 × D, from “3.5～5.0”)"},
        {"a plain multiple of D", "4", 8800, true, "L = 8800 mm (4 × D, from “4”)"},
        {"20, the largest multiple", "20", 44000, true, "L = 44000 mm (20 × D"},
        {"21, millimetres", "21", 21, false, "L = 21 mm (read as mm, from “21”)"},
        {"millimetres", "7700", 7700, false, "L = 7700 mm (read as mm, from “7700”)"},
        {"millimetres with their unit", "7700 mm", 7700, false, "L = 7700 mm (read as mm"},
        {"millimetres with words after them", "7700 long", 7700, true, "the text after the number is not read"},
        {"no number", "abc", 0, true, "“abc” gives no length"},
        {"zero", "0", 0, true, "“0” gives no length"},
        {"below zero", "-5", 0, true, "“-5” gives no length"},
        {"empty", "", 0, true, "“” gives no length"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const PassageLength L = passageLengthOf(row.text, 2200);
        EXPECT_DOUBLE_EQ(L.millimetres, row.millimetres);
        const Checked r = checksOf({{Box::Text7, row.text}});
        const auto stated = ofKind(r.checks, CheckKind::PassageLength);
        const auto unusable = ofKind(r.checks, CheckKind::BoxNotUsable);
        if (row.millimetres > 0) {
            ASSERT_EQ(stated.size(), 1u);
            EXPECT_TRUE(unusable.empty());
            EXPECT_DOUBLE_EQ(stated.front()->figure, row.millimetres);
            EXPECT_EQ(stated.front()->warning, row.warning);
            EXPECT_NE(stated.front()->english.find(row.stated), std::string::npos) << stated.front()->english;
            EXPECT_NE(stated.front()->english.find("from the pump axis to the passage inlet"), std::string::npos);
        } else {
            EXPECT_TRUE(stated.empty()) << "a length presented where the box gives none";
            ASSERT_EQ(subjects(unusable), "L");
            EXPECT_NE(unusable.front()->english.find(row.stated), std::string::npos) << unusable.front()->english;
        }
    }
}

// Q and Ds that give no figure above zero: said, and nothing computed from them.
TEST(GivenBoxChecks, FlowAndPumpInletThatGiveNoFigureAreSaid)
{
    struct Row {
        const char* name;
        Box box;
        std::string text;
        const char* unusable;  // the subject said unusable, or ""
        bool velocities;
    };
    const Row rows[] = {
        {"Q 15", Box::Text12, "15", "", true},
        {"Q zero", Box::Text12, "0", "Q", false},
        {"Q below zero", Box::Text12, "-15", "Q", false},
        {"Q no number", Box::Text12, "abc", "Q", false},
        {"Q empty", Box::Text12, "", "Q", false},
        {"Ds zero", Box::Text2, "0", "Ds", true},
        {"Ds below zero", Box::Text2, "-2205", "Ds", true},
        {"Ds empty: not given", Box::Text2, "", "", true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const Checked r = checksOf({{row.box, row.text}});
        EXPECT_EQ(subjects(ofKind(r.checks, CheckKind::BoxNotUsable)), row.unusable);
        for (const CheckKind kind : {CheckKind::VelocityAtConeInlet, CheckKind::VelocityUnderRim,
                                     CheckKind::VelocityAtPassageInlet, CheckKind::SectionVelocity})
            EXPECT_EQ(ofKind(r.checks, kind).empty(), !row.velocities) << checkName(kind);
        if (row.box == Box::Text2) {
            const auto top = ofKind(r.checks, CheckKind::ConeTopAgainstPumpInlet);
            ASSERT_EQ(top.size(), 1u);
            EXPECT_EQ(top.front()->english.find("against the pump inlet") == std::string::npos, row.text.empty() || row.text[0] != '2')
                << top.front()->english;
        }
    }
}

// Q, Ds and L each read from their own box by their one rule, whatever the other two hold:
// the checks, the drawing, the chart, the sheet, the workbook and the flow all take these.
TEST(GivenBoxChecks, EachGivenBoxIsReadByItsOwnAccessor)
{
    struct Row {
        const char* name;
        Box box;
        std::string text;
        std::optional<double> figure;  // Q in m³/s, Ds or L in mm (L of D = 2200)
    };
    const Row rows[] = {
        {"Q 15", kFlowRateBox, "15", 15},
        {"Q with its unit", kFlowRateBox, "12.5m3/s", 12.5},
        {"Q below zero", kFlowRateBox, "-15", std::nullopt},
        {"Q beyond the double range", kFlowRateBox, "1e999", std::nullopt},
        {"Ds 2205", kPumpInletBox, "2205", 2205},
        {"Ds below zero", kPumpInletBox, "-2205", std::nullopt},
        {"Ds no number", kPumpInletBox, "abc", std::nullopt},
        {"L in mm", kPassageLengthBox, "9000", 9000},
        {"L times D", kPassageLengthBox, "3.5", 7700},
        {"L below zero", kPassageLengthBox, "-9000", std::nullopt},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        BoxTexts boxes;
        for (const Box other : {kFlowRateBox, kPumpInletBox, kPassageLengthBox})
            boxes.type(other, "7");
        boxes.type(row.box, row.text);
        const PassageLength L = passageLength(boxes, 2200);
        const std::optional<double> length =
            L.taken == PassageLength::Taken::NotRead ? std::nullopt : std::optional<double>(L.millimetres);
        const std::optional<double> read = row.box == kFlowRateBox    ? flowRate(boxes)
                                           : row.box == kPumpInletBox ? pumpInletDiameter(boxes)
                                                                      : length;
        EXPECT_EQ(read, row.figure);
        EXPECT_EQ(row.box == kFlowRateBox ? designFlowOf(row.text) : flowRate(boxes),
                  row.box == kFlowRateBox ? row.figure : std::optional<double>(7));
        EXPECT_EQ(pumpInletDiameter(boxes), row.box == kPumpInletBox ? row.figure : std::optional<double>(7));
        EXPECT_EQ(length, row.box == kPassageLengthBox ? row.figure : std::optional<double>(7 * 2200.0));
    }
}

// Each velocity names the Q it is for, and scales with it.
TEST(GivenBoxChecks, VelocitiesNameTheirFlow)
{
    const Checked at15 = checksOf({});
    const Checked at20 = checksOf({{Box::Text12, "20"}});
    for (const CheckKind kind : {CheckKind::VelocityAtConeInlet, CheckKind::VelocityUnderRim,
                                 CheckKind::VelocityAtPassageInlet, CheckKind::SectionVelocity}) {
        const auto a = ofKind(at15.checks, kind), b = ofKind(at20.checks, kind);
        ASSERT_EQ(a.size(), b.size()) << checkName(kind);
        for (std::size_t i = 0; i < a.size(); ++i) {
            EXPECT_EQ(a[i]->flow, 15.0);
            EXPECT_EQ(b[i]->flow, 20.0);
            EXPECT_NEAR(b[i]->figure, a[i]->figure * 4 / 3, 1e-9 * a[i]->figure) << checkName(kind);
            EXPECT_NE(a[i]->english.find("(Q = 15 m³/s)"), std::string::npos) << a[i]->english;
            EXPECT_NE(b[i]->chinese.find("Q = 20 m³/s"), std::string::npos) << b[i]->chinese;
        }
    }
}
