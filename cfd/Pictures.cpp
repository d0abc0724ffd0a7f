#include "Pictures.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <cstdio>
#include <map>

namespace inlet::cfd {

namespace {

std::string num(double v, int decimals = 1)
{
    char buffer[64];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::fixed, decimals).ptr;
    return std::string(buffer, end);
}

// A perceptually ordered scale from dark blue through green to yellow (after viridis), t in [0, 1].
std::string colour(double t)
{
    static constexpr std::array<std::array<int, 3>, 5> stops{{{68, 1, 84}, {59, 82, 139}, {33, 145, 140}, {94, 201, 98}, {253, 231, 37}}};
    t = std::clamp(std::isfinite(t) ? t : 0.0, 0.0, 1.0) * (stops.size() - 1);
    const auto i = std::min(static_cast<std::size_t>(t), stops.size() - 2);
    const double f = t - static_cast<double>(i);
    char buffer[8];
    int rgb[3];
    for (int c = 0; c < 3; ++c)
        rgb[c] = static_cast<int>(std::lround(stops[i][c] + f * (stops[i + 1][c] - stops[i][c])));
    std::snprintf(buffer, sizeof buffer, "#%02x%02x%02x", rgb[0], rgb[1], rgb[2]);
    return buffer;
}

}  // namespace

void writeSectionPicture(const std::vector<SampledFace>& faces, Vec3 axis, const std::string& title, std::ostream& out)
{
    // Two directions across the axis: x and y for an axis along z.
    const Vec3 any = std::abs(axis.z) < 0.9 ? Vec3{0, 0, 1} : Vec3{1, 0, 0};
    Vec3 v = cross(axis, any);
    v = (1 / norm(v)) * v;
    Vec3 u = cross(v, axis);
    if (std::abs(axis.z) >= 0.9)
        u = {1, 0, 0}, v = cross(axis, u);

    double area = 0, flux = 0;
    double lo = std::numeric_limits<double>::max(), hi = -lo;
    double x0 = lo, x1 = -lo, y0 = lo, y1 = -lo;
    for (const SampledFace& f : faces) {
        const double a = dot(f.areaVector, axis);
        const auto U = f.fields.find("U");
        if (U == f.fields.end() || U->second.size() != 3)
            continue;
        const double ua = dot({U->second[0], U->second[1], U->second[2]}, axis);
        area += a;
        flux += ua * a;
        for (const Vec3& p : f.points) {
            x0 = std::min(x0, dot(p, u)), x1 = std::max(x1, dot(p, u));
            y0 = std::min(y0, dot(p, v)), y1 = std::max(y1, dot(p, v));
        }
    }
    const double mean = area != 0 ? flux / area : 1;
    for (const SampledFace& f : faces) {
        const auto U = f.fields.find("U");
        if (U == f.fields.end() || U->second.size() != 3)
            continue;
        const double r = dot({U->second[0], U->second[1], U->second[2]}, axis) / mean;
        lo = std::min(lo, r), hi = std::max(hi, r);
    }
    if (!(hi > lo))
        hi = lo + 1;

    constexpr double size = 400, margin = 40, bar = 90;
    const double span = std::max(x1 - x0, y1 - y0) > 0 ? std::max(x1 - x0, y1 - y0) : 1;
    const double scale = size / span;
    out << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << size + 2 * margin + bar << "\" height=\""
        << size + 2 * margin + 20 << "\" font-family=\"sans-serif\" font-size=\"13\">\n"
        << "<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n<text x=\"" << margin << "\" y=\"24\">" << title
        << "</text>\n<g stroke-width=\"0.3\">\n";
    for (const SampledFace& f : faces) {
        const auto U = f.fields.find("U");
        if (U == f.fields.end() || U->second.size() != 3 || f.points.empty())
            continue;
        const double r = dot({U->second[0], U->second[1], U->second[2]}, axis) / mean;
        const std::string c = colour((r - lo) / (hi - lo));
        out << "<polygon fill=\"" << c << "\" stroke=\"" << c << "\" points=\"";
        for (const Vec3& p : f.points)
            out << num(margin + (dot(p, u) - x0) * scale, 2) << "," << num(margin + 20 + (y1 - dot(p, v)) * scale, 2) << " ";
        out << "\"/>\n";
    }
    out << "</g>\n";
    // The colour bar: u_a / mean from lo to hi.
    const double bx = size + 2 * margin, by = margin + 20;
    for (int i = 0; i < 50; ++i)
        out << "<rect x=\"" << bx << "\" y=\"" << num(by + size * (49 - i) / 50, 2) << "\" width=\"18\" height=\""
            << num(size / 50 + 0.5, 2) << "\" fill=\"" << colour((i + 0.5) / 50) << "\"/>\n";
    for (int i = 0; i <= 4; ++i)
        out << "<text x=\"" << bx + 24 << "\" y=\"" << num(by + size * (4 - i) / 4 + 4, 2) << "\">"
            << num(lo + (hi - lo) * i / 4, 2) << "</text>\n";
    out << "<text x=\"" << bx - 4 << "\" y=\"" << by - 8 << "\">u/ū</text>\n</svg>\n";
}

