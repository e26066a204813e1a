// SPDX-License-Identifier: MIT
#include "engine/io/input_preview.h"
#include "test_support.h"

#include <gtest/gtest.h>

using namespace urdiva;

namespace {

// A choice follows its column by name when the file is read another way: the same occurrence of
// a name shared by two columns, quotation marks and spaces around it aside; none when gone.
TEST(InputPreview, SameColumnFollowsTheName)
{
    const QStringList plain = {QStringLiteral("\"Autor"), QStringLiteral(" nome\""),
                               QStringLiteral("Ano"), QStringLiteral("Ano")};
    const QStringList quoted = {QStringLiteral("Autor, nome"), QStringLiteral("Ano"),
                                QStringLiteral("Ano")};
    const struct {
        int before;
        int after;
    } cases[] = {{2, 1}, {3, 2}, {0, -1}, {1, -1}, {-1, -1}, {4, -1}};
    for (const auto& c : cases)
        EXPECT_EQ(sameColumn(plain, c.before, quoted), c.after) << c.before;
    EXPECT_EQ(sameColumn(quoted, 0, {QStringLiteral(" \"Autor, nome\" ")}), 0);
}

// The columns of the first record as the run reads it; the first lines kept up to a failure;
// the count of lines, which a stop ends at once.
TEST(InputPreview, ReadsTheFileAsTheRunDoes)
{
    const test::TempDir dir;
    const QString path = dir.write(QStringLiteral("dados.csv"),
                                   "\"Autor;\r\nnome\";Ano;\r\nAna;2020;\r\nRui;2021\r\n");
    const FirstRecordColumns plain = firstRecordColumns(path, QString(), u';', false);
    EXPECT_EQ(plain.names, QStringList({QStringLiteral("\"Autor")}));
    EXPECT_EQ(plain.separators, 1);
    const FirstRecordColumns quoted = firstRecordColumns(path, QString(), u';', true);
    EXPECT_EQ(quoted.names,
              QStringList({QStringLiteral("Autor;\nnome"), QStringLiteral("Ano"), QString()}));
    EXPECT_EQ(quoted.separators, 2);

    QStringList lines;
    readFirstLines(path, QString(), 2, lines);
    EXPECT_EQ(lines, QStringList({QStringLiteral("\"Autor;"), QStringLiteral("nome\";Ano;")}));
    lines.clear();
    EXPECT_ANY_THROW(readFirstLines(dir.path(QStringLiteral("nenhum.csv")), QString(), 10, lines));
    EXPECT_TRUE(lines.isEmpty());

    const std::atomic<bool> go(false), stop(true);
    EXPECT_EQ(countLines(path, QString(), go), 4);
    EXPECT_EQ(countLines(path, QString(), stop), 0);
    EXPECT_EQ(separatorMark(u'\t'), QStringLiteral("<tab>"));
    EXPECT_EQ(separatorMark(u';'), QStringLiteral("<;>"));
}

} // namespace
