// SPDX-License-Identifier: MIT
#include "update_notice.h"

#include "dialogs.h"
#include "fonts.h"

#include <QLabel>
#include <QUrl>

namespace urdiva::ui {

UpdateNotice::UpdateNotice(Dialogs& dialogs, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint)
    , m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Atualizações"));
    resize(472, 123);
    setFont(tahomaFont(8));

    Label1 = new QLabel(QStringLiteral("Atenção!"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(16, 8, 440, 19);
    Label1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Label1->setFont(tahomaFont(12));
    QPalette heading = Label1->palette();
    heading.setColor(QPalette::WindowText, QColor(0, 128, 192));
    Label1->setPalette(heading);

    for (QLabel** line : {&Label2, &Label3}) {
        *line = new QLabel(this);
        (*line)->setTextFormat(Qt::PlainText);
    }
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->move(16, 43);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->move(16, 64);

    LinkLabel1 = new QLabel(this);
    LinkLabel1->setObjectName(QStringLiteral("LinkLabel1"));
    LinkLabel1->setGeometry(175, 98, 125, 17);
    LinkLabel1->setTextFormat(Qt::RichText);
    LinkLabel1->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    LinkLabel1->setFocusPolicy(Qt::StrongFocus);
    LinkLabel1->setAccessibleName(QStringLiteral("Clique aqui para atualizar"));
    connect(LinkLabel1, &QLabel::linkActivated, this, &UpdateNotice::openUpdatePage);
}

void UpdateNotice::setNotice(const QString& release, const QString& count,
                             const QString& updatePage)
{
    Label2->setText(QStringLiteral("Nova versão disponível! Liberada em: ") + release);
    Label2->adjustSize();
    Label3->setText(QStringLiteral("Até o momento já foram efetuados ") + count +
                    QStringLiteral(" downloads do Urdiva!"));
    Label3->adjustSize();
    LinkLabel1->setText(QStringLiteral("<a href=\"%1\">Clique aqui para atualizar</a>")
                            .arg(updatePage.toHtmlEscaped()));
}

void UpdateNotice::openUpdatePage(const QString& address)
{
    m_dialogs.openInBrowser(QUrl(address));
    done(QDialog::Rejected);
}

} // namespace urdiva::ui
