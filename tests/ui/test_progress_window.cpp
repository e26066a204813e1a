// SPDX-License-Identifier: MIT
#include "advanced_tab.h"
#include "command_line.h"
#include "engine/core/run_feedback.h"
#include "fake_dialogs.h"
#include "info_window.h"
#include "lines_view.h"
#include "main_window.h"
#include "progress_window.h"
#include "test_support.h"
#include "update_check.h"
#include "update_notice.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSettings>
#include <QSpinBox>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextEdit>
#include <QTimer>
#include <QUrl>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <functional>

using namespace urdiva;
using namespace urdiva::ui;
using urdiva::test::FakeDialogs;
using urdiva::test::LocaleGuard;
using urdiva::test::readBytes;
using urdiva::test::TempDir;

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
