// SPDX-License-Identifier: MIT
#include "engine/io/field_marker.h"
#include "engine/io/record_line.h"
#include "engine/network/pajek_writer.h"
#include "reference.h"
#include "test_support.h"

#include <gtest/gtest.h>

using namespace urdiva;

namespace {

TEST(PajekWriter, CountAndKindLines)
{
    EXPECT_EQ(vertexCountLine(3, 0, NetworkMode::OneMode), QStringLiteral("*Vertices 3"));
    EXPECT_EQ(vertexCountLine(2, 2, NetworkMode::TwoMode), QStringLiteral("*Vertices 4 2"));
    EXPECT_EQ(vertexCountLine(0, 0, NetworkMode::TwoMode), QStringLiteral("*Vertices 0 0"));
    EXPECT_EQ(linkKindLine(false), QStringLiteral("*Edges"));
    EXPECT_EQ(linkKindLine(true), QStringLiteral("*Arcs"));
}

TEST(PajekWriter, VertexAndEdgeLinesDropMarkersOnly)
{
    OutputBuffer text;
    PajekWriter::writeVertexLines(
        text,
        {QString::fromUtf16(u"Ana¶"), QString::fromUtf16(u"O \"Rei\"¶"), QString::fromUtf16(u"¶")},
        9);
    RecordLine line(u';');
    line.assign("x;3,5 kg;(7) \xC2\xB6;\xE9;");
    QByteArray storage;
    PajekWriter::writeEdgeLine(text, 9, 10, line.unmarkedUtf8(1, storage));
    PajekWriter::writeEdgeLine(text, 11, 11);
    PajekWriter::writeEdgeLine(text, 1, 2, line.unmarkedUtf8(2, storage));
    PajekWriter::writeEdgeLine(text, 1, 2, line.unmarkedUtf8(3, storage));
    PajekWriter::writeEdgeLine(text, 1, 2, line.unmarkedUtf8(4, storage));
    EXPECT_EQ(urdiva::reference::networkLines(text),
              (QStringList {"9 \"Ana\"", "10 \"O 'Rei'\"", "11 \"\"", "9 10 3,5 kg", "11 11",
                            "1 2 (7) ", QString::fromUtf16(u"1 2 é"), "1 2 "}));
}

// Vertex names are encoded as Qt encodes them, markers left out, whatever their characters but
// NUL, which readers take for the end of the text: it is written as U+FFFD.
TEST(PajekWriter, VertexNamesInUtf8)
{
    const QString names[] = {
        QString::fromUtf16(u"Jo\u00E3o \u00B6Gon\u00E7alves\u00B6"), // Latin-1
        QString::fromUtf16(u"\u0416\u00B6\u20AC\uFFFD"), // two and three bytes
        QString::fromUtf16(u"\U0001F600 a\u00B6"), // a surrogate pair
        u'x' + QString(QChar(0xD800)) + QString::fromUtf16(u"y\u00B6"), // a lone high half
        QString(QChar(0xDC00)) + QChar(0xB6), // a lone low half
        QString(QChar(0)) + QString::fromUtf16(u"\u007F\u0080\u07FF\u0800"),
    };
    for (const QString& name : names) {
        OutputBuffer text;
        PajekWriter::writeVertexLines(text, {name}, 7);
        EXPECT_EQ(text.utf8(), "7 \"" +
                                   removeMarkers(name).replace(QChar(0), QChar(0xFFFD)).toUtf8() +
                                   "\"\r\n");
    }
}

} // namespace
