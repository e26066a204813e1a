// SPDX-License-Identifier: MIT
#include "engine/report/report_file.h"

#include "engine/report/rtf_text.h"

namespace urdiva {

ReportFile::ReportFile(const QString& path)
    : ReportFile(path, rtfDocumentStart(), kRtfDocumentEnd)
{
}

ReportFile::ReportFile(const QString& path, const QByteArray& start, const QByteArray& end)
    : m_file(path, Replace::Allowed)
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

void ReportFile::commit()
{
    m_buffer.append(m_end);
    m_file.write(m_buffer);
    m_buffer.clear();
    (void)m_file.commit(); // always true where replacing is allowed
}

void ReportFile::flushIfLarge()
{
    if (m_buffer.size() < (1 << 20))
        return;
    m_file.write(m_buffer);
    m_buffer.clear();
}

} // namespace urdiva
