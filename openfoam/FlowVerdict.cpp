#include "openfoam/FlowVerdict.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace inlet::cfd {

namespace {

std::string fixed(double v, int decimals)
{
    char buffer[64];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::fixed, decimals).ptr;
    return std::string(buffer, end);
}

std::string percent(double share, int decimals = 1)
{
    return fixed(100 * share, decimals);
}

// Four significant digits, as the flow lines give Q.
std::string general(double v)
{
    char buffer[64];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::general, 4).ptr;
    return std::string(buffer, end);
}

}  // namespace

Verdict verdictOf(VerdictReason::Kind kind)
{
    using K = VerdictReason::Kind;
    switch (kind) {
    case K::NotSettled:
    case K::FlowUnknown:
    case K::FlowOff:
    case K::UniformityOutside:
    case K::BackflowUnknown:
    case K::BackflowLarge:
        return Verdict::Unusable;
    case K::NoMeshStudy:
    case K::GciUnknown:
    case K::GciAbove:
    case K::Oscillatory:
    case K::NotAsymptotic:
    case K::MeshQualityUnknown:
    case K::NonOrthogonalityAbove:
    case K::SkewnessAbove:
    case K::SwingAbove:
    case K::SwingUnknown:
        break;
    }
    return Verdict::Refine;
}

FlowVerdict flowVerdict(const VerdictInput& in)
{
    using K = VerdictReason::Kind;
    FlowVerdict v;
    v.onMeans = in.onMeans;
    auto add = [&](K kind, const std::string& section = {}, const std::string& figure = {}, double value = 0,
                   double limit = 0) { v.reasons.push_back({kind, section, figure, value, limit}); };
    if (!in.settled)
        add(K::NotSettled);
    for (const VerdictSection& s : in.sections) {
        if (!s.wholeSection)
            ;  // continuity holds for whole sections only
        else if (!s.flow || !in.flowGiven || !(*in.flowGiven > 0))
            add(K::FlowUnknown, s.name);
        else if (!(std::abs(*s.flow / *in.flowGiven - 1) <= kFlowLimit))
            add(K::FlowOff, s.name, {}, *s.flow, *in.flowGiven);
        if (s.uniformity && !(*s.uniformity >= 0 && *s.uniformity <= 100))
            add(K::UniformityOutside, s.name, {}, *s.uniformity);
        if (!s.backflowArea)
            add(K::BackflowUnknown, s.name);
        else if (!(*s.backflowArea <= kBackflowLimit))
            add(K::BackflowLarge, s.name, {}, *s.backflowArea, kBackflowLimit);
    }
    // Means of a swinging solution: how far each whole section's figure swung about its mean.
    for (const VerdictSection& s : in.sections) {
        if (!in.onMeans || !s.wholeSection)
            continue;
        const struct {
            const char* figure;
            const std::optional<double>& mean;
            const std::optional<Band>& band;
        } figures[] = {{"Vu", s.uniformity, s.uniformityBand}, {"theta", s.angle, s.angleBand},
                       {"headLoss", s.headLoss, s.lossBand}};
        bool known = true;
        for (const auto& f : figures) {
            // A band that does not hold its mean is none of it: a results file that names the
            // averaged iterations but keeps no band reads its bands as 0 to 0.
            const double slack = 1e-9 * (1 + (f.mean ? std::abs(*f.mean) : 0));
            if (!f.mean || !f.band || !(f.band->low - slack <= *f.mean && *f.mean <= f.band->high + slack)) {
                known = false;
                continue;
            }
            const double half = (f.band->high - f.band->low) / 2;
            const double swing = half == 0 ? 0 : half / std::abs(*f.mean);
            if (!(swing <= kSwingLimit))
                add(K::SwingAbove, s.name, f.figure, swing, kSwingLimit);
        }
        if (!known)
            add(K::SwingUnknown, s.name);
    }
    if (!in.study) {
        add(K::NoMeshStudy);
    } else {
        for (const StudyFigure& f : in.study->figures) {
            const GridConvergence& g = f.convergence;
            if (g.convergence == Convergence::Unknown)
                add(K::GciUnknown, f.section, f.figure);
            else if (!(g.index <= kGciLimit))
                add(K::GciAbove, f.section, f.figure, g.index, kGciLimit);
            if (g.convergence == Convergence::Oscillatory)
                add(K::Oscillatory, f.section, f.figure, g.index);
            if (beyondFormalOrder(g))
                add(K::NotAsymptotic, f.section, f.figure, g.order, g.bandOrder);
        }
    }
    if (!in.nonOrthogonality || !in.skewness)
        add(K::MeshQualityUnknown);
    if (in.nonOrthogonality && !(*in.nonOrthogonality <= kNonOrthogonalityLimit))
        add(K::NonOrthogonalityAbove, {}, {}, *in.nonOrthogonality, kNonOrthogonalityLimit);
    if (in.skewness && !(*in.skewness <= kSkewnessLimit))
        add(K::SkewnessAbove, {}, {}, *in.skewness, kSkewnessLimit);

    v.verdict = Verdict::Trusted;
    for (const VerdictReason& r : v.reasons)
        v.verdict = std::max(v.verdict, verdictOf(r.kind));
    return v;
}

std::string verdictName(Verdict verdict, Language language)
{
    const bool chinese = language == Language::Chinese;
    switch (verdict) {
    case Verdict::Trusted:
        return chinese ? "可信" : "trusted";
    case Verdict::Refine:
        return chinese ? "需加密网格" : "refine the mesh";
    case Verdict::Unusable:
        break;
    }
    return chinese ? "不可用" : "not usable";
}

