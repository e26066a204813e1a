// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>

namespace urdiva::ui {

// The texts of the Info window: its five pages (one paragraph per line), the team and the
// reference to the program.
struct InfoPage {
    QString title;
    QString name; // of the page
    QString viewName; // of its text view
    QStringList lines;
};

QList<InfoPage> infoPages();
QStringList teamLines();
// The reference, with a lone carriage return in the middle of its subtitle.
QString reference();

} // namespace urdiva::ui
