#pragma once

// One variant of a study evaluated: its run, its checks and, at the solid's depth, its solid.
// Pure C++: many run at once (ParallelFor).

#include "boxes/BoxTexts.h"
#include "checks/DesignChecks.h"
#include "messages/Failure.h"
#include "calc/NumberLocale.h"
#include "drawing/WidthSets.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace inlet {

enum class StudyDepth { Checks, Solid };

struct VariantFigures {
    std::optional<Failure> failure;  // the run's, or the solid's: the variant has no figures
    std::string bText;               // B as the result box prints it
    double B = 0;                    // mm
    std::optional<double> vMax;      // the largest station velocity Q·(φ/360)/F, m/s; none without Q
    int warnings = 0;                // the checks with a warning
    int shapeWarnings = 0;           // of those, the ones that say a section drawn has no shape
    std::vector<DesignCheck> checks;
    std::optional<double> volume;      // the solid's fluid volume, m³
    std::optional<double> wettedArea;  // the area of its wetted walls, m²
};

// `boxes` holds the variant's texts; the solid's passage length is the L box's unless given (mm).
VariantFigures evaluateVariant(BoxTexts boxes, WidthSet widths, StudyDepth depth, const NumberLocale& locale,
                               std::optional<double> passageLength = std::nullopt);

// The figures a requirement or an objective names: B, v_max, warnings, volume, wetted_area.
const std::vector<std::string_view>& figureNames();
// The figure of that name; none where the variant does not have it.
std::optional<double> figureNamed(const VariantFigures& figures, std::string_view name);

// Whether a check's warning says the passage's sections do not exist as drawn: hk below bp or
// above H, profiles that cross, dd0 or D0 too wide, an area-true width that cannot be computed,
// a wall beyond the pump axis. A width a few mm inside the rim at a0 (negative-width), which the
// run gives for nearly every design, is not among them.
bool meansNoSection(CheckKind kind);

// Whether a variant can be chosen: it computed, and its sections exist (no check of
// meansNoSection() warns). Every other warning is the engineer's to exclude (--require
// "no warnings"): with the checks as they are, nearly every design warns of something (a rule
// change between stations is a width jump; all stations on the linear rule needs hk below bp;
// a0 lies inside the rim).
bool feasible(const VariantFigures& figures);

}  // namespace inlet
