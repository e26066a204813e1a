// SPDX-License-Identifier: MIT
#include "engine/core/messages.h"
#include "progress_window.h"

#include <QLabel>
#include <QWidget>

#include <gtest/gtest.h>

using namespace urdiva;
using namespace urdiva::ui;

namespace {

TEST(ProgressWindow, BlackBoxCentredOverTheWindow)
{
    QWidget over;
    over.setGeometry(300, 200, 556, 502);
    over.show();
    ProgressWindow progress(&over);
    progress.showStage(messages::stageText(5));
    QWidget* box = progress.window();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->size(), QSize(400, 84));
    EXPECT_TRUE(box->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(box->palette().color(QPalette::Window), QColor(Qt::black));
    const QRect frame = over.frameGeometry();
    EXPECT_EQ(box->pos(), QPoint(frame.left() + (frame.width() - 400) / 2,
                                 frame.top() + (frame.height() - 84) / 2));
    auto* label = box->findChild<QLabel*>();
    EXPECT_EQ(label->text(), messages::stageText(5)); // the leading spaces are kept
    EXPECT_EQ(label->geometry(), QRect(0, 34, 394, 17));
    progress.showStage(messages::stageText(6));
    EXPECT_EQ(progress.window(), box);
    EXPECT_EQ(label->text(), messages::stageText(6));
    progress.close();
    EXPECT_EQ(progress.window(), nullptr);
    EXPECT_EQ(over.findChild<QWidget*>(QStringLiteral("progressWindow")), nullptr);
}

} // namespace
