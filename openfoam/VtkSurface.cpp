#include "openfoam/VtkSurface.h"

#include <cmath>
#include <fstream>
#include <set>
#include <stdexcept>
#include <tuple>

namespace inlet::cfd {

namespace {

[[noreturn]] void malformed(const std::string& what)
{
    throw std::runtime_error("malformed VTK surface: " + what);
}

template <typename T>
T next(std::istream& in, const char* what)
{
    T value{};
    if (!(in >> value))
        malformed(std::string("expected ") + what);
    return value;
}

}  // namespace

SampledFace polygonFace(const std::vector<Vec3>& points, const std::vector<int>& polygon)
{
    SampledFace face;
    Vec3 areaVector, centre;
    const Vec3 origin = points[static_cast<std::size_t>(polygon[0])];
    double total = 0;
    for (std::size_t j = 1; j + 1 < polygon.size(); ++j) {
        const Vec3 b = points[static_cast<std::size_t>(polygon[j])];
        const Vec3 c = points[static_cast<std::size_t>(polygon[j + 1])];
        const Vec3 twice = cross(b - origin, c - origin);
        areaVector = areaVector + 0.5 * twice;
        const double a = norm(twice) / 2;
        total += a;
        centre = centre + (a / 3) * (origin + b + c);
    }
    face.areaVector = areaVector;
    for (const int index : polygon)
        face.points.push_back(points[static_cast<std::size_t>(index)]);
    face.centre = total > 0 ? (1 / total) * centre : origin;
    return face;
}

std::vector<SampledFace> readVtkSurface(std::istream& in)
{
    std::vector<Vec3> points;
    std::vector<std::vector<int>> polygons;
    std::vector<SampledFace> faces;
    std::string word;
    bool cellData = false;
    while (in >> word) {
        if (word == "POINTS") {
            const long n = next<long>(in, "the number of points");
            next<std::string>(in, "the points' type");
            if (n < 0 || n > 100'000'000)
                malformed("number of points");
            points.resize(static_cast<std::size_t>(n));
            for (Vec3& p : points)
                p = {next<double>(in, "a coordinate"), next<double>(in, "a coordinate"), next<double>(in, "a coordinate")};
        } else if (word == "POLYGONS") {
            const long n = next<long>(in, "the number of polygons");
            next<long>(in, "the polygons' size");
            if (n < 0 || n > 100'000'000)
                malformed("number of polygons");
            polygons.resize(static_cast<std::size_t>(n));
            for (auto& polygon : polygons) {
                const int count = next<int>(in, "a polygon's size");
                if (count < 3 || count > 1000)
                    malformed("a polygon of " + std::to_string(count) + " points");
                polygon.resize(static_cast<std::size_t>(count));
                for (int& index : polygon) {
                    index = next<int>(in, "a point index");
                    if (index < 0 || static_cast<std::size_t>(index) >= points.size())
                        malformed("a point index out of range");
                }
            }
        } else if (word == "CELL_DATA") {
            const long n = next<long>(in, "the number of cells");
            if (n != static_cast<long>(polygons.size()))
                malformed("CELL_DATA does not match POLYGONS");
            cellData = true;
            faces.resize(polygons.size());
            for (std::size_t i = 0; i < polygons.size(); ++i)
                faces[i] = polygonFace(points, polygons[i]);
        } else if (word == "FIELD" && cellData) {
            next<std::string>(in, "the field data's name");
            const int arrays = next<int>(in, "the number of arrays");
            for (int a = 0; a < arrays; ++a) {
                const auto name = next<std::string>(in, "an array's name");
                const int components = next<int>(in, "an array's components");
                const long tuples = next<long>(in, "an array's length");
                next<std::string>(in, "an array's type");
                if (tuples != static_cast<long>(faces.size()) || components < 1 || components > 9)
                    malformed("array " + name + " does not match the faces");
                for (SampledFace& face : faces) {
                    auto& values = face.fields[name];
                    values.resize(static_cast<std::size_t>(components));
                    for (double& v : values)
                        v = next<double>(in, "a value");
                }
            }
        } else if (word == "FIELD") {
            // Field data of the whole surface (its time): skip its arrays.
            next<std::string>(in, "the field data's name");
            const int arrays = next<int>(in, "the number of arrays");
            for (int a = 0; a < arrays; ++a) {
                next<std::string>(in, "an array's name");
                const int components = next<int>(in, "an array's components");
                const long tuples = next<long>(in, "an array's length");
                next<std::string>(in, "an array's type");
                for (long v = 0; v < static_cast<long>(components) * tuples; ++v)
                    next<std::string>(in, "a value");
            }
        }
    }
    if (!in.eof())
        malformed("unreadable text");

    // A face seen before at the same place with the same area is a repeat.
    std::set<std::tuple<long long, long long, long long, long long>> seen;
    std::vector<SampledFace> unique;
    unique.reserve(faces.size());
    for (SampledFace& face : faces) {
        const auto key = std::make_tuple(std::llround(face.centre.x * 1e6), std::llround(face.centre.y * 1e6),
                                         std::llround(face.centre.z * 1e6), std::llround(norm(face.areaVector) * 1e10));
        if (seen.insert(key).second)
            unique.push_back(std::move(face));
    }
    return unique;
}

std::vector<SampledFace> readVtkSurface(const std::filesystem::path& path)
{
    std::ifstream in(path);
    if (!in)
        throw std::runtime_error("cannot open " + path.string());
    return readVtkSurface(in);
}

std::vector<SectionFace> sectionFaces(const std::vector<SampledFace>& faces, Vec3 normal)
{
    std::vector<SectionFace> result;
    result.reserve(faces.size());
    for (const SampledFace& f : faces) {
        const auto u = f.fields.find("U");
        const auto p = f.fields.find("p");
        if (u == f.fields.end() || u->second.size() != 3 || p == f.fields.end() || p->second.size() != 1)
            throw std::runtime_error("the sampled surface has no U or p");
        result.push_back({f.centre, dot(f.areaVector, normal), {u->second[0], u->second[1], u->second[2]}, p->second[0]});
    }
    return result;
}

}  // namespace inlet::cfd
