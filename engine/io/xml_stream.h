// SPDX-License-Identifier: MIT
#pragma once

#include <QIODevice>
#include <QString>

#include <memory>
#include <string_view>

namespace urdiva {

// An element's attributes as expat hands them: name, value, name, value…, then null.
class XmlAttributes {
public:
    explicit XmlAttributes(const char** pairs)
        : m_pairs(pairs)
    {
    }
    // The value of the attribute of this local name, whatever the prefix of its namespace
    // (workbooks' writers choose their own prefixes); empty when the element has none.
    std::string_view value(std::string_view localName) const;
    bool has(std::string_view localName) const;

private:
    const char** m_pairs;
};

// An element's name without the prefix of its namespace.
std::string_view localName(const char* name);

// What a workbook part's XML holds, as it is read: element names are local names, texts come in
// UTF-8 and possibly in pieces.
class XmlHandler {
public:
    virtual ~XmlHandler() = default;
    virtual void startElement(std::string_view name, const XmlAttributes& attributes) = 0;
    virtual void endElement(std::string_view name) = 0;
    virtual void characters(std::string_view) { }
};

// A workbook part's XML read through expat from a device, as a stream: the handler may pause the
// reading (at the end of a row, say) and the next read() goes on from there. Expat is several
// times faster than Qt's stream reader on a sheet's hundreds of megabytes, and refuses entity
// expansions that grow without bound. Malformed XML raises a RunError naming the workbook as
// damaged; a device that fails raises its own.
class XmlStream {
public:
    XmlStream(QIODevice& device, XmlHandler& handler, const QString& workbookPath);
    ~XmlStream();
    XmlStream(const XmlStream&) = delete;
    XmlStream& operator=(const XmlStream&) = delete;

    // Reads on until the handler pauses or the document ends; false once it has ended.
    bool read();
    // Reads the whole document.
    void readAll();
    // From inside a handler: read() returns once the current event has been handed over.
    void pause();

private:
    struct Parser;
    [[noreturn]] void fail() const;

    QIODevice& m_device;
    XmlHandler& m_handler;
    QString m_path;
    std::unique_ptr<Parser> m_parser;
    bool m_paused = false;
    bool m_ended = false;
};

} // namespace urdiva
