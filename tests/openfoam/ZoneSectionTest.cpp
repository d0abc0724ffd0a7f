// Sections taken on the mesh's own faces: the background's grid planes at the sections, the
// faceZones topoSet makes of them, and the faces read back with their fluxes, each against
// values worked out by hand.

#include "openfoam/CaseWriter.h"
#include "openfoam/PipeCase.h"
#include "openfoam/SectionCheck.h"
#include "openfoam/ZoneSection.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <regex>
#include <sstream>

using namespace inlet::cfd;

namespace {

std::string readAll(const std::filesystem::path& path)
{
    std::ifstream in(path);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// A surface as surfaceFieldValue writes it: two unit squares at z = 2, the first turning
// along +z, the second (a face the zone flips) along -z, with one array of `components`.
std::string vtp(const std::string& field, int components, const std::string& values)
{
    return "<?xml version='1.0'?>\n<VTKFile type='PolyData' version='0.1' byte_order='LittleEndian'>\n"
           "  <PolyData>\n    <Piece NumberOfPoints='6' NumberOfPolys='2'>\n      <Points>\n"
           "        <DataArray type='Float32' Name='Points' NumberOfComponents='3' format='ascii'>\n"
           "0 0 2 1 0 2 1 1 2 0 1 2 2 0 2 2 1 2\n        </DataArray>\n      </Points>\n      <Polys>\n"
           "        <DataArray type='Int32' Name='connectivity' format='ascii'>\n0 1 2 3 1 2 5 4\n        </DataArray>\n"
           "        <DataArray type='Int32' Name='offsets' format='ascii'>\n4 8\n        </DataArray>\n      </Polys>\n"
           "      <CellData>\n        <DataArray type='Float32' Name='"
           + field + "' NumberOfComponents='" + std::to_string(components) + "' format='ascii'>\n" + values
           + "\n        </DataArray>\n      </CellData>\n    </Piece>\n  </PolyData>\n</VTKFile>\n";
}

class ZoneSectionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = std::filesystem::temp_directory_path()
              / ("inlet-zone-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-"
                 + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }
    void put(const char* field, const std::string& text)
    {
        const auto folder = dir / ("sections_s_" + std::string(field)) / "surface" / "40";
        std::filesystem::create_directories(folder);
        std::ofstream(folder / "faceZone_s.vtp") << text;
    }
    std::filesystem::path dir;
    Section section{"s", "section", {1, 0.5, 2}, {0, 0, 1}, 2.0};
};

}  // namespace

TEST(ZoneSection, ReadsPolyData)
{
    std::istringstream in(vtp("Uf", 3, "1 2 3 4 5 6"));
    const auto faces = readVtpSurface(in);
    ASSERT_EQ(faces.size(), 2u);
    EXPECT_NEAR(faces[0].areaVector.z, 1, 1e-12);
    EXPECT_NEAR(faces[1].areaVector.z, -1, 1e-12);
    EXPECT_NEAR(faces[1].centre.x, 1.5, 1e-12);
    EXPECT_EQ(faces[1].fields.at("Uf"), (std::vector<double>{4, 5, 6}));
}

class MalformedVtp : public ::testing::TestWithParam<std::pair<const char*, std::string>> {};

TEST_P(MalformedVtp, Throws)
{
    std::istringstream in(GetParam().second);
    EXPECT_THROW(readVtpSurface(in), std::runtime_error);
}

INSTANTIATE_TEST_SUITE_P(
    Files, MalformedVtp,
    ::testing::Values(std::make_pair("ArrayTooShort", vtp("phi", 1, "1")),
                      std::make_pair("NotNumbers", vtp("phi", 1, "1 x")),
                      std::make_pair("IndexOutOfRange", std::regex_replace(vtp("phi", 1, "1 2"), std::regex("1 2 5 4"), "1 2 9 4")),
                      std::make_pair("Binary", std::regex_replace(vtp("phi", 1, "1 2"), std::regex("format='ascii'"), "format='binary'")),
                      std::make_pair("Unclosed", std::string("<VTKFile><PolyData><Piece><Points><DataArray format='ascii'>0 0 0"))),
    [](const auto& info) { return std::string(info.param.first); });

