// SPDX-License-Identifier: MIT
#include "engine/io/cell_text.h"

#include <QDate>
#include <QDateTime>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>

namespace urdiva {

QString numberText(QStringView stored)
{
    const QByteArray bytes = stored.trimmed().toLatin1();
    double value = 0;
    const char* end = bytes.constData() + bytes.size();
    const auto [stop, error] = std::from_chars(bytes.constData(), end, value);
    if (error != std::errc() || stop != end || !std::isfinite(value))
        return stored.toString();
    if (value == 0)
        return QStringLiteral("0");
    char buffer[32];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, value);
    return QString::fromLatin1(buffer, written.ptr - buffer);
}

QString serialDateText(double serial, bool from1904)
{
    // Serial 60 is the 29th of February 1900 that never was: the days before it count from a day
    // later.
    const QDate base = from1904      ? QDate(1904, 1, 1)
                       : serial < 60 ? QDate(1899, 12, 31)
                                     : QDate(1899, 12, 30);
    const double days = std::floor(serial);
    const QDate date = base.addDays(qint64(days));
    const qint64 seconds = std::llround((serial - days) * 86400.0);
    if (seconds == 0)
        return date.toString(Qt::ISODate);
    if (seconds >= 86400)
        return date.addDays(1).toString(Qt::ISODate);
    return QDateTime(date, QTime(0, 0).addSecs(int(seconds))).toString(Qt::ISODate);
}

QString isoDateText(QStringView stored)
{
    const QStringView text = stored.trimmed();
    if (text.size() > 10 && text[10] == u'T') {
        const QStringView time = text.sliced(11);
        if (time == u"00:00:00" || time == u"00:00:00Z" || time == u"00:00")
            return text.first(10).toString();
    }
    return text.toString();
}

bool isDateFormat(QStringView code)
{
    bool quoted = false;
    int bracket = 0;
    for (qsizetype k = 0; k < code.size(); ++k) {
        const QChar c = code[k];
        if (quoted) {
            quoted = c != u'"';
        } else if (c == u'"') {
            quoted = true;
        } else if (c == u'\\' || c == u'_' || c == u'*') {
            ++k; // the next character is shown as it is, or is padding
        } else if (c == u'[') {
            ++bracket;
        } else if (c == u']') {
            bracket = std::max(0, bracket - 1);
        } else if (bracket == 0) {
            switch (c.toLower().unicode()) {
            case u'd':
            case u'm':
            case u'y':
            case u'h':
            case u's':
                return true;
            default:
                break;
            }
        }
    }
    return false;
}

QString withoutEscapes(QString text)
{
    qsizetype at = text.indexOf(u"_x");
    while (at >= 0 && at + 7 <= text.size()) {
        bool hex = text[at + 6] == u'_';
        for (qsizetype k = at + 2; hex && k < at + 6; ++k)
            hex = isxdigit(text[k].unicode() < 128 ? text[k].toLatin1() : 'g');
        if (hex) {
            text.replace(at, 7, QChar(text.mid(at + 2, 4).toUShort(nullptr, 16)));
            at = text.indexOf(u"_x", at + 1);
        } else {
            at = text.indexOf(u"_x", at + 1);
        }
    }
    return text;
}

} // namespace urdiva
