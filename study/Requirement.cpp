#include "study/Requirement.h"

#include "messages/Failure.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace inlet {

namespace {

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

}  // namespace

Requirement parseRequirement(std::string_view text)
{
    std::string names;
    for (const std::string_view name : figureNames())
        names.append(names.empty() ? "" : ", ").append(name);
    const Failure refused{.kind = Failure::Kind::StudyRequireNotUsable, .item = std::string(text), .other = names};
    if (trimmed(text) == "no warnings")
        return Requirement{"warnings", true, 0, "no warnings"};
    const std::size_t at = text.find_first_of("<>");
    if (at == std::string_view::npos || at + 1 >= text.size() || text[at + 1] != '=')
        throw refused;
    Requirement r;
    r.text = std::string(trimmed(text));
    r.figure = std::string(trimmed(text.substr(0, at)));
    r.atMost = text[at] == '<';
    const std::string_view bound = trimmed(text.substr(at + 2));
    const auto [end, ec] = std::from_chars(bound.data(), bound.data() + bound.size(), r.bound);
    if (bound.empty() || ec != std::errc{} || end != bound.data() + bound.size() || !std::isfinite(r.bound)
        || std::find(figureNames().begin(), figureNames().end(), r.figure) == figureNames().end())
        throw refused;
    return r;
}

std::optional<double> margin(const Requirement& requirement, const VariantFigures& figures)
{
    const auto figure = figureNamed(figures, requirement.figure);
    if (!figure)
        return std::nullopt;
    return requirement.atMost ? requirement.bound - *figure : *figure - requirement.bound;
}

}  // namespace inlet
