// SPDX-License-Identifier: MIT
#include "engine/io/time_text.h"

#include <gtest/gtest.h>

using namespace urdiva;

namespace {

// Each form a time cell takes, its edges, and texts that only look like one; every date read is
// written back as the ISO date it stands for.
TEST(TimeText, YearsAndDatesAtTheirEdges)
{
    using Kind = TimeValue::Kind;
    const struct {
        const char* text;
        std::optional<Kind> kind;
        qint32 value;
        const char* written;
    } cases[] = {
        {"2021", Kind::Year, 2021, "2021"},
        {" 1999 ", Kind::Year, 1999, "1999"},
        {"-44", Kind::Year, -44, "-44"},
        {"7", Kind::Year, 7, "7"},
        {"2021-03-04", Kind::Date, 20210304, "2021-03-04"},
        {"2021-03-04T10:30:00", Kind::Date, 20210304, "2021-03-04"},
        {"2021-03-04 10:30", Kind::Date, 20210304, "2021-03-04"},
        {"04/03/2021", Kind::Date, 20210304, "2021-03-04"},
        {"4/3/2021", Kind::Date, 20210304, "2021-03-04"},
        {"29/02/2024", Kind::Date, 20240229, "2024-02-29"},
        {"29/02/2023", std::nullopt, 0, ""},
        {"2021-02-30", std::nullopt, 0, ""},
        {"2021-3-4", std::nullopt, 0, ""},
        {"04/03/21", std::nullopt, 0, ""},
        {"13/13/2021", std::nullopt, 0, ""},
        {"20210", std::nullopt, 0, ""},
        {"2021.0", std::nullopt, 0, ""},
        {"2021x", std::nullopt, 0, ""},
        {"", std::nullopt, 0, ""},
        {"-", std::nullopt, 0, ""},
        {"-2021-03-04", std::nullopt, 0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const std::optional<TimeValue> time = readTime(c.text);
        ASSERT_EQ(time.has_value(), c.kind.has_value());
        if (!time)
            continue;
        EXPECT_EQ(time->kind, *c.kind);
        EXPECT_EQ(time->value, c.value);
        EXPECT_EQ(timeText(time->value, time->kind), QByteArray(c.written));
    }
}

} // namespace
