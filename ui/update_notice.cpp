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
    setObjectName(QStringLiteral("updateNotice"));
    setWindowTitle(QStringLiteral("Atualizações"));
    resize(472, 123);
    setFont(tahomaFont(8));

    m_headingLabel = new QLabel(QStringLiteral("Atenção!"), this);
    m_headingLabel->setObjectName(QStringLiteral("headingLabel"));
    m_headingLabel->setGeometry(16, 8, 440, 19);
    m_headingLabel->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_headingLabel->setFont(tahomaFont(12));
    QPalette heading = m_headingLabel->palette();
    heading.setColor(QPalette::WindowText, QColor(0, 128, 192));
    m_headingLabel->setPalette(heading);

    for (QLabel** line : {&m_releaseLabel, &m_downloadsLabel}) {
        *line = new QLabel(this);
        (*line)->setTextFormat(Qt::PlainText);
    }
    m_releaseLabel->setObjectName(QStringLiteral("releaseLabel"));
    m_releaseLabel->move(16, 43);
    m_downloadsLabel->setObjectName(QStringLiteral("downloadsLabel"));
    m_downloadsLabel->move(16, 64);

    m_updateLink = new QLabel(this);
    m_updateLink->setObjectName(QStringLiteral("updateLink"));
    m_updateLink->setGeometry(175, 98, 125, 17);
    m_updateLink->setTextFormat(Qt::RichText);
    m_updateLink->setTextInteractionFlags(Qt::LinksAccessibleByMouse |
                                          Qt::LinksAccessibleByKeyboard);
    m_updateLink->setFocusPolicy(Qt::StrongFocus);
    m_updateLink->setAccessibleName(QStringLiteral("Clique aqui para atualizar"));
    connect(m_updateLink, &QLabel::linkActivated, this, &UpdateNotice::openUpdatePage);
}

void UpdateNotice::setNotice(const QString& release, const QString& count,
                             const QString& updatePage)
{
    m_releaseLabel->setText(QStringLiteral("Nova versão disponível! Liberada em: ") + release);
    m_releaseLabel->adjustSize();
    m_downloadsLabel->setText(QStringLiteral("Até o momento já foram efetuados ") + count +
                              QStringLiteral(" downloads do Urdiva!"));
    m_downloadsLabel->adjustSize();
    m_updateLink->setText(QStringLiteral("<a href=\"%1\">Clique aqui para atualizar</a>")
                              .arg(updatePage.toHtmlEscaped()));
}

void UpdateNotice::openUpdatePage(const QString& address)
{
    m_dialogs.openInBrowser(QUrl(address));
    done(QDialog::Rejected);
}

} // namespace urdiva::ui
