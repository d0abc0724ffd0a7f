#include "study/VariedInput.h"

#include "messages/Failure.h"

#include <charconv>
#include <cmath>

namespace inlet {

namespace {

Failure notUsable(std::string_view text, const std::string& name)
{
    return Failure{.kind = Failure::Kind::StudyRangeNotUsable, .item = std::string(text), .other = name};
}

std::optional<double> number(std::string_view text)
{
    double value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc{} || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

}  // namespace

const std::vector<std::string_view>& variedNames()
{
    static const std::vector<std::string_view> names{"D1", "H1", "H2", "dd0", "aa", "hk", "widths"};
    return names;
}

VariedInput parseVariedInput(std::string_view text)
{
    const std::size_t equals = text.find('=');
    VariedInput input;
    input.name = std::string(text.substr(0, equals));
    bool known = false;
    for (const std::string_view name : variedNames())
        known = known || name == input.name;
    if (!known)
        throw Failure{.kind = Failure::Kind::StudyInputNotVaried, .item = std::string(text)};
    if (input.name == "widths") {
        if (equals != std::string_view::npos && text.substr(equals + 1) != "computed,area-true"
            && text.substr(equals + 1) != "area-true,computed")
            throw notUsable(text, input.name);
        input.from = 0;
        input.to = 1;
        input.count = 2;
        return input;
    }
    for (const Box box : settableBoxes())
        if (boxInfo(box).symbol == input.name)
            input.box = box;
    if (equals == std::string_view::npos)
        throw notUsable(text, input.name);
    std::string_view range = text.substr(equals + 1);
    const std::size_t first = range.find(':');
    const std::size_t second = first == std::string_view::npos ? first : range.find(':', first + 1);
    if (second == std::string_view::npos)
        throw notUsable(text, input.name);
    const auto from = number(range.substr(0, first));
    const auto to = number(range.substr(first + 1, second - first - 1));
    int count = 0;
    const std::string_view countText = range.substr(second + 1);
    const auto [end, ec] = std::from_chars(countText.data(), countText.data() + countText.size(), count);
    const bool countRead = !countText.empty() && ec == std::errc{} && end == countText.data() + countText.size();
    // What a box takes as a dimension: a length above zero; the angle aa below a right angle.
    const double most = input.name == "aa" ? 90 : 1e7;
    if (!from || !to || !countRead || *from <= 0 || *to >= most || *from > *to || count < 1 || count > 1000
        || (count == 1 && *from != *to) || (count > 1 && *from == *to))
        throw notUsable(text, input.name);
    input.from = *from;
    input.to = *to;
    input.count = count;
    return input;
}

double valueAt(const VariedInput& input, double unit)
{
    if (!input.box)
        return unit < 0.5 ? 0 : 1;
    return input.from + unit * (input.to - input.from);
}

std::string inputText(double value, const NumberLocale& locale)
{
    const double rounded = std::round(value * 100) / 100;
    char buffer[64];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, rounded == 0 ? 0.0 : rounded,
                                         std::chars_format::fixed);
    std::string text(buffer, ec == std::errc{} ? end : buffer);
    const std::size_t point = text.find('.');
    if (point != std::string::npos)
        text.replace(point, 1, locale.decimalSeparator);
    return text;
}

}  // namespace inlet
