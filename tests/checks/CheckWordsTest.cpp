// The design checks state the same facts in Chinese and in English: every wording of the table,
// and every check over designs that raise each kind of check.

#include "boxes/BoxTexts.h"
#include "run/CalculationRun.h"
#include "checks/CheckWords.h"
#include "checks/DesignChecks.h"
#include "calc/Volute.h"
#include "drawing/WidthSets.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <limits>
#include <set>
#include <string>
#include <utility>
#include <vector>

using namespace inlet;

namespace {

bool hasCjk(const std::string& text)
{
    // The UTF-8 lead bytes of U+3000 to U+9FFF (CJK punctuation, kana, ideographs) and of the
    // full-width forms U+FF00 to U+FFEF.
    for (std::size_t i = 0; i + 2 < text.size(); ++i) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const auto next = static_cast<unsigned char>(text[i + 1]);
        if ((lead >= 0xE3 && lead <= 0xE9) || (lead == 0xEF && next >= 0xBC && next <= 0xBF))
            return true;
    }
    return false;
}

// The runs of ASCII letters and digits in `text`.
std::vector<std::string> tokens(const std::string& text)
{
    std::vector<std::string> found;
    std::string run;
    for (const char c : text + ' ') {
        if (std::isalnum(static_cast<unsigned char>(c))) {
            run.push_back(c);
        } else if (!run.empty()) {
            found.push_back(run);
            run.clear();
        }
    }
    return found;
}

// What an English check states that a reader checks against the drawing: each figure and
// each symbol (a run holding a digit or a capital, or a quantity's lower-case symbol), and
// the signs of the formulas.
std::set<std::string> factsOf(const std::string& english)
{
    static const std::set<std::string> kLowerSymbols{"hk", "bp", "ap", "aa", "mm"};
    std::set<std::string> facts;
    for (const std::string& t : tokens(english)) {
        const bool digit = std::any_of(t.begin(), t.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); });
        const bool capital = std::any_of(t.begin(), t.end(), [](char c) { return std::isupper(static_cast<unsigned char>(c)); });
        if (digit || capital || kLowerSymbols.contains(t))
            facts.insert(t);
    }
    for (const char* sign : {"φ", "π", "θ", "²", "³", "·", "°", "%"})
        if (english.find(sign) != std::string::npos)
            facts.insert(sign);
    return facts;
}

// The English facts missing from the Chinese line.
std::string missingFacts(const std::string& english, const std::string& chinese)
{
    std::string missing;
    for (const std::string& fact : factsOf(english))
        if (chinese.find(fact) == std::string::npos && missing.find(fact) == std::string::npos)
            missing.append(missing.empty() ? "" : " ").append(fact);
    return missing;
}

// An English word of four letters or more: a Chinese line holds none (symbols are shorter).
bool hasEnglishWord(const std::string& chinese)
{
    const std::vector<std::string> words = tokens(chinese);
    return std::any_of(words.begin(), words.end(), [](const std::string& t) {
        return t.size() >= 4 && std::all_of(t.begin(), t.end(), [](char c) { return std::islower(static_cast<unsigned char>(c)); });
    });
}

}  // namespace

TEST(CheckWords, EveryWordingFillsTheSameFactsInBothLanguages)
{
    const Bilingual facts[] = {"F1-9101", "F2-9102", "F3-9103", "F4-9104", "F5-9105", "F6-9106"};
    for (std::size_t w = 0; w < checkWordingCount(); ++w) {
        const auto wording = static_cast<CheckWording>(w);
        const std::string chinese(checkPattern(wording, Language::Chinese));
        const std::string english(checkPattern(wording, Language::English));
        SCOPED_TRACE("wording " + std::to_string(w) + ": " + english + " | " + chinese);
        const Bilingual filled = checkWords(wording, {facts[0], facts[1], facts[2], facts[3], facts[4], facts[5]});
        for (int n = 1; n <= 6; ++n) {
            const std::string fact = "F" + std::to_string(n) + "-910" + std::to_string(n);
            const std::string placeholder = "{" + std::to_string(n) + "}";
            EXPECT_EQ(chinese.find(placeholder) == std::string::npos, english.find(placeholder) == std::string::npos)
                << placeholder << " in one language only";
            EXPECT_EQ(filled.chinese.find(fact) == std::string::npos, filled.english.find(fact) == std::string::npos)
                << fact;
        }
        EXPECT_EQ(filled.chinese.find('{'), std::string::npos);
        EXPECT_EQ(filled.english.find('{'), std::string::npos);
        EXPECT_FALSE(hasCjk(english)) << "an English wording with Chinese in it";
        EXPECT_FALSE(hasEnglishWord(chinese)) << "a Chinese wording with English in it";
        EXPECT_NE(chinese, english);
        EXPECT_EQ(missingFacts(english, chinese), "");
    }
}

TEST(CheckWords, AFactThatIsAWordingReadsInEachLanguage)
{
    const Bilingual jump = checkWords(CheckWording::WidthJump, {"87", "90", "1459", "1678", checkWords(CheckWording::QuadraticRule),
                                                                checkWords(CheckWording::LinearRule)});
    EXPECT_EQ(jump.chinese, "φ=87°至φ=90°蜗壳宽度由 1459 mm 跳至 1678 mm（二次式→线性式）");
    EXPECT_EQ(jump.english, "the width jumps from 1459 mm at φ = 87° to 1678 mm at φ = 90° where the rule changes from "
                            "quadratic to linear");
}