// The flow through is the faces' flux, whichever way the faces' points turn: the velocity
// across the axis is the interpolated one, along it phi over the area.
TEST_F(ZoneSectionTest, CarriesTheFaceFluxes)
{
    put("phi", vtp("phi", 1, "3 5"));
    put("Uf", vtp("Uf", 3, "0.5 0 2.9 0 -1 4.8"));
    put("pf", vtp("pf", 1, "7 8"));
    const auto faces = zoneSectionFaces(dir, "40", section);
    ASSERT_EQ(faces.size(), 2u);
    const auto f = sectionFigures(sectionFaces(faces, section.normal), section.normal, section.point);
    EXPECT_NEAR(f.area, 2, 1e-12);
    EXPECT_NEAR(f.flow, 8, 1e-12);
    EXPECT_NEAR(faces[0].fields.at("U")[0], 0.5, 1e-12);
    EXPECT_NEAR(faces[0].fields.at("U")[2], 3, 1e-12);
    EXPECT_NEAR(faces[1].fields.at("U")[1], -1, 1e-12);
    EXPECT_NEAR(faces[1].fields.at("U")[2], 5, 1e-12);
    EXPECT_EQ(faces[1].fields.at("p"), std::vector<double>{8});
}

// A wall's face in the plane (a hub's flat end) carries neither flux nor velocity: no water.
TEST_F(ZoneSectionTest, LeavesAWallsFacesOut)
{
    put("phi", vtp("phi", 1, "3 0"));
    put("Uf", vtp("Uf", 3, "0 0 3 0 0 0"));
    put("pf", vtp("pf", 1, "7 8"));
    const auto faces = zoneSectionFaces(dir, "40", section);
    ASSERT_EQ(faces.size(), 1u);
    EXPECT_NEAR(faces[0].centre.x, 0.5, 1e-12);
}

// A riser where the zone steps between cells (a face standing across the section) passes its
// flux to the nearest face across the flow: the flow through stays the faces' and no velocity
// is made of a flux over an area of nearly nothing.
TEST_F(ZoneSectionTest, GivesARisersFluxToTheNearestFace)
{
    const std::string points = "0 0 2 1 0 2 1 1 2 0 1 2 2 0 2 2 1 2 2 0 2.1 2 1 2.1 3 0 2.1 3 1 2.1";
    const auto stepped = [&](const std::string& field, int components, const std::string& values) {
        std::string text = vtp(field, components, values);
        text = std::regex_replace(text, std::regex("0 0 2 1 0 2 1 1 2 0 1 2 2 0 2 2 1 2"), points);
        text = std::regex_replace(text, std::regex("0 1 2 3 1 2 5 4"), "0 1 2 3 1 4 5 2 4 5 7 6 6 8 9 7");
        return std::regex_replace(text, std::regex("\n4 8\n"), "\n4 8 12 16\n");
    };
    put("phi", stepped("phi", 1, "3 5 0.5 4"));
    put("Uf", stepped("Uf", 3, "0 0 3 0 0 5 1 0 0 0 0 4"));
    put("pf", stepped("pf", 1, "7 8 9 10"));
    const auto faces = zoneSectionFaces(dir, "40", section);
    ASSERT_EQ(faces.size(), 3u);
    const auto f = sectionFigures(sectionFaces(faces, section.normal), section.normal, section.point);
    EXPECT_NEAR(f.area, 3, 1e-12);
    EXPECT_NEAR(f.flow, 12.5, 1e-12);
    // The riser at x = 2 is nearest to the second face (centre x 1.5) and the third (2.5)
    // alike; either takes its 0.5.
    EXPECT_NEAR(faces[1].fields.at("U")[2] + faces[2].fields.at("U")[2], 9.5, 1e-12);
}

TEST_F(ZoneSectionTest, FilesBeingWrittenAreNotRead)
{
    put("phi", vtp("phi", 1, "3 5"));
    put("Uf", vtp("Uf", 3, "0 0 3 0 0 5"));
    EXPECT_THROW(zoneSectionFaces(dir, "40", section), std::runtime_error);
    put("pf", vtp("pf", 1, "7"));
    EXPECT_THROW(zoneSectionFaces(dir, "40", section), std::runtime_error);
}

// Around a hub the section is the ring between it and the pipe's wall: its area is checked
// against pi (R^2 - r^2), and the whole pipe's area fails.
struct RingRow {
    const char* name;
    double area;
    bool fails;
};

class HubRingTest : public ::testing::TestWithParam<RingRow> {};

