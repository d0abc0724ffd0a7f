#include "drawing/SetOut.h"

#include "drawing/Figures.h"
#include "drawing/PassageGeometry.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <numbers>
#include <optional>

namespace inlet {

namespace {

// The drawing's angles use the true pi, as the walls are drawn.
constexpr double kPi = std::numbers::pi;
constexpr double kDegree = kPi / 180;
// Two parameters or heights this close are the same point (radians, mm).
constexpr double kSame = 1e-9;

// "5", "2.5": a step as its heading names it.
std::string stepText(double step)
{
    return setOutFigure(step, step == std::round(step) ? 0 : 1);
}

// The figure as printed, read back: what every output holds.
double printed(double value, int decimals)
{
    const std::string text = setOutFigure(value, decimals);
    double read = value;
    std::from_chars(text.data(), text.data() + text.size(), read);
    return read;
}

SetOutTable ellipseTable(const std::string& title, const std::string& ascii, const std::string& note)
{
    SetOutTable table;
    table.title = title;
    table.ascii = ascii;
    table.note = note;
    table.columns = {{"t (°)", "t (deg)", 1}, {"r (mm)", "r (mm)", 0}, {"z (mm)", "z (mm)", 0}};
    return table;
}

void addPoint(SetOutTable& table, const EllipseArc& arc, double u)
{
    table.rows.push_back({printed(u / kDegree, 1), printed(arc.centre.x + arc.rx * std::cos(u), 0),
                          printed(arc.centre.y + arc.ry * std::sin(u), 0)});
}

// The arc at its ends and at every multiple of `step` degrees of its parameter between them.
void byParameter(SetOutTable& table, const EllipseArc& arc, double step)
{
    addPoint(table, arc, arc.start);
    const double stepRad = step * kDegree;
    for (double k = std::floor(arc.start / stepRad) + 1; k * stepRad < arc.end - kSame; ++k) {
        if (k * stepRad > arc.start + kSame)
            addPoint(table, arc, k * stepRad);
    }
    addPoint(table, arc, arc.end);
}

// The arc at its ends and at every multiple of `step` mm of height, a branch at a time: the
// arcs lie in t from 180° to 360°, where z falls to the lowest point (t = 270°) and rises again.
void byHeight(SetOutTable& table, const EllipseArc& arc, double step)
{
    const double lowest = 1.5 * kPi;
    std::vector<std::array<double, 2>> branches;
    if (arc.start < lowest - kSame)
        branches.push_back({arc.start, std::min(arc.end, lowest)});
    if (arc.end > lowest + kSame)
        branches.push_back({std::max(arc.start, lowest), arc.end});
    const auto z = [&arc](double u) { return arc.centre.y + arc.ry * std::sin(u); };
    // The parameter on a branch at height h.
    const auto at = [&arc](double h, bool falling) {
        const double s = std::asin(std::clamp((arc.centre.y - h) / arc.ry, -1.0, 1.0));
        return falling ? kPi + s : 2 * kPi - s;
    };
    for (std::size_t b = 0; b < branches.size(); ++b) {
        const auto [u0, u1] = branches[b];
        const bool falling = u1 <= lowest + kSame;
        if (b == 0)
            addPoint(table, arc, u0);  // a second branch starts where the first ended
        const double z0 = z(u0), z1 = z(u1);
        if (falling) {
            for (double k = std::ceil(z0 / step) - 1; k * step > z1 + kSame; --k) {
                if (k * step < z0 - kSame)
                    addPoint(table, arc, at(k * step, true));
            }
        } else {
            for (double k = std::floor(z0 / step) + 1; k * step < z1 - kSame; ++k) {
                if (k * step > z0 + kSame)
                    addPoint(table, arc, at(k * step, false));
            }
        }
        addPoint(table, arc, u1);
    }
}

// "r = 1100.00 + 400.00·cos t，z = 2163.00 + 1663.00·sin t": the arc's equation.
std::string equation(const EllipseArc& arc)
{
    const auto f = [](double v) {
        std::array<char, 400> text;
        return std::string(text.data(), toFixed(text.data(), text.data() + text.size(), v, 2));
    };
    return join({"r = ", f(arc.centre.x), " + ", f(arc.rx), "·cos t, z = ", f(arc.centre.y), " + ", f(arc.ry),
                 "·sin t (mm)"});
}

void addEllipse(SetOut& out, const std::optional<EllipseArc>& arc, const char* name, const char* asciiName,
                const SetOutSteps& steps)
{
    const std::string t = stepText(steps.parameterStep), z = stepText(steps.heightStep);
    const std::string note = arc ? equation(*arc) : std::string();
    SetOutTable byT = ellipseTable(join({name, "（参数 t 每 ", t, "°）"}), join({asciiName, ", t EVERY ", t, " DEG"}), note);
    SetOutTable byZ = ellipseTable(join({name, "（高度 z 每 ", z, " mm）"}), join({asciiName, ", z EVERY ", z, " MM"}), note);
    if (arc && steps.parameterStep > 0 && steps.heightStep > 0) {
        byParameter(byT, *arc, steps.parameterStep);
        byHeight(byZ, *arc, steps.heightStep);
    } else {
        byT.empty = byZ.empty = "无（椭圆的半轴不为正）";
    }
    out.tables.push_back(std::move(byT));
    out.tables.push_back(std::move(byZ));
}

void addVolute(SetOut& out, const Calculation& c, const WidthSets& widths, WidthSet set, double step)
{
    const std::string s = stepText(step);
    SetOutTable table;
    table.title = join({"蜗壳外壁 R(φ)（φ 每 ", s, "° 及各断面，", widthSetChinese(set), "）"});
    table.ascii = join({"VOLUTE WALL R(phi), phi EVERY ", s, " DEG AND AT EACH STATION"});
    table.note = "R = D1/2 + a, x = R·sin φ, y = R·cos φ";
    const int angleDecimals = step == std::round(step) ? 0 : 1;
    table.columns = {{"φ (°)", "phi (deg)", angleDecimals}, {"R (mm)", "R (mm)", 0}, {"a (mm)", "a (mm)", 0},
                     {"x (mm)", "x (mm)", 0},           {"y (mm)", "y (mm)", 0}};
    const std::array<std::optional<Station>, 12> chosen = widths.chosen(set);
    const double rim = c.profile.x1;
    const PlanWall wall(chosen, rim);
    if (!wall.exists() || !(step > 0)) {
        table.empty = "无（所取宽度中有宽度的断面少于两个）";
        out.tables.push_back(std::move(table));
        return;
    }
    std::vector<double> phis;
    for (double k = std::ceil(wall.firstPhi() / step - kSame); k * step <= wall.lastPhi() + kSame; ++k)
        phis.push_back(k * step);
    for (const std::optional<Station>& st : chosen) {
        if (st && std::isfinite(st->a))
            phis.push_back(st->phi);
    }
    std::sort(phis.begin(), phis.end());
    phis.erase(std::unique(phis.begin(), phis.end(), [](double a, double b) { return std::fabs(a - b) < kSame; }),
               phis.end());
    for (const double phi : phis) {
        const double R = wall.radius(phi);
        table.rows.push_back({printed(phi, angleDecimals), printed(R, 0), printed(R - rim, 0),
                              printed(R * std::sin(phi * kDegree), 0), printed(R * std::cos(phi * kDegree), 0)});
    }
    out.tables.push_back(std::move(table));
}

}  // namespace

std::string setOutFigure(double value, int decimals)
{
    if (decimals <= 0)
        return wholeMillimetres(value);
    std::array<char, 400> text;
    std::string figure(text.data(), toFixed(text.data(), text.data() + text.size(), value, decimals));
    if (figure.starts_with('-') && figure.find_first_not_of("-0.") == std::string::npos)
        figure.erase(0, 1);  // no "-0.0"
    return figure;
}

std::string SetOut::heading() const { return join({datum, "。蜗壳外壁宽度", widths, "。"}); }

std::string SetOutTable::cell(std::size_t row, std::size_t column) const
{
    return setOutFigure(rows[row][column], columns[column].decimals);
}

SetOut setOut(const Calculation& c, const WidthSets& widths, WidthSet set, const SetOutSteps& steps)
{
    SetOut out;
    out.datum = "坐标原点在水泵轴线与流道底面的交点；断面内 r 自轴线水平向外（A—A 断面右半），z 自底面向上；"
                "平面内 φ 自 0° 断面方向（流道后方）量起，x = R·sin φ 横向，y = R·cos φ 向后；单位 mm";
    out.datumAscii = "ORIGIN ON THE PUMP AXIS AT THE FLOOR; r ACROSS FROM THE AXIS, z UP; phi FROM THE 0 DEG "
                     "STATION, x = R sin(phi), y = R cos(phi); MM";
    out.widths = widthSetChinese(set);
    const PassageProfile profile = passageProfile(c);
    addEllipse(out, profile.bellMouth, "喇叭管椭圆", "BELL-MOUTH ELLIPSE", steps);
    addEllipse(out, profile.guideCone, "导水锥椭圆", "GUIDE CONE ELLIPSE", steps);
    addVolute(out, c, widths, set, steps.angleStep);
    return out;
}

}  // namespace inlet
