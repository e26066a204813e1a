// SPDX-License-Identifier: MIT
#include "engine/io/cell_names.h"
#include "engine/io/record_line.h"
#include "test_support.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

#include <vector>

using namespace urdiva;

namespace {

// A cell's names are the same whether the line was cut on its bytes or on its text, and are
// what splitting the text, trimming spaces and tabs and dropping empty names gives.
TEST(CellNames, BytesAndTextGiveThePlainSplit)
{
    const QString alphabet = QStringLiteral("aé |;\t€x");
    QRandomGenerator random(11);
    std::vector<CellName> names;
    QString storage;
    for (int round = 0; round < 5000; ++round) {
        QString cell;
        for (int n = random.bounded(12); n > 0; --n)
            cell += alphabet[random.bounded(int(alphabet.size()))];
        for (const QChar separator : {QChar(u'|'), QChar(u'€')}) {
            QStringList expected;
            for (QString name : cell.split(separator)) {
                while (name.startsWith(u' ') || name.startsWith(u'\t'))
                    name.remove(0, 1);
                while (name.endsWith(u' ') || name.endsWith(u'\t'))
                    name.chop(1);
                if (!name.isEmpty())
                    expected << name;
            }
            const QByteArray bytes = cell.toUtf8();
            for (const bool keyIsText : {false, true}) {
                const QByteArrayView key =
                    keyIsText ? QByteArrayView(reinterpret_cast<const char*>(cell.utf16()),
                                               cell.size() * 2)
                              : QByteArrayView(bytes);
                splitCell(key, keyIsText, separator, names, storage);
                QStringList got;
                for (const CellName& name : names)
                    got << RecordLine::valueOfKey(name.key, name.keyIsText);
                EXPECT_EQ(got, expected) << cell.toStdString() << keyIsText;
            }
        }
    }
}

} // namespace
