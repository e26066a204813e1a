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

// --version and --help answer on the terminal, with no display to open a window on.
TEST(CommandLine, VersionAndHelpWithoutADisplay)
{
    for (const QString& option : {QStringLiteral("--version"), QStringLiteral("--help")}) {
        QProcess app;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("DISPLAY"));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        app.setProcessEnvironment(env);
        app.start(QStringLiteral(URDIVA_APP_PATH), {option});
        ASSERT_TRUE(app.waitForFinished(20000));
        EXPECT_EQ(app.exitCode(), 0);
        const QString out = QString::fromUtf8(app.readAllStandardOutput());
        EXPECT_TRUE(option == u"--version"
                        ? out == QStringLiteral("urdiva " URDIVA_VERSION "\n")
                        : out.startsWith(QStringLiteral("Uso: urdiva")) &&
                              out.contains(QStringLiteral("  -h, --help  Mostra esta ajuda.\n"
                                                          "  --version   Mostra a versão.\n")))
            << out.toStdString();
    }
}

} // namespace
