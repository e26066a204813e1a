// SPDX-License-Identifier: MIT
// Renders the main window in its states, and the progress window, to PNG files, so that the
// window can be looked at without a display. Usage: ui_screenshots FOLDER
#include "application_setup.h"
#include "dialogs.h"
#include "engine/core/run_feedback.h"
#include "fake_dialogs.h"
#include "info_window.h"
#include "main_window.h"
#include "progress_window.h"
#include "update_notice.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

using namespace urdiva::ui;

namespace {

void save(QWidget* widget, const QString& folder, const char* name)
{
    const QString path = folder + u'/' + QString::fromLatin1(name) + QStringLiteral(".png");
    widget->grab().save(path);
    std::printf("%s\n", qPrintable(path));
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    setUpApplication(app);
    // The preferences shown are the defaults, whatever the user's own.
    const QTemporaryDir preferences;
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, preferences.path());
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(folder);
    QTemporaryDir data;
    QFile file(data.filePath(QStringLiteral("coautoria.csv")));
    file.open(QIODevice::WriteOnly);
    file.write("autor;coautor;artigos\r\nAna Souza;João Pereira;3\r\nJoão Pereira;Érica Lima;1\r\n"
               "Érica Lima;Ana Souza;2\r\nZé Carlos;Ana Souza;1\r\nMárcia Dias;Zé Carlos;2\r\n"
               "Ana Souza;Márcia Dias;4\r\n");
    file.close();

    urdiva::test::FakeDialogs dialogs;
    dialogs.files << file.fileName();
    MainWindow window(dialogs);
    window.show();
    auto* tabs = window.findChild<QTabWidget*>(QStringLiteral("tabs"));
    save(&window, folder, "1-start");
    window.findChild<QPushButton*>(QStringLiteral("inputButton"))->click();
    save(&window, folder, "2-file-loaded");
    window.findChild<QRadioButton*>(QStringLiteral("semicolonItem"))->click();
    for (int tab = 0; tab < 3; ++tab) {
        tabs->setCurrentIndex(tab);
        save(&window, folder,
             tab == 0   ? "3-analysed-entrada"
             : tab == 1 ? "4-analysed-configuracoes"
                        : "5-analysed-saida");
    }
    // The header line is ignored, as a user of this file would ask.
    window.findChild<QSpinBox*>(QStringLiteral("headerLinesBox"))->setValue(1);
    window.findChild<QPushButton*>(QStringLiteral("createButton"))->click();
    save(&window, folder, "6-after-run");
    tabs->setCurrentIndex(3);
    save(&window, folder, "11-avancado");
    window.findChild<QPushButton*>(QStringLiteral("attributesButton"))->click();
    auto* attributes = window.findChild<QDialog*>(QStringLiteral("attributesDialog"));
    save(attributes, folder, "12-atributos");
    attributes->close();
    ProgressWindow progress(&window);
    progress.showStage(urdiva::messages::stageText(5));
    save(progress.window(), folder, "7-progress");
    progress.close();

    InfoWindow info(dialogs);
    info.show();
    auto* pages = info.findChild<QTabWidget*>(QStringLiteral("pages"));
    for (int page = 0; page < pages->count(); ++page) {
        pages->setCurrentIndex(page);
        save(&info, folder, qPrintable(QStringLiteral("8-info-%1").arg(page + 1)));
    }
    // The overwrite question as the platform's box shows it.
    QtDialogs boxes;
    QTimer::singleShot(0, [&] {
        if (QWidget* box = QApplication::activeModalWidget()) {
            save(box, folder, "10-overwrite-question");
            box->close();
        }
    });
    boxes.ask(&window, urdiva::messages::overwriteCaption(), urdiva::messages::overwriteQuestion());

    UpdateNotice notice(dialogs, &window);
    notice.setNotice(QStringLiteral("18/09/2019"), QStringLiteral("1234"),
                     QStringLiteral("http://urdiva.example.org/Urdiva/lastVersion/index.php"));
    notice.show();
    save(&notice, folder, "9-update-notice");
    return 0;
}
