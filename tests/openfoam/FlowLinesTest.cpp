// The flow's result lines of inlet-calc in each language: the same NAMEs, status words and
// figures, each TEXT in one language.

#include "cli/FlowCommand.h"
#include "flow/DesignFlow.h"

#include <QJsonArray>

#include <gtest/gtest.h>

#include <optional>
#include <regex>
#include <sstream>

using namespace inlet;

namespace {

cfd::FlowResult result(cfd::RunStatus status)
{
    cfd::FlowResult r;
    r.status = status;
    r.level = "coarse";
    r.cells = 61234;
    r.processes = 2;
    r.iterations = 340;
    r.flow = 15;
    r.residuals = {{"Ux", 1.5e-4}, {"p", 2.5e-3}};
    r.inlet.flow = 14.99;
    r.yPlusMin = 21.5, r.yPlusMax = 412.25, r.yPlusMean = 88.75, r.yPlusInRange = 0.87;
    r.nonOrthogonality = 54.91, r.skewness = 2.875, r.meshChecked = true;
    r.sections.push_back({"cone_inlet", "cone inlet", {}, 0.0312});
    r.sections.back().figures.uniformity = 88.25, r.sections.back().figures.angle = 80.15;
    r.sections.back().figures.flow = 14.98;
    return r;
}

struct Line {
    std::string name, text;
};

std::vector<Line> lines(const cfd::FlowResult& r, Language language)
{
    std::string text;
    appendFlowLines(text, r, language);
    std::vector<Line> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        const auto tab = line.find('\t', 5);
        EXPECT_EQ(line.substr(0, 5), "flow\t");
        out.push_back({line.substr(5, tab - 5), line.substr(tab + 1)});
    }
    return out;
}

// The figures of a text; the unit m3/s (m³/s in Chinese) is no figure.
std::vector<std::string> numbers(std::string text)
{
    for (std::size_t at; (at = text.find("m3/s")) != std::string::npos;)
        text.replace(at, 4, "m³/s");
    std::vector<std::string> found;
    const std::regex number("[0-9]+(\\.[0-9]+)?(e[-+][0-9]+)?");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), number); it != std::sregex_iterator(); ++it)
        found.push_back(it->str());
    return found;
}

bool hasChinese(const std::string& text) { return std::regex_search(text, std::regex("[\xE4-\xE9]")); }

struct Row {
    const char* name;
    cfd::RunStatus status;
};

class FlowLines : public ::testing::TestWithParam<Row> {};

TEST_P(FlowLines, StateTheSameFiguresInEachLanguage)
{
    const auto english = lines(result(GetParam().status), Language::English);
    const auto chinese = lines(result(GetParam().status), Language::Chinese);
    ASSERT_EQ(english.size(), chinese.size());
    for (std::size_t i = 0; i < english.size(); ++i) {
        SCOPED_TRACE(english[i].text + " | " + chinese[i].text);
        EXPECT_EQ(english[i].name, chinese[i].name);
        EXPECT_EQ(numbers(english[i].text), numbers(chinese[i].text));
        EXPECT_FALSE(hasChinese(english[i].text));
        if (english[i].name == "status" || english[i].name == "iterations" || english[i].name == "residuals")
            EXPECT_EQ(english[i].text, chinese[i].text) << "the same for scripts in both";
        else
            EXPECT_TRUE(hasChinese(chinese[i].text));
    }
}

const Row kRows[] = {
    {"Settled", cfd::RunStatus::Settled},
    {"IterationLimit", cfd::RunStatus::IterationLimit},
    {"Cancelled", cfd::RunStatus::Cancelled},
    {"Failed", cfd::RunStatus::Failed},
};

INSTANTIATE_TEST_SUITE_P(Statuses, FlowLines, ::testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FlowLines, AFailedRunPrintsItsStatusAloneWhyGoesToStandardError)
{
    EXPECT_EQ(lines(result(cfd::RunStatus::Failed), Language::English).size(), 1u);
}

// The step's channel of blocks is orthogonal: checkMesh finds a non-orthogonality of 0, which is
// a figure, not a mesh never checked.
TEST(FlowLines, AnOrthogonalMeshOfBlocksShowsItsCheckMeshFigures)
{
    cfd::FlowResult r = result(cfd::RunStatus::Settled);
    r.nonOrthogonality = 0, r.skewness = 1.7489556e-13;
    bool shown = false;
    for (const Line& line : lines(r, Language::English))
        if (line.name == "checkMesh") {
            shown = true;
            EXPECT_EQ(line.text, "non-orthogonality up to 0.00 deg (at most 60), skewness up to 0.00 (at most 3.5)");
        }
    EXPECT_TRUE(shown);
    r.meshChecked = false;  // a result kept before checkMesh's figures were
    for (const Line& line : lines(r, Language::English))
        EXPECT_NE(line.name, "checkMesh");
}

