#include "openfoam/MeshCheck.h"

#include <charconv>
#include <string>

namespace inlet::cfd {

namespace {

// The number after `key` (and any spaces, '=' or ':'), or nothing.
std::optional<double> numberAfter(std::string_view log, std::string_view key)
{
    const auto at = log.find(key);
    if (at == std::string_view::npos)
        return std::nullopt;
    std::size_t i = at + key.size();
    while (i < log.size() && (log[i] == ' ' || log[i] == '=' || log[i] == ':' || log[i] == '\t'))
        ++i;
    double value = 0;
    const auto [end, error] = std::from_chars(log.data() + i, log.data() + log.size(), value);
    if (error != std::errc() || end == log.data() + i)
        return std::nullopt;
    return value;
}

}  // namespace

std::optional<MeshQuality> meshQuality(std::string_view log)
{
    // "    cells:            122152", "    Mesh non-orthogonality Max: 64.98 average: 5.32",
    // "    Max skewness = 3.69 OK." or " ***Max skewness = 4.51, 12 highly skew faces detected ..."
    const auto cells = numberAfter(log, "cells:");
    const auto nonOrthogonality = numberAfter(log, "non-orthogonality Max");
    const auto skewness = numberAfter(log, "Max skewness");
    if (!cells || !nonOrthogonality || !skewness)
        return std::nullopt;
    return MeshQuality{static_cast<int>(*cells), *nonOrthogonality, *skewness};
}

bool fitForFigures(const MeshQuality& quality)
{
    return quality.nonOrthogonality <= kMostNonOrthogonality && quality.skewness <= kMostSkewness;
}

}  // namespace inlet::cfd
