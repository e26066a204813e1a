// SPDX-License-Identifier: MIT
#include "engine/report/report_file.h"

#include "engine/report/rtf_text.h"

namespace urdiva {

ReportFile::ReportFile(AtomicFile& file)
    : ReportFile(file, rtfDocumentStart(), kRtfDocumentEnd)
{
}

ReportFile::ReportFile(AtomicFile& file, const QByteArray& start, const QByteArray& end)
    : m_file(file)
    , m_buffer(start)
    , m_end(end)
{
}

void ReportFile::paragraph(const QString& text)
{
    m_buffer.append(rtfText(text));
    m_buffer.append(kRtfParagraphEnd);
    flushIfLarge();
}

void ReportFile::raw(const QByteArray& text)
{
    m_buffer.append(text);
    flushIfLarge();
}

void ReportFile::finish()
{
    m_buffer.append(m_end);
    m_file.write(m_buffer);
    m_buffer.clear();
}

void ReportFile::flushIfLarge()
{
    if (m_buffer.size() < (1 << 20))
        return;
    m_file.write(m_buffer);
    m_buffer.clear();
}

} // namespace urdiva
