// The calculation run over the boxes: what each box shows after a press, the order of
// reading and writing, and where each failing design stops.

#include "boxes/BoxTexts.h"
#include "run/CalculationRun.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

using namespace inlet;

namespace {

const NumberLocale kFullStop{".", ","};

using Typed = std::vector<std::pair<Box, std::string>>;

// Every box's text after one run on the default texts changed by `typed`; the failure, if any.
struct Outcome {
    BoxTexts boxes;
    std::optional<Failure> failure;
};

Outcome runWith(const Typed& typed, const NumberLocale& locale = kFullStop)
{
    Outcome outcome;
    for (const auto& [box, text] : typed)
        outcome.boxes.type(box, text);
    try {
        runCalculation(outcome.boxes, locale);
    } catch (const Failure& f) {
        outcome.failure = f;
    }
    return outcome;
}

std::string english(const Failure& f) { return render(f, Language::English); }
std::string chinese(const Failure& f) { return render(f, Language::Chinese); }

std::string describeTyped(const Typed& typed)
{
    std::string text = "typed:";
    for (const auto& [box, value] : typed)
        text.append(" ").append(boxName(box)).append("=\"").append(value).append("\"");
    return text;
}

// Result symbol -> text for every result the run wrote.
std::map<std::string, std::string> results(const BoxTexts& boxes)
{
    std::map<std::string, std::string> shown;
    for (const Box box : boxes.written())
        shown[std::string(boxInfo(box).symbol)] = boxes.text(box);
    return shown;
}

const std::map<std::string, std::string> kHk2000{
    {"a1", "0400"}, {"b1", "0700"}, {"x1", "1500"}, {"y1", "700"}, {"x2", "1500"},
    {"y2", "700"}, {"a2", "1150"}, {"b2", "2000"}, {"ap", "0225"}, {"bp", "1421"},
    {"a0", "-0008"}, {"a10", "0254"}, {"a20", "0469"}, {"a30", "0656"}, {"a40", "0823"},
    {"a50", "0976"}, {"a60", "1118"}, {"a70", "1250"}, {"a80", "1376"}, {"a84", "1424"},
    {"a87", "1459"}, {"a90", "1678"}, {"H", "2700"}, {"B", "6355"},
};

// A stand-in window that logs every read and write.
class LoggingBoxes : public BoxTexts {
public:
    std::string text(Box box) const override
    {
        log.push_back("read " + std::string(boxName(box)));
        return BoxTexts::text(box);
    }
    void setText(Box box, const std::string& text) override
    {
        log.push_back("write " + std::string(boxName(box)));
        BoxTexts::setText(box, text);
    }
    mutable std::vector<std::string> log;
};

}  // namespace

TEST(Results, DefaultTextsWithHk2000)
{
    const Outcome outcome = runWith({{Box::Text21, "2000"}});
    ASSERT_FALSE(outcome.failure) << english(*outcome.failure);
    EXPECT_EQ(results(outcome.boxes), kHk2000);
}

TEST(Results, DefaultTextsWithHk1000SwitchToTheLinearRuleFromFiftyDegrees)
{
    auto expected = kHk2000;
    for (const auto& [name, text] : std::map<std::string, std::string>{
             {"a50", "1703"}, {"a60", "2043"}, {"a70", "2383"}, {"a80", "2724"},
             {"a84", "2860"}, {"a87", "2962"}, {"a90", "3064"}, {"B", "9128"}})
        expected[name] = text;
    const Outcome outcome = runWith({{Box::Text21, "1000"}});
    ASSERT_FALSE(outcome.failure) << english(*outcome.failure);
    EXPECT_EQ(results(outcome.boxes), expected);
}

TEST(Results, SingleAndDoubleValuesShowTheirOwnDigits)
{
    struct Row {
        const char* name;
        Typed typed;
        std::map<std::string, std::string> shown;
    };
    const Row rows[] = {
        {"dd0 rounded to single", {{Box::Text34, "700.1"}}, {{"a2", "1149.95001220703"}}},
        {"H2 rounded to single", {{Box::Text11, "1300.3"}}, {{"b2", "2000.30004882813"}, {"H", "2700"}}},
        {"odd D1 gives half millimetres", {{Box::Text35, "3001"}}, {{"x1", "1500.5"}, {"x2", "1500.5"}}},
        {"y1 rounds half away from zero", {{Box::Text9, "-699.5"}}, {{"y1", "-700"}, {"y2", "-699.5"}}},
        {"y1 below a half shows 0", {{Box::Text9, "0.4"}}, {{"y1", "0"}, {"y2", "0.4"}}},
        {"H0 needs a single's eight digits", {{Box::Text9, "12345678.4"}}, {{"y2", "1.234568E+07"}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.name) + ", " + describeTyped(row.typed));
        Typed typed = row.typed;
        typed.emplace_back(Box::Text21, "2000");
        const Outcome outcome = runWith(typed);
        const auto shown = results(outcome.boxes);
        for (const auto& [name, text] : row.shown)
            EXPECT_EQ(shown.count(name) ? shown.at(name) : "(not written)", text) << name;
    }
}

