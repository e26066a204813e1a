// SPDX-License-Identifier: MIT
#include "engine/io/text_decoding.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

namespace urdiva {
namespace {

constexpr std::array<char16_t, 32> kWindows1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char16_t windows1252(unsigned char b)
{
    if (b >= 0x80 && b < 0xA0)
        return kWindows1252High[b - 0x80];
    return b;
}

bool isContinuation(unsigned char b)
{
    return (b & 0xC0) == 0x80;
}

// The length of the well-formed UTF-8 sequence at p (at most `left` bytes), or 0 when the bytes
// there do not form one. Follows the table of well-formed sequences: no overlong forms, no
// surrogates, nothing above U+10FFFF.
int utf8SequenceAt(const unsigned char* p, qsizetype left, char32_t& codePoint)
{
    const unsigned char b0 = p[0];
    int length;
    unsigned char lo = 0x80;
    unsigned char hi = 0xBF;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        length = 2;
        codePoint = b0 & 0x1F;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        length = 3;
        codePoint = b0 & 0x0F;
        if (b0 == 0xE0)
            lo = 0xA0;
        else if (b0 == 0xED)
            hi = 0x9F;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        length = 4;
        codePoint = b0 & 0x07;
        if (b0 == 0xF0)
            lo = 0x90;
        else if (b0 == 0xF4)
            hi = 0x8F;
    } else {
        return 0;
    }
    if (left < length || p[1] < lo || p[1] > hi)
        return 0;
    codePoint = (codePoint << 6) | (p[1] & 0x3F);
    for (int k = 2; k < length; ++k) {
        if (!isContinuation(p[k]))
            return 0;
        codePoint = (codePoint << 6) | (p[k] & 0x3F);
    }
    return length;
}

} // namespace

int windows1252Byte(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    for (int k = 0; k < int(kWindows1252High.size()); ++k) {
        if (kWindows1252High[size_t(k)] == c)
            return 0x80 + k;
    }
    return -1;
}

void decodeTextInto(QByteArrayView bytes, QString& out)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const qsizetype n = bytes.size();
    // Never more code units than bytes: a 2-byte sequence gives 1, 3 give 1, 4 give 2.
    out.resize(n);
    char16_t* o = reinterpret_cast<char16_t*>(out.data());
    char16_t* const start = o;
    qsizetype i = 0;
    while (i < n) {
        // Most text is ASCII: skip runs of it eight bytes at a time, then widen the run in one
        // loop that the compiler vectorises.
        qsizetype run = i;
        for (std::uint64_t word; run + 8 <= n; run += 8) {
            std::memcpy(&word, p + run, 8);
            if (word & 0x8080808080808080ull)
                break;
        }
        while (run < n && p[run] < 0x80)
            ++run;
        for (qsizetype k = i; k < run; ++k)
            *o++ = p[k];
        i = run;
        if (i == n)
            break;
        const unsigned char b = p[i];
        char32_t cp = 0;
        const int length = utf8SequenceAt(p + i, n - i, cp);
        if (length == 0) {
            *o++ = windows1252(b);
            ++i;
        } else if (cp > 0xFFFF) {
            *o++ = static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
            *o++ = static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
            i += length;
        } else {
            *o++ = static_cast<char16_t>(cp);
            i += length;
        }
    }
    out.resize(o - start);
}

Utf16Transcoder::Utf16Transcoder(bool bigEndian)
    : m_bigEndian(bigEndian)
{
}

char* Utf16Transcoder::put(char32_t c, char* out)
{
    if (c < 0x80) {
        *out++ = char(c);
    } else if (c < 0x800) {
        *out++ = char(0xC0 | (c >> 6));
        *out++ = char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        *out++ = char(0xE0 | (c >> 12));
        *out++ = char(0x80 | ((c >> 6) & 0x3F));
        *out++ = char(0x80 | (c & 0x3F));
    } else {
        *out++ = char(0xF0 | (c >> 18));
        *out++ = char(0x80 | ((c >> 12) & 0x3F));
        *out++ = char(0x80 | ((c >> 6) & 0x3F));
        *out++ = char(0x80 | (c & 0x3F));
    }
    return out;
}

size_t Utf16Transcoder::convert(const char* in, size_t size, char* out)
{
    constexpr char32_t kReplacement = 0xFFFD;
    char* const start = out;
    const auto* p = reinterpret_cast<const unsigned char*>(in);
    for (size_t i = 0; i < size; ++i) {
        if (m_byte < 0) {
            m_byte = p[i];
            continue;
        }
        const unsigned first = unsigned(m_byte);
        const unsigned second = p[i];
        m_byte = -1;
        const char16_t unit = char16_t(m_bigEndian ? (first << 8) | second : (second << 8) | first);
        const bool high = unit >= 0xD800 && unit < 0xDC00;
        const bool low = unit >= 0xDC00 && unit < 0xE000;
        if (m_high != 0) {
            if (low) {
                out = put(0x10000 + ((char32_t(m_high) - 0xD800) << 10) + (unit - 0xDC00), out);
                m_high = 0;
                continue;
            }
            out = put(kReplacement, out);
            m_high = 0;
        }
        if (high)
            m_high = unit;
        else
            out = put(low ? kReplacement : unit, out);
    }
    return size_t(out - start);
}

size_t Utf16Transcoder::finish(char* out)
{
    char* const start = out;
    if (m_high != 0)
        out = put(0xFFFD, out);
    if (m_byte >= 0)
        out = put(0xFFFD, out);
    m_high = 0;
    m_byte = -1;
    return size_t(out - start);
}

bool looksLikeUtf16(QByteArrayView start)
{
    // Latin text in UTF-16 has a NUL in nearly every code unit, always on the same side; a
    // binary file with some NULs has them on both.
    const qsizetype size = std::min<qsizetype>(start.size(), 4096) & ~qsizetype(1);
    if (size < 8)
        return false;
    qsizetype nul[2] = {0, 0};
    for (qsizetype i = 0; i < size; ++i)
        nul[i & 1] += start[i] == '\0';
    const qsizetype units = size / 2;
    for (int side = 0; side < 2; ++side) {
        if (10 * nul[side] >= 9 * units && 10 * nul[1 - side] < units)
            return true;
    }
    return false;
}

QString decodeText(QByteArrayView bytes)
{
    QString out;
    decodeTextInto(bytes, out);
    return out;
}

} // namespace urdiva
