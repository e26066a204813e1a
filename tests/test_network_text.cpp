#include "field_marker.h"
#include "network_text.h"
#include "network_writer.h"
#include "record_line.h"
#include "run_error.h"
#include "test_support.h"

#include <gtest/gtest.h>

using namespace urdiva;
using urdiva::test::TempDir;

namespace {

TEST(NetworkText, CountAndKindLines)
{
    EXPECT_EQ(vertexCountLine(3, 0, NetworkMode::OneMode), QStringLiteral("*Vertices 3"));
    EXPECT_EQ(vertexCountLine(2, 2, NetworkMode::TwoMode), QStringLiteral("*Vertices 4 2"));
    EXPECT_EQ(vertexCountLine(0, 0, NetworkMode::TwoMode), QStringLiteral("*Vertices 0 0"));
    EXPECT_EQ(linkKindLine(false), QStringLiteral("*Edges"));
    EXPECT_EQ(linkKindLine(true), QStringLiteral("*Arcs"));
}

TEST(NetworkText, VertexAndEdgeLinesDropMarkersOnly)
{
    NetworkText text;
    text.appendVertexLines(
        {QString::fromUtf16(u"Ana¶"), QString::fromUtf16(u"O \"Rei\"¶"), QString::fromUtf16(u"¶")},
        9);
    RecordLine line(u';');
    line.assign("x;3,5 kg;(7) \xC2\xB6;\xE9;");
    QByteArray storage;
    text.appendEdgeLine(9, 10, line.unmarkedUtf8(1, storage));
    text.appendEdgeLine(11, 11);
    text.appendEdgeLine(1, 2, line.unmarkedUtf8(2, storage));
    text.appendEdgeLine(1, 2, line.unmarkedUtf8(3, storage));
    text.appendEdgeLine(1, 2, line.unmarkedUtf8(4, storage));
    EXPECT_EQ(text.lines(),
              (QStringList {"9 \"Ana\"", "10 \"O \"Rei\"\"", "11 \"\"", "9 10 3,5 kg", "11 11",
                            "1 2 (7) ", QString::fromUtf16(u"1 2 é"), "1 2 "}));
    EXPECT_EQ(text.lineCount(), 8);
}

// Vertex names are encoded as Qt encodes them, markers left out, whatever their characters.
TEST(NetworkText, VertexNamesInUtf8)
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
        NetworkText text;
        text.appendVertexLines({name}, 7);
        EXPECT_EQ(text.utf8(), "7 \"" + removeMarkers(name).toUtf8() + "\"\r\n");
    }
}

TEST(NetworkText, FileHasBomUtf8AndCrLf)
{
    NetworkText text;
    text.appendLine(u"*Vertices 1");
    text.appendVertexLines({QString::fromUtf16(u"João¶")}, 1);
    text.appendLine(u"*Edges");
    EXPECT_EQ(text.plainText(), QString::fromUtf16(u"*Vertices 1\n1 \"João\"\n*Edges"));
    TempDir dir;
    const QString path = dir.path(QStringLiteral("rede.net"));
    writeNetworkFile(path, text);
    EXPECT_EQ(urdiva::test::readBytes(path),
              QByteArray("\xEF\xBB\xBF*Vertices 1\r\n1 \"Jo\xC3\xA3o\"\r\n*Edges\r\n"));
}

TEST(NetworkWriter, ReplacesAnExistingFileWhole)
{
    TempDir dir;
    const QString path = dir.write(QStringLiteral("rede.net"), QByteArray(10000, 'o'));
    NetworkText text;
    text.appendLine(u"*Vertices 0");
    writeNetworkFile(path, text);
    EXPECT_EQ(urdiva::test::readBytes(path), QByteArray("\xEF\xBB\xBF*Vertices 0\r\n"));
}

TEST(NetworkWriter, MissingFolderCannotBeCreated)
{
    TempDir dir;
    const QString path = dir.path(QStringLiteral("nada/rede.net"));
    try {
        writeNetworkFile(path, NetworkText());
        FAIL();
    } catch (const RunError& e) {
        EXPECT_TRUE(e.message().startsWith(QStringLiteral("Cannot create file \"%1\". ").arg(path)))
            << e.message().toStdString();
        EXPECT_GT(e.message().size(),
                  QStringLiteral("Cannot create file \"%1\". ").arg(path).size());
    }
}

} // namespace