// Figures settled on their means are printed with the window and how far each swung in it, in
// both languages alike, theta of the swirl alone beside theta as the means have it; a result
// kept before theta_s's band was prints the others alone. At the iteration limit the same,
// marked not settled.
struct BandRow {
    const char* name;
    std::optional<cfd::Band> swirlAngleBand;
    const char* english;
    const char* chinese;
};

class MeansLines : public ::testing::TestWithParam<BandRow> {};

TEST_P(MeansLines, ShowTheirWindowAndBands)
{
    cfd::FlowResult r = result(cfd::RunStatus::Settled);
    r.averagedFrom = 800, r.averagedTo = 1000;
    cfd::SectionResult& s = r.sections.back();
    s.uniformityBand = {64.11, 70.06}, s.angleBand = {79.16, 79.62}, s.lossBand = {0.045, 0.0503};
    s.figures.swirlAngle = 85.26;
    s.swirlAngleBand = GetParam().swirlAngleBand;
    for (const cfd::RunStatus status : {cfd::RunStatus::Settled, cfd::RunStatus::IterationLimit}) {
        SCOPED_TRACE(cfd::statusName(status));
        r.status = status;
        const auto english = lines(r, Language::English), chinese = lines(r, Language::Chinese);
        ASSERT_EQ(english.size(), chinese.size());
        bool shown = false;
        for (std::size_t i = 0; i < english.size(); ++i)
            if (english[i].name == "cone_inlet") {
                shown = true;
                EXPECT_NE(english[i].text.find(GetParam().english), std::string::npos) << english[i].text;
                EXPECT_NE(chinese[i].text.find(GetParam().chinese), std::string::npos) << chinese[i].text;
                EXPECT_EQ(english[i].text.starts_with("not settled, "), status != cfd::RunStatus::Settled);
                EXPECT_EQ(numbers(english[i].text), numbers(chinese[i].text));
            }
        EXPECT_TRUE(shown);
    }
}

const BandRow kBandRows[] = {
    {"withTheSwirlsBand", cfd::Band{84.27, 86.5},
     "mean over iterations 801 to 1000 (Vu 64.1 to 70.1 %, theta 79.2 to 79.6 deg (swirl alone 84.3 to 86.5 deg), "
     "loss 0.0450 to 0.0503 m there): Vu 88.2 %, theta 80.2 deg (swirl alone 85.3 deg), loss 0.0312 m",
     "第 801～1000 次迭代的平均（其间 Vu 64.1～70.1%，θ 79.2～79.6°（仅计旋流 84.3～86.5°），水头损失 0.0450～0.0503 m）："
     "Vu 88.2%，θ 80.2°（仅计旋流 85.3°），水头损失 0.0312 m"},
    {"keptBeforeTheSwirlsBandWas", std::nullopt,
     "mean over iterations 801 to 1000 (Vu 64.1 to 70.1 %, theta 79.2 to 79.6 deg, "
     "loss 0.0450 to 0.0503 m there): Vu 88.2 %, theta 80.2 deg (swirl alone 85.3 deg), loss 0.0312 m",
     "第 801～1000 次迭代的平均（其间 Vu 64.1～70.1%，θ 79.2～79.6°，水头损失 0.0450～0.0503 m）："
     "Vu 88.2%，θ 80.2°（仅计旋流 85.3°），水头损失 0.0312 m"},
};

INSTANTIATE_TEST_SUITE_P(Bands, MeansLines, ::testing::ValuesIn(kBandRows),
                         [](const auto& info) { return std::string(info.param.name); });

// The record a design keeps of figures settled on their means holds each band, theta_s's too
// where the run kept it (the window and the sheet read them from there).
TEST(FlowRecordBands, EachFiguresBandIsKept)
{
    cfd::FlowResult r = result(cfd::RunStatus::Settled);
    r.averagedFrom = 800, r.averagedTo = 1000;
    cfd::SectionResult& s = r.sections.back();
    s.uniformityBand = {64.11, 70.06}, s.angleBand = {79.16, 79.62}, s.lossBand = {0.045, 0.0503};
    const auto band = [](const cfd::FlowResult& result, const char* figure) {
        return flowResultObject(result)["sections"].toArray()[0].toObject()["band"].toObject()[QLatin1String(figure)].toArray();
    };
    EXPECT_EQ(flowResultObject(r)["averagedOver"].toArray(), (QJsonArray{801, 1000}));
    EXPECT_EQ(band(r, "Vu"), (QJsonArray{64.11, 70.06}));
    EXPECT_EQ(band(r, "headLoss"), (QJsonArray{0.045, 0.0503}));
    EXPECT_TRUE(band(r, "thetaSwirl").isEmpty()) << "a result read from a file kept before theta_s's band was";
    s.swirlAngleBand = cfd::Band{84.25, 86.5};
    EXPECT_EQ(band(r, "thetaSwirl"), (QJsonArray{84.25, 86.5}));
}

}  // namespace
