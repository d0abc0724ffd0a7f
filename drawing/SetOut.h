#pragma once

// The setting-out tables (放样坐标表): the points a contractor sets out, worked out once from the
// walls the drawing draws, for every output (the drawing sheet, the DXF, the calculation sheet,
// the workbook, inlet-calc) to print as they stand.
//
// Datum: the origin on the pump axis at the passage floor. In the section through the axis, r
// runs across the passage from the axis (the right-hand half of A—A) and z up from the floor.
// In plan, φ is measured from the direction of the 0° station (toward the back of the passage)
// round to the 90° station; x = R·sin φ across the passage, y = R·cos φ toward the back, as the
// plan is drawn (the left-hand half is its mirror image).
//
// The walls are the drawing's own (passageProfile(), PlanWall):
//   the bell-mouth wall  r = x1 + a1·cos t, z = (H2 + b1) + b1·sin t, from the cone inlet past
//                        the rim (t = 270°) to the tangent point of the upper wall
//   the guide cone       r = x2 + a2·cos t, z = (H - y2) + b2·sin t, t from 180° (its top) to
//                        270° (its foot on the floor)
//   the volute's wall    R(φ) through the chosen set's station radii D1/2 + a
// Each ellipse is tabled at every `parameterStep` degrees of t and at every `heightStep` mm of
// z (a branch at a time where z turns back, as the bell-mouth wall does at the rim), both with
// the ends of the arc; the volute wall at every `angleStep` degrees of φ and at every station.

#include "run/Calculation.h"
#include "drawing/WidthSets.h"

#include <cstddef>
#include <string>
#include <vector>

namespace inlet {

struct SetOutSteps {
    double parameterStep = 5;  // degrees of the ellipse's parameter t
    double heightStep = 100;   // mm of z
    double angleStep = 5;      // degrees of φ
};

struct SetOutColumn {
    std::string title;  // "r (mm)": the symbol and its unit; ASCII but for "φ"
    std::string ascii;  // "R (mm)", "phi (deg)"
    int decimals = 0;   // the figures' decimals: whole mm as the drawing's dimensions, 0.1°
};

struct SetOutTable {
    std::string title;   // "喇叭管椭圆（参数 t 每 5°）"
    std::string ascii;   // "BELL-MOUTH ELLIPSE, t EVERY 5 DEG"
    std::string note;    // the curve's equation with its figures: "r = 1100 + 400·cos t, ..."
    std::vector<SetOutColumn> columns;
    std::vector<std::vector<double>> rows;  // each figure as printed (rounded to its decimals)
    // "(no point)": the text a table without rows shows in place of its rows.
    std::string empty;

    // The figure of a row's column as every output prints it, independent of any locale.
    std::string cell(std::size_t row, std::size_t column) const;
};

struct SetOut {
    std::string datum;       // Chinese, one sentence: the origin, the axes, φ and the unit
    std::string datumAscii;
    std::string widths;      // the width set the volute wall takes: "按计算结果"
    std::vector<SetOutTable> tables;  // the bell-mouth (t, z), the guide cone (t, z), the volute

    // The tables' heading: the datum and the widths, "…；单位 mm。蜗壳外壁宽度按计算结果。"
    std::string heading() const;
};

SetOut setOut(const Calculation& c, const WidthSets& widths, WidthSet set, const SetOutSteps& steps = {});

// A figure with `decimals` decimals as the tables print it: whole millimetres rounded as the
// drawing's dimensions are ("823", "-8"), angles to 0.1° ("182.5").
std::string setOutFigure(double value, int decimals);

}  // namespace inlet
