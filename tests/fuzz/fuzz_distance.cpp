// SPDX-License-Identifier: MIT
// The fast distance against the plain one, and the fast report against the plain loop.
#include "engine/io/text_decoding.h"
#include "engine/report/similarity.h"
#include "engine/report/similarity_report.h"
#include "fuzz_support.h"
#include "reference.h"

#include <QFile>
#include <QLocale>
#include <QTemporaryDir>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput input(data, size);
    const int threshold = input.byte() % 101;
    QStringList names;
    while (names.size() < 8) {
        const QByteArrayView piece = input.piece();
        if (piece.isEmpty() && input.rest().isEmpty())
            break;
        names << urdiva::decodeText(piece.first(std::min<qsizetype>(piece.size(), 300)));
    }
    for (const QString& a : names) {
        for (const QString& b : names) {
            const int expected = urdiva::reference::editDistance(a, b);
            FUZZ_CHECK(urdiva::PatternDistance(a)(b, 100000) == expected);
            FUZZ_CHECK(urdiva::reference::boundedEditDistance(a, b, 100000) == expected);
            FUZZ_CHECK(expected == urdiva::reference::editDistance(b, a));
        }
    }
    if (names.size() > 6)
        return 0;
    QStringList vertices;
    for (const QString& name : names) {
        if (!vertices.contains(name + QChar(0xB6)))
            vertices << name + QChar(0xB6);
    }
    static QTemporaryDir folder;
    urdiva::reference::writeReportDocument(
        folder.filePath(QStringLiteral("reference.rtf")),
        urdiva::reference::similarityReportLines(vertices, threshold));
    urdiva::reference::writeFirstModeReport(vertices, threshold,
                                            folder.filePath(QStringLiteral("rede")));
    QFile reference(folder.filePath(QStringLiteral("reference.rtf")));
    QFile fast(folder.filePath(QStringLiteral("Similaridade_rede.rtf")));
    FUZZ_CHECK(reference.open(QIODevice::ReadOnly) && fast.open(QIODevice::ReadOnly));
    FUZZ_CHECK(reference.readAll() == fast.readAll());
    return 0;
}
