// SPDX-License-Identifier: MIT
#include "engine/io/field_marker.h"
#include "engine/io/record_line.h"
#include "engine/io/text_decoding.h"
#include "reference.h"
#include "test_support.h"

#include <gtest/gtest.h>

using namespace urdiva;

namespace {

// What a line means: decoded, lone CRs dropped, cut into marked fields.
QStringList reference(const QByteArray& bytes, QChar separator)
{
    QString text = decodeText(bytes);
    text.remove(u'\r');
    return isRecordText(text, separator) ? urdiva::reference::splitRecord(text, separator)
                                         : QStringList();
}

QStringList cut(const QByteArray& bytes, QChar separator)
{
    RecordLine line(separator);
    line.assign(bytes);
    QStringList fields;
    if (!line.isRecord())
        return fields;
    for (qsizetype i = 0; i < line.count(); ++i)
        fields << markedField(line.value(i), line.shape(i));
    return fields;
}

TEST(RecordLine, CutsAsTheDecodedTextWouldBe)
{
    const QByteArray lines[] = {
        "Ana;Rui;3",
        "",
        ";",
        ";;",
        "a;",
        ";a",
        "Jos\xC3\xA9;Jo\xE3o",
        "a\rb;c",
        "a;\r;b",
        "\xC3;\xA9",
        "x\xC2\xB6;y",
        "\xE2\x82\xAC;\xF0\x9F\x98\x80;z",
        "  ;  ",
        "a|b\xA7"
        "c",
        "\xC2\xA7"
        "a\xC2\xA7",
        "\xA7\xA7",
        "a\tb\tc",
    };
    const QChar separators[] = {u';',         u'|',  u'\t',        QChar(0x00A7),
                                kFieldMarker, u'\r', QChar(0xD83D)};
    for (const QByteArray& bytes : lines) {
        for (const QChar separator : separators) {
            SCOPED_TRACE(bytes.toHex().toStdString() + " sep " +
                         std::to_string(separator.unicode()));
            EXPECT_EQ(cut(bytes, separator), reference(bytes, separator));
        }
    }
}

TEST(RecordLine, EqualKeysMeanEqualTexts)
{
    // The same letter in UTF-8 and in Windows-1252 gives two keys but one text.
    RecordLine utf8(u';');
    utf8.assign("Jos\xC3\xA9;x");
    RecordLine ansi(u';');
    ansi.assign("Jos\xE9;x");
    EXPECT_NE(utf8.key(0), ansi.key(0));
    EXPECT_EQ(utf8.value(0), ansi.value(0));
    EXPECT_EQ(utf8.key(1), ansi.key(1));
    // A lone CR goes before decoding, even from inside a UTF-8 sequence.
    RecordLine withCr(u';');
    withCr.assign("Jos\xC3\r\xA9;x\r");
    EXPECT_EQ(withCr.key(0), utf8.key(0));
    EXPECT_EQ(withCr.value(0), QString::fromUtf16(u"José"));
    EXPECT_EQ(withCr.key(1), utf8.key(1));
    // A line cut as text gives keys of another kind.
    RecordLine text(u'§');
    text.assign("x\xC2\xA7x");
    EXPECT_TRUE(text.keyIsText());
    EXPECT_FALSE(utf8.keyIsText());
}

TEST(RecordLine, EmptyViewWithoutData)
{
    // A found fault: an empty line without data reached memchr with a null pointer.
    RecordLine line(u';');
    line.assign(QByteArrayView());
    EXPECT_FALSE(line.isRecord());
    EXPECT_EQ(line.count(), 0);
}

TEST(RecordLine, AsciiBytesOnlyForPlainAscii)
{
    RecordLine line(u';');
    line.assign("3,5;\xC3\xA9;");
    EXPECT_EQ(line.asciiBytes(0), QByteArrayView("3,5"));
    EXPECT_TRUE(line.asciiBytes(1).isNull());
    EXPECT_FALSE(line.asciiBytes(2).isNull());
    EXPECT_TRUE(line.asciiBytes(2).isEmpty());
}

} // namespace
