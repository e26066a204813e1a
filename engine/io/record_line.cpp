// SPDX-License-Identifier: MIT
#include "engine/io/record_line.h"

#include "engine/io/field_marker.h"
#include "engine/io/line_reader.h"
#include "engine/io/text_decoding.h"

#include <cstring>

namespace urdiva {

RecordLine::RecordLine(QChar separator, bool quotedFields)
    : m_separator(separator.unicode())
    , m_asciiSeparator(separator.unicode() < 0x80)
    , m_quotedFields(quotedFields)
{
}

void RecordLine::assign(QByteArrayView line)
{
    line = withoutLoneCr(line, m_withoutCr);
    m_bytes = line;
    // A record without a quotation mark is cut as it is in a file without quoted fields: at the
    // separator's bytes, each field decoded when it is needed.
    m_byteCut = m_asciiSeparator &&
                (!m_quotedFields || !std::memchr(line.data(), '"', size_t(line.size())));
    if (m_byteCut) {
        m_cuts.clear();
        const char sep = char(m_separator);
        const char* begin = line.data();
        const char* end = begin + line.size();
        for (const char* p = begin;
             p != end &&
             (p = static_cast<const char*>(std::memchr(p, sep, size_t(end - p)))) != nullptr;
             ++p)
            m_cuts.push_back(p - begin);
        m_cuts.push_back(line.size());
        return;
    }
    decodeTextInto(line, m_text);
    if (m_quotedFields)
        m_textFields.splitQuoted(m_text, QChar(m_separator), m_unquoted);
    else
        m_textFields.splitLine(m_text, QChar(m_separator));
}

bool RecordLine::looksQuoted() const
{
    if (m_bytes.isEmpty() || !std::memchr(m_bytes.data(), '"', size_t(m_bytes.size())))
        return false;
    bool starts = false;
    bool ends = false;
    for (qsizetype i = 0; i < count(); ++i) {
        const QString text = value(i);
        starts = starts || text.startsWith(u'"');
        ends = ends || text.endsWith(u'"');
    }
    return starts && ends;
}

bool RecordLine::isRecord() const
{
    if (!m_byteCut)
        return isRecordText(m_text, QChar(m_separator));
    // Some byte is not a separator when there are fewer separators than bytes.
    return qsizetype(m_cuts.size()) - 1 < m_bytes.size();
}

qsizetype RecordLine::count() const
{
    if (!m_byteCut)
        return m_textFields.count();
    return m_bytes.isEmpty() ? 0 : qsizetype(m_cuts.size());
}

FieldShape RecordLine::shape(qsizetype i) const
{
    if (!m_byteCut)
        return m_textFields.shape(i);
    const bool leading = i > 0;
    const bool trailing = i + 1 < qsizetype(m_cuts.size());
    if (leading)
        return trailing ? FieldShape::Middle : FieldShape::Last;
    return trailing ? FieldShape::First : FieldShape::Only;
}

QByteArrayView RecordLine::key(qsizetype i) const
{
    if (!m_byteCut) {
        const QStringView text = m_textFields.value(i);
        return QByteArrayView(reinterpret_cast<const char*>(text.utf16()),
                              text.size() * qsizetype(sizeof(char16_t)));
    }
    const qsizetype begin = i == 0 ? 0 : m_cuts[size_t(i - 1)] + 1;
    return m_bytes.sliced(begin, m_cuts[size_t(i)] - begin);
}

QString RecordLine::value(qsizetype i) const
{
    if (!m_byteCut)
        return m_textFields.value(i).toString();
    return decodeText(key(i));
}

QString RecordLine::valueOfKey(QByteArrayView key, bool keyIsText)
{
    if (!keyIsText)
        return decodeText(key);
    // Copied bytewise: a key kept elsewhere need not be aligned for char16_t.
    QString value(key.size() / qsizetype(sizeof(char16_t)), Qt::Uninitialized);
    std::memcpy(value.data(), key.data(), size_t(value.size()) * sizeof(char16_t));
    return value;
}

QByteArrayView RecordLine::asciiBytes(qsizetype i) const
{
    if (!m_byteCut)
        return {};
    const QByteArrayView bytes = key(i);
    unsigned char high = 0;
    for (const char c : bytes)
        high |= uchar(c);
    return high < 0x80 ? bytes : QByteArrayView();
}

QByteArrayView RecordLine::unmarkedUtf8(qsizetype i, QByteArray& storage) const
{
    const QByteArrayView ascii = asciiBytes(i);
    if (!ascii.isNull())
        return ascii;
    storage = removeMarkers(value(i)).toUtf8();
    return storage;
}

} // namespace urdiva
