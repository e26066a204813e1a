// SPDX-License-Identifier: MIT
#include "lines_view.h"
#include "test_support.h"

#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QScrollBar>

#include <gtest/gtest.h>

using namespace urdiva;
using namespace urdiva::ui;
using urdiva::test::TempDir;

namespace {

// The pane reads a page of the file at a time, from the nearest line whose place it noted: any
// page, at any place, with or without a byte-order mark, CR LF or a last line break, holds the
// file's own lines.
TEST(LinesView, ShowsAnyPageOfALongFile)
{
    TempDir dir;
    LinesView view;
    view.resize(494, 105);
    view.show();
    QStringList lines;
    for (int k = 0; k < 100000; ++k)
        lines << QStringLiteral("%1 \"nó %2\" %3").arg(k).arg(k + 1).arg(QString(k % 7, u'x'));
    const struct {
        const char* head;
        const char* breakText;
        bool lastBreak;
    } forms[] = {{"\xEF\xBB\xBF", "\r\n", true}, {"", "\n", false}};
    for (const auto& form : forms) {
        const QByteArray text = QByteArray(form.head) +
                                lines.join(QString::fromLatin1(form.breakText)).toUtf8() +
                                (form.lastBreak ? QByteArray(form.breakText) : QByteArray());
        ASSERT_FALSE(view.showFile(dir.write(QStringLiteral("rede.net"), text)).has_value());
        EXPECT_EQ(view.lineCount(), 100000);
        EXPECT_EQ(view.toPlainText(), lines.join(u'\n'));
        EXPECT_GT(view.verticalScrollBar()->maximum(), 99900);
        for (const qsizetype first : {0, 1, 255, 256, 257, 511, 77777, 99990, 99999, 100000}) {
            const qsizetype count = 12;
            EXPECT_EQ(view.readLines(first, count), lines.mid(first, count)) << first;
        }
        view.verticalScrollBar()->setValue(view.verticalScrollBar()->maximum());
        EXPECT_FALSE(view.viewport()->grab().isNull());
    }

    // As a screen reader meets it: read-only text, the page in view with the caret in it; keys
    // move the caret as in a text editor, the page following it.
    QAccessibleInterface* pane = QAccessible::queryAccessibleInterface(&view);
    ASSERT_NE(pane, nullptr);
    EXPECT_EQ(pane->role(), QAccessible::EditableText);
    EXPECT_TRUE(pane->state().readOnly);
    QAccessibleTextInterface* text = pane->textInterface();
    ASSERT_NE(text, nullptr);
    const auto press = [&](int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QKeyEvent event(QEvent::KeyPress, key, modifiers);
        QApplication::sendEvent(&view, &event);
    };
    const auto caretLine = [&] {
        int start = 0;
        int end = 0;
        return text->textAtOffset(text->cursorPosition(), QAccessible::LineBoundary, &start, &end)
            .remove(u'\n');
    };
    const qsizetype rows = view.rowsInView();
    ASSERT_GT(rows, 1);
    press(Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(caretLine(), lines[0]);
    EXPECT_EQ(text->text(0, text->characterCount()), lines.mid(0, rows).join(u'\n'));
    press(Qt::Key_PageDown);
    EXPECT_EQ(caretLine(), lines[rows]);
    press(Qt::Key_Down);
    EXPECT_EQ(caretLine(), lines[rows + 1]);
    press(Qt::Key_End);
    int start = 0;
    int end = 0;
    text->textAtOffset(text->cursorPosition(), QAccessible::LineBoundary, &start, &end);
    EXPECT_EQ(text->cursorPosition(), start + lines[rows + 1].size());
    press(Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(caretLine(), lines.last());
    EXPECT_EQ(view.firstLineInView(), 100000 - rows);
    EXPECT_EQ(text->cursorPosition(), text->characterCount());
    press(Qt::Key_PageUp);
    EXPECT_EQ(caretLine(), lines[100000 - 1 - rows]);
    press(Qt::Key_Home);
    text->textAtOffset(text->cursorPosition(), QAccessible::LineBoundary, &start, &end);
    EXPECT_EQ(text->cursorPosition(), start);

    EXPECT_TRUE(view.showFile(dir.path(QStringLiteral("nada.net"))).has_value());
    EXPECT_EQ(view.lineCount(), 0);
    view.clear();
    EXPECT_EQ(view.lineCount(), 0);
    EXPECT_EQ(view.verticalScrollBar()->maximum(), 0);
}

} // namespace
