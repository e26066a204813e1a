// SPDX-License-Identifier: MIT
#pragma once

#include "dialogs.h"

#include <QDialog>
#include <QStringList>
#include <QUrl>

#include <functional>

namespace urdiva::test {

// Answers the windows' boxes and pickers from queues, and notes every box that came up, in
// order: "ask:caption:text" (and a line with its detail), "inform:text", "error:text", "modal",
// "browser:address".
class FakeDialogs final : public ui::Dialogs {
public:
    QStringList files;
    QStringList folders;
    bool overwrite = true;
    QStringList shown;
    std::function<void()> onBox; // runs as any box comes up
    std::function<void(QDialog*)> onModal; // answers a modal window

    QString openDataFile(QWidget*, const QString&) override
    {
        return files.isEmpty() ? QString() : files.takeFirst();
    }
    QString chooseFolder(QWidget*) override
    {
        return folders.isEmpty() ? QString() : folders.takeFirst();
    }
    bool ask(QWidget*, const QString& caption, const QString& text,
             const QString& detail = QString()) override
    {
        box(QStringLiteral("ask:") + caption + u':' + text +
            (detail.isEmpty() ? QString() : u'\n' + detail));
        return overwrite;
    }
    void inform(QWidget*, const QString& text) override { box(QStringLiteral("inform:") + text); }
    void showError(QWidget*, const QString& text) override { box(QStringLiteral("error:") + text); }
    void showModal(QDialog* dialog) override
    {
        box(QStringLiteral("modal"));
        if (onModal)
            onModal(dialog);
    }
    void openInBrowser(const QUrl& address) override
    {
        box(QStringLiteral("browser:") + address.toString());
    }

private:
    void box(const QString& text)
    {
        shown << text;
        if (onBox)
            onBox();
    }
};

} // namespace urdiva::test
