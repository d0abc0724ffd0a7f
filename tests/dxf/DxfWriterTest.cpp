// The DXF file is written whole or not at all, never holds a coordinate that is not a
// number nor a character beyond ASCII, and any design the run accepts ends in a file or a
// named failure. (What a reader finds in the file: read_back.py.)

#include "boxes/BoxTexts.h"
#include "run/CalculationRun.h"
#include "dxf/DxfWriter.h"
#include "drawing/PassageDrafting.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <utility>
#include <vector>

using namespace inlet;
namespace fs = std::filesystem;

namespace {

// A folder of its own for each test, removed afterwards.
class DxfWriterTest : public testing::Test {
protected:
    void SetUp() override
    {
        // A fresh name, so that the same test run elsewhere at the same time keeps its own.
        std::random_device random;
        do {
            folder_ = fs::temp_directory_path()
                / ("inlet-dxf-" + std::to_string(random()));
        } while (!fs::create_directory(folder_));
    }
    void TearDown() override { fs::remove_all(folder_); }

    fs::path folder_;
};

std::string contents(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> filesIn(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    return names;
}

View viewOf(std::string name, std::vector<Shape> shapes)
{
    return View{std::move(name), "", std::move(shapes), {0, 0, 100, 100}, {0, 0}};
}

Drawing drawingOf(std::vector<View> views)
{
    return Drawing{std::move(views), {0, 0, 100, 100}};
}

const Shape kLine{Layer::Outline, Line{{0, 0}, {100, 50}}};

TEST_F(DxfWriterTest, WritesTheFileAndNothingElse)
{
    const fs::path target = folder_ / "passage.dxf";
    writeDxf(drawingOf({viewOf("SECTION", {kLine})}), target.string());

    EXPECT_EQ(filesIn(folder_), std::vector<std::string>{"passage.dxf"});
    const std::string dxf = contents(target);
    EXPECT_NE(dxf.find("AC1021"), std::string::npos);
    EXPECT_TRUE(dxf.ends_with("EOF\n")) << dxf.substr(dxf.size() > 40 ? dxf.size() - 40 : 0);
}

TEST_F(DxfWriterTest, ReplacesAnExistingFile)
{
    const fs::path target = folder_ / "passage.dxf";
    std::ofstream(target) << "an older drawing";
    writeDxf(drawingOf({viewOf("SECTION", {kLine})}), target.string());

    EXPECT_NE(contents(target).find("AC1021"), std::string::npos);
    EXPECT_EQ(filesIn(folder_), std::vector<std::string>{"passage.dxf"});
}

TEST_F(DxfWriterTest, AFailureMidwayLeavesTheExistingFileAsItWas)
{
    // The last view reaches further than a DXF coordinate holds 0.01 mm: the failure comes
    // after the header, the tables and the first view are made.
    const fs::path target = folder_ / "passage.dxf";
    std::ofstream(target) << "an older drawing";
    const Drawing drawing = drawingOf({viewOf("SECTION", {kLine}),
                                       viewOf("PLAN", {kLine, {Layer::Outline, Line{{0, 0}, {3e12, 0}}}})});
    try {
        writeDxf(drawing, target.string());
        FAIL() << "a view reaching 3e12 mm was written";
    } catch (const Failure& e) {
        EXPECT_EQ(render(e, Language::English), "the drawing reaches 3e+12 mm from its origin, beyond the 1e+12 mm"
                                                " within which a DXF coordinate holds 0.01 mm");
    }
    EXPECT_EQ(contents(target), "an older drawing");
    EXPECT_EQ(filesIn(folder_), std::vector<std::string>{"passage.dxf"});
}

TEST_F(DxfWriterTest, AMissingFolderIsNamed)
{
    const fs::path target = folder_ / "missing" / "passage.dxf";
    try {
        writeDxf(drawingOf({viewOf("SECTION", {kLine})}), target.string());
        FAIL() << "wrote into a missing folder";
    } catch (const Failure& e) {
        EXPECT_EQ(render(e, Language::English), "cannot write '" + target.string() + "': No such file or directory");
    }
    EXPECT_TRUE(filesIn(folder_).empty());
}

TEST_F(DxfWriterTest, AFolderInTheWayIsLeftAlone)
{
    const fs::path target = folder_ / "passage.dxf";
    fs::create_directory(target);
    std::ofstream(target / "inside") << "kept";
    EXPECT_THROW(writeDxf(drawingOf({viewOf("SECTION", {kLine})}), target.string()), Failure);
    EXPECT_EQ(filesIn(folder_), std::vector<std::string>{"passage.dxf"});
    EXPECT_EQ(contents(target / "inside"), "kept");
}

TEST_F(DxfWriterTest, NoFileNameIsNamed)
{
    const std::string target = folder_.string() + "/";
    try {
        writeDxf(drawingOf({}), target);
        FAIL() << "wrote to a folder's name";
    } catch (const Failure& e) {
        EXPECT_EQ(render(e, Language::English), "'" + target + "' is a folder, not a file");
    }
}

TEST_F(DxfWriterTest, ShapesThatAreNotNumbersAreLeftOutAndTextIsKeptWhole)
{
    const fs::path target = folder_ / "passage.dxf";
    const double nan = std::nan("");
    const std::vector<Shape> shapes{
        kLine,
        {Layer::Outline, Line{{nan, 0}, {1, 1}}},
        {Layer::Outline, Polyline{{{0, 0}, {INFINITY, 1}}, false}},
        {Layer::Outline, Circle{{0, 0}, nan}},
        {Layer::Outline, EllipseArc{{0, 0}, 10, 20, 0, nan}},
        {Layer::Dimension, Dimension{{0, 0}, {nan, 0}, {0, -10}, Dimension::Direction::Horizontal, "a=1"}},
        {Layer::Text, Label{{0, nan}, 5, Label::Anchor::Left, "x", "x"}},
        {Layer::Text, Label{{0, 0}, 5, Label::Anchor::Left, "\xCF\x86=40\xC2\xB0\xE6\x96\xAD\xE9\x9D\xA2", ""}},
        {Layer::Text, Label{{0, 0}, 5, Label::Anchor::Left, "F=1 mm\xC2\xB2\n\xE4\xBA\x8C", ""}},
    };
    writeDxf(drawingOf({viewOf("SECTION", shapes)}), target.string());

    const std::string dxf = contents(target);
    for (const char* word : {"nan", "NAN", "inf", "INF"})
        EXPECT_EQ(dxf.find(word), std::string::npos) << word << " in the file";
    for (const char c : dxf)
        ASSERT_TRUE(c == '\n' || c >= 0x20 || c < 0) << "control byte " << int(c);
    EXPECT_NE(dxf.find("\n  1\n\xCF\x86=40\xC2\xB0\xE6\x96\xAD\xE9\x9D\xA2\n"), std::string::npos);
    EXPECT_NE(dxf.find("\n  1\nF=1 mm\xC2\xB2\\U+000A\xE4\xBA\x8C\n"), std::string::npos);
    EXPECT_EQ(dxf.find("\nLINE\n", dxf.find("\nLINE\n") + 1), std::string::npos) << "two lines written";
}

// Designs the run accepts, at the edges of what it accepts: each ends in a DXF file or in a
// Failure that says why, never in a crash or an endless write.
struct EdgeDesign {
    const char* name;
    std::vector<std::pair<Box, std::string>> texts;
};

class DxfEdgeDesignTest : public DxfWriterTest, public testing::WithParamInterface<EdgeDesign> {};

TEST_P(DxfEdgeDesignTest, EndsInAFileOrANamedFailure)
{
    BoxTexts boxes;
    boxes.type(Box::Text21, "2000");
    std::string typed;
    for (const auto& [box, text] : GetParam().texts) {
        boxes.type(box, text);
        typed += std::string(boxName(box)) + "=" + text + " ";
    }
    Calculation c;
    try {
        c = runCalculation(boxes, NumberLocale{".", ","});
    } catch (const Failure& failure) {
        FAIL() << typed << "no longer passes the run: " << render(failure, Language::English);
    }
    const fs::path target = folder_ / "passage.dxf";
    for (const auto curves : {DxfOptions::Curves::Spline, DxfOptions::Curves::Ellipse, DxfOptions::Curves::Polyline}) {
        try {
            writeDxf(drawPassage(c), target.string(), DxfOptions{curves});
            const std::string dxf = contents(target);
            EXPECT_TRUE(dxf.ends_with("EOF\n")) << typed;
            EXPECT_EQ(dxf.find("nan"), std::string::npos) << typed;
            EXPECT_EQ(dxf.find("inf"), std::string::npos) << typed;
        } catch (const Failure& e) {
            EXPECT_EQ(e.kind, Failure::Kind::DrawingBeyondReach) << typed << render(e, Language::English);
            EXPECT_FALSE(fs::exists(target)) << typed;
        }
        EXPECT_LE(filesIn(folder_).size(), 1u) << typed;
    }
}

const EdgeDesign kEdgeDesigns[] = {
    {"Defaults", {}},
    {"HugeBellMouth", {{Box::Text35, "1e15"}}},
    {"BellMouthBarelyWiderThanCone", {{Box::Text35, "2200.000001"}}},
    {"BellMouthNarrowerThanCone", {{Box::Text35, "2000"}}},
    {"FlatUpperWall", {{Box::Text22, "0.001"}}},
    {"TinyVoluteHeight", {{Box::Text21, "1e-30"}}},
    {"HugeVoluteHeight", {{Box::Text21, "1e30"}}},
    {"NegativeVoluteHeight", {{Box::Text21, "-2000"}}},
    {"ConeAngle", {{Box::Text4, "10"}, {Box::Text3, "2000"}}},
    {"NegativeConeAngle", {{Box::Text4, "-5"}}},
    {"NoHeightH2", {{Box::Text11, "0"}}},
    {"TinyHeightH1", {{Box::Text10, "1e-9"}}},
    {"TallBellMouthPipe", {{Box::Text10, "1e6"}}},
    {"NegativeHeightH0", {{Box::Text9, "-700"}}},
    {"GuideConeWiderThanBell", {{Box::Text34, "5000"}}},
    {"NegativeGuideCone", {{Box::Text34, "-700"}}},
};

INSTANTIATE_TEST_SUITE_P(Designs, DxfEdgeDesignTest, testing::ValuesIn(kEdgeDesigns),
                         [](const testing::TestParamInfo<EdgeDesign>& info) { return info.param.name; });

}  // namespace
