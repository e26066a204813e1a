// SPDX-License-Identifier: MIT
#include "preview_marks.h"

#include "engine/io/input_preview.h"

#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

namespace urdiva::ui {

void markSeparators(QTextEdit& preview, QChar separator)
{
    const QString mark = separatorMark(separator);
    preview.setPlainText(preview.toPlainText().replace(separator, mark));
    QTextCharFormat format;
    format.setForeground(QColor(255, 0, 0));
    format.setFontWeight(QFont::Bold);
    int from = 0;
    for (;;) {
        QTextCursor found =
            preview.document()->find(mark, from, QTextDocument::FindCaseSensitively);
        if (found.isNull())
            break;
        found.mergeCharFormat(format);
        from = found.selectionEnd();
    }
    preview.moveCursor(QTextCursor::Start);
}

} // namespace urdiva::ui