// Designs with a contracting cone (theta above 0): every figure worked out independently of
// the program, by tests/run/theta_designs.py (the formulas in Python's doubles, theta rounded
// to single from its exact value, the texts rounded with the decimal module).
TEST(Results, DesignsWithAConeContractionAngle)
{
    struct Row {
        const char* name;
        Typed typed;
        std::map<std::string, std::string> shown;
    };
    const Row rows[] = {
        {"theta 5 with D0 2000",
         {{Box::Text4, "5"}, {Box::Text3, "2000"}, {Box::Text21, "2000"}},
         {{"a1", "0505"}, {"b1", "0814"}, {"x1", "1500"}, {"y1", "586"}, {"x2", "1500"},
          {"y2", "700"}, {"a2", "1150"}, {"b2", "2000"}, {"ap", "0300"}, {"bp", "1459"},
          {"a87", "1483"}, {"a84", "1447"}, {"H", "2700"}, {"a0", "-0015"}, {"a10", "0258"},
          {"a20", "0479"}, {"a30", "0670"}, {"a40", "0840"}, {"a50", "0995"}, {"a60", "1138"},
          {"a70", "1272"}, {"a80", "1399"}, {"a90", "1693"}, {"B", "6386"}}},
        {"theta 3.5 with D0 2400",
         {{Box::Text4, "3.5"}, {Box::Text3, "2400"}, {Box::Text21, "2000"}},
         {{"a1", "0304"}, {"b1", "0840"}, {"x1", "1500"}, {"y1", "560"}, {"x2", "1500"},
          {"y2", "700"}, {"a2", "1150"}, {"b2", "2000"}, {"ap", "0121"}, {"bp", "1369"},
          {"a87", "1605"}, {"a84", "1391"}, {"H", "2700"}, {"a0", "-0002"}, {"a10", "0247"},
          {"a20", "0454"}, {"a30", "0635"}, {"a40", "0799"}, {"a50", "0949"}, {"a60", "1089"},
          {"a70", "1220"}, {"a80", "1343"}, {"a90", "1656"}, {"B", "6313"}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.name) + ", " + describeTyped(row.typed));
        const Outcome outcome = runWith(row.typed);
        ASSERT_FALSE(outcome.failure) << english(*outcome.failure);
        EXPECT_EQ(results(outcome.boxes), row.shown);
    }
}

TEST(Results, GeneralTextUsesTheLocalesDecimalSeparator)
{
    const Outcome outcome = runWith({{Box::Text21, "2000"}, {Box::Text34, "700,1"}}, NumberLocale{",", "."});
    ASSERT_FALSE(outcome.failure) << english(*outcome.failure);
    EXPECT_EQ(outcome.boxes.text(Box::Text20), "1149,95001220703");
    EXPECT_EQ(outcome.boxes.text(Box::Text13), "0400");
}

TEST(RunOrder, ReadsAndWritesInterleaveInTheFixedOrder)
{
    LoggingBoxes boxes;
    boxes.type(Box::Text21, "2000");
    runCalculation(boxes, kFullStop);
    const std::vector<std::string> expected{
        "read Text9", "read Text10", "read Text11", "read Text3", "read Text4", "read Text35",
        "read Text1", "write Text13", "write Text14", "write Text15", "write Text16",
        "write Text18", "write Text17", "read Text34", "write Text20", "write Text19",
        "read Text22", "write Text23", "write Text24", "read Text21", "write Text36",
        "write Text37", "write Text5", "write Text38", "write Text33", "write Text32",
        "write Text31", "write Text30", "write Text29", "write Text28", "write Text27",
        "write Text26", "write Text25", "write Text6",
    };
    EXPECT_EQ(boxes.log, expected);
}

TEST(RunOrder, RepeatedRunsGiveIdenticalTexts)
{
    BoxTexts boxes;
    boxes.type(Box::Text21, "1000");
    runCalculation(boxes, kFullStop);
    const BoxTexts first = boxes;
    runCalculation(boxes, kFullStop);
    for (const BoxInfo& info : boxTable())
        EXPECT_EQ(boxes.text(info.box), first.text(info.box)) << info.name;
}

TEST(RunOrder, BoxesThatAreOnlyShownChangeNothing)
{
    const Outcome plain = runWith({{Box::Text21, "2000"}});
    const Outcome noisy = runWith({{Box::Text21, "2000"}, {Box::Text1, "abc"}, {Box::Text2, "1e400"},
                                   {Box::Text7, ""}, {Box::Text8, "-5"}, {Box::Text12, "x"}});
    EXPECT_EQ(results(noisy.boxes), results(plain.boxes));
    EXPECT_EQ(noisy.boxes.text(Box::Text2), "1e400");
    EXPECT_EQ(noisy.boxes.text(Box::Text7), "");
}

