// SPDX-License-Identifier: MIT
#include "Unit1.h"
#include "Unit2.h"
#include "Unit3.h"
#include "application_setup.h"
#include "dialogs.h"
#include "update_check.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    urdiva::ui::setUpApplication(app);

    urdiva::ui::QtDialogs dialogs;
    // The main window first: closing it ends the application. The other two stay hidden until
    // needed, and closing them only hides them.
    urdiva::ui::TtoPajek main(dialogs);
    urdiva::ui::Tinfo info(dialogs);
    urdiva::ui::TForm3 notice(dialogs, &main);
    info.setAttribute(Qt::WA_QuitOnClose, false);
    notice.setAttribute(Qt::WA_QuitOnClose, false);
    main.setInfoWindow(&info);
    main.setStartupCheck([&] {
        urdiva::ui::UpdateCheck(notice, dialogs, urdiva::ui::updateServerHost(),
                                QApplication::applicationFilePath())
            .VerificaAtualizacao();
    });
    main.show();
    return app.exec();
}
