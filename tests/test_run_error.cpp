// SPDX-License-Identifier: MIT
#include "engine/core/run_error.h"
#include "test_support.h"

#include <gtest/gtest.h>

using namespace urdiva;

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
