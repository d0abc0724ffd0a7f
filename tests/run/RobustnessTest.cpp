// Any text in any input box ends in a full set of results or a named failure.

#include "boxes/BoxTexts.h"
#include "run/CalculationRun.h"

#include <gtest/gtest.h>

#include <string>

using namespace inlet;

TEST(Robustness, OddTextsInEveryInputBoxEndInResultsOrANamedFailure)
{
    const std::string texts[] = {
        std::string(1 << 20, '7'),
        "0." + std::string(1 << 20, '0') + "1",
        std::string(1 << 20, ' '),
        std::string("7\0" "00", 4),
        std::string(3, '\0'),
        "\xE9\x95\xBF\xE5\xBA\xA6",  // non-ASCII
        "\xFF\xFE\x80",              // not UTF-8 at all
        "-", "+", "e", "E-", "1e", "-e5", ".e1",
        "1e400", "-1e400", "1e-400", "-0", "  ", "1 300", "3.5\xEF\xBD\x9E" "5.0",
        "9" + std::string(400, '9'), "1e2147483648", "1e-99999999999999999999",
    };
    for (const Box box : inputBoxes()) {
        for (const std::string& text : texts) {
            SCOPED_TRACE(std::string(boxName(box)) + " holding \"" + text.substr(0, 20) + "\" ("
                         + std::to_string(text.size()) + " bytes)");
            BoxTexts boxes;
            boxes.type(Box::Text21, "2000");
            boxes.type(box, text);
            try {
                runCalculation(boxes, NumberLocale{".", ","});
                EXPECT_EQ(boxes.written().size(), resultWriteOrder().size());
            } catch (const Failure& failure) {
                EXPECT_LT(boxes.written().size(), resultWriteOrder().size());
                EXPECT_NE(render(failure, Language::English).find(' '), std::string::npos);
            }
            for (const Box written : boxes.written())
                EXPECT_EQ(boxes.text(written).find_first_of("NI"), std::string::npos)
                    << boxName(written) << " shows " << boxes.text(written);
            EXPECT_EQ(boxes.text(box), text) << "the run changed an input box";
        }
    }
}
