#include "cli/CheckText.h"

#include "drawing/Figures.h"
#include "calc/ResultText.h"

#include <array>
#include <charconv>
#include <cmath>

namespace inlet {

void appendJsonString(std::string& out, std::string_view text)
{
    out.push_back('"');
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out.push_back('\\');
            out.push_back(c);
        } else if (static_cast<unsigned char>(c) < 0x20) {
            constexpr const char* kHex = "0123456789abcdef";
            out.append("\\u00");
            out.push_back(kHex[(c >> 4) & 0xf]);
            out.push_back(kHex[c & 0xf]);
        } else {
            out.push_back(c);
        }
    }
    out.push_back('"');
}

void appendCheckLines(std::string& out, const std::vector<DesignCheck>& checks, const NumberLocale& locale,
                      Language language)
{
    for (const DesignCheck& c : checks) {
        out.append("check\t").append(checkName(c.kind)).append("\t").append(c.subject).append("\t");
        out.append(generalText(c.figure, locale)).append("\t").append(checkText(c, language)).append("\n");
    }
}

void appendCheckJson(std::string& out, const std::vector<DesignCheck>& checks, Language language)
{
    out.push_back('[');
    for (const DesignCheck& c : checks) {
        if (out.back() != '[')
            out.append(", ");
        out.append("{\"check\": ");
        appendJsonString(out, checkName(c.kind));
        out.append(", \"subject\": ");
        appendJsonString(out, c.subject);
        out.append(", \"figure\": ");
        std::array<char, 32> number;
        const double figure = std::isfinite(c.figure) ? c.figure : 0;  // checks hold finite figures
        out.append(number.data(), std::to_chars(number.data(), number.data() + number.size(), figure).ptr);
        out.append(", \"unit\": ");
        appendJsonString(out, c.unit);
        if (c.flow) {  // the design flow a velocity is for, m³/s
            out.append(", \"Q\": ");
            out.append(number.data(), std::to_chars(number.data(), number.data() + number.size(), *c.flow).ptr);
        }
        out.append(c.warning ? ", \"warning\": true" : ", \"warning\": false");
        out.append(", \"message\": ");
        appendJsonString(out, checkText(c, language));
        out.push_back('}');
    }
    out.push_back(']');
}

std::string checkCell(const std::vector<DesignCheck>& checks, const NumberLocale& locale)
{
    std::string cell;
    for (const DesignCheck& c : checks) {
        if (!cell.empty())
            cell.append("; ");
        cell.append(checkName(c.kind));
        if (c.flow) {
            // A velocity with its unit and the flow it is for: "velocity-at-cone-inlet=4.390 m/s
            // (Q 15 m³/s)", a station's with the station: "section-velocity:a40=1.231 m/s (Q 15 m³/s)".
            if (c.subject != "Q")
                cell.append(":").append(c.subject);
            cell.append("=").append(fixedFigure(c.figure, 3, locale)).append(" ").append(c.unit);
            cell.append(" (Q ").append(generalText(*c.flow, locale)).append(" m³/s)");
            continue;
        }
        cell.append(":").append(c.subject).append("=").append(generalText(c.figure, locale));
    }
    return cell;
}

}  // namespace inlet
