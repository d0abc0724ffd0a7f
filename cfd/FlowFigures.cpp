#include "FlowFigures.h"

#include <cmath>
#include <numbers>

namespace inlet::cfd {

double norm(Vec3 a)
{
    return std::sqrt(dot(a, a));
}

SectionFigures sectionFigures(const std::vector<SectionFace>& faces, Vec3 axis)
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

    double deviation = 0, angle = 0, head = 0;
    for (const SectionFace& face : faces) {
        const double ua = dot(face.U, axis);
        const double ut = norm(face.U - ua * axis);
        deviation += (ua - f.meanAxial) * (ua - f.meanAxial) * face.area;
        if (ua != 0)
            angle += ua * (90.0 - std::atan(ut / ua) * 180.0 / std::numbers::pi) * face.area;
        head += (face.p + dot(face.U, face.U) / 2) / kGravity * ua * face.area;
    }
    f.uniformity = (1 - std::sqrt(deviation / f.area) / f.meanAxial) * 100;
    f.angle = angle / axialArea;
    f.totalHead = head / axialArea;
    return f;
}

}  // namespace inlet::cfd
