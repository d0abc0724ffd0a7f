#include "run/CalculationRun.h"

#include "calc/Arithmetic.h"
#include "calc/DesignInputs.h"
#include "calc/Profiles.h"
#include "calc/ResultText.h"
#include "calc/Volute.h"

#include <array>
#include <utility>

namespace inlet {

namespace {

Failure::Kind failureKind(FailureKind kind)
{
    switch (kind) {
    case FailureKind::TypeMismatch: return Failure::Kind::TypeMismatch;
    case FailureKind::Overflow: return Failure::Kind::Overflow;
    case FailureKind::DivisionByZero: return Failure::Kind::DivisionByZero;
    case FailureKind::InvalidCall: return Failure::Kind::InvalidCall;
    }
    return Failure::Kind::InvalidCall;
}

Failure runFailure(FailureKind kind, Quantity q, std::optional<Box> box, int step)
{
    Failure f{.kind = failureKind(kind)};
    f.quantity = q;
    f.box = box;
    f.step = step;
    return f;
}

// The run's own bookkeeping: which step it is in, and turning a calculation failure into a
// Failure that says where it happened.
class Run {
public:
    explicit Run(BoxAccess& boxes) : boxes_(boxes) {}

    void step(int n) { step_ = n; }

    // Reads a given dimension from its box by the box's reading rule.
    double read(Quantity q, const NumberLocale& locale)
    {
        const Box box = inputBox(q);
        const std::string text = boxes_.text(box);
        try {
            return readValue(boxInfo(box).reading, text, locale);
        } catch (const CalcError& e) {
            throw runFailure(e.kind(), q, box, step_);
        }
    }

    template <typename Compute>
    auto compute(Quantity q, Compute f)
    {
        try {
            return f();
        } catch (const CalcError& e) {
            throw runFailure(e.kind(), q, std::nullopt, step_);
        }
    }

    void write(Box box, const std::string& text) { boxes_.setText(box, text); }

private:
    BoxAccess& boxes_;
    int step_ = 0;
};

}  // namespace

Calculation runCalculation(BoxAccess& boxes, const NumberLocale& locale)
{
    using enum Quantity;
    Run run(boxes);
    Calculation c;
    DesignInputs& in = c.in;
    ProfileResults& profile = c.profile;

    // The single quantities are read as singles: held as floats, they lose nothing.
    run.step(1);
    in.H0 = run.read(H0, locale);
    in.H1 = run.read(H1, locale);
    in.H2 = static_cast<float>(run.read(H2, locale));
    in.D0 = run.read(D0, locale);
    in.theta = static_cast<float>(run.read(theta, locale));
    in.D1 = run.read(D1, locale);
    in.D = run.read(D, locale);

    run.step(2);
    profile.a1 = run.compute(a1, [&] { return inlet::a1(in); });
    profile.b1 = run.compute(b1, [&] { return inlet::b1(in); });
    run.write(Box::Text13, picture0000(profile.a1));
    run.write(Box::Text14, picture0000(profile.b1));

    run.step(3);
    profile.x1 = inlet::x1(in);
    run.write(Box::Text15, generalText(profile.x1, locale));

    run.step(4);
    profile.y1 = run.compute(y1, [&] { return inlet::y1(in, profile.b1); });
    run.write(Box::Text16, run.compute(y1, [&] { return y1Text(profile.y1, locale); }));

    run.step(5);
    profile.x2 = inlet::x2(in);
    run.write(Box::Text18, generalText(profile.x2, locale));

    run.step(6);
    profile.y2 = run.compute(y2, [&] { return inlet::y2(in); });
    run.write(Box::Text17, singleText(profile.y2, locale));

    run.step(7);
    in.dd0 = static_cast<float>(run.read(dd0, locale));
    profile.a2 = run.compute(a2, [&] { return inlet::a2(in); });
    run.write(Box::Text20, generalText(profile.a2, locale));

    run.step(8);
    profile.b2 = run.compute(b2, [&] { return inlet::b2(in); });
    run.write(Box::Text19, generalText(profile.b2, locale));

    run.step(9);
    in.aa = run.read(aa, locale);
    const double tanAa = run.compute(tangentPoint, [&] { return T(in); });
    const double s = run.compute(tangentPoint, [&] { return S(profile.a1, profile.b1, tanAa); });
    const TangentPoint tp{
        .ap = run.compute(ap, [&] { return inlet::ap(profile.a1, tanAa, s); }),
        .bp = run.compute(bp, [&] { return inlet::bp(profile.b1, in.H2, s); }),
    };
    run.write(Box::Text23, picture0000(tp.ap));
    run.write(Box::Text24, picture0000(tp.bp));

    run.step(10);
    in.hk = static_cast<float>(run.read(hk, locale));
    Volute& v = c.volute;
    v = Volute{.tp = tp, .H2 = in.H2, .hk = in.hk, .T = tanAa};
    v.Ft = run.compute(Ft, [&] { return inlet::Ft(v); });
    v.P = run.compute(P, [&] { return inlet::P(v); });
    constexpr std::array<Quantity, 9> kStation{a0, a10, a20, a30, a40, a50, a60, a70, a80};
    for (int k = 0; k <= 8; ++k)
        run.compute(kStation[static_cast<std::size_t>(k)],
                    [&] { computeStation(c.table, k, v, in.D1); });

    run.step(11);
    c.a87 = run.compute(a87, [&] { return inlet::a87(v, in.D1); });
    run.write(Box::Text36, picture0000(c.a87));

    run.step(12);
    c.a84 = run.compute(a84, [&] { return inlet::a84(v, in.D1); });
    run.write(Box::Text37, picture0000(c.a84));

    run.step(13);
    profile.H = run.compute(H, [&] { return inlet::H(in); });
    run.write(Box::Text5, picture0000(profile.H));

    run.step(14);
    constexpr std::array<Box, 9> kStationBox{Box::Text38, Box::Text33, Box::Text32,
                                             Box::Text31, Box::Text30, Box::Text29,
                                             Box::Text28, Box::Text27, Box::Text26};
    for (std::size_t k = 0; k < kStationBox.size(); ++k)
        run.write(kStationBox[k], picture0000(c.table.A[k]));

    run.step(15);
    c.a90 = run.compute(a90, [&] { return inlet::a90(v, in.D1); });
    run.write(Box::Text25, picture0000(c.a90));

    run.step(16);
    c.B = run.compute(B, [&] { return inlet::B(c.a90, in.D1); });
    run.write(Box::Text6, picture0000(c.B));
    return c;
}

}  // namespace inlet
