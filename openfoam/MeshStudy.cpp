#include "openfoam/MeshStudy.h"

namespace inlet::cfd {

namespace {

constexpr const char* kFigures[] = {"Vu", "theta", "headLoss"};

double figureOf(const SectionResult& s, const std::string& name)
{
    return name == "Vu" ? s.figures.uniformity : name == "theta" ? s.figures.angle : s.headLoss;
}

}  // namespace

const StudyFigure* MeshStudy::figure(const std::string& section, const std::string& name) const
{
    for (const StudyFigure& f : figures)
        if (f.section == section && f.figure == name)
            return &f;
    return nullptr;
}

MeshStudy meshStudy(const std::array<FlowResult, 3>& results)
{
    MeshStudy study;
    std::array<double, 3> cells{};
    for (int i = 0; i < 3; ++i) {
        study.levels[i] = results[i].level;
        study.cells[i] = results[i].cells;
        cells[i] = results[i].cells;
    }
    for (const SectionResult& fine : results[0].sections) {
        const SectionResult* medium = results[1].section(fine.name);
        const SectionResult* coarse = results[2].section(fine.name);
        if (!medium || !coarse)
            continue;
        for (const char* name : kFigures) {
            StudyFigure f{.section = fine.name, .figure = name, .values = {}, .convergence = {}};
            f.values = {figureOf(fine, name), figureOf(*medium, name), figureOf(*coarse, name)};
            f.convergence = gridConvergenceOfCells(cells, f.values, 3, kFormalOrder);
            study.figures.push_back(f);
        }
    }
    return study;
}

}  // namespace inlet::cfd
