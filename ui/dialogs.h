// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

class QDialog;
class QUrl;
class QWidget;

namespace urdiva::ui {

// The modal boxes and pickers the windows use, behind one interface so that tests can answer
// them. Every box carries the application's title as its caption unless given another.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    // The data file to read, or an empty text when the user cancels. `current` is the file
    // chosen last time, where the dialog opens.
    virtual QString openDataFile(QWidget* parent, const QString& current) = 0;
    // A folder for the output, or an empty text when the user cancels.
    virtual QString chooseFolder(QWidget* parent) = 0;
    // A question with the buttons Yes and No, and under it what it is about (a file's path), if
    // anything; true for Yes.
    virtual bool ask(QWidget* parent, const QString& caption, const QString& text,
                     const QString& detail = QString()) = 0;
    // A plain message with an OK button and no icon.
    virtual void inform(QWidget* parent, const QString& text) = 0;
    // The error box: the error icon and an OK button.
    virtual void showError(QWidget* parent, const QString& text) = 0;
    // Shows a window modally until it closes.
    virtual void showModal(QDialog* dialog) = 0;
    // Opens an address in the user's browser.
    virtual void openInBrowser(const QUrl& address) = 0;
};

// Whether the open dialog would offer the path: a file (not a folder) ending in .csv, .txt, .xlsx
// or .ods.
bool isDataFile(const QString& path);

// The platform's own dialogs.
class QtDialogs final : public Dialogs {
public:
    QString openDataFile(QWidget* parent, const QString& current) override;
    QString chooseFolder(QWidget* parent) override;
    bool ask(QWidget* parent, const QString& caption, const QString& text,
             const QString& detail = QString()) override;
    void inform(QWidget* parent, const QString& text) override;
    void showError(QWidget* parent, const QString& text) override;
    void showModal(QDialog* dialog) override;
    void openInBrowser(const QUrl& address) override;
};

} // namespace urdiva::ui
