// SPDX-License-Identifier: MIT
// Splitting and normal forms: a line with k separators and no break gives k + 1 fields; the
// normal form of a field whose text holds no marker is stable; cutting the raw bytes gives the
// fields of the decoded text.
#include "engine/io/field_marker.h"
#include "engine/io/record_line.h"
#include "engine/io/text_decoding.h"
#include "fuzz_support.h"
#include "reference.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput input(data, size);
    const uint8_t choice = input.byte();
    const QChar separator =
        choice < 200 ? QChar(char16_t(choice)) : QChar(char16_t(0xB6 + choice - 200));
    const QByteArrayView bytes = input.rest();
    QString text = urdiva::decodeText(bytes);
    text.remove(u'\r');
    text.remove(u'\n');
    const QStringList fields = urdiva::reference::splitRecord(text, separator);
    if (!text.isEmpty())
        FUZZ_CHECK(fields.size() == text.count(separator) + 1);
    for (const QString& field : fields) {
        const QString normal = urdiva::normaliseField(field);
        // A text that itself begins with the marker is taken for a marked one again.
        if (!text.contains(urdiva::kFieldMarker))
            FUZZ_CHECK(urdiva::normaliseField(normal) == normal);
        FUZZ_CHECK(urdiva::removeMarkers(normal) == urdiva::removeMarkers(field));
    }
    if (bytes.contains('\n'))
        return 0; // the reader never hands over a line with LF
    urdiva::RecordLine line(separator);
    line.assign(bytes);
    // Lone CRs go before decoding, even from inside a UTF-8 sequence.
    QByteArray withoutCr = bytes.toByteArray();
    withoutCr.removeIf([](char c) { return c == '\r'; });
    const QString decoded = urdiva::decodeText(withoutCr);
    FUZZ_CHECK(line.isRecord() == urdiva::isRecordText(decoded, separator));
    if (line.isRecord()) {
        const QStringList expected = urdiva::reference::splitRecord(decoded, separator);
        FUZZ_CHECK(line.count() == expected.size());
        for (qsizetype i = 0; i < line.count(); ++i)
            FUZZ_CHECK(urdiva::markedField(line.value(i), line.shape(i)) == expected[i]);
    }
    return 0;
}
