// SPDX-License-Identifier: MIT
#include "lines_view.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <cstring>

namespace urdiva::ui {
namespace {

constexpr qsizetype kMarkEvery = 256;
constexpr qint64 kChunk = qint64(1) << 20;

QString lineText(QByteArray bytes)
{
    if (bytes.endsWith('\n'))
        bytes.chop(1);
    if (bytes.endsWith('\r'))
        bytes.chop(1);
    return QString::fromUtf8(bytes);
}

} // namespace

LinesView::LinesView(QWidget* parent)
    : QAbstractScrollArea(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
}

void LinesView::clear()
{
    m_path.clear();
    m_marks.clear();
    m_lines = 0;
    m_widest = 0;
    m_pageFirst = -1;
    m_page.clear();
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
    updateScrollBars();
    viewport()->update();
}

bool LinesView::showFile(const QString& path, QString* error)
{
    clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    const QByteArray head = file.peek(3);
    const qint64 start = head == "\xEF\xBB\xBF" ? 3 : 0;
    file.seek(start);
    std::vector<qint64> marks;
    qsizetype lines = 0;
    qint64 lineStart = start;
    qint64 longest = 0;
    qint64 longestStart = start;
    QByteArray chunk(kChunk, Qt::Uninitialized);
    for (qint64 offset = start;;) {
        const qint64 got = file.read(chunk.data(), kChunk);
        if (got < 0) {
            if (error)
                *error = file.errorString();
            return false;
        }
        if (got == 0)
            break;
        for (const char* p = chunk.constData(); p != chunk.constData() + got;) {
            const char* lf =
                static_cast<const char*>(std::memchr(p, '\n', size_t(chunk.constData() + got - p)));
            if (!lf)
                break;
            if (lines % kMarkEvery == 0)
                marks.push_back(lineStart);
            const qint64 end = offset + (lf - chunk.constData());
            if (end - lineStart > longest) {
                longest = end - lineStart;
                longestStart = lineStart;
            }
            ++lines;
            lineStart = end + 1;
            p = lf + 1;
        }
        offset += got;
        if (file.atEnd() && lineStart < offset) { // a last line without a break
            if (lines % kMarkEvery == 0)
                marks.push_back(lineStart);
            if (offset - lineStart > longest) {
                longest = offset - lineStart;
                longestStart = lineStart;
            }
            ++lines;
        }
    }
    // The longest line in bytes stands for the widest, measured over at most its first 4,096
    // bytes and scaled up; a little room covers the rest.
    constexpr qint64 kMeasured = 4096;
    qint64 width = 0;
    if (longest > 0) {
        file.seek(longestStart);
        const QByteArray piece = file.read(std::min(longest, kMeasured));
        width = qint64(fontMetrics().horizontalAdvance(lineText(piece))) * longest /
                std::max<qint64>(1, piece.size());
    }
    m_path = path;
    m_start = start;
    m_marks = std::move(marks);
    m_lines = lines;
    m_widest = int(std::min<qint64>(width + fontMetrics().averageCharWidth() * 4, 1 << 30));
    updateScrollBars();
    viewport()->update();
    return true;
}

QStringList LinesView::readLines(qsizetype first, qsizetype count) const
{
    QStringList lines;
    if (first >= m_lines || count <= 0)
        return lines;
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly) || !file.seek(m_marks[size_t(first / kMarkEvery)]))
        return lines;
    for (qsizetype skip = first % kMarkEvery; skip > 0 && !file.atEnd(); --skip)
        file.readLine();
    while (lines.size() < count && !file.atEnd())
        lines << lineText(file.readLine());
    return lines;
}

QString LinesView::toPlainText() const
{
    QFile file(m_path);
    if (m_path.isEmpty() || !file.open(QIODevice::ReadOnly) || !file.seek(m_start))
        return {};
    QString text = QString::fromUtf8(file.readAll());
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (text.endsWith(u'\n'))
        text.chop(1);
    return text;
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
    const qsizetype first = verticalScrollBar()->value();
    const qsizetype rows = viewport()->height() / height + 1;
    if (first != m_pageFirst || m_page.size() < std::min(rows, lineCount() - first)) {
        m_page = readLines(first, rows);
        m_pageFirst = first;
    }
    int y = 1;
    for (qsizetype i = 0; i < m_page.size() && y < viewport()->height(); ++i, y += height)
        painter.drawText(left, y + fontMetrics().ascent(), m_page[i]);
}

void LinesView::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Copy)) {
        QApplication::clipboard()->setText(toPlainText());
        return;
    }
    QAbstractScrollArea::keyPressEvent(event);
}

} // namespace urdiva::ui
