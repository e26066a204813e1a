// SPDX-License-Identifier: MIT
#include "engine/io/cell_text.h"

#include <QDate>
#include <QDateTime>

#include <algorithm>
#include <charconv>
#include <cmath>

namespace urdiva {
namespace {

std::string_view trimmed(std::string_view text)
{
    const auto space = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && space(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && space(text.back()))
        text.remove_suffix(1);
    return text;
}

std::string utf8(const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    return std::string(bytes.constData(), size_t(bytes.size()));
}

// The value of four hexadecimal digits; -1 when they are not.
int hexValue(std::string_view digits)
{
    int value = 0;
    const auto [stop, error] = std::from_chars(digits.data(), digits.data() + 4, value, 16);
    return error == std::errc() && stop == digits.data() + 4 ? value : -1;
}

void appendUtf8(std::string& to, char32_t c)
{
    if (c < 0x80) {
        to += char(c);
    } else if (c < 0x800) {
        to += char(0xC0 | (c >> 6));
        to += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        to += char(0xE0 | (c >> 12));
        to += char(0x80 | ((c >> 6) & 0x3F));
        to += char(0x80 | (c & 0x3F));
    } else {
        to += char(0xF0 | (c >> 18));
        to += char(0x80 | ((c >> 12) & 0x3F));
        to += char(0x80 | ((c >> 6) & 0x3F));
        to += char(0x80 | (c & 0x3F));
    }
}

} // namespace

std::string numberText(std::string_view stored)
{
    const std::string_view text = trimmed(stored);
    // A whole number as most cells hold it is its own shortest form.
    if (!text.empty() && text.size() < 16 && text.front() != '0' &&
        std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::string(text);
    double value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end || !std::isfinite(value))
        return std::string(stored);
    if (value == 0)
        return "0";
    char buffer[32];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, written.ptr);
}

std::string serialDateText(double serial, bool from1904)
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
        return utf8(date.toString(Qt::ISODate));
    if (seconds >= 86400)
        return utf8(date.addDays(1).toString(Qt::ISODate));
    return utf8(QDateTime(date, QTime(0, 0).addSecs(int(seconds))).toString(Qt::ISODate));
}

std::string isoDateText(std::string_view stored)
{
    const std::string_view text = trimmed(stored);
    if (text.size() > 10 && text[10] == 'T') {
        const std::string_view time = text.substr(11);
        if (time == "00:00:00" || time == "00:00:00Z" || time == "00:00")
            return std::string(text.substr(0, 10));
    }
    return std::string(text);
}

bool isDateFormat(std::string_view code)
{
    bool quoted = false;
    int bracket = 0;
    for (size_t k = 0; k < code.size(); ++k) {
        const char c = code[k];
        if (quoted) {
            quoted = c != '"';
        } else if (c == '"') {
            quoted = true;
        } else if (c == '\\' || c == '_' || c == '*') {
            ++k; // the next character is shown as it is, or is padding
        } else if (c == '[') {
            ++bracket;
        } else if (c == ']') {
            bracket = std::max(0, bracket - 1);
        } else if (bracket == 0) {
            switch (c | 0x20) {
            case 'd':
            case 'm':
            case 'y':
            case 'h':
            case 's':
                return true;
            default:
                break;
            }
        }
    }
    return false;
}

std::string withoutEscapes(std::string text)
{
    size_t at = text.find("_x");
    if (at == std::string::npos)
        return text;
    std::string out(text, 0, at);
    const auto escapeAt = [&](size_t k) {
        return k + 7 <= text.size() && text.compare(k, 2, "_x") == 0 && text[k + 6] == '_'
                   ? hexValue(std::string_view(text).substr(k + 2, 4))
                   : -1;
    };
    while (at < text.size()) {
        const int unit = escapeAt(at);
        if (unit < 0) {
            out += text[at++];
            continue;
        }
        at += 7;
        if (unit >= 0xD800 && unit < 0xDC00) {
            // A character beyond the first plane is kept as its two UTF-16 halves.
            const int low = escapeAt(at);
            if (low >= 0xDC00 && low < 0xE000) {
                appendUtf8(out, 0x10000 + ((char32_t(unit) - 0xD800) << 10) + (low - 0xDC00));
                at += 7;
                continue;
            }
        }
        appendUtf8(out, unit >= 0xD800 && unit < 0xE000 ? 0xFFFD : char32_t(unit));
    }
    return out;
}

} // namespace urdiva
