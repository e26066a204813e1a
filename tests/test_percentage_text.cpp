// SPDX-License-Identifier: MIT
#include "engine/report/percentage_text.h"
#include "test_support.h"

#include <gtest/gtest.h>

using namespace urdiva;

namespace {

TEST(FormatPercentage, PatternInTheLocale)
{
    struct Case {
        double value;
        const char* ptBR;
        const char* enUS;
    };
    const Case cases[] = {
        {80.0, "80,00", "80.00"},
        {20.0, "20,00", "20.00"},
        {100.0, "100,00", "100.00"},
        {0.0, "0,00", "0.00"},
        {90.625, "90,63", "90.63"}, // half up, not to even
        {57.99999999999999, "58,00", "58.00"}, // rounded once shown, though below 58
        {66.66666666666666, "66,67", "66.67"},
        {0.005, "0,01", "0.01"},
        {0.0049, "0,00", "0.00"},
        {1234.5, "1.234,50", "1,234.50"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(formatPercentage(c.value, QLocale(QStringLiteral("pt_BR"))),
                  QString::fromUtf8(c.ptBR));
        EXPECT_EQ(formatPercentage(c.value, QLocale(QStringLiteral("en_US"))),
                  QString::fromUtf8(c.enUS));
    }
}

} // namespace
