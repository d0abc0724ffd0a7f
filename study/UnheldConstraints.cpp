#include "study/UnheldConstraints.h"

#include "drawing/Figures.h"

#include <algorithm>

namespace inlet {

namespace {

// The warned checks grouped by check, in the order first met: "negative-width a0;
// width-jump a45, a50".
std::string groupedChecks(const std::string& warned)
{
    std::vector<std::pair<std::string, std::string>> groups;
    std::size_t start = 0;
    while (start < warned.size()) {
        std::size_t end = warned.find("; ", start);
        if (end == std::string::npos)
            end = warned.size();
        const std::string one = warned.substr(start, end - start);
        start = end + 2;
        const std::size_t colon = one.find(':');
        const std::string name = one.substr(0, colon);
        const std::string subject = colon == std::string::npos ? std::string() : one.substr(colon + 1);
        auto group = std::find_if(groups.begin(), groups.end(), [&](const auto& g) { return g.first == name; });
        if (group == groups.end())
            group = groups.insert(groups.end(), {name, std::string()});
        if (!subject.empty())
            group->second.append(group->second.empty() ? " " : ", ").append(subject);
    }
    std::string text;
    for (const auto& [name, subjects] : groups)
        text.append(text.empty() ? "" : "; ").append(name).append(subjects);
    return text;
}

std::string figureText(const Requirement& r, const VariantFigures& figures, double value, const NumberLocale& locale)
{
    if (r.figure == "B")
        return "B = " + figures.bText;
    if (r.figure == "warnings")
        return "warnings = " + std::to_string(figures.warnings);
    return r.figure + " = " + fixedFigure(value, 3, locale);
}

}  // namespace

std::vector<Failure> unheldConstraints(const std::vector<Requirement>& requirements,
                                       const std::vector<SeenVariant>& variants, const NumberLocale& locale)
{
    std::vector<Failure> unheld;
    const long long all = (long long)variants.size();
    long long noSections = 0;
    for (const SeenVariant& v : variants)
        noSections += feasible(*v.figures) ? 0 : 1;
    if (noSections > 0)
        unheld.push_back(Failure{.kind = Failure::Kind::StudySectionsUnheld, .number = noSections, .limit = all});
    for (const Requirement& r : requirements) {
        long long broken = 0;
        const SeenVariant* closest = nullptr;
        double closestMargin = 0;
        for (const SeenVariant& v : variants) {
            const auto m = margin(r, *v.figures);
            if (m && *m >= 0)
                continue;
            ++broken;
            if (m && (!closest || *m > closestMargin)) {
                closest = &v;
                closestMargin = *m;
            }
        }
        if (broken == 0)
            continue;
        Failure f{.item = r.text, .number = broken, .limit = all};
        if (!closest) {
            f.kind = Failure::Kind::StudyRequireNoFigure;
            f.other = r.figure;
        } else if (r.figure == "warnings") {
            f.kind = Failure::Kind::StudyWarningsUnheld;
            f.other = closest->label;
            f.detail = std::to_string(closest->figures->warnings) + ": " + groupedChecks(closest->warned);
        } else {
            f.kind = Failure::Kind::StudyRequireUnheld;
            f.other = closest->label;
            f.detail = figureText(r, *closest->figures, *figureNamed(*closest->figures, r.figure), locale);
        }
        unheld.push_back(std::move(f));
    }
    return unheld;
}

}  // namespace inlet
