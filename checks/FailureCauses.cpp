#include "checks/FailureCauses.h"

#include "calc/CalcError.h"
#include "checks/DesignChecks.h"
#include "boxes/Reading.h"
#include "calc/ResultText.h"

#include <algorithm>
#include <string>
#include <string_view>

namespace inlet {

namespace {

using enum Quantity;

// The given sizes a computed quantity is made from, as the run's formulas use them; a size
// of zero or below makes one of its divisors or roots fail. θ is left out: a cone of 0° is a
// cylinder, a sound design.
std::vector<Quantity> sizesBehind(Quantity q)
{
    const std::vector<Quantity> bell{D0, D1, H1};
    std::vector<Quantity> tangent = bell;
    tangent.insert(tangent.end(), {aa, H2});
    std::vector<Quantity> volute = tangent;
    volute.push_back(hk);
    switch (q) {
    case a1: case b1: return bell;
    case y1: return {D0, D1, H1, H0};
    case y2: return {H0};
    case a2: return {D1, dd0};
    case b2: return {H1, H2};
    case tangentPoint: case ap: case bp: return tangent;
    case H: return {H0, H1, H2};
    case Ft: case P: case a0: case a10: case a20: case a30: case a40: case a50: case a60:
    case a70: case a80: case a87: case a84: case a90: case B: return volute;
    default: return {};  // a given size itself: the failure names its box
    }
}

// "锥管进口直径D0(mm)" → "锥管进口直径D0"; "cone inlet diameter D0, mm" → "cone inlet diameter D0".
Bilingual nameOf(const BoxInfo& info)
{
    std::string_view chinese = info.caption;
    if (const std::size_t open = chinese.rfind('('); open != std::string_view::npos)
        chinese = chinese.substr(0, open);
    std::string_view english = info.help;
    if (const std::size_t comma = english.find(','); comma != std::string_view::npos)
        english = english.substr(0, comma);
    return Bilingual(std::string(chinese), std::string(english));
}

bool blank(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; });
}

}  // namespace

std::vector<Bilingual> failureCauses(const Failure& failure, const BoxAccess& boxes, const NumberLocale& locale)
{
    std::vector<Bilingual> lines;
    if (failure.kind != Failure::Kind::DivisionByZero && failure.kind != Failure::Kind::InvalidCall
        && failure.kind != Failure::Kind::Overflow && failure.kind != Failure::Kind::TypeMismatch)
        return lines;

    // The texts read otherwise than they look, of the boxes the run reads (not Ds and Q,
    // which only the checks read).
    std::vector<std::string> named;
    for (const DesignCheck& check : textChecks(boxes, locale)) {
        const auto info = std::find_if(boxTable().begin(), boxTable().end(),
                                       [&](const BoxInfo& b) { return b.symbol == check.subject; });
        if (info == boxTable().end() || info->reading == Reading::ChecksOnly)
            continue;
        lines.emplace_back(check.chinese, check.english);
        named.push_back(check.subject);
    }

    // The sizes behind the failing quantity that hold nothing, zero or less.
    if (!failure.quantity)
        return lines;
    for (const Quantity q : sizesBehind(*failure.quantity)) {
        const BoxInfo& info = boxInfo(inputBox(q));
        if (std::find(named.begin(), named.end(), info.symbol) != named.end())
            continue;
        const std::string text = boxes.text(info.box);
        double value = 0;
        try {
            value = readNumber(info.reading, text, locale);
        } catch (const CalcError&) {
            continue;  // unreadable: the run's message names the box
        }
        if (value > 0)
            continue;
        const Bilingual name = nameOf(info);
        if (blank(text))
            lines.push_back(checkWords(CheckWording::BoxEmpty, {name}));
        else if (value == 0)
            lines.push_back(checkWords(CheckWording::BoxZero, {name}));
        else
            lines.push_back(checkWords(CheckWording::BoxNegative, {name, generalText(value, locale)}));
        named.push_back(std::string(info.symbol));
    }
    return lines;
}

}  // namespace inlet