TEST(FailureKinds, EachDesignStopsWhereItFails)
{
    struct Row {
        const char* name;
        Typed typed;
        Failure::Kind kind;
        int step;
        std::optional<Box> box;  // the box being read, if the failure is a conversion
        Quantity quantity;
        std::size_t written;     // results shown before the failure
    };
    using enum Failure::Kind;
    const Row rows[] = {
        {"empty hk fails at the 30 degree station", {}, DivisionByZero, 10, std::nullopt, Quantity::a30, 10},
        {"empty dd0", {{Box::Text34, ""}}, TypeMismatch, 7, Box::Text34, Quantity::dd0, 6},
        {"alphabetic dd0", {{Box::Text34, "abc"}}, TypeMismatch, 7, Box::Text34, Quantity::dd0, 6},
        {"dd0 beyond single", {{Box::Text34, "1e39"}}, Overflow, 7, Box::Text34, Quantity::dd0, 6},
        {"H0 beyond double", {{Box::Text9, "1e400"}}, Overflow, 1, Box::Text9, Quantity::H0, 0},
        {"H2 beyond single", {{Box::Text11, "1e39"}}, Overflow, 1, Box::Text11, Quantity::H2, 0},
        {"hk beyond single", {{Box::Text21, "1e39"}}, Overflow, 10, Box::Text21, Quantity::hk, 10},
        {"theta beyond single", {{Box::Text4, "1e300"}}, Overflow, 1, Box::Text4, Quantity::theta, 0},
        {"D beyond double is read too", {{Box::Text1, "1e999"}}, Overflow, 1, Box::Text1, Quantity::D, 0},
        {"D1 equal to D0", {{Box::Text35, "2200"}}, DivisionByZero, 2, std::nullopt, Quantity::a1, 0},
        {"contraction outgrowing the widening", {{Box::Text4, "45"}}, InvalidCall, 2, std::nullopt, Quantity::a1, 0},
        // With theta 16, D1 - D0 equals 4*H1*t = 802.8890603398563 exactly: the divisor of
        // a1, H1^2*d - 4*H1^3*t, is then exactly zero (tests/run/theta_designs.py).
        {"widening equal to 4*H1*t",
         {{Box::Text4, "16"}, {Box::Text3, "200"}, {Box::Text35, "1002.8890603398563"}},
         DivisionByZero, 2, std::nullopt, Quantity::a1, 0},
        {"y1 beyond single", {{Box::Text9, "1e39"}}, Overflow, 4, std::nullopt, Quantity::y1, 3},
        {"level upper wall", {{Box::Text22, ""}, {Box::Text21, "2000"}}, DivisionByZero, 10, std::nullopt, Quantity::Ft, 10},
        {"steep upper wall", {{Box::Text22, "89"}, {Box::Text21, "2000"}}, InvalidCall, 10, std::nullopt, Quantity::a0, 10},
        {"hk zero with every station on the quadratic", {{Box::Text22, "1"}}, DivisionByZero, 15, std::nullopt, Quantity::a90, 22},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.name) + ", " + describeTyped(row.typed));
        const Outcome outcome = runWith(row.typed);
        ASSERT_TRUE(outcome.failure);
        EXPECT_EQ(outcome.failure->kind, row.kind) << english(*outcome.failure);
        EXPECT_EQ(outcome.failure->step, row.step);
        EXPECT_EQ(outcome.failure->box, row.box);
        EXPECT_EQ(outcome.failure->quantity, row.quantity);
        EXPECT_EQ(outcome.boxes.written().size(), row.written);
        for (std::size_t i = 0; i < outcome.boxes.written().size(); ++i)
            EXPECT_EQ(outcome.boxes.written()[i], resultWriteOrder()[i]);
    }
}

TEST(FailureKinds, TheMessageSaysWhatFailedAndWhere)
{
    const Outcome hk = runWith({});
    ASSERT_TRUE(hk.failure);
    EXPECT_EQ(english(*hk.failure), "division by zero computing the volute width a30 at φ = 30°");
    EXPECT_EQ(chinese(*hk.failure), "除数为零：计算φ=30°时蜗壳宽度a30时出错");

    const Outcome dd0 = runWith({{Box::Text34, ""}});
    ASSERT_TRUE(dd0.failure);
    EXPECT_EQ(english(*dd0.failure), "type mismatch reading the guide cone diameter dd0 from box Text34");
    EXPECT_EQ(chinese(*dd0.failure), "类型不匹配：读取导水锥直径dd0（Text34）时出错");
}

TEST(FailureKinds, BoxesAfterTheFailureKeepTheirOldText)
{
    Outcome outcome;
    outcome.boxes.type(Box::Text25, "old a90");
    outcome.boxes.type(Box::Text6, "old B");
    EXPECT_THROW(runCalculation(outcome.boxes, kFullStop), Failure);
    EXPECT_EQ(outcome.boxes.text(Box::Text25), "old a90");
    EXPECT_EQ(outcome.boxes.text(Box::Text6), "old B");
    EXPECT_EQ(outcome.boxes.text(Box::Text5), "2700");
    EXPECT_EQ(outcome.boxes.text(Box::Text21), "");
}
