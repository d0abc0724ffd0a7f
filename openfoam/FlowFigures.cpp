#include "openfoam/FlowFigures.h"

#include <cmath>
#include <numbers>

namespace inlet::cfd {

double norm(Vec3 a)
{
    return std::sqrt(dot(a, a));
}

namespace {

// u_s at a face: its velocity around the axis; none on the axis itself.
double swirl(const SectionFace& face, Vec3 axis, Vec3 centre)
{
    const Vec3 d = face.centre - centre;
    const Vec3 radial = d - dot(d, axis) * axis;
    const double r = norm(radial);
    return r > 0 ? dot(face.U, (1 / r) * cross(axis, radial)) : 0;
}

}  // namespace

SectionFigures sectionFigures(const std::vector<SectionFace>& faces, Vec3 axis, Vec3 centre)
{
    SectionFigures f;
    double axialArea = 0;
    for (const SectionFace& face : faces) {
        f.area += face.area;
        axialArea += dot(face.U, axis) * face.area;
    }
    f.faces = static_cast<int>(faces.size());
    if (f.area <= 0 || axialArea == 0)
        return f;
    f.flow = axialArea;
    f.meanAxial = axialArea / f.area;

    double deviation = 0, angle = 0, swirlAngle = 0, forward = 0, head = 0, backArea = 0, back = 0, gross = 0;
    for (const SectionFace& face : faces) {
        const double ua = dot(face.U, axis);
        const double ut = norm(face.U - ua * axis);
        deviation += (ua - f.meanAxial) * (ua - f.meanAxial) * face.area;
        if (ua > 0) {
            angle += ua * std::atan2(ua, ut) * 180.0 / std::numbers::pi * face.area;
            swirlAngle += ua * std::atan2(ua, std::abs(swirl(face, axis, centre))) * 180.0 / std::numbers::pi * face.area;
            forward += ua * face.area;
        } else if (ua < 0) {
            backArea += face.area;
            back -= ua * face.area;
        }
        gross += std::abs(ua) * face.area;
        head += (face.p + dot(face.U, face.U) / 2) / kGravity * ua * face.area;
    }
    f.uniformity = (1 - std::sqrt(deviation / f.area) / f.meanAxial) * 100;
    f.angle = forward > 0 ? angle / forward : 0;
    f.swirlAngle = forward > 0 ? swirlAngle / forward : 0;
    f.backflowArea = backArea / f.area;
    f.backflowFlow = gross > 0 ? back / gross : 0;
    f.totalHead = head / axialArea;
    return f;
}

}  // namespace inlet::cfd
