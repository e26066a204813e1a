// SPDX-License-Identifier: MIT
#include "progress_window.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QLabel>
#include <QPalette>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace urdiva::ui {

ProgressWindow::ProgressWindow(QWidget* over)
    : m_over(over)
{
}

ProgressWindow::~ProgressWindow()
{
    close();
}

void ProgressWindow::showStage(const QString& text)
{
    if (!m_window) {
        auto* window = new QWidget(m_over, Qt::Tool | Qt::FramelessWindowHint);
        window->setObjectName(QStringLiteral("progressWindow"));
        window->setAttribute(Qt::WA_ShowWithoutActivating);
        window->setFixedSize(400, 84);
        window->setAutoFillBackground(true);
        QPalette palette = window->palette();
        palette.setColor(QPalette::Window, Qt::black);
        palette.setColor(QPalette::WindowText, Qt::white);
        window->setPalette(palette);
        m_label = new QLabel(window);
        m_label->setObjectName(QStringLiteral("stageLabel"));
        m_label->setTextFormat(Qt::PlainText);
        m_label->setGeometry(0, 34, 394, 17);
        m_label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        QFont font = QGuiApplication::font();
        font.setPointSize(8);
        m_label->setFont(font);
        m_label->setText(text);
        // Centred over the main window, kept inside the work area of its screen.
        const QRect over = m_over->frameGeometry();
        QPoint at(over.left() + (over.width() - 400) / 2, over.top() + (over.height() - 84) / 2);
        if (const QScreen* screen = m_over->screen()) {
            const QRect area = screen->availableGeometry();
            at.setX(std::max(at.x(), area.left()));
            at.setY(std::max(at.y(), area.top()));
        }
        window->move(at);
        m_window = window;
        window->show();
        window->raise();
    } else {
        m_label->setText(text);
    }
    paintNow();
}

void ProgressWindow::paintNow()
{
    // A window just mapped on a real display can be drawn only once the display has exposed it,
    // and a box closed a moment ago leaves its image on the main window until that repaints:
    // so the pending paint and expose events are handled first (never the user's input, which
    // waits for the end of the run), then the box is drawn.
    QDeadlineTimer deadline(1000);
    do {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    } while (!m_window->windowHandle()->isExposed() && !deadline.hasExpired());
    m_over->repaint();
    m_window->repaint();
}

void ProgressWindow::close()
{
    if (m_window) {
        delete m_window.data();
        m_label = nullptr;
    }
}

} // namespace urdiva::ui
