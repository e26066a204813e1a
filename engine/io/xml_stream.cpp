// SPDX-License-Identifier: MIT
#include "engine/io/xml_stream.h"

#include "engine/core/messages.h"
#include "engine/core/run_error.h"

#include <expat.h>

#include <algorithm>

namespace urdiva {
namespace {

constexpr int kChunk = 1 << 16;

XmlHandler& handlerOf(void* data)
{
    return *static_cast<XmlHandler*>(data);
}

void XMLCALL onStart(void* data, const XML_Char* name, const XML_Char** attributes)
{
    handlerOf(data).startElement(localName(name), XmlAttributes(attributes));
}

void XMLCALL onEnd(void* data, const XML_Char* name)
{
    handlerOf(data).endElement(localName(name));
}

void XMLCALL onCharacters(void* data, const XML_Char* text, int length)
{
    handlerOf(data).characters(std::string_view(text, size_t(length)));
}

} // namespace

// Names are short and come by the million: one pass over each, without a library call.
std::string_view localName(const char* name)
{
    const char* local = name;
    const char* at = name;
    for (; *at; ++at) {
        if (*at == ':')
            local = at + 1;
    }
    return std::string_view(local, size_t(at - local));
}

std::string_view XmlAttributes::value(std::string_view name) const
{
    for (const char** pair = m_pairs; *pair; pair += 2) {
        if (localName(pair[0]) == name)
            return pair[1];
    }
    return {};
}

bool XmlAttributes::has(std::string_view name) const
{
    return value(name).data() != nullptr;
}

struct XmlStream::Parser {
    XML_Parser expat = XML_ParserCreate("UTF-8");
    ~Parser() { XML_ParserFree(expat); }
};

XmlStream::XmlStream(QIODevice& device, XmlHandler& handler, const QString& workbookPath)
    : m_device(device)
    , m_handler(handler)
    , m_path(workbookPath)
    , m_parser(std::make_unique<Parser>())
{
    if (!m_parser->expat)
        throw std::bad_alloc();
    XML_SetUserData(m_parser->expat, &m_handler);
    XML_SetElementHandler(m_parser->expat, onStart, onEnd);
    XML_SetCharacterDataHandler(m_parser->expat, onCharacters);
}

XmlStream::~XmlStream() = default;

void XmlStream::fail() const
{
    throw RunError(messages::workbookDamaged(), m_path);
}

void XmlStream::pause()
{
    m_paused = true;
    XML_StopParser(m_parser->expat, XML_TRUE);
}

bool XmlStream::read()
{
    XML_Parser expat = m_parser->expat;
    if (m_paused) {
        m_paused = false;
        const XML_Status status = XML_ResumeParser(expat);
        if (status == XML_STATUS_ERROR)
            fail();
        if (status == XML_STATUS_SUSPENDED)
            return true;
    }
    while (!m_ended) {
        void* buffer = XML_GetBuffer(expat, kChunk);
        if (!buffer)
            throw std::bad_alloc();
        // A sequential device gives -1 at its end; one that fails raises its own error.
        const qint64 size = std::max<qint64>(0, m_device.read(static_cast<char*>(buffer), kChunk));
        m_ended = size == 0;
        const XML_Status status = XML_ParseBuffer(expat, int(size), m_ended);
        if (status == XML_STATUS_ERROR)
            fail();
        if (status == XML_STATUS_SUSPENDED)
            return true;
    }
    return false;
}

void XmlStream::readAll()
{
    while (read()) { }
}

} // namespace urdiva
