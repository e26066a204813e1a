// SPDX-License-Identifier: MIT
#include "engine/io/cell_text.h"
#include "test_support.h"

#include <gtest/gtest.h>

using namespace urdiva;

namespace {

// Each cell rule by its edge cases: the shortest decimal of a stored number, a date serial on
// either side of the day that never was and in a 1904 workbook, number formats that show dates,
// and the _xHHHH_ escapes of the characters XML cannot hold.
TEST(CellText, EachRuleAtItsEdges)
{
    const std::pair<const char*, const char*> numbers[] = {
        {"0.10000000000000001", "0.1"},
        {"2.25", "2.25"},
        {"10", "10"},
        {"1E+20", "1e+20"},
        {"-0", "0"},
        {"0.3333333333333333", "0.3333333333333333"},
        {"12abc", "12abc"},
        {"007", "7"},
        {"", ""},
    };
    for (const auto& [stored, text] : numbers)
        EXPECT_EQ(numberText(stored), text) << stored;

    const struct {
        double serial;
        bool from1904;
        const char* text;
    } dates[] = {
        {1, false, "1900-01-01"},
        {59, false, "1900-02-28"},
        {61, false, "1900-03-01"},
        {44259, false, "2021-03-04"},
        {44259.5, false, "2021-03-04T12:00:00"},
        {0, true, "1904-01-01"},
        {42797, true, "2021-03-04"},
    };
    for (const auto& d : dates)
        EXPECT_EQ(serialDateText(d.serial, d.from1904), d.text) << d.serial;
    EXPECT_EQ(isoDateText("2021-03-04T00:00:00"), "2021-03-04");
    EXPECT_EQ(isoDateText("2021-03-04T10:30:00"), "2021-03-04T10:30:00");

    for (const char* code : {"dd/mm/yyyy", "[$-416]d \"de\" mmmm", "hh:mm", "yy"})
        EXPECT_TRUE(isDateFormat(code)) << code;
    for (const char* code : {"General", "0.00", "#,##0 \"dias\"", "[Red]0", "0\\d"})
        EXPECT_FALSE(isDateFormat(code)) << code;

    EXPECT_EQ(withoutEscapes("a_x000D_b_x0009_c_xZZ_d_x00e9__xD83D__xDE00__xD83D_"),
              "a\rb\tc_xZZ_d\u00e9\U0001F600\uFFFD");
}

} // namespace
