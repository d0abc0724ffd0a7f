#include "openfoam/Pictures.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
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
Rgb colour(double t)
{
    static constexpr std::array<Rgb, 5> stops{{{68, 1, 84}, {59, 82, 139}, {33, 145, 140}, {94, 201, 98}, {253, 231, 37}}};
    t = std::clamp(std::isfinite(t) ? t : 0.0, 0.0, 1.0) * (stops.size() - 1);
    const auto i = std::min(static_cast<std::size_t>(t), stops.size() - 2);
    const double f = t - static_cast<double>(i);
    Rgb rgb;
    for (int c = 0; c < 3; ++c)
        rgb[c] = static_cast<int>(std::lround(stops[i][c] + f * (stops[i + 1][c] - stops[i][c])));
    return rgb;
}

std::string hex(Rgb c)
{
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "#%02x%02x%02x", c[0], c[1], c[2]);
    return buffer;
}

std::string escaped(const std::string& text)
{
    std::string out;
    for (const char c : text)
        out += c == '<' ? "&lt;" : c == '>' ? "&gt;" : c == '&' ? "&amp;" : std::string(1, c);
    return out;
}

std::string points(const std::vector<Point2>& points)
{
    std::string s;
    for (const Point2& p : points)
        s.append(s.empty() ? "" : " ").append(num(p[0], 2)).append(",").append(num(p[1], 2));
    return s;
}

bool axialVelocity(const SampledFace& f, Vec3 axis, double& ua)
{
    const auto U = f.fields.find("U");
    if (U == f.fields.end() || U->second.size() != 3)
        return false;
    ua = dot({U->second[0], U->second[1], U->second[2]}, axis);
    return true;
}

}  // namespace

Picture sectionPicture(const std::vector<SampledFace>& faces, Vec3 axis, const std::string& title)
{
    // Two directions across the axis: x and y for an axis along z.
    const Vec3 any = std::abs(axis.z) < 0.9 ? Vec3{0, 0, 1} : Vec3{1, 0, 0};
    Vec3 v = cross(axis, any);
    v = (1 / norm(v)) * v;
    Vec3 u = cross(v, axis);
    if (std::abs(axis.z) >= 0.9)
        u = {1, 0, 0}, v = cross(axis, u);

    double area = 0, flux = 0, ua = 0;
    double lo = std::numeric_limits<double>::max(), hi = -lo;
    double x0 = lo, x1 = -lo, y0 = lo, y1 = -lo;
    for (const SampledFace& f : faces) {
        if (!axialVelocity(f, axis, ua))
            continue;
        const double a = dot(f.areaVector, axis);
        area += a;
        flux += ua * a;
        for (const Vec3& p : f.points) {
            x0 = std::min(x0, dot(p, u)), x1 = std::max(x1, dot(p, u));
            y0 = std::min(y0, dot(p, v)), y1 = std::max(y1, dot(p, v));
        }
    }
    const double mean = area != 0 ? flux / area : 1;
    for (const SampledFace& f : faces)
        if (axialVelocity(f, axis, ua))
            lo = std::min(lo, ua / mean), hi = std::max(hi, ua / mean);
    if (!(hi > lo))
        lo = 0, hi = 1;

    constexpr double size = 400, margin = 40, bar = 90;
    const double span = std::max(x1 - x0, y1 - y0) > 0 ? std::max(x1 - x0, y1 - y0) : 1;
    const double scale = size / span;
    Picture picture;
    picture.width = size + 2 * margin + bar;
    picture.height = size + 2 * margin + 20;
    picture.fontSize = 13;
    picture.texts.push_back({{margin, 24}, title});
    for (const SampledFace& f : faces) {
        if (!axialVelocity(f, axis, ua) || f.points.empty())
            continue;
        Picture::Area face{{}, colour((ua / mean - lo) / (hi - lo))};
        for (const Vec3& p : f.points)
            face.points.push_back({margin + (dot(p, u) - x0) * scale, margin + 20 + (y1 - dot(p, v)) * scale});
        picture.areas.push_back(std::move(face));
    }
    // The colour bar: u_a / mean from lo to hi.
    const double bx = size + 2 * margin, by = margin + 20;
    for (int i = 0; i < 50; ++i) {
        const double top = by + size * (49 - i) / 50, bottom = top + size / 50 + 0.5;
        picture.areas.push_back({{{bx, top}, {bx + 18, top}, {bx + 18, bottom}, {bx, bottom}}, colour((i + 0.5) / 50)});
    }
    for (int i = 0; i <= 4; ++i)
        picture.texts.push_back({{bx + 24, by + size * (4 - i) / 4 + 4}, num(lo + (hi - lo) * i / 4, 2)});
    picture.texts.push_back({{bx - 4, by - 8}, "u/ū"});
    return picture;
}

