// SPDX-License-Identifier: MIT
#include "lines_view.h"

#include <QApplication>

#include <QClipboard>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

namespace urdiva::ui {

LinesView::LinesView(QWidget* parent)
    : QAbstractScrollArea(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
}

void LinesView::setPlainText(const QString& text)
{
    m_text = text;
    m_starts.clear();
    qsizetype longest = 0;
    qsizetype longestStart = 0;
    if (!m_text.isEmpty()) {
        qsizetype start = 0;
        for (qsizetype lf; (lf = m_text.indexOf(u'\n', start)) >= 0; start = lf + 1) {
            m_starts.push_back(start);
            if (lf - start > longest) {
                longest = lf - start;
                longestStart = start;
            }
        }
        m_starts.push_back(start);
        if (m_text.size() - start > longest) {
            longest = m_text.size() - start;
            longestStart = start;
        }
    }
    // The longest line in characters stands for the widest, measured over at most its first
    // 4,096 characters and scaled up; a little room covers the rest.
    constexpr qsizetype kMeasured = 4096;
    const qsizetype measured = std::min(longest, kMeasured);
    const qint64 width =
        measured == 0
            ? 0
            : qint64(fontMetrics().horizontalAdvance(m_text.mid(longestStart, measured))) *
                  longest / measured;
    m_widest = int(std::min<qint64>(width + fontMetrics().averageCharWidth() * 4, 1 << 30));
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
    updateScrollBars();
    viewport()->update();
}

QStringView LinesView::line(qsizetype i) const
{
    const qsizetype start = m_starts[size_t(i)];
    const qsizetype end =
        size_t(i) + 1 < m_starts.size() ? m_starts[size_t(i) + 1] - 1 : m_text.size();
    return QStringView(m_text).sliced(start, end - start);
}

void LinesView::updateScrollBars()
{
    const int height = fontMetrics().lineSpacing();
    const int rows = std::max(1, viewport()->height() / height);
    verticalScrollBar()->setRange(0, std::max<qsizetype>(0, lineCount() - rows));
    verticalScrollBar()->setPageStep(rows);
    horizontalScrollBar()->setRange(0, std::max(0, m_widest - viewport()->width()));
    horizontalScrollBar()->setPageStep(viewport()->width());
}

void LinesView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void LinesView::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    painter.setPen(palette().color(QPalette::Text));
    const int height = fontMetrics().lineSpacing();
    const int left = 2 - horizontalScrollBar()->value();
    qsizetype i = verticalScrollBar()->value();
    for (int y = 1; y < viewport()->height() && i < lineCount(); y += height, ++i)
        painter.drawText(left, y + fontMetrics().ascent(), line(i).toString());
}

void LinesView::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Copy)) {
        QApplication::clipboard()->setText(m_text);
        return;
    }
    QAbstractScrollArea::keyPressEvent(event);
}

} // namespace urdiva::ui
