// SPDX-License-Identifier: MIT
#include "lines_view.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTextBoundaryFinder>

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

// What a screen reader asks of the pane: read-only text, the page in view, with its caret.
class LinesViewAccessible final : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit LinesViewAccessible(LinesView* view)
        : QAccessibleWidget(view, QAccessible::EditableText)
    {
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = true;
        state.multiLine = true;
        return state;
    }
    QString text(QAccessible::Text kind) const override
    {
        return kind == QAccessible::Value ? view()->pageText() : QAccessibleWidget::text(kind);
    }

    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override { }
    void removeSelection(int) override { }
    void setSelection(int, int, int) override { }
    int cursorPosition() const override { return view()->caretOffset(); }
    void setCursorPosition(int position) override
    {
        const QStringList lines = view()->pageText().left(position).split(u'\n');
        view()->setCaret(view()->firstLineInView() + lines.size() - 1, lines.last().size());
    }
    QString text(int start, int end) const override
    {
        return view()->pageText().mid(start, end - start);
    }
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType type, int* start,
                             int* end) const override
    {
        const QString page = view()->pageText();
        boundsAt(page, offset, type, start, end);
        if (*start <= 0) {
            *start = *end = -1;
            return {};
        }
        boundsAt(page, *start - 1, type, start, end);
        return page.mid(*start, *end - *start);
    }
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType type, int* start,
                            int* end) const override
    {
        const QString page = view()->pageText();
        boundsAt(page, offset, type, start, end);
        if (*end >= page.size()) {
            *start = *end = -1;
            return {};
        }
        boundsAt(page, *end, type, start, end);
        return page.mid(*start, *end - *start);
    }
    QString textAtOffset(int offset, QAccessible::TextBoundaryType type, int* start,
                         int* end) const override
    {
        const QString page = view()->pageText();
        boundsAt(page, offset, type, start, end);
        return page.mid(*start, *end - *start);
    }
    int characterCount() const override { return int(view()->pageText().size()); }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int start, int) override { setCursorPosition(start); }
    QString attributes(int offset, int* start, int* end) const override
    {
        *start = 0;
        *end = std::max(offset, characterCount());
        return {};
    }

private:
    LinesView* view() const { return static_cast<LinesView*>(widget()); }

    // The piece of the text at an offset: a character, a word, a sentence, a line (with its
    // break) or all of it.
    static void boundsAt(const QString& text, int offset, QAccessible::TextBoundaryType type,
                         int* start, int* end)
    {
        offset = std::clamp(offset, 0, int(text.size()));
        switch (type) {
        case QAccessible::CharBoundary:
            *start = offset;
            *end = std::min(offset + 1, int(text.size()));
            return;
        case QAccessible::LineBoundary:
        case QAccessible::ParagraphBoundary: {
            *start = offset == 0 ? 0 : int(text.lastIndexOf(u'\n', offset - 1)) + 1;
            const qsizetype lf = text.indexOf(u'\n', offset);
            *end = lf < 0 ? int(text.size()) : int(lf) + 1;
            return;
        }
        case QAccessible::WordBoundary:
        case QAccessible::SentenceBoundary: {
            QTextBoundaryFinder finder(type == QAccessible::WordBoundary
                                           ? QTextBoundaryFinder::Word
                                           : QTextBoundaryFinder::Sentence,
                                       text);
            finder.setPosition(offset);
            if (!finder.isAtBoundary())
                finder.toPreviousBoundary();
            *start = std::max(0, int(finder.position()));
            const qsizetype next = finder.toNextBoundary();
            *end = next < 0 ? int(text.size()) : int(next);
            return;
        }
        case QAccessible::NoBoundary:
            break;
        }
        *start = 0;
        *end = int(text.size());
    }
};

QAccessibleInterface* linesViewAccessible(const QString& className, QObject* object)
{
    if (className == QLatin1StringView(LinesView::staticMetaObject.className()))
        return new LinesViewAccessible(static_cast<LinesView*>(object));
    return nullptr;
}

} // namespace

LinesView::LinesView(QWidget* parent)
    : QAbstractScrollArea(parent)
{
    static const bool installed = [] {
        QAccessible::installFactory(linesViewAccessible);
        return true;
    }();
    (void)installed;
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { keepCaretInView(); });
}

qsizetype LinesView::rowsInView() const
{
    return std::max(1, viewport()->height() / fontMetrics().lineSpacing());
}

qsizetype LinesView::firstLineInView() const
{
    return verticalScrollBar()->value();
}

const QStringList& LinesView::page() const
{
    const qsizetype first = firstLineInView();
    const qsizetype rows = rowsInView() + 1;
    if (first != m_pageFirst || m_page.size() < std::min(rows, lineCount() - first)) {
        m_page = readLines(first, rows);
        m_pageFirst = first;
    }
    return m_page;
}

QString LinesView::pageText() const
{
    return page().mid(0, rowsInView()).join(u'\n');
}