Picture residualPicture(const std::vector<Iteration>& iterations, const std::string& iterationCaption)
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

    Picture picture;
    picture.width = width;
    picture.height = height;
    constexpr Rgb black{0, 0, 0}, grey{221, 221, 221};
    for (double l = lo; l <= hi; ++l) {
        picture.lines.push_back({{{left, Y(l)}, {left + plotW, Y(l)}}, grey, 1});
        picture.texts.push_back({{left - 6, Y(l) + 4}, "1e" + std::to_string(static_cast<int>(l)), black, Picture::Anchor::End});
    }
    picture.lines.push_back({{{left, top}, {left + plotW, top}, {left + plotW, top + plotH}, {left, top + plotH}, {left, top}}, black, 1});
    picture.texts.push_back({{left, height - 12}, std::to_string(first)});
    picture.texts.push_back({{left + plotW, height - 12}, std::to_string(last), black, Picture::Anchor::End});
    picture.texts.push_back({{left + plotW / 2, height - 12}, iterationCaption, black, Picture::Anchor::Middle});
    static constexpr Rgb colours[] = {{31, 119, 180}, {255, 127, 14}, {44, 160, 44}, {214, 39, 40}, {148, 103, 189}, {140, 86, 75}, {227, 119, 194}};
    std::size_t index = 0;
    for (const auto& [name, values] : series) {
        const Rgb c = colours[index % std::size(colours)];
        Picture::Line line{{}, c, 1.2};
        // At most about one point per pixel.
        const std::size_t step = std::max<std::size_t>(1, values.size() / static_cast<std::size_t>(plotW));
        for (std::size_t i = 0; i < values.size(); i += step)
            line.points.push_back({X(values[i].first), Y(values[i].second)});
        picture.lines.push_back(std::move(line));
        picture.texts.push_back({{left + plotW + 10, top + 14 + 16.0 * static_cast<double>(index)}, name, c});
        ++index;
    }
    return picture;
}

void writeSvg(const Picture& picture, std::ostream& out)
{
    out << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << num(picture.width) << "\" height=\""
        << num(picture.height) << "\" font-family=\"sans-serif\" font-size=\"" << num(picture.fontSize) << "\">\n"
        << "<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n";
    for (const Picture::Area& a : picture.areas)
        out << "<polygon fill=\"" << hex(a.fill) << "\" stroke=\"" << hex(a.fill) << "\" stroke-width=\"0.3\" points=\""
            << points(a.points) << "\"/>\n";
    for (const Picture::Line& l : picture.lines)
        out << "<polyline fill=\"none\" stroke=\"" << hex(l.colour) << "\" stroke-width=\"" << num(l.width)
            << "\" points=\"" << points(l.points) << "\"/>\n";
    for (const Picture::Text& t : picture.texts)
        out << "<text x=\"" << num(t.at[0], 2) << "\" y=\"" << num(t.at[1], 2) << "\""
            << (t.anchor == Picture::Anchor::Middle ? " text-anchor=\"middle\""
                : t.anchor == Picture::Anchor::End  ? " text-anchor=\"end\""
                                                    : "")
            << (t.colour == Rgb{0, 0, 0} ? std::string() : " fill=\"" + hex(t.colour) + "\"") << ">" << escaped(t.text)
            << "</text>\n";
    out << "</svg>\n";
}

}  // namespace inlet::cfd
