#pragma once

// The pictures of a flow computation: the axial velocity over a section in colour, and the
// residuals' history. Each is worked out once as a list of shapes in picture units (y down),
// which the SVG writer here and the window's painter draw alike.

#include "openfoam/SolverLog.h"
#include "openfoam/VtkSurface.h"

#include <array>
#include <ostream>
#include <string>
#include <vector>

namespace inlet::cfd {

using Rgb = std::array<int, 3>;
using Point2 = std::array<double, 2>;

struct Picture {
    enum class Anchor { Start, Middle, End };
    struct Area {
        std::vector<Point2> points;  // a closed polygon, filled
        Rgb fill;
    };
    struct Line {
        std::vector<Point2> points;  // an open polyline
        Rgb colour;
        double width = 1;
    };
    struct Text {
        Point2 at;  // the baseline's start, middle or end
        std::string text;  // UTF-8
        Rgb colour{0, 0, 0};
        Anchor anchor = Anchor::Start;
    };
    double width = 0, height = 0;
    double fontSize = 12;
    std::vector<Area> areas;   // drawn first, in order
    std::vector<Line> lines;   // then these
    std::vector<Text> texts;   // then these
};

// The section seen along its normal `axis` (z: x to the right, y up), each face coloured by its
// axial velocity divided by the mean, with a colour bar. `title` heads the picture.
Picture sectionPicture(const std::vector<SampledFace>& faces, Vec3 axis, const std::string& title);

// The initial residual of each equation against the iteration, on a logarithmic scale;
// `iterationCaption` names the horizontal axis.
Picture residualPicture(const std::vector<Iteration>& iterations, const std::string& iterationCaption = "iteration");

// The picture as SVG.
void writeSvg(const Picture& picture, std::ostream& out);

}  // namespace inlet::cfd