void writeResidualPicture(const std::vector<Iteration>& iterations, std::ostream& out)
{
    constexpr double width = 560, height = 320, left = 60, top = 20, right = 90, bottom = 40;
    const double plotW = width - left - right, plotH = height - top - bottom;
    std::map<std::string, std::vector<std::pair<int, double>>> series;
    int first = std::numeric_limits<int>::max(), last = 0;
    double lo = std::numeric_limits<double>::max(), hi = -lo;
    for (const Iteration& it : iterations)
        for (const auto& [name, value] : it.residuals)
            if (value > 0 && std::isfinite(value)) {
                series[name].emplace_back(it.number, std::log10(value));
                first = std::min(first, it.number), last = std::max(last, it.number);
                lo = std::min(lo, std::log10(value)), hi = std::max(hi, std::log10(value));
            }
    if (series.empty())
        first = 0, last = 1, lo = -6, hi = 0;
    lo = std::floor(lo), hi = std::ceil(hi);
    if (hi <= lo)
        hi = lo + 1;
    if (last <= first)
        last = first + 1;
    const auto X = [&](double i) { return left + (i - first) / (last - first) * plotW; };
    const auto Y = [&](double l) { return top + (hi - l) / (hi - lo) * plotH; };
    out << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << width << "\" height=\"" << height
        << "\" font-family=\"sans-serif\" font-size=\"12\">\n<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n"
        << "<rect x=\"" << left << "\" y=\"" << top << "\" width=\"" << plotW << "\" height=\"" << plotH
        << "\" fill=\"none\" stroke=\"black\"/>\n";
    for (double l = lo; l <= hi; ++l)
        out << "<line x1=\"" << left << "\" x2=\"" << left + plotW << "\" y1=\"" << num(Y(l), 2) << "\" y2=\""
            << num(Y(l), 2) << "\" stroke=\"#ddd\"/>\n<text x=\"" << left - 6 << "\" y=\"" << num(Y(l) + 4, 2)
            << "\" text-anchor=\"end\">1e" << static_cast<int>(l) << "</text>\n";
    out << "<text x=\"" << left << "\" y=\"" << height - 12 << "\">" << first << "</text>\n<text x=\"" << left + plotW
        << "\" y=\"" << height - 12 << "\" text-anchor=\"end\">" << last << "</text>\n<text x=\"" << left + plotW / 2
        << "\" y=\"" << height - 12 << "\" text-anchor=\"middle\">iteration</text>\n";
    static constexpr const char* colours[] = {"#1f77b4", "#ff7f0e", "#2ca02c", "#d62728", "#9467bd", "#8c564b", "#e377c2"};
    std::size_t index = 0;
    for (const auto& [name, points] : series) {
        const char* c = colours[index % std::size(colours)];
        out << "<polyline fill=\"none\" stroke=\"" << c << "\" stroke-width=\"1.2\" points=\"";
        // At most about one point per pixel.
        const std::size_t step = std::max<std::size_t>(1, points.size() / static_cast<std::size_t>(plotW));
        for (std::size_t i = 0; i < points.size(); i += step)
            out << num(X(points[i].first), 2) << "," << num(Y(points[i].second), 2) << " ";
        out << "\"/>\n<text x=\"" << left + plotW + 10 << "\" y=\"" << top + 14 + 16 * index << "\" fill=\"" << c
            << "\">" << name << "</text>\n";
        ++index;
    }
    out << "</svg>\n";
}

}  // namespace inlet::cfd
