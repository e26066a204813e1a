// SPDX-License-Identifier: MIT
#include "dialogs.h"
#include "engine/core/run_error.h"
#include "fake_dialogs.h"
#include "http_test_server.h"
#include "main_window.h"
#include "short_dates.h"
#include "test_support.h"
#include "update_check.h"
#include "update_notice.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTimer>
#include <QUdpSocket>

#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QUrl>
#include <functional>
#include <vector>

#include <gtest/gtest.h>

#ifndef _WIN32
#include <unistd.h>
#endif

using namespace urdiva;
using namespace urdiva::ui;
using urdiva::test::FakeDialogs;
using urdiva::test::LocaleGuard;
using urdiva::test::TempDir;

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
