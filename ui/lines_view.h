// SPDX-License-Identifier: MIT
#pragma once

#include "engine/core/problem.h"

#include <QAbstractScrollArea>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace urdiva::ui {

// A read-only pane for a long text file: it reads the file once to learn where its lines begin,
// then only the lines in view, so a network of ten million lines shows at once and costs memory
// for a page of it, not for the whole. Ctrl+C copies the whole text. A caret moves as in a text
// editor (arrows, Home and End, Ctrl+Home and Ctrl+End, PageUp and PageDown), and a screen reader
// reads the page in view and the caret's line through the accessible text interface.
class LinesView : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit LinesView(QWidget* parent = nullptr);

    // The lines in view, joined by LF, as a screen reader reads them; where the caret is in that
    // text.
    QString pageText() const;
    int caretOffset() const;
    // Moves the caret to the line and column, bringing it into view.
    void setCaret(qsizetype line, qsizetype column);
    qsizetype caretLine() const { return m_caretLine; }
    qsizetype firstLineInView() const;
    qsizetype rowsInView() const;

    // Shows a UTF-8 text file (byte-order mark and CR before LF left out). On failure the pane is
    // empty, and the problem says why.
    std::optional<Problem> showFile(const QString& path);
    void clear();
    // The file's lines joined by LF (read again), without a break after the last one.
    QString toPlainText() const;
    qsizetype lineCount() const { return m_lines; }
    // Lines [first, first + count) of the file, fewer where it ends.
    QStringList readLines(qsizetype first, qsizetype count) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void updateScrollBars();
    // The lines in view, read again only when the view has moved.
    const QStringList& page() const;
    qsizetype lineLength(qsizetype line) const;
    // Keeps the caret in the view after the view was scrolled by other means.
    void keepCaretInView();
    void announceCaret();

    QString m_path;
    qint64 m_start = 0; // after the byte-order mark
    // Where every kMarkEvery-th line begins: a line is found by reading on from the mark before it.
    std::vector<qint64> m_marks;
    qsizetype m_lines = 0;
    int m_widest = 0; // in pixels, for the horizontal scroll bar
    // The lines last read for painting, which repaints without a scroll read again.
    mutable qsizetype m_pageFirst = -1;
    mutable QStringList m_page;
    qsizetype m_caretLine = 0;
    qsizetype m_caretColumn = 0;
};

} // namespace urdiva::ui
