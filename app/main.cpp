// SPDX-License-Identifier: MIT
#include "application_setup.h"
#include "command_line.h"
#include "dialogs.h"
#include "info_window.h"
#include "main_window.h"
#include "update_check.h"
#include "update_notice.h"

#include <QApplication>

#include <functional>
#include <optional>

int main(int argc, char* argv[])
{
    if (const std::optional<QString> answer = urdiva::ui::terminalAnswer(argc, argv)) {
        urdiva::ui::printOnTerminal(*answer);
        return 0;
    }
    QApplication app(argc, argv);
    urdiva::ui::setUpApplication(app);

    urdiva::ui::QtDialogs dialogs;
    // The main window first: closing it ends the application. The other two stay hidden until
    // needed, and closing them only hides them.
    urdiva::ui::MainWindow main(dialogs);
    urdiva::ui::InfoWindow info(dialogs);
    urdiva::ui::UpdateNotice notice(dialogs, &main);
    info.setAttribute(Qt::WA_QuitOnClose, false);
    notice.setAttribute(Qt::WA_QuitOnClose, false);
    main.setInfoWindow(&info);
    // Declared after the windows it shows things in, so that it stops before they go.
    std::optional<urdiva::ui::BackgroundUpdateCheck> updateCheck;
    if (urdiva::ui::updateCheckEnabled()) {
        updateCheck.emplace(urdiva::ui::UpdateCheck(notice, dialogs, urdiva::ui::updateServerHost(),
                                                    QApplication::applicationFilePath()),
                            [&main](const std::function<void()>& step) { main.guarded(step); });
        main.setStartupCheck([&] { updateCheck->start(); });
    }
    main.show();
    if (const std::optional<QString> file = urdiva::ui::fileArgument(QApplication::arguments()))
        main.openFile(*file);
    return app.exec();
}
