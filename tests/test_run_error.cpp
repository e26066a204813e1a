// SPDX-License-Identifier: MIT
#include "engine/conversion/conversion_run.h"
#include "engine/core/run_error.h"
#include "engine/report/similarity_report.h"
#include "reference.h"
#include "test_support.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace urdiva;
using urdiva::test::LocaleGuard;
using urdiva::test::readBytes;
using urdiva::test::RecordingFeedback;
using urdiva::test::TempDir;

namespace {

TEST(ErrorBoxText, AppendsAFullStopAfterLettersOnly)
{
    EXPECT_EQ(errorBoxText(QStringLiteral("File not found")), QStringLiteral("File not found."));
    EXPECT_EQ(errorBoxText(QStringLiteral("I/O error 5")), QStringLiteral("I/O error 5."));
    EXPECT_EQ(errorBoxText(QStringLiteral("Pronto!")), QStringLiteral("Pronto!"));
    EXPECT_EQ(errorBoxText(QStringLiteral("fim.")), QStringLiteral("fim."));
    EXPECT_EQ(errorBoxText(QStringLiteral("x/")), QStringLiteral("x/."));
    EXPECT_EQ(errorBoxText(QString()), QString());
}

} // namespace
