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
    image->setObjectName(QStringLiteral("Image1"));
    image->setGeometry(199, 5, 105, 105);
    image->setPixmap(QPixmap(QStringLiteral(":/urdiva.bmp")));

    auto* title = label(this, "Label1", QStringLiteral("Urdiva para Windows"), 127, 114, true);
    title->setFont(boldTahomaFont(16));
    title->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    title->setGeometry(127, 114, 254, 25);
    auto* version = label(this, "Label6", QStringLiteral("Versão 1.1"), 329, 140);
    version->setGeometry(329, 140, 52, 13);
    version->setAlignment(Qt::AlignRight | Qt::AlignTop);
    QPalette blue = version->palette();
    blue.setColor(QPalette::WindowText, QColor(0, 0, 255));
    version->setPalette(blue);

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setGeometry(9, 158, 493, 275);
    auto* narrow = new NarrowTabs;
    narrow->setParent(PageControl1);
    PageControl1->tabBar()->setStyle(narrow);
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
        PageControl1->addTab(sheet, page.title);
        m_views << view;
    }

    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setGeometry(9, 439, 491, 151);
    panel->setFrameShape(QFrame::Box);
    panel->setLineWidth(1);
    label(panel, "Label5", QStringLiteral("Equipe de Desenvolvimento"), 6, 7, true);
    const QStringList team = teamLines();
    const char* names[] = {"Label3", "Label4", "Label2"};
    for (int k = 0; k < 3; ++k)
        label(panel, names[k], team[k], 21, 25 + 19 * k);
    label(panel, "Label8", QStringLiteral("Como citar o Urdiva"), 6, 95, true);
    // The reference keeps its lone carriage return; the label shows it as a line break.
    Label7 =
        label(panel, "Label7", QString(reference()).replace(u'\r', QChar::LineSeparator), 21, 113);
    Label7->setGeometry(21, 113, 446, 33);
    Label7->setWordWrap(false);
    Label9 = label(panel, "Label9", QStringLiteral("Copiar referência"), 252, 126);
    Label9->setGeometry(Label9->x(), Label9->y(), std::max(83, Label9->width()), 13);
    Label9->setPalette(blue);
    Label9->setCursor(Qt::PointingHandCursor);
    // Reached with Tab and pressed with Return, Enter or Space, like a button.
    Label9->setFocusPolicy(Qt::StrongFocus);
    Label9->installEventFilter(this);
    Label9->raise();
    // The second line of the reference ends before the link.
    Label9->move(21 + Label7->fontMetrics().horizontalAdvance(reference().section(u'\r', 1)) + 12,
                 126);
    // The licences of what is installed with the program, where a package brought them.
    m_notices = thirdPartyNoticesPath();
    LabelLicencas = label(panel, "LabelLicencas", QStringLiteral("Licenças de terceiros"), 0, 7);
    LabelLicencas->move(491 - 8 - LabelLicencas->width(), 7);
    LabelLicencas->setPalette(blue);
    LabelLicencas->setCursor(Qt::PointingHandCursor);
    LabelLicencas->setFocusPolicy(Qt::StrongFocus);
    LabelLicencas->installEventFilter(this);
    LabelLicencas->setVisible(!m_notices.isEmpty());
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
    if (pressed && watched == Label9) {
        copyReference();
        return true;
    }
    if (pressed && watched == LabelLicencas) {
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
    for (const char* name : {"RichEditGuia", "RichEditApresenta", "RichEditExemplo1",
                             "RichEditExemplo2", "RichEditVersao"}) {
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
