// SPDX-License-Identifier: MIT
// A run in the main window as a user makes it, for its memory: DATA ("name;name;weight" lines) is
// chosen, ";" picked, the third column made the weight, and "Criar .net" pressed, every box
// answered Yes. Prints the run's seconds and the process's peak resident memory.
// Usage: window_run DATA OUTPUT
#include "application_setup.h"
#include "fake_dialogs.h"
#include "main_window.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <cstdio>

using namespace urdiva::ui;

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    setUpApplication(app);
    if (argc < 3) {
        std::fprintf(stderr, "usage: window_run DATA OUTPUT\n");
        return 2;
    }
    const QTemporaryDir preferences; // the default options, whatever the user's own
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, preferences.path());
    urdiva::test::FakeDialogs dialogs; // every question answered Yes
    MainWindow window(dialogs);
    window.show();
    window.openFile(QString::fromLocal8Bit(argv[1]));
    window.findChild<QRadioButton*>(QStringLiteral("semicolonItem"))->click();
    auto* value = window.findChild<QComboBox*>(QStringLiteral("valueColumnList"));
    value->setCurrentIndex(3);
    emit value->activated(3);
    window.findChild<QLineEdit*>(QStringLiteral("outputPathEdit"))
        ->setText(QString::fromLocal8Bit(argv[2]));
    window.findChild<QTabWidget*>(QStringLiteral("tabs"))->setCurrentIndex(2);
    QElapsedTimer timer;
    timer.start();
    window.findChild<QPushButton*>(QStringLiteral("createButton"))->click();
    const double seconds = double(timer.nsecsElapsed()) / 1e9;
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("%.3f s, peak %.0f MB\n", seconds, double(usage.ru_maxrss) / 1024);
    for (const QString& box : dialogs.shown) {
        if (box.startsWith(u"error:"))
            std::fprintf(stderr, "window_run: %s\n", qPrintable(box));
    }
    return 0;
}