std::string sectionWords(const std::string& name, Language language)
{
    if (language == Language::English)
        return name;
    // The names the sheet and the window give the sections (FlowRecord.cpp's flowSectionName).
    if (name == "cone_inlet")
        return "喇叭管进口（锥管进口）";
    if (name == "pump_inlet")
        return "水泵进口断面";
    return name;
}

std::string figureWords(const std::string& figure, Language language)
{
    if (figure == "theta")
        return language == Language::Chinese ? "θ̄" : "theta";
    if (figure == "headLoss")
        return language == Language::Chinese ? "水头损失" : "loss";
    return figure;
}

std::string reasonText(const VerdictReason& r, Language language)
{
    using K = VerdictReason::Kind;
    const bool zh = language == Language::Chinese;
    const std::string at = sectionWords(r.section, language);
    const std::string what = at + " " + figureWords(r.figure, language);
    switch (r.kind) {
    case K::NotSettled:
        return zh ? "计算未稳定" : "the run has not settled";
    case K::FlowUnknown:
        return zh ? at + "流量未知" : "flow through " + at + " not known";
    case K::FlowOff:
        return zh ? at + "流量 " + general(r.value) + " m³/s，与 Q " + general(r.limit) + " m³/s 相差 "
                        + percent(r.value / r.limit - 1) + "%（限 ±" + percent(kFlowLimit, 0) + "%）"
                  : "flow through " + at + " " + general(r.value) + " m3/s against Q " + general(r.limit) + " m3/s, "
                        + percent(r.value / r.limit - 1) + " % (limit +-" + percent(kFlowLimit, 0) + " %)";
    case K::UniformityOutside:
        return zh ? at + " Vu " + fixed(r.value, 1) + "% 不在 0～100% 之内"
                  : at + " Vu " + fixed(r.value, 1) + " % outside 0 to 100 %";
    case K::BackflowUnknown:
        return zh ? at + "回流份额未知" : "backflow at " + at + " not known";
    case K::BackflowLarge:
        return zh ? at + "回流占面积 " + percent(r.value) + "%（限 " + percent(r.limit, 0) + "%）"
                  : "backflow over " + percent(r.value) + " % of " + at + " (limit " + percent(r.limit, 0) + " %)";
    case K::NoMeshStudy:
        return zh ? "未做网格收敛研究（GCI 未知）" : "no mesh study (GCI not known)";
    case K::GciUnknown:
        return zh ? what + " 的 GCI 无法求得" : what + " GCI not found";
    case K::GciAbove:
        return zh ? what + " GCI " + percent(r.value) + "%（限 " + percent(r.limit, 0) + "%），未收敛"
                  : what + " GCI " + percent(r.value) + " % (limit " + percent(r.limit, 0) + " %), not converged";
    case K::Oscillatory:
        return zh ? what + " 振荡收敛" : what + " converges oscillating";
    case K::NotAsymptotic:
        return zh ? what + " 表观阶数 " + fixed(r.value, 2) + " 高于格式精度 " + fixed(r.limit, 0)
                        + "，未进入渐近区（GCI 按 " + fixed(r.limit, 0) + " 阶计）"
                  : what + " apparent order " + fixed(r.value, 2) + " above the schemes' " + fixed(r.limit, 0)
                        + ", not asymptotic (GCI taken at order " + fixed(r.limit, 0) + ")";
    case K::MeshQualityUnknown:
        return zh ? "网格质量未知（无 checkMesh 数据）" : "mesh quality not known (no checkMesh figures)";
    case K::NonOrthogonalityAbove:
        return zh ? "网格非正交度 " + fixed(r.value, 1) + "（限 " + fixed(r.limit, 0) + "）"
                  : "mesh non-orthogonality " + fixed(r.value, 1) + " (limit " + fixed(r.limit, 0) + ")";
    case K::SkewnessAbove:
        return zh ? "网格偏斜度 " + fixed(r.value, 2) + "（限 " + fixed(r.limit, 1) + "）"
                  : "mesh skewness " + fixed(r.value, 2) + " (limit " + fixed(r.limit, 1) + ")";
    case K::SwingAbove:
        return zh ? what + " 在均值附近摆动 ±" + percent(r.value) + "%（限 ±" + percent(r.limit, 0) + "%），按均值取用"
                  : what + " swings +-" + percent(r.value) + " % about its mean (limit +-" + percent(r.limit, 0)
                        + " %); its mean is taken";
    case K::SwingUnknown:
        return zh ? at + "各指标在均值附近的摆动未知（按均值取用）"
                  : "swing about the means at " + at + " not known (the means are taken)";
    }
    return {};
}

std::string verdictLine(const FlowVerdict& v, Language language)
{
    const bool zh = language == Language::Chinese;
    std::string line = verdictName(v.verdict, language) + (zh ? "：" : ": ");
    if (v.reasons.empty()) {
        line += zh ? "各断面流量与 Q 相差在 ±1% 以内，回流面积在 10% 以内，"
                     "各指标 GCI 在 5% 以内，网格质量在限内"
                   : "every section carries Q within +-1 %, backflow within 10 % of its area, every GCI "
                     "within 5 %, the mesh within its limits";
        // Only means of a swinging solution had a swing to weigh: a steady run's line is as it was.
        if (v.onMeans)
            line += zh ? "，各断面指标在均值附近的摆动在 ±" + percent(kSwingLimit, 0) + "% 以内"
                       : ", every section's figures swinging within +-" + percent(kSwingLimit, 0) + " % about their means";
        return line;
    }
    for (std::size_t i = 0; i < v.reasons.size(); ++i)
        line += (i == 0 ? "" : zh ? "；" : "; ") + reasonText(v.reasons[i], language);
    return line;
}

}  // namespace inlet::cfd
