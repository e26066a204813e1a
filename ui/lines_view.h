// SPDX-License-Identifier: MIT
#pragma once

#include <QAbstractScrollArea>
#include <QString>
#include <QStringList>

#include <vector>

namespace urdiva::ui {

// A read-only pane for a long text file: it reads the file once to learn where its lines begin,
// then only the lines in view, so a network of ten million lines shows at once and costs memory
// for a page of it, not for the whole. Ctrl+C copies the whole text.
class LinesView : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit LinesView(QWidget* parent = nullptr);

    // Shows a UTF-8 text file (byte-order mark and CR before LF left out). On failure the pane is
    // empty and the text says why.
    bool showFile(const QString& path, QString* error = nullptr);
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

    QString m_path;
    qint64 m_start = 0; // after the byte-order mark
    // Where every kMarkEvery-th line begins: a line is found by reading on from the mark before it.
    std::vector<qint64> m_marks;
    qsizetype m_lines = 0;
    int m_widest = 0; // in pixels, for the horizontal scroll bar
    // The lines last read for painting, which repaints without a scroll read again.
    mutable qsizetype m_pageFirst = -1;
    mutable QStringList m_page;
};

} // namespace urdiva::ui
