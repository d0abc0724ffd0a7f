#pragma once

// Whether the flow figures of a design can be signed: one verdict, with every reason for it.
//   Trusted   (可信)        every check below passes and each one is known
//   Refine    (需加密网格)  the figures mean what they say, but how far the mesh (or a swinging
//                           solution) moves them is too large or not known: no mesh study, a
//                           GCI above kGciLimit or none found, oscillatory convergence, an
//                           apparent order above the schemes' formal one (not asymptotic),
//                           checkMesh's figures beyond their limits or not known; in a run
//                           settled on its means (the figures the means of a swinging
//                           solution), a whole section's Vu, θ̄ or loss swinging about its
//                           mean by more than kSwingLimit, or its swing not known (a record
//                           kept without the band, or a band that does not hold its mean)
//   Unusable  (不可用)      the figures do not describe the design's flow: not settled, a
//                           section's flow off Q by more than kFlowLimit (or not known), a Vu
//                           outside 0 to 100 %, backflow over more than kBackflowLimit of a
//                           section's area
// Data that is missing never passes a check: it is a reason of its own ("not known").
// The swing of a figure is half its band's width (the least to the most it took over the
// averaged iterations) over its mean: the share the figure may be off by because the
// solution did not hold still, weighed against the same 5 % as the share the mesh may move it
// by (kGciLimit). Its mean is still the figure taken. A run settled steadily has no band and
// no swing; the annulus (a part of the pump inlet's section) is weighed only as its whole section.

#include "messages/Failure.h"
#include "openfoam/FlowResult.h"
#include "openfoam/MeshStudy.h"

#include <optional>
#include <string>
#include <vector>

namespace inlet::cfd {

inline constexpr double kFlowLimit = 0.01;          // |Q_section / Q - 1|
inline constexpr double kBackflowLimit = 0.10;      // backflow's share of a section's area
inline constexpr double kNonOrthogonalityLimit = 60;  // degrees, checkMesh's maximum
inline constexpr double kSkewnessLimit = 3.5;         // checkMesh's maximum skewness
inline constexpr double kSwingLimit = 0.05;         // half a swinging figure's band over its mean

enum class Verdict { Trusted, Refine, Unusable };

struct VerdictSection {
    std::string name;                    // "pump_inlet"
    std::optional<double> flow;          // m^3/s through it
    std::optional<double> uniformity;    // Vu, %
    std::optional<double> backflowArea;  // share of the area
    bool wholeSection = true;            // false: a part of a section (the annulus), which carries less than Q
    std::optional<double> angle{};       // θ̄, degrees
    std::optional<double> headLoss{};    // m
    // Where the run settled on its means: the least and the most Vu, θ̄ and the loss took over
    // the averaged iterations; none: not known (a record kept without them).
    std::optional<Band> uniformityBand{}, angleBand{}, lossBand{};
};

struct VerdictInput {
    bool settled = false;
    bool onMeans = false;  // settled on the means of a swinging solution: the sections' bands are weighed
    std::optional<double> flowGiven;  // Q, m^3/s
    std::vector<VerdictSection> sections;
    std::optional<MeshStudy> study;             // none: no mesh study was made
    std::optional<double> nonOrthogonality;     // checkMesh's maximum, degrees; none: not known
    std::optional<double> skewness;             // checkMesh's maximum; none: not known
};

struct VerdictReason {
    enum class Kind {
        NotSettled,
        FlowUnknown,
        FlowOff,            // value: Q through the section, limit: Q given
        UniformityOutside,  // value: Vu
        BackflowUnknown,
        BackflowLarge,      // value: share of the area
        NoMeshStudy,
        GciUnknown,         // figure: which
        GciAbove,           // figure, value: GCI21
        Oscillatory,        // figure, value: GCI21
        NotAsymptotic,      // figure, value: the apparent order, limit: the formal one
        MeshQualityUnknown,
        NonOrthogonalityAbove,  // value
        SkewnessAbove,          // value
        SwingAbove,    // figure, value: half the band over the mean, limit: kSwingLimit
        SwingUnknown,  // section
    } kind;
    std::string section;
    std::string figure;
    double value = 0;
    double limit = 0;
};

struct FlowVerdict {
    Verdict verdict = Verdict::Unusable;
    std::vector<VerdictReason> reasons;  // in the order of the checks; empty for Trusted
    bool onMeans = false;  // the input's: a line without reasons says the swing was within its limit
};

FlowVerdict flowVerdict(const VerdictInput& input);

// Which verdict a reason leads to at least.
Verdict verdictOf(VerdictReason::Kind kind);

// "可信", "需加密网格", "不可用"; "trusted", "refine the mesh", "not usable".
std::string verdictName(Verdict verdict, Language language);
std::string reasonText(const VerdictReason& reason, Language language);
// One line: the verdict and its reasons ("需加密网格：未做网格收敛研究；网格质量未知（无 checkMesh 数据）").
std::string verdictLine(const FlowVerdict& verdict, Language language);

// A section's and a figure's names in `language` (Chinese: "水泵进口断面", "θ̄", "水头损失").
std::string sectionWords(const std::string& name, Language language);
std::string figureWords(const std::string& figure, Language language);

}  // namespace inlet::cfd
