// SPDX-License-Identifier: MIT
#include "dialogs.h"
#include "test_support.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

using namespace urdiva::ui;

namespace {

// Text from outside that looks like markup (a server's page, a file's name).
const char kMarkup[] = "<h1>HUGE</h1><a href=\"http://127.0.0.1:1/x\">Clique aqui</a>"
                       "<img src=\"file:///etc/hostname\">";

// Every box shows its text as plain text: markup from a server, a file name or the data arrives
// as literal characters, and a link in it is not live.
TEST(Dialogs, ShowPlainText)
{
    QtDialogs dialogs;
    const QString text = QString::fromLatin1(kMarkup);
    const std::function<void()> boxes[] = {
        [&] { dialogs.showError(nullptr, text); },
        [&] { dialogs.inform(nullptr, text); },
        [&] { dialogs.ask(nullptr, QStringLiteral("Confirmação"), text); },
    };
    for (const auto& open : boxes) {
        bool seen = false;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            const auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
            ASSERT_NE(label, nullptr);
            EXPECT_EQ(label->textFormat(), Qt::PlainText);
            EXPECT_EQ(label->text(), text);
            seen = true;
            box->done(QMessageBox::No);
        });
        open();
        EXPECT_TRUE(seen);
    }
}

// The overwrite question speaks Portuguese and shows its text whole on one line: not broken
// inside a word.
TEST(Dialogs, QuestionInPortugueseOnOneLine)
{
    URDIVA_SKIP_ON_WINDOWS("text widths: Qt's offscreen platform on Windows has no font database");
    QtDialogs dialogs;
    const QString text =
        QStringLiteral("O arquivo que você está tentando criar já existe, deseja sobrescrevê-lo?");
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->button(QMessageBox::Yes)->text().remove(u'&'), QStringLiteral("Sim"));
        EXPECT_EQ(box->button(QMessageBox::No)->text().remove(u'&'), QStringLiteral("Não"));
        const auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
        EXPECT_LE(label->fontMetrics().horizontalAdvance(text), label->contentsRect().width());
        seen = true;
        box->done(QMessageBox::No);
    });
    EXPECT_FALSE(dialogs.ask(nullptr, QStringLiteral("Confirmação"), text));
    EXPECT_TRUE(seen);
}

} // namespace