namespace {

struct Design {
    const char* name;
    std::vector<std::pair<Box, std::string>> typed;
    WidthSet set = WidthSet::Computed;
};

std::vector<DesignCheck> checksOf(const Design& design)
{
    BoxTexts boxes;
    boxes.type(Box::Text21, "2000");
    for (const auto& [box, text] : design.typed)
        boxes.type(box, text);
    const NumberLocale locale{".", ","};
    const Calculation c = runCalculation(boxes, locale);
    return designChecks(c, widthSets(c), design.set, boxes, locale);
}

// A run whose area-true widths cannot be computed: a steep upper wall and a threshold Ft
// below every station, set by hand (no run gives it).
std::vector<DesignCheck> areaTrueFailureChecks()
{
    BoxTexts boxes;
    boxes.type(Box::Text21, "3000");
    boxes.type(Box::Text7, "7700");  // a length quoted without the full-width tilde of the default
    const NumberLocale locale{".", ","};
    Calculation c = runCalculation(boxes, locale);
    Volute& v = c.volute;
    v.T = std::tan(80 * 3.1416 / 180);
    const double s = S(c.profile.a1, c.profile.b1, v.T);
    v.tp = {ap(c.profile.a1, v.T, s), bp(c.profile.b1, v.H2, s)};
    v.P = P(v);
    v.Ft = -std::numeric_limits<double>::max();
    return designChecks(c, widthSets(c), WidthSet::AreaTrue, boxes, locale);
}

}  // namespace

TEST(CheckWords, EveryCheckOfEveryKindStatesTheSameFactsInBothLanguages)
{
    const Design designs[] = {
        {"hk 2000: quadratic widths above hk, a jump, the width sets differ", {}},
        {"hk 2000 drawn area-true", {}, WidthSet::AreaTrue},
        {"hk 1000: hk below bp and the rim", {{Box::Text21, "1000"}}},
        {"hk 1400: hk below bp, above the rim", {{Box::Text21, "1400"}}},
        {"a wide guide cone crossing the bell mouth", {{Box::Text34, "2400"}}},
        {"a cone inlet wider than the rim", {{Box::Text3, "3100"}}},
        {"the pump inlet far from the cone's top", {{Box::Text2, "1800"}}},
        {"no pump inlet given", {{Box::Text2, ""}}},
        {"no design flow: no velocities", {{Box::Text12, "abc"}}},
        {"full-width digits", {{Box::Text11, "\xEF\xBC\x91\xEF\xBC\x93\xEF\xBC\x90\xEF\xBC\x90"}}},
        {"a decimal comma", {{Box::Text22, "50,5"}}},
        {"text after the number", {{Box::Text9, "700abc"}}},
        {"no number at all", {{Box::Text1, "abc"}}},
        {"a small rim: widths meet the bell mouth", {{Box::Text35, "2300"}, {Box::Text21, "1700"}}},
        {"a narrow rim: widths inside the rim", {{Box::Text35, "2250"}, {Box::Text21, "2500"}, {Box::Text22, "20"}}},
        {"a design flow of zero", {{Box::Text12, "0"}}},
        {"a pump inlet of zero", {{Box::Text2, "0"}}},
        {"a passage length in mm", {{Box::Text7, "7700"}}},
        {"a passage length with words after it", {{Box::Text7, "7700 long"}}},
        {"a passage length that cannot be read", {{Box::Text7, "abc"}}},
    };
    std::set<CheckKind> seen;
    const auto judge = [&seen](const std::string& name, const std::vector<DesignCheck>& checks) {
        for (const DesignCheck& check : checks) {
            SCOPED_TRACE(name + ": " + std::string(checkName(check.kind)) + " " + check.subject);
            seen.insert(check.kind);
            EXPECT_EQ(missingFacts(check.english, check.chinese), "") << check.english << " | " << check.chinese;
            EXPECT_FALSE(hasCjk(check.english)) << check.english;
            EXPECT_TRUE(hasCjk(check.chinese)) << check.chinese;
            EXPECT_FALSE(hasEnglishWord(check.chinese)) << check.chinese;
            EXPECT_EQ(&checkText(check, Language::Chinese), &check.chinese);
            EXPECT_EQ(&checkText(check, Language::English), &check.english);
        }
    };
    for (const Design& design : designs) {
        std::vector<DesignCheck> checks;
        try {
            checks = checksOf(design);
        } catch (const Failure& f) {
            ADD_FAILURE() << design.name << ": " << render(f, Language::English);
            continue;
        }
        // The texts typed are the user's, quoted as they are in both languages.
        // The L box's default text is quoted by the passage length's check.
        std::vector<std::pair<Box, std::string>> quoted(design.typed.begin(), design.typed.end());
        quoted.emplace_back(Box::Text7, std::string(boxInfo(Box::Text7).defaultText));
        for (DesignCheck& check : checks) {
            for (const auto& [box, text] : quoted) {
                for (std::string* line : {&check.chinese, &check.english})
                    if (const std::size_t at = line->find(text); !text.empty() && at != std::string::npos)
                        line->erase(at, text.size());
            }
        }
        judge(design.name, checks);
    }
    judge("area-true widths that cannot be computed", areaTrueFailureChecks());

    // Every kind the drawing's checks raise (the solid's figures are rows of the same table,
    // each checked above).
    std::string missing;
    for (int k = 0; k <= static_cast<int>(CheckKind::BoxNotUsable); ++k)
        if (!seen.contains(static_cast<CheckKind>(k)) && (k <= static_cast<int>(CheckKind::SectionVelocity)
                                                          || k >= static_cast<int>(CheckKind::PassageLength)))
            missing.append(" ").append(checkName(static_cast<CheckKind>(k)));
    EXPECT_EQ(missing, "") << "kinds no design of the table raises";
}