TEST_P(HubRingTest, AreaIsTheRingsAroundTheHub)
{
    Section ring{"pump_inlet", "pump inlet section", {0, 0, 2.7}, {0, 0, 1}, 1.1};
    ring.innerRadius = 0.4;
    SectionFigures f;
    f.area = GetParam().area, f.flow = 15, f.uniformity = 80;
    const auto failure = checkSection(f, ring, 15);
    EXPECT_EQ(failure.has_value(), GetParam().fails);
    if (failure)
        EXPECT_EQ(failure->kind, inlet::Failure::Kind::FlowSectionArea);
}

constexpr double kRing = 3.141592653589793 * (1.1 * 1.1 - 0.4 * 0.4);  // 3.2987 m^2

INSTANTIATE_TEST_SUITE_P(
    Hub, HubRingTest,
    ::testing::Values(RingRow{"the_ring", kRing, false}, RingRow{"ring_just_within", kRing * 1.0099, false},
                      RingRow{"ring_just_short", kRing * 0.989, true},
                      // The whole pipe sampled through the hub, 3.72 m2 of the pipe's 3.80.
                      RingRow{"the_whole_pipe", 3.72, true}),
    [](const auto& info) { return std::string(info.param.name); });

// On the mesh's faces the flow through holds Q within 1 % on the smallest meshes too, though
// their areas are allowed the wider tolerance.
TEST(SectionCheck, FlowOfFacesHeldToOnePerCentOnEveryMesh)
{
    const Section pipe{"cone_inlet", "cone inlet", {0, 0, 2}, {0, 0, 1}, 1.0};
    SectionFigures f;
    f.area = 3.141592653589793 * 0.9, f.flow = 10.2, f.uniformity = 80;
    const double small = sectionTolerance(4000);
    EXPECT_FALSE(checkSection(f, pipe, 10, small).has_value());
    const auto failure = checkSection(f, pipe, 10, small, kSectionTolerance);
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->kind, inlet::Failure::Kind::FlowSectionFlow);
    EXPECT_EQ(failure->number, 1);
    f.flow = 10.09;
    EXPECT_FALSE(checkSection(f, pipe, 10, small, kSectionTolerance).has_value());
}

// The background puts a grid plane at each section's height, and topoSet makes each section a
// faceZone bounded by a disk a little wider than its pipe; the function objects write its
// faces with phi, Uf and pf.
TEST(ZoneSection, CaseHasAGridPlaneAndAZoneAtEverySection)
{
    FlowCase c = pipeCase(Pipe{});
    c.mesh = meshFor(c, levelCells(MeshLevel::Tiny));
    ASSERT_TRUE(sectionsOnMeshFaces(c));
    const auto dir = std::filesystem::temp_directory_path()
                     / ("inlet-zone-case-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
    std::filesystem::remove_all(dir);
    writeCase(c, dir);
    const std::string blocks = readAll(dir / "system" / "blockMeshDict");
    const std::string zones = readAll(dir / "system" / "topoSetDict");
    const std::string control = readAll(dir / "system" / "controlDict");
    std::filesystem::remove_all(dir);
    // Vertices at each section's z (4 m and 5.5 m), and as many blocks as levels less one.
    for (const char* z : {" 4)", " 5.5)"})
        EXPECT_NE(blocks.find(z), std::string::npos) << z;
    std::size_t hexes = 0;
    for (auto at = blocks.find("hex ("); at != std::string::npos; at = blocks.find("hex (", at + 1))
        ++hexes;
    EXPECT_EQ(hexes, 3u);
    for (const Section& s : c.sections) {
        EXPECT_NE(zones.find("name " + s.name + "; type faceZoneSet; action new; source searchableSurfaceToFaceZone"),
                  std::string::npos);
        for (const char* field : kZoneFields)
            EXPECT_NE(control.find("sections_" + s.name + "_" + field), std::string::npos) << s.name << " " << field;
    }
    EXPECT_NE(zones.find("surface searchableDisk; origin (0 0 4); normal (0 0 1)"), std::string::npos);
    // Not a cutting plane any more: its cells' values are not flux-conservative.
    EXPECT_EQ(control.find("cuttingPlane"), std::string::npos);
}

// A case of blocks (the backward-facing step) keeps its cutting planes.
TEST(ZoneSection, CaseOfBlocksKeepsCuttingPlanes)
{
    FlowCase c = pipeCase(Pipe{});
    c.blockMesh = "vertices ();\n";
    EXPECT_FALSE(sectionsOnMeshFaces(c));
}
