// SPDX-License-Identifier: MIT
#include "engine/names/strip.h"
#include "test_support.h"

#include <gtest/gtest.h>

using namespace urdiva;

namespace {

struct StripCase {
    const char16_t* item;
    const char* where; // any of "s" (start), "e" (end), "t" (everywhere)
    const char16_t* field;
    const char16_t* result;
};

void PrintTo(const StripCase& c, std::ostream* os)
{
    *os << QStringView(c.item).toString().toStdString() << " [" << c.where << "] "
        << QStringView(c.field).toString().toStdString();
}

class StripTest : public ::testing::TestWithParam<StripCase> { };

TEST_P(StripTest, StripsTheValue)
{
    const StripCase& c = GetParam();
    const std::string where = c.where;
    StripRule rule;
    rule.characters = stripChoiceCharacters(c.item);
    rule.atStart = where.find('s') != std::string::npos;
    rule.atEnd = where.find('e') != std::string::npos;
    rule.everywhere = where.find('t') != std::string::npos;
    EXPECT_EQ(stripCharacters(rule, QStringView(c.field).toString()),
              QStringView(c.result).toString());
}

INSTANTIATE_TEST_SUITE_P(
    Fields, StripTest,
    ::testing::Values(
        StripCase {u"Parênteses", "se", u"¶(Rio)¶", u"¶Rio¶"},
        StripCase {u"Parênteses", "se", u"(Rio (RJ))¶", u"Rio (RJ¶"},
        StripCase {u"Espaço em Branco", "s", u"A B¶", u"A B¶"},
        StripCase {u"Espaço em Branco", "s", u" A B¶", u"A B¶"},
        StripCase {u"Espaço em Branco", "e", u"¶B A", u"¶B A"},
        StripCase {u"Espaço em Branco", "e", u"¶B A  ", u"¶B A¶"},
        StripCase {u"Barra", "s", u"///¶", u"¶"}, StripCase {u"Barra", "s", u"¶//¶", u"¶¶"},
        StripCase {u"Barra", "e", u"¶//", u"¶¶"}, StripCase {u"Barra", "e", u"ab/", u"ab¶"},
        StripCase {u"Barra", "s", u"///", u""}, StripCase {u"Barra", "e", u"///", u"¶"},
        StripCase {u"Barra", "se", u"/a/b/", u"a/b¶"},
        StripCase {u"Ponto", "t", u"¶a.b.c.¶", u"¶abc¶"},
        StripCase {u"Ponto", "tse", u"¶a.b.c.¶", u"¶abc¶"}, StripCase {u"Ponto", "t", u"...", u""},
        StripCase {u"Colchetes", "se", u"[{x}]¶", u"{x}¶"},
        StripCase {u"Chaves", "se", u"{[x]}¶", u"[x]¶"},
        StripCase {u"Maior que e menor que", "s", u"¶<>x<y", u"¶x<y"},
        StripCase {u"Parênteses", "s", u"¶)(x", u"¶x"},
        StripCase {u"Barra Vertical", "se", u"¶x/¶", u"¶x/¶"},
        StripCase {u"Barra Vertical", "se", u"¶x|¶", u"¶x¶"},
        StripCase {u"Barra Invertida", "se", u"\\\\x\\¶", u"x¶"},
        StripCase {u"", "tse", u"¶ (x). ¶", u"¶ (x). ¶"},
        StripCase {u"Espaço em Branco", "", u"¶ x ¶", u"¶ x ¶"},
        StripCase {u"Espaço em Branco", "se", u"¶\tx\u00A0¶", u"¶\tx\u00A0¶"},
        StripCase {u"Barra", "tse", u"¶", u"¶"}, StripCase {u"Barra", "tse", u"¶¶", u"¶¶"},
        StripCase {u"Espaço em Branco", "se", u"¶", u"¶"},
        StripCase {u"Espaço em Branco", "se", u"¶¶", u"¶¶"},
        StripCase {u"Espaço em Branco", "se", u"", u""},
        StripCase {u"Nada disso", "tse", u"¶ x ¶", u"¶ x ¶"}));

TEST(StripChoices, ItemsInListOrder)
{
    QStringList items;
    for (const StripChoice& choice : kStripChoices)
        items << QStringView(choice.item).toString();
    EXPECT_EQ(items,
              (QStringList {"", "Barra", "Barra Invertida", "Barra Vertical", "Chaves", "Colchetes",
                            QStringLiteral("Espaço em Branco"), "Maior que e menor que",
                            QStringLiteral("Parênteses"), "Ponto"}));
    EXPECT_EQ(stripChoiceCharacters(u"Chaves"), QStringLiteral("{}"));
    EXPECT_EQ(stripChoiceCharacters(u"chaves"), QString());
}

} // namespace
