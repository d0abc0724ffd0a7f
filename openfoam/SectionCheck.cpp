#include "openfoam/SectionCheck.h"

#include <charconv>
#include <cmath>
#include <numbers>

namespace inlet::cfd {

namespace {

// A figure as the messages show it, whatever the locale.
std::string figure(double value, int decimals)
{
    char buffer[64];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    return std::string(buffer, r.ptr);
}

// The wall's triangles lie within 1 mm of the circle; a face at the wall has its centre inside.
constexpr double kRadiusSlack = 1e-6;  // m

// A face's distance from the section's axis.
double radial(const SampledFace& f, const Section& section)
{
    const Vec3 d = f.centre - section.point;
    return norm(d - dot(d, section.normal) * section.normal);
}

}  // namespace

std::vector<SampledFace> withinPipe(const std::vector<SampledFace>& faces, const Section& section)
{
    std::vector<SampledFace> kept;
    for (const SampledFace& f : faces)
        if (radial(f, section) <= section.radius + kRadiusSlack)
            kept.push_back(f);
    return kept;
}

std::vector<SampledFace> outsideRadius(const std::vector<SampledFace>& faces, const Section& section, double inner)
{
    std::vector<SampledFace> kept;
    for (const SampledFace& f : withinPipe(faces, section))
        if (radial(f, section) > inner)
            kept.push_back(f);
    return kept;
}

double sectionTolerance(int backgroundCells)
{
    return backgroundCells < kSmallMeshCells ? kSmallMeshSectionTolerance : kSectionTolerance;
}

std::optional<Failure> checkSection(const SectionFigures& figures, const Section& section, double flow, double tolerance,
                                    std::optional<double> flowTolerance)
{
    const double pipeArea = section.area > 0 ? section.area
                                             : std::numbers::pi * (section.radius * section.radius
                                                                   - section.innerRadius * section.innerRadius);
    const auto fails = [&](Failure::Kind kind, std::string detail, std::string other) {
        Failure f{.kind = kind, .item = section.name, .other = std::move(other), .detail = std::move(detail)};
        f.stage = FlowStage::Evaluate;
        f.number = std::llround(100 * tolerance);
        return f;
    };
    if (!(std::abs(figures.area - pipeArea) <= tolerance * pipeArea))
        return fails(Failure::Kind::FlowSectionArea, figure(figures.area, 3), figure(pipeArea, 3));
    const double flowShare = flowTolerance.value_or(tolerance);
    if (!(std::abs(figures.flow - flow) <= flowShare * flow)) {
        Failure f = fails(Failure::Kind::FlowSectionFlow, figure(figures.flow, 3), figure(flow, 3));
        f.number = std::llround(100 * flowShare);
        return f;
    }
    if (!(figures.uniformity >= 0 && figures.uniformity <= 100))
        return fails(Failure::Kind::FlowSectionUniformity, figure(figures.uniformity, 1),
                     figure(100 * figures.backflowArea, 1));
    return std::nullopt;
}

}  // namespace inlet::cfd
