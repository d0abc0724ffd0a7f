#include "openfoam/ZoneSection.h"

#include <cmath>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>

namespace inlet::cfd {

namespace {

// A face of the zone whose area along the section's normal is less than this share of its
// area is a step's riser (tilted more than 60 degrees from the section).
constexpr double kRiserShare = 0.5;

[[noreturn]] void malformed(const std::string& what)
{
    throw std::runtime_error("malformed VTK PolyData: " + what);
}

// The value of attribute `name` in the tag `tag` (its text between < and >), or "".
std::string attribute(const std::string& tag, const std::string& name)
{
    for (const char quote : {'\'', '"'}) {
        const std::string key = " " + name + "=" + quote;
        const auto at = tag.find(key);
        if (at != std::string::npos) {
            const auto start = at + key.size();
            const auto end = tag.find(quote, start);
            if (end != std::string::npos)
                return tag.substr(start, end - start);
        }
    }
    return {};
}

struct DataArray {
    std::string name;
    int components = 1;
    std::vector<double> values;
};

// Every DataArray of the text in order, with the section (Points, Polys, CellData, ...) it is in.
std::vector<std::pair<std::string, DataArray>> dataArrays(const std::string& text)
{
    std::vector<std::pair<std::string, DataArray>> arrays;
    std::string within;
    std::size_t at = 0;
    while ((at = text.find('<', at)) != std::string::npos) {
        const auto close = text.find('>', at);
        if (close == std::string::npos)
            malformed("an unclosed tag");
        const std::string tag = text.substr(at, close - at + 1);
        std::istringstream words(tag.substr(1));
        std::string element;
        words >> element;
        if (!element.empty() && element.back() == '>')
            element.pop_back();
        if (element == "Points" || element == "Polys" || element == "CellData" || element == "PointData"
            || element == "Verts" || element == "Lines" || element == "Strips" || element == "FieldData")
            within = element;
        if (element == "DataArray") {
            DataArray a;
            a.name = attribute(tag, "Name");
            const std::string components = attribute(tag, "NumberOfComponents");
            a.components = components.empty() ? 1 : std::atoi(components.c_str());
            if (attribute(tag, "format") != "ascii")
                malformed("array " + a.name + " is not ASCII");
            const auto end = text.find("</DataArray>", close);
            if (end == std::string::npos)
                malformed("array " + a.name + " is not closed");
            std::istringstream values(text.substr(close + 1, end - close - 1));
            double v = 0;
            while (values >> v)
                a.values.push_back(v);
            if (!values.eof())
                malformed("array " + a.name + " holds something else than numbers");
            arrays.emplace_back(within, std::move(a));
            at = end;
            continue;
        }
        at = close;
    }
    return arrays;
}

}  // namespace

bool sectionsOnMeshFaces(const FlowCase& c)
{
    if (!c.blockMesh.empty() || c.sections.empty())
        return false;
    for (const Section& s : c.sections)
        if (std::abs(s.normal.x) > 1e-12 || std::abs(s.normal.y) > 1e-12)
            return false;
    return true;
}

std::vector<SampledFace> readVtpSurface(std::istream& in)
{
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::vector<Vec3> points;
    std::vector<double> connectivity, offsets;
    std::vector<DataArray> cellData;
    for (auto& [within, a] : dataArrays(text)) {
        if (within == "Points") {
            if (a.components != 3 || a.values.size() % 3 != 0)
                malformed("points of other than three coordinates");
            for (std::size_t i = 0; i < a.values.size(); i += 3)
                points.push_back({a.values[i], a.values[i + 1], a.values[i + 2]});
        } else if (within == "Polys" && a.name == "connectivity") {
            connectivity = std::move(a.values);
        } else if (within == "Polys" && a.name == "offsets") {
            offsets = std::move(a.values);
        } else if (within == "CellData") {
            cellData.push_back(std::move(a));
        }
    }
    std::vector<std::vector<int>> polygons;
    std::size_t start = 0;
    for (const double offset : offsets) {
        const auto end = static_cast<std::size_t>(offset);
        if (end < start + 3 || end > connectivity.size())
            malformed("a polygon's offset out of range");
        std::vector<int> polygon;
        for (std::size_t i = start; i < end; ++i) {
            const auto index = static_cast<long>(connectivity[i]);
            if (index < 0 || static_cast<std::size_t>(index) >= points.size())
                malformed("a point index out of range");
            polygon.push_back(static_cast<int>(index));
        }
        polygons.push_back(std::move(polygon));
        start = end;
    }
    std::vector<SampledFace> faces;
    for (const auto& polygon : polygons)
        faces.push_back(polygonFace(points, polygon));
    for (const DataArray& a : cellData) {
        if (a.components < 1 || a.values.size() != faces.size() * static_cast<std::size_t>(a.components))
            malformed("array " + a.name + " does not match the faces");
        for (std::size_t i = 0; i < faces.size(); ++i)
            faces[i].fields[a.name].assign(a.values.begin() + static_cast<long>(i * a.components),
                                           a.values.begin() + static_cast<long>((i + 1) * a.components));
    }
    return faces;
}

std::vector<SampledFace> readVtpSurface(const std::filesystem::path& path)
{
    std::ifstream in(path);
    if (!in)
        throw std::runtime_error("cannot open " + path.string());
    return readVtpSurface(in);
}

std::vector<SampledFace> zoneSectionFaces(const std::filesystem::path& postProcessing, const std::string& iteration,
                                          const Section& section)
{
    const auto file = [&](const char* field) {
        return postProcessing / ("sections_" + section.name + "_" + field) / "surface" / iteration
               / ("faceZone_" + section.name + ".vtp");
    };
    std::vector<SampledFace> faces = readVtpSurface(file("phi"));
    const auto uf = readVtpSurface(file("Uf"));
    const auto pf = readVtpSurface(file("pf"));
    if (uf.size() != faces.size() || pf.size() != faces.size())
        throw std::runtime_error("the faces of section " + section.name + " differ between its fields");
    // The water's faces, turned along the section's normal, each with its flux.
    std::vector<SampledFace> water;
    std::vector<double> flux;
    std::vector<Vec3> interpolated;
    std::vector<double> pressure;
    for (std::size_t i = 0; i < faces.size(); ++i) {
        SampledFace& f = faces[i];
        const auto phi = f.fields.find("phi");
        const auto u = uf[i].fields.find("Uf");
        const auto p = pf[i].fields.find("pf");
        if (phi == f.fields.end() || phi->second.size() != 1 || u == uf[i].fields.end() || u->second.size() != 3
            || p == pf[i].fields.end() || p->second.size() != 1)
            throw std::runtime_error("the faces of section " + section.name + " lack phi, Uf or pf");
        // A face of a wall in the section's plane (the hub's flat end lies in the pump inlet
        // section) is in the zone too; it carries no flux and no velocity, and is no water.
        if (phi->second[0] == 0 && u->second[0] == 0 && u->second[1] == 0 && u->second[2] == 0)
            continue;
        // The zone's faces are turned along the disk's normal, and phi with them; a face
        // whose points turn the other way is turned round.
        if (dot(f.areaVector, section.normal) < 0)
            f.areaVector = -1.0 * f.areaVector;
        flux.push_back(phi->second[0]);
        interpolated.push_back({u->second[0], u->second[1], u->second[2]});
        pressure.push_back(p->second[0]);
        water.push_back(std::move(f));
    }
    // Where snapping and the prism layers moved the grid plane, the zone steps up or down
    // between its cells: a step's riser stands across the section (its area along the normal
    // near nothing), and its flux over that area would be no velocity. The riser's flux is
    // the water crossing the section at that step: it goes to the nearest face that lies
    // across the flow, so that the section still carries every face's flux.
    const auto riser = [&](std::size_t i) {
        return dot(water[i].areaVector, section.normal) < kRiserShare * norm(water[i].areaVector);
    };
    for (std::size_t i = 0; i < water.size(); ++i) {
        if (!riser(i))
            continue;
        std::size_t nearest = water.size();
        double closest = 0;
        for (std::size_t j = 0; j < water.size(); ++j) {
            const double d = norm(water[j].centre - water[i].centre);
            if (!riser(j) && (nearest == water.size() || d < closest))
                nearest = j, closest = d;
        }
        if (nearest < water.size())
            flux[nearest] += flux[i];
        flux[i] = 0;
    }
    std::vector<SampledFace> across;
    for (std::size_t i = 0; i < water.size(); ++i) {
        if (riser(i))
            continue;
        SampledFace& f = water[i];
        const double projected = dot(f.areaVector, section.normal);
        const Vec3 along = dot(interpolated[i], section.normal) * section.normal;
        const Vec3 U = interpolated[i] - along + (flux[i] / projected) * section.normal;
        f.fields["U"] = {U.x, U.y, U.z};
        f.fields["p"] = {pressure[i]};
        across.push_back(std::move(f));
    }
    return across;
}

std::vector<SampledFace> writtenSection(const std::filesystem::path& dir, int iteration, const std::string& name,
                                        Vec3 normal)
{
    const auto post = dir / "postProcessing";
    if (std::filesystem::exists(post / ("sections_" + name + "_phi")))
        return zoneSectionFaces(post, std::to_string(iteration), Section{name, name, {}, normal});
    return readVtkSurface(post / "sections" / std::to_string(iteration) / (name + ".vtk"));
}

}  // namespace inlet::cfd
