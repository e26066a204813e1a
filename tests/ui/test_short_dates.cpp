// SPDX-License-Identifier: MIT
#include "short_dates.h"

#include <gtest/gtest.h>

using namespace urdiva::ui;

namespace {

TEST(ShortDate, RegionalOrders)
{
    const QDate today(2026, 12, 9);
    struct Case {
        const char* locale;
        const char* text;
        QDate date;
    };
    const Case cases[] = {
        {"pt_BR", "18/09/2019", QDate(2019, 9, 18)},
        {"pt_BR", "  18 / 9 / 19 / ", QDate(2019, 9, 18)},
        {"pt_BR", "18/09", QDate(2026, 9, 18)},
        {"pt_BR", "1/2/50", QDate(1950, 2, 1)},
        {"pt_BR", "1/2/49", QDate(2049, 2, 1)},
        {"pt_BR", "31/02/2019", QDate()},
        {"pt_BR", "18-09-2019", QDate()},
        {"pt_BR", "18/09/2019x", QDate()},
        {"pt_BR", "", QDate()},
        {"pt_BR", "18", QDate()},
        {"en_US", "9/18/2019", QDate(2019, 9, 18)},
        {"en_US", "18/09/2019", QDate()},
        {"sv_SE", "2019-09-18", QDate(2019, 9, 18)},
        {"de_DE", "18.09.2019", QDate(2019, 9, 18)},
    };
    for (const Case& c : cases) {
        const QLocale locale(QString::fromLatin1(c.locale));
        const auto date = readShortDate(QString::fromLatin1(c.text), locale, today);
        EXPECT_EQ(date.value_or(QDate()), c.date) << c.locale << " " << c.text;
    }
    EXPECT_EQ(dateKey(QDate(2019, 9, 17), QLocale(QStringLiteral("pt_BR"))),
              QStringLiteral("2019/09/17"));
    EXPECT_EQ(dateKey(QDate(2019, 9, 17), QLocale(QStringLiteral("sv_SE"))),
              QStringLiteral("2019-09-17"));
}

} // namespace
