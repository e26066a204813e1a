// SPDX-License-Identifier: MIT
#include "update_check.h"

#include "dialogs.h"
#include "engine/core/run_error.h"
#include "short_dates.h"
#include "update_notice.h"

#include <QFileInfo>
#include <QUrl>

namespace urdiva::ui {
namespace {

const QByteArray kAccept = "text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8";
const QByteArray kUserAgent = "Mozilla/3.0 (compatible; Indy Library)";
const QByteArray kStatusAgent = "InetURL:/1.0";

} // namespace

bool updateCheckEnabled()
{
    return URDIVA_UPDATE_CHECK && qEnvironmentVariable("URDIVA_NO_UPDATE_CHECK") != u"1";
}

QString updateServerHost()
{
    const QString configured = qEnvironmentVariable("URDIVA_UPDATE_HOST");
    return configured.isEmpty() ? QStringLiteral("urdiva.example.org") : configured;
}

bool answersOk(const QString& url, const HttpClient& http)
{
    QString address = url;
    if (!address.toLower().contains(QStringLiteral("http://")))
        address.prepend(QStringLiteral("http://"));
    const QUrl parsed(address);
    if (!parsed.isValid() || parsed.host().isEmpty())
        return false;
    const QString status = http.statusOf(parsed, kStatusAgent);
    return status == u"200" || status == u"302";
}

UpdateCheck::UpdateCheck(UpdateNotice& notice, Dialogs& dialogs, QString host,
                         QString executablePath, HttpClient http)
    : m_notice(notice)
    , m_dialogs(dialogs)
    , m_host(std::move(host))
    , m_executable(std::move(executablePath))
    , m_http(http)
{
}

UpdateAnswer UpdateCheck::fetch() const
{
    UpdateAnswer answer;
    const QString base = QStringLiteral("http://") + m_host;
    if (!m_http.canConnect(QUrl(base + u'/')))
        return answer;
    if (!answersOk(m_host + QStringLiteral("/Urdiva/dataLastVersion.html"), m_http))
        return answer;
    answer.answered = true;
    try {
        answer.release = m_http.get(QUrl(base + QStringLiteral("/Urdiva/dataLastVersion.html")),
                                    kAccept, kUserAgent);
        answer.count = m_http.get(QUrl(base + QStringLiteral("/Urdiva/countDownload.html")),
                                  kAccept, kUserAgent);
    } catch (const RunError& error) {
        answer.failure = error.message();
    }
    return answer;
}

void UpdateCheck::present(const UpdateAnswer& answer)
{
    if (!answer.answered)
        return;
    if (!answer.failure.isEmpty())
        throw RunError(answer.failure);
    const QString base = QStringLiteral("http://") + m_host;
    const QString& releaseText = answer.release;
    const QString& countText = answer.count;
    const QLocale locale;
    const QString executableKey = dateKey(QFileInfo(m_executable).lastModified().date(), locale);
    const std::optional<QDate> release = readShortDate(releaseText, locale, QDate::currentDate());
    if (!release)
        throw RunError(QStringLiteral("'%1' is not a valid date").arg(releaseText));
    if (!(executableKey < dateKey(*release, locale)))
        return;
    m_notice.setNotice(releaseText, countText,
                       base + QStringLiteral("/Urdiva/lastVersion/index.php"));
    m_dialogs.showModal(&m_notice);
}

BackgroundUpdateCheck::BackgroundUpdateCheck(
    UpdateCheck check, std::function<void(const std::function<void()>&)> report)
    : m_check(std::move(check))
    , m_report(std::move(report))
{
}

BackgroundUpdateCheck::~BackgroundUpdateCheck()
{
    if (!m_thread)
        return;
    m_thread->requestInterruption();
    m_thread->wait();
}

void BackgroundUpdateCheck::start()
{
    m_thread.reset(QThread::create([this] {
        const UpdateAnswer answer = m_check.fetch();
        if (QThread::currentThread()->isInterruptionRequested())
            return;
        // Presented on the receiver's thread; dropped with the receiver if it goes first.
        QMetaObject::invokeMethod(
            &m_receiver, [this, answer] { m_report([this, answer] { m_check.present(answer); }); },
            Qt::QueuedConnection);
    }));
    m_thread->start();
}

} // namespace urdiva::ui
