// SPDX-License-Identifier: MIT
#include "engine/network/output_buffer.h"
#include "engine/network/pajek_writer.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace urdiva;

namespace {

// A text written out as it fills holds, pieces and rest together, exactly the text made whole;
// each piece is whole lines, at least half a piece, and at most two (or a few of the longest lines
// where they are longer than a piece).
TEST(OutputBuffer, WrittenOutInPiecesAsMadeWhole)
{
    const QStringList names = {QStringLiteral("Ana"), QString(700, u'x'), QStringLiteral("Bia¶"),
                               QString(5, u'\u00E9')};
    const auto make = [&](OutputBuffer& text) {
        text.appendLine(u"*Vertices 4");
        for (int round = 0; round < 40; ++round) {
            PajekWriter::writeVertexLines(text, names, 1 + 4 * round);
            PajekWriter::writeEdgeLine(text, round, 2 * round + 1);
            PajekWriter::writeEdgeLine(text, round, 3, "1,5");
            OutputBuffer tail;
            PajekWriter::writeEdgeLine(tail, 7, round);
            text.append(tail);
        }
    };
    OutputBuffer whole;
    make(whole);
    for (const qsizetype pieceBytes : {1, 64, 1000, 5000, 1 << 20}) {
        SCOPED_TRACE(pieceBytes);
        QByteArray written;
        OutputBuffer text;
        const qsizetype most = std::max<qsizetype>(2 * pieceBytes, 8 * 712);
        text.writeOutEvery(pieceBytes, [&](OutputBuffer& full) {
            const QByteArrayView piece = full.utf8();
            EXPECT_GE(2 * piece.size(), pieceBytes);
            EXPECT_LE(piece.size(), most);
            EXPECT_TRUE(piece.endsWith("\r\n"));
            written += piece;
            full.clear();
        });
        make(text);
        EXPECT_LE(text.utf8().size(), most);
        written += text.utf8();
        EXPECT_EQ(written, whole.utf8());
    }
}

} // namespace
