// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>

class QLabel;
class QTabWidget;
class QTextEdit;

namespace urdiva::ui {

class Dialogs;

// The Info window: a picture, the name and version, five help m_pages, the team and the reference
// to the program, which one click copies. Not modal; closing it only hides it.
class InfoWindow : public QWidget {
    Q_OBJECT
public:
    explicit InfoWindow(Dialogs& dialogs, QWidget* parent = nullptr);

    void copyReference();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void prepareFirstShow();

    Dialogs& m_dialogs;
    bool m_placed = false;
    QTabWidget* m_pages;
    QList<QTextEdit*> m_views;
    QLabel* m_referenceLabel;
    QLabel* m_copyReferenceLink;
    QLabel* m_licencesLink;
    QString m_notices;
};

// The file of the licences of what a package installed beside the programs (the Windows
// package's notices, the Debian package's copyright file); empty when there is none.
QString thirdPartyNoticesPath();

} // namespace urdiva::ui
