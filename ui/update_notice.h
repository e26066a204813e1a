// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>

class QLabel;

namespace urdiva::ui {

class Dialogs;

// The notice that a newer release is available, with a link to the download page. It is
// created hidden at start-up; closing it hides it again.
class UpdateNotice : public QDialog {
    Q_OBJECT
public:
    explicit UpdateNotice(Dialogs& dialogs, QWidget* parent = nullptr);

    // Fills the two lines and the link's target. The server's texts are shown as plain text.
    void setNotice(const QString& release, const QString& count, const QString& updatePage);
    void openUpdatePage(const QString& address);

private:
    Dialogs& m_dialogs;
    QLabel* m_headingLabel;
    QLabel* m_releaseLabel;
    QLabel* m_downloadsLabel;
    QLabel* m_updateLink;
};

} // namespace urdiva::ui
