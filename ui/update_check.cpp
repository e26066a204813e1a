// SPDX-License-Identifier: MIT
#include "update_check.h"

#include "dialogs.h"
#include "engine/core/run_error.h"
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

QChar dateSeparator(const QLocale& locale)
{
    const QString pattern = locale.dateFormat(QLocale::ShortFormat);
    for (qsizetype i = 1; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        if (!c.isLetter() && c != u' ' && c != u'\'' && pattern[i - 1].isLetter())
            return c;
    }
    return u'/';
}

QString dateKey(const QDate& date, const QLocale& locale)
{
    const QChar separator = dateSeparator(locale);
    return QStringLiteral("%1%2%3%4%5")
        .arg(date.year(), 4, 10, QChar(u'0'))
        .arg(separator)
        .arg(date.month(), 2, 10, QChar(u'0'))
        .arg(separator)
        .arg(date.day(), 2, 10, QChar(u'0'));
}

std::optional<QDate> readShortDate(const QString& text, const QLocale& locale, const QDate& today)
{
    enum class Order { DayMonthYear, YearMonthDay, MonthDayYear };
    Order order = Order::MonthDayYear;
    for (const QChar c : locale.dateFormat(QLocale::ShortFormat).toLower()) {
        if (c == u'd' || c == u'y' || c == u'm') {
            order = c == u'd'   ? Order::DayMonthYear
                    : c == u'y' ? Order::YearMonthDay
                                : Order::MonthDayYear;
            break;
        }
    }
    const QChar separator = dateSeparator(locale);
    qsizetype at = 0;
    const auto skipSpaces = [&] {
        while (at < text.size() && text[at] == u' ')
            ++at;
    };
    const auto number = [&](int& value, int& digits) {
        digits = 0;
        value = 0;
        while (at < text.size() && text[at] >= u'0' && text[at] <= u'9' && digits < 9) {
            value = value * 10 + (text[at].unicode() - u'0');
            ++at;
            ++digits;
        }
        return digits > 0;
    };
    const auto separatorHere = [&] {
        if (at < text.size() && text[at] == separator) {
            ++at;
            return true;
        }
        return false;
    };
    int parts[3] = {0, 0, 0};
    int digits[3] = {0, 0, 0};
    int count = 0;
    skipSpaces();
    if (!number(parts[0], digits[0]))
        return std::nullopt;
    count = 1;
    for (;;) {
        skipSpaces();
        if (at == text.size() || !separatorHere())
            break;
        skipSpaces();
        if (at == text.size() || count == 3)
            break;
        if (!number(parts[count], digits[count]))
            return std::nullopt;
        ++count;
    }
    skipSpaces();
    if (at != text.size() || count < 2)
        return std::nullopt;
    int day = 0;
    int month = 0;
    int year = today.year();
    int yearDigits = 4;
    if (count == 2) {
        day = order == Order::DayMonthYear ? parts[0] : parts[1];
        month = order == Order::DayMonthYear ? parts[1] : parts[0];
    } else if (order == Order::DayMonthYear) {
        day = parts[0], month = parts[1], year = parts[2], yearDigits = digits[2];
    } else if (order == Order::YearMonthDay) {
        year = parts[0], yearDigits = digits[0], month = parts[1], day = parts[2];
    } else {
        month = parts[0], day = parts[1], year = parts[2], yearDigits = digits[2];
    }
    if (yearDigits <= 2)
        year += year < 50 ? 2000 : 1900;
    const QDate date(year, month, day);
    if (!date.isValid())
        return std::nullopt;
    return date;
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
