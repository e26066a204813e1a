// SPDX-License-Identifier: MIT
#include "engine/network/network_text.h"

#include "engine/core/run_error.h"
#include "engine/io/field_marker.h"

#include <algorithm>
#include <charconv>
#include <cstring>

namespace urdiva {

namespace {

char* writeNumber(char* out, qint64 value)
{
    return std::to_chars(out, out + 20, value).ptr;
}

// What a label cannot hold, replaced: a quotation mark by an apostrophe, a line break by a space,
// a NUL (which network readers take for the end of the file) by U+FFFD.
char16_t labelChar(char16_t u)
{
    return u == u'"' ? u'\'' : u == u'\n' ? u' ' : u == 0 ? u'\uFFFD' : u;
}

// The name as a label, without field markers, in UTF-8 as QString::toUtf8() encodes it: at most
// three bytes per code unit.
char* writeLabelUtf8(char* out, QStringView text)
{
    // Surrogates, paired or not, are rare enough to leave to Qt's own encoder.
    if (std::any_of(text.begin(), text.end(), [](QChar c) { return c.isSurrogate(); })) {
        QString label = removeMarkers(text);
        for (QChar& c : label)
            c = QChar(labelChar(c.unicode()));
        const QByteArray bytes = label.toUtf8();
        return std::copy(bytes.cbegin(), bytes.cend(), out);
    }
    for (const QChar c : text) {
        const char16_t u = labelChar(c.unicode());
        if (u < 0x80) {
            *out++ = char(u);
        } else if (u == kFieldMarker.unicode()) {
            continue;
        } else if (u < 0x800) {
            *out++ = char(0xC0 | (u >> 6));
            *out++ = char(0x80 | (u & 0x3F));
        } else {
            *out++ = char(0xE0 | (u >> 12));
            *out++ = char(0x80 | ((u >> 6) & 0x3F));
            *out++ = char(0x80 | (u & 0x3F));
        }
    }
    return out;
}

} // namespace

char* NetworkText::beginLine(size_t size)
{
    // Room for the line break too. The buffer grows geometrically and is filled up to m_used;
    // a QByteArray leaves new room uninitialised, which a million short lines notice.
    qsizetype needed = m_used + qsizetype(size) + 2;
    if (needed > m_utf8.size() && m_writeOut && 2 * m_used >= m_pieceBytes) {
        m_writeOut(*this);
        needed = m_used + qsizetype(size) + 2;
    }
    if (needed > m_utf8.size())
        m_utf8.resize(std::max(needed, 2 * m_utf8.size()));
    return m_utf8.data() + m_used;
}

void NetworkText::endLine(char* end)
{
    *end++ = '\r';
    *end++ = '\n';
    m_used = end - m_utf8.constData();
}

void NetworkText::reserve(qsizetype bytes)
{
    if (bytes > m_utf8.size())
        m_utf8.resize(bytes);
}

void NetworkText::writeOutEvery(qsizetype pieceBytes, std::function<void(NetworkText&)> writeOut)
{
    m_pieceBytes = pieceBytes;
    m_writeOut = std::move(writeOut);
}

void NetworkText::appendLine(QStringView line)
{
    appendUtf8Line(line.toUtf8());
}

void NetworkText::appendUtf8Line(QByteArrayView line)
{
    char* out = beginLine(size_t(line.size()));
    std::memcpy(out, line.data(), size_t(line.size()));
    endLine(out + line.size());
}

void NetworkText::append(const NetworkText& other)
{
    char* out = beginLine(size_t(other.m_used));
    std::memcpy(out, other.m_utf8.constData(), size_t(other.m_used));
    m_used += other.m_used;
}

qsizetype namesEndingInBackslash(const QStringList& names)
{
    return std::count_if(names.begin(), names.end(), [](const QString& name) {
        return name.endsWith(u'\\') || name.endsWith(QStringView(u"\\\u00B6"));
    });
}

qsizetype namesWithNul(const QStringList& names)
{
    return std::count_if(names.begin(), names.end(),
                         [](const QString& name) { return name.contains(QChar(0)); });
}

QString withoutNul(QString text)
{
    return text.replace(QChar(0), QChar(0xFFFD));
}

qsizetype NetworkText::appendVertexLines(const QStringList& names, qsizetype firstNumber)
{
    qsizetype number = firstNumber;
    qsizetype changed = 0;
    for (const QString& name : names) {
        if (name.contains(u'"') || name.contains(u'\n'))
            ++changed;
        // Up to three bytes per code unit, plus the number, a space and the quotation marks.
        char* out = writeNumber(beginLine(3 * size_t(name.size()) + 24), number++);
        *out++ = ' ';
        *out++ = '"';
        out = writeLabelUtf8(out, name);
        *out++ = '"';
        endLine(out);
    }
    return changed;
}

void NetworkText::appendEdgeLine(int a, int b)
{
    char* out = writeNumber(beginLine(24), a);
    *out++ = ' ';
    endLine(writeNumber(out, b));
}

void NetworkText::appendEdgeLine(int a, int b, QByteArrayView weight)
{
    char* out = writeNumber(beginLine(size_t(weight.size()) + 24), a);
    *out++ = ' ';
    out = writeNumber(out, b);
    *out++ = ' ';
    std::memcpy(out, weight.data(), size_t(weight.size()));
    endLine(out + weight.size());
}

QString vertexCountLine(qsizetype firstModeCount, qsizetype secondModeCount, NetworkMode mode)
{
    QString line = QStringLiteral("*Vertices ") + QString::number(firstModeCount + secondModeCount);
    if (mode == NetworkMode::TwoMode)
        line += u' ' + QString::number(firstModeCount);
    return line;
}

QString linkKindLine(bool directed)
{
    return directed ? QStringLiteral("*Arcs") : QStringLiteral("*Edges");
}

NetworkFile::NetworkFile(OutputFiles& files, const QString& finalPath, Replace replace,
                         bool byteOrderMark)
{
    attempt([&] {
        m_file = &files.create(finalPath, replace);
        if (byteOrderMark)
            m_file->write("\xEF\xBB\xBF");
    });
}

NetworkFile::NetworkFile(bool byteOrderMark)
    : m_standardOutput(std::make_unique<QFile>())
{
    attempt([&] {
        if (!m_standardOutput->open(stdout, QIODevice::WriteOnly))
            throw RunError(
                QStringLiteral("Failed to Save Stream. %1").arg(m_standardOutput->errorString()));
    });
    if (byteOrderMark)
        attempt([&] { writeBytes("\xEF\xBB\xBF"); });
}

void NetworkFile::writeBytes(QByteArrayView bytes)
{
    if (m_file) {
        m_file->write(bytes);
    } else if (m_standardOutput->write(bytes.data(), bytes.size()) != bytes.size()) {
        throw RunError(
            QStringLiteral("Failed to Save Stream. %1").arg(m_standardOutput->errorString()));
    }
}

void NetworkFile::attempt(const std::function<void()>& step)
{
    if (m_failure)
        return;
    try {
        step();
    } catch (...) {
        m_failure = std::current_exception();
    }
}

void NetworkFile::write(NetworkText& text)
{
    attempt([&] { writeBytes(text.utf8()); });
    text.clear();
}

void NetworkFile::finish()
{
    if (m_failure)
        std::rethrow_exception(m_failure);
    if (!m_file && !m_standardOutput->flush())
        throw RunError(
            QStringLiteral("Failed to Save Stream. %1").arg(m_standardOutput->errorString()));
}

} // namespace urdiva
