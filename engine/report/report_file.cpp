// SPDX-License-Identifier: MIT
#include "engine/report/report_file.h"

#include "engine/report/rtf_text.h"

namespace urdiva {

ReportFile::ReportFile(const QString& path)
    : m_file(path, Replace::Allowed)
    , m_buffer(rtfDocumentStart())
{
}

void ReportFile::paragraph(const QString& text)
{
    m_buffer.append(rtfText(text));
    m_buffer.append(kRtfParagraphEnd);
    flushIfLarge();
}

void ReportFile::raw(const QByteArray& rtf)
{
    m_buffer.append(rtf);
    flushIfLarge();
}

void ReportFile::commit()
{
    m_buffer.append(kRtfDocumentEnd);
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
