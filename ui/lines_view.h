// SPDX-License-Identifier: MIT
#pragma once

#include <QAbstractScrollArea>
#include <QString>

#include <vector>

namespace urdiva::ui {

// A read-only pane for long plain texts: it keeps the text as it is and draws only the lines in
// view, so a network of a million lines shows at once. Ctrl+C copies the whole text.
class LinesView : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit LinesView(QWidget* parent = nullptr);

    // The text, lines separated by LF.
    void setPlainText(const QString& text);
    void clear() { setPlainText(QString()); }
    QString toPlainText() const { return m_text; }
    qsizetype lineCount() const { return qsizetype(m_starts.size()); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QStringView line(qsizetype i) const;
    void updateScrollBars();

    QString m_text;
    std::vector<qsizetype> m_starts; // where each line begins
    int m_widest = 0; // in pixels, for the horizontal scroll bar
};

} // namespace urdiva::ui
