// SPDX-License-Identifier: MIT
// The decoder and the line reader: every byte sequence decodes, never into more code units than
// bytes; a file gives no more lines than line breaks plus one, none holding a CR or LF, and
// nothing after a Ctrl-Z.
#include "engine/io/line_reader.h"
#include "engine/io/text_decoding.h"
#include "fuzz_support.h"

#include <QFile>
#include <QTemporaryFile>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString text = urdiva::decodeText(bytes);
    FUZZ_CHECK(text.size() <= bytes.size());

    static QTemporaryFile file;
    static const bool opened = file.open();
    FUZZ_CHECK(opened);
    file.resize(0);
    file.seek(0);
    file.write(bytes.data(), bytes.size());
    file.flush();
    qsizetype end = bytes.indexOf(char(26));
    if (end < 0)
        end = bytes.size();
    const qsizetype breaks = bytes.first(end).count('\n');
    urdiva::LineReader reader(file.fileName());
    QString line;
    qsizetype lines = 0;
    while (reader.readLine(line)) {
        ++lines;
        FUZZ_CHECK(!line.contains(u'\r') && !line.contains(u'\n'));
    }
    FUZZ_CHECK(lines <= breaks + 1);
    return 0;
}
