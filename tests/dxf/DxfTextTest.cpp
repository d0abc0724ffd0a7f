// Text as a DXF file carries it: every character kept as UTF-8, the degree and diameter signs
// too (FreeCAD shows the CAD codes %%d and %%c as written), and what a TEXT value cannot hold
// escaped rather than dropped.

#include "dxf/DxfText.h"

#include <gtest/gtest.h>

namespace {

TEST(DxfText, KeepsEveryCharacter)
{
    const struct {
        const char* name;
        const char* in;
        const char* out;
    } rows[] = {
        {"Chinese, Greek and the degree sign as they are", "φ=40°断面", "φ=40°断面"},
        {"a degree sign at the end as it is", "40°", "40°"},
        {"diameter signs as they are", "⌀700 Ø700", "⌀700 Ø700"},
        {"a line break escaped", "一\n二", "一\\U+000A二"},
        {"a backslash escaped, so that it starts no code", "a\\U+0041", "a\\U+005CU+0041"},
        {"a broken UTF-8 byte as the replacement sign", "a\xff" "b", "a\\U+FFFDb"},
        {"an overlong form byte by byte", "\xc0\xaf", "\\U+FFFD\\U+FFFD"},
        {"a surrogate byte by byte", "\xed\xa0\x80", "\\U+FFFD\\U+FFFD\\U+FFFD"},
        {"a character outside the basic plane", "\xf0\x9f\x98\x80", "\xf0\x9f\x98\x80"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(inlet::dxfText(row.in), row.out) << row.name;
}

}  // namespace
