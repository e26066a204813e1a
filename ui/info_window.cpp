// SPDX-License-Identifier: MIT
#include "info_window.h"

#include "dialogs.h"
#include "engine/core/messages.h"
#include "fonts.h"
#include "info_pages.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QProxyStyle>
#include <QScreen>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTextCursor>
#include <QTextEdit>
#include <QUrl>

namespace urdiva::ui {
namespace {

// Tabs with less room around their titles, so that the five page titles fit the tab control
// side by side at its size.
class NarrowTabs final : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override
    {
        if (metric == PM_TabBarTabHSpace)
            return 10;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

QLabel* label(QWidget* parent, const char* name, const QString& text, int x, int y,
              bool bold = false)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setTextFormat(Qt::PlainText);
    if (bold)
        l->setFont(boldTahomaFont(8));
    l->adjustSize();
    l->move(x, y);
    return l;
}

} // namespace

InfoWindow::InfoWindow(Dialogs& dialogs, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint)
    , m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("info"));
    setWindowTitle(QStringLiteral("Urdiva - Info"));
    setFixedSize(510, 598);
    setFont(tahomaFont(8));
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);

    auto* image = new QLabel(this);
    image->setObjectName(QStringLiteral("logoImage"));
    image->setGeometry(199, 5, 105, 105);
    image->setPixmap(QPixmap(QStringLiteral(":/urdiva.bmp")));

    auto* title = label(this, "titleLabel", QStringLiteral("Urdiva para Windows"), 127, 114, true);
    title->setFont(boldTahomaFont(16));
    title->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    title->setGeometry(127, 114, 254, 25);
    auto* version = label(this, "versionLabel", QStringLiteral("Versão 1.1"), 329, 140);
    version->setGeometry(329, 140, 52, 13);
    version->setAlignment(Qt::AlignRight | Qt::AlignTop);
    QPalette blue = version->palette();
    blue.setColor(QPalette::WindowText, QColor(0, 0, 255));
    version->setPalette(blue);

    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("pages"));
    m_pages->setGeometry(9, 158, 493, 275);
    auto* narrow = new NarrowTabs;
    narrow->setParent(m_pages);
    m_pages->tabBar()->setStyle(narrow);
    for (const InfoPage& page : infoPages()) {
        auto* sheet = new QWidget;
        sheet->setObjectName(page.name);
        auto* view = new QTextEdit(sheet);
        view->setObjectName(page.viewName);
        view->setGeometry(6, 10, 464, 228);
        view->setReadOnly(true);
        view->setLineWrapMode(QTextEdit::WidgetWidth);
        view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        view->setPlainText(page.lines.join(u'\n'));
        view->setAccessibleName(page.title);
        m_pages->addTab(sheet, page.title);
        m_views << view;
    }

    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("creditsPanel"));
    panel->setGeometry(9, 439, 491, 151);
    panel->setFrameShape(QFrame::Box);
    panel->setLineWidth(1);
    label(panel, "teamCaption", QStringLiteral("Equipe de Desenvolvimento"), 6, 7, true);
    const QStringList team = teamLines();
    const char* names[] = {"teamLine1", "teamLine2", "teamLine3"};
    for (int k = 0; k < 3; ++k)
        label(panel, names[k], team[k], 21, 25 + 19 * k);
    label(panel, "citeCaption", QStringLiteral("Como citar o Urdiva"), 6, 95, true);
    // The reference keeps its lone carriage return; the label shows it as a line break.
    m_referenceLabel = label(panel, "referenceLabel",
                             QString(reference()).replace(u'\r', QChar::LineSeparator), 21, 113);
    m_referenceLabel->setGeometry(21, 113, 446, 33);
    m_referenceLabel->setWordWrap(false);
    m_copyReferenceLink =
        label(panel, "copyReferenceLink", QStringLiteral("Copiar referência"), 252, 126);
    m_copyReferenceLink->setGeometry(m_copyReferenceLink->x(), m_copyReferenceLink->y(),
                                     std::max(83, m_copyReferenceLink->width()), 13);
    m_copyReferenceLink->setPalette(blue);
    m_copyReferenceLink->setCursor(Qt::PointingHandCursor);
    // Reached with Tab and pressed with Return, Enter or Space, like a button.
    m_copyReferenceLink->setFocusPolicy(Qt::StrongFocus);
    m_copyReferenceLink->installEventFilter(this);
    m_copyReferenceLink->raise();
    // The second line of the reference ends before the link.
    m_copyReferenceLink->move(
        21 + m_referenceLabel->fontMetrics().horizontalAdvance(reference().section(u'\r', 1)) + 12,
        126);
    // The licences of what is installed with the program, where a package brought them.
    m_notices = thirdPartyNoticesPath();
    m_licencesLink = label(panel, "licencesLink", QStringLiteral("Licenças de terceiros"), 0, 7);
    m_licencesLink->move(491 - 8 - m_licencesLink->width(), 7);
    m_licencesLink->setPalette(blue);
    m_licencesLink->setCursor(Qt::PointingHandCursor);
    m_licencesLink->setFocusPolicy(Qt::StrongFocus);
    m_licencesLink->installEventFilter(this);
    m_licencesLink->setVisible(!m_notices.isEmpty());
}

QString thirdPartyNoticesPath()
{
    const QDir folder(QCoreApplication::applicationDirPath());
    for (const QString& path : {folder.filePath(QStringLiteral("AVISOS-DE-TERCEIROS.txt")),
                                folder.filePath(QStringLiteral("../share/doc/urdiva/copyright"))}) {
        if (QFileInfo(path).isFile())
            return QDir::cleanPath(path);
    }
    return {};
}

bool InfoWindow::eventFilter(QObject* watched, QEvent* event)
{
    // The two links answer a click, and Return, Enter or Space, as buttons do.
    bool pressed = event->type() == QEvent::MouseButtonRelease;
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        pressed = key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space;
    }
    if (pressed && watched == m_copyReferenceLink) {
        copyReference();
        return true;
    }
    if (pressed && watched == m_licencesLink) {
        m_dialogs.openInBrowser(QUrl::fromLocalFile(m_notices));
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void InfoWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!m_placed) {
        m_placed = true;
        if (const QScreen* screen = QGuiApplication::primaryScreen())
            move(screen->availableGeometry().center() - rect().center());
    }
    prepareFirstShow();
}

void InfoWindow::prepareFirstShow()
{
    // Every text from its beginning again, in this order; the page stays.
    for (const char* name : {"guideText", "presentationText", "firstExampleText",
                             "secondExampleText", "versionText"}) {
        auto* view = findChild<QTextEdit*>(QString::fromLatin1(name));
        QTextCursor start = view->textCursor();
        start.setPosition(0);
        view->setTextCursor(start);
        view->verticalScrollBar()->setValue(0);
        view->horizontalScrollBar()->setValue(0);
    }
}

void InfoWindow::copyReference()
{
    QGuiApplication::clipboard()->setText(reference());
    m_dialogs.inform(this, messages::referenceCopied());
}

} // namespace urdiva::ui
