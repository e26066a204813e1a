// SPDX-License-Identifier: MIT
#include "dialogs.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>

#include <algorithm>

namespace urdiva::ui {

bool isDataFile(const QString& path)
{
    const QFileInfo file(path);
    const QString suffix = file.suffix().toLower();
    return file.isFile() &&
           (suffix == u"csv" || suffix == u"txt" || suffix == u"xlsx" || suffix == u"ods");
}

QString QtDialogs::openDataFile(QWidget* parent, const QString& current)
{
    return QFileDialog::getOpenFileName(
        parent, QString(), current,
        QStringLiteral("Todos (*.csv *.txt *.xlsx *.ods);;TXT (*.txt);;CSV (*.csv);;"
                       "Planilhas (*.xlsx *.ods)"));
}

QString QtDialogs::chooseFolder(QWidget* parent)
{
    QFileDialog dialog(parent);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    dialog.setLabelText(QFileDialog::LookIn, QStringLiteral("Selecione um diretório..."));
    dialog.setWindowTitle(QStringLiteral("Selecione um diretório..."));
    // The whole file system, from its root; no folder is preselected.
    dialog.setDirectory(QDir::rootPath());
    // Qt's own dialog: the platform's may offer a button for new folders, this one is told not to.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::ReadOnly);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
}

namespace {

// A box's text may carry a file name, data or a server's words: it is shown as plain text,
// never read as markup (a link in it would be live).
int exec(QMessageBox::Icon icon, const QString& caption, const QString& text,
         QMessageBox::StandardButtons buttons, QWidget* parent, const QString& detail = QString())
{
    QMessageBox box(icon, caption, text, buttons, parent);
    box.setTextFormat(Qt::PlainText);
    if (!detail.isEmpty()) {
        box.setInformativeText(detail);
        if (auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_informativelabel")))
            label->setTextFormat(Qt::PlainText);
    }
    // A box as wide as its text, up to a bound, rather than wrapped at a width of Qt's choosing
    // (which broke "sobrescrevê-lo" at its hyphen); a longer text wraps between words.
    if (auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) {
        int width = 0;
        for (const QString& line : text.split(u'\n'))
            width = std::max(width, label->fontMetrics().horizontalAdvance(line));
        label->setMinimumWidth(std::min(width + 2, 640));
    }
    return box.exec();
}

} // namespace

bool QtDialogs::ask(QWidget* parent, const QString& caption, const QString& text,
                    const QString& detail)
{
    return exec(QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No, parent,
                detail) == QMessageBox::Yes;
}

void QtDialogs::inform(QWidget* parent, const QString& text)
{
    exec(QMessageBox::NoIcon, QApplication::applicationName(), text, QMessageBox::Ok, parent);
}

void QtDialogs::showError(QWidget* parent, const QString& text)
{
    exec(QMessageBox::Critical, QApplication::applicationName(), text, QMessageBox::Ok, parent);
}

void QtDialogs::showModal(QDialog* dialog)
{
    dialog->exec();
}

void QtDialogs::openInBrowser(const QUrl& address)
{
    QDesktopServices::openUrl(address);
}

} // namespace urdiva::ui
