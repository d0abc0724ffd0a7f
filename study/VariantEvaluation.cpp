#include "study/VariantEvaluation.h"

#include "run/CalculationRun.h"
#include "InletFeatures.h"
#ifdef INLET_HAVE_SOLID
#include "solid/SolidModule.h"
#endif

#include <algorithm>

namespace inlet {

VariantFigures evaluateVariant(BoxTexts boxes, WidthSet widths, StudyDepth depth, const NumberLocale& locale,
                               [[maybe_unused]] std::optional<double> passageLength)
{
    VariantFigures figures;
    try {
        const Calculation c = runCalculation(boxes, locale);
        figures.B = c.B;
        figures.bText = boxes.text(Box::Text6);
        figures.checks = designChecks(c, widthSets(c), widths, boxes, locale);
        for (const DesignCheck& check : figures.checks) {
            figures.warnings += check.warning ? 1 : 0;
            figures.shapeWarnings += check.warning && meansNoSection(check.kind) ? 1 : 0;
            if (check.kind == CheckKind::SectionVelocity)
                figures.vMax = std::max(figures.vMax.value_or(check.figure), check.figure);
        }
#ifdef INLET_HAVE_SOLID
        if (depth == StudyDepth::Solid) {
            SolidOptions options;
            options.passageLength = passageLength;
            const auto solid = cachedSolid(solidDesign(c, solidStations(c, widths), boxes.text(Box::Text7), options));
            figures.volume = solid->figures().volume / 1e9;
            figures.wettedArea = solid->figures().wettedArea / 1e6;
        }
#else
        if (depth == StudyDepth::Solid)
            throw Failure{.kind = Failure::Kind::ModuleMissing, .item = "inlet-solid", .detail = "not in this build"};
#endif
    } catch (const Failure& f) {
        figures.failure = f;
    }
    return figures;
}

const std::vector<std::string_view>& figureNames()
{
    static const std::vector<std::string_view> names{"B", "v_max", "warnings", "volume", "wetted_area"};
    return names;
}

std::optional<double> figureNamed(const VariantFigures& figures, std::string_view name)
{
    if (figures.failure)
        return std::nullopt;
    if (name == "B")
        return figures.B;
    if (name == "v_max")
        return figures.vMax;
    if (name == "warnings")
        return double(figures.warnings);
    if (name == "volume")
        return figures.volume;
    if (name == "wetted_area")
        return figures.wettedArea;
    return std::nullopt;
}

bool meansNoSection(CheckKind kind)
{
    switch (kind) {
    case CheckKind::HkBelowBp:
    case CheckKind::HkAbovePumpInlet:
    case CheckKind::GuideConeWiderThanConeInlet:
    case CheckKind::ConeInletNotNarrowerThanRim:
    case CheckKind::ProfilesCross:
    case CheckKind::AreaTrueWidthFails:
    case CheckKind::NotDrawable:
        return true;
    default:
        return false;
    }
}

bool feasible(const VariantFigures& figures)
{
    return !figures.failure && figures.shapeWarnings == 0;
}

}  // namespace inlet