int LinesView::caretOffset() const
{
    const QStringList& lines = page();
    const qsizetype row = m_caretLine - firstLineInView();
    if (row < 0 || row >= lines.size())
        return 0;
    qsizetype offset = 0;
    for (qsizetype k = 0; k < row; ++k)
        offset += lines[k].size() + 1;
    return int(offset + std::min(m_caretColumn, lines[row].size()));
}

qsizetype LinesView::lineLength(qsizetype line) const
{
    const QStringList& lines = page();
    const qsizetype row = line - firstLineInView();
    if (row >= 0 && row < lines.size())
        return lines[row].size();
    return readLines(line, 1).value(0).size();
}

void LinesView::setCaret(qsizetype line, qsizetype column)
{
    m_caretLine = std::clamp<qsizetype>(line, 0, std::max<qsizetype>(0, lineCount() - 1));
    m_caretColumn = std::max<qsizetype>(0, column);
    const qsizetype first = firstLineInView();
    const qsizetype rows = rowsInView();
    if (m_caretLine < first)
        verticalScrollBar()->setValue(int(m_caretLine));
    else if (m_caretLine >= first + rows)
        verticalScrollBar()->setValue(int(m_caretLine - rows + 1));
    const int x =
        fontMetrics().horizontalAdvance(readLines(m_caretLine, 1).value(0).left(m_caretColumn));
    if (x < horizontalScrollBar()->value())
        horizontalScrollBar()->setValue(x);
    else if (x > horizontalScrollBar()->value() + viewport()->width() - 4)
        horizontalScrollBar()->setValue(x - viewport()->width() + 4);
    viewport()->update();
    announceCaret();
}

void LinesView::keepCaretInView()
{
    const qsizetype first = firstLineInView();
    const qsizetype last = std::min(first + rowsInView(), lineCount()) - 1;
    if (lineCount() > 0 && (m_caretLine < first || m_caretLine > last)) {
        m_caretLine = std::clamp(m_caretLine, first, std::max(first, last));
        announceCaret();
    }
    if (QAccessible::isActive()) {
        QAccessibleEvent changed(this, QAccessible::VisibleDataChanged);
        QAccessible::updateAccessibility(&changed);
    }
}

void LinesView::announceCaret()
{
    if (!QAccessible::isActive())
        return;
    QAccessibleTextCursorEvent moved(this, caretOffset());
    QAccessible::updateAccessibility(&moved);
}

void LinesView::clear()
{
    m_caretLine = 0;
    m_caretColumn = 0;
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

std::optional<Problem> LinesView::showFile(const QString& path)
{
    clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return file.errorString();
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
            return file.errorString();
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
    return std::nullopt;
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
    const qsizetype first = firstLineInView();
    const QStringList& lines = page();
    int y = 1;
    for (qsizetype i = 0; i < lines.size() && y < viewport()->height(); ++i, y += height) {
        painter.drawText(left, y + fontMetrics().ascent(), lines[i]);
        if (first + i == m_caretLine && hasFocus() && lineCount() > 0) {
            const int x = left + fontMetrics().horizontalAdvance(lines[i].left(m_caretColumn));
            painter.drawLine(x, y, x, y + height - 1);
        }
    }
}

void LinesView::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Copy)) {
        QApplication::clipboard()->setText(toPlainText());
        return;
    }
    const qsizetype rows = rowsInView();
    const qsizetype line = m_caretLine;
    const qsizetype column = std::min(m_caretColumn, lineLength(line));
    if (event->matches(QKeySequence::MoveToStartOfDocument))
        setCaret(0, 0);
    else if (event->matches(QKeySequence::MoveToEndOfDocument))
        setCaret(lineCount() - 1, lineLength(lineCount() - 1));
    else if (event->matches(QKeySequence::MoveToStartOfLine))
        setCaret(line, 0);
    else if (event->matches(QKeySequence::MoveToEndOfLine))
        setCaret(line, lineLength(line));
    else if (event->matches(QKeySequence::MoveToNextPage))
        setCaret(line + rows, m_caretColumn);
    else if (event->matches(QKeySequence::MoveToPreviousPage))
        setCaret(line - rows, m_caretColumn);
    else if (event->matches(QKeySequence::MoveToNextLine))
        setCaret(line + 1, m_caretColumn);
    else if (event->matches(QKeySequence::MoveToPreviousLine))
        setCaret(line - 1, m_caretColumn);
    else if (event->matches(QKeySequence::MoveToNextChar))
        column < lineLength(line) ? setCaret(line, column + 1) : setCaret(line + 1, 0);
    else if (event->matches(QKeySequence::MoveToPreviousChar))
        column > 0 ? setCaret(line, column - 1)
                   : setCaret(line - 1, line > 0 ? lineLength(line - 1) : 0);
    else
        QAbstractScrollArea::keyPressEvent(event);
}

} // namespace urdiva::ui
