#include "boxes/GivenReadings.h"

#include "calc/DesignInputs.h"

#include <cmath>
#include <exception>

namespace inlet {

namespace {

// The number at the start of `text` where it is above zero and finite.
std::optional<LenientReading> positiveAtStart(std::string_view text)
{
    try {
        const LenientReading r = lenientRead(text);
        if (r.anyDigit && r.value > 0 && std::isfinite(r.value))
            return r;
    } catch (const std::exception&) {  // beyond the double range
    }
    return std::nullopt;
}

std::string_view trimmed(std::string_view s)
{
    const auto blank = [](char ch) { return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\r'; };
    while (!s.empty() && blank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && blank(s.back()))
        s.remove_suffix(1);
    return s;
}

}  // namespace

std::optional<double> designFlowOf(std::string_view text)
{
    const auto r = positiveAtStart(text);
    return r ? std::optional<double>(r->value) : std::nullopt;
}

std::optional<double> pumpInletOf(std::string_view text) { return designFlowOf(text); }

PassageLength passageLengthOf(std::string_view text, double D)
{
    PassageLength length;
    const auto r = positiveAtStart(text);
    if (!r)
        return length;
    length.number = r->value;
    if (r->value > kLargestLengthMultiple) {
        length.taken = PassageLength::Taken::Millimetres;
        length.millimetres = r->value;
        const std::string_view rest = trimmed(text.substr(r->length));
        length.asItLooks = rest.empty() || rest == "mm";
        return length;
    }
    const double mm = r->value * D;
    if (!(D > 0) || !std::isfinite(mm))
        return length;
    length.taken = PassageLength::Taken::TimesD;
    length.millimetres = mm;
    return length;
}

std::optional<double> flowRate(const BoxAccess& boxes) { return designFlowOf(boxes.text(kFlowRateBox)); }

std::optional<double> pumpInletDiameter(const BoxAccess& boxes) { return pumpInletOf(boxes.text(kPumpInletBox)); }

PassageLength passageLength(const BoxAccess& boxes, double D) { return passageLengthOf(boxes.text(kPassageLengthBox), D); }

}  // namespace inlet
