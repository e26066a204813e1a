// SPDX-License-Identifier: MIT
#include "application_setup.h"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    // The windows are driven without a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    urdiva::ui::setUpApplication(app);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
