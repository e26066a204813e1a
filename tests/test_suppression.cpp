// SPDX-License-Identifier: MIT
#include "engine/names/suppression.h"
#include "test_support.h"

#include <gtest/gtest.h>

using namespace urdiva;

namespace {

struct SuppressionCase {
    const char16_t* item;
    const char* where; // any of "s" (start), "e" (end), "t" (everywhere)
    const char16_t* field;
    const char16_t* result;
};

void PrintTo(const SuppressionCase& c, std::ostream* os)
{
    *os << QStringView(c.item).toString().toStdString() << " [" << c.where << "] "
        << QStringView(c.field).toString().toStdString();
}

class SuppressionTest : public ::testing::TestWithParam<SuppressionCase> { };

TEST_P(SuppressionTest, StripsTheValue)
{
    const SuppressionCase& c = GetParam();
    const std::string where = c.where;
    SuppressionRule rule;
    rule.characters = suppressionCharacters(c.item);
    rule.atStart = where.find('s') != std::string::npos;
    rule.atEnd = where.find('e') != std::string::npos;
    rule.everywhere = where.find('t') != std::string::npos;
    EXPECT_EQ(SuprimirCaractere(rule, QStringView(c.field).toString()),
              QStringView(c.result).toString());
}

INSTANTIATE_TEST_SUITE_P(
    Fields, SuppressionTest,
    ::testing::Values(SuppressionCase {u"Parênteses", "se", u"¶(Rio)¶", u"¶Rio¶"},
                      SuppressionCase {u"Parênteses", "se", u"(Rio (RJ))¶", u"Rio (RJ¶"},
                      SuppressionCase {u"Espaço em Branco", "s", u"A B¶", u"A B¶"},
                      SuppressionCase {u"Espaço em Branco", "s", u" A B¶", u"A B¶"},
                      SuppressionCase {u"Espaço em Branco", "e", u"¶B A", u"¶B A"},
                      SuppressionCase {u"Espaço em Branco", "e", u"¶B A  ", u"¶B A¶"},
                      SuppressionCase {u"Barra", "s", u"///¶", u"¶"},
                      SuppressionCase {u"Barra", "s", u"¶//¶", u"¶¶"},
                      SuppressionCase {u"Barra", "e", u"¶//", u"¶¶"},
                      SuppressionCase {u"Barra", "e", u"ab/", u"ab¶"},
                      SuppressionCase {u"Barra", "s", u"///", u""},
                      SuppressionCase {u"Barra", "e", u"///", u"¶"},
                      SuppressionCase {u"Barra", "se", u"/a/b/", u"a/b¶"},
                      SuppressionCase {u"Ponto", "t", u"¶a.b.c.¶", u"¶abc¶"},
                      SuppressionCase {u"Ponto", "tse", u"¶a.b.c.¶", u"¶abc¶"},
                      SuppressionCase {u"Ponto", "t", u"...", u""},
                      SuppressionCase {u"Colchetes", "se", u"[{x}]¶", u"{x}¶"},
                      SuppressionCase {u"Chaves", "se", u"{[x]}¶", u"[x]¶"},
                      SuppressionCase {u"Maior que e menor que", "s", u"¶<>x<y", u"¶x<y"},
                      SuppressionCase {u"Parênteses", "s", u"¶)(x", u"¶x"},
                      SuppressionCase {u"Barra Vertical", "se", u"¶x/¶", u"¶x/¶"},
                      SuppressionCase {u"Barra Vertical", "se", u"¶x|¶", u"¶x¶"},
                      SuppressionCase {u"Barra Invertida", "se", u"\\\\x\\¶", u"x¶"},
                      SuppressionCase {u"", "tse", u"¶ (x). ¶", u"¶ (x). ¶"},
                      SuppressionCase {u"Espaço em Branco", "", u"¶ x ¶", u"¶ x ¶"},
                      SuppressionCase {u"Espaço em Branco", "se", u"¶\tx\u00A0¶", u"¶\tx\u00A0¶"},
                      SuppressionCase {u"Barra", "tse", u"¶", u"¶"},
                      SuppressionCase {u"Barra", "tse", u"¶¶", u"¶¶"},
                      SuppressionCase {u"Espaço em Branco", "se", u"¶", u"¶"},
                      SuppressionCase {u"Espaço em Branco", "se", u"¶¶", u"¶¶"},
                      SuppressionCase {u"Espaço em Branco", "se", u"", u""},
                      SuppressionCase {u"Nada disso", "tse", u"¶ x ¶", u"¶ x ¶"}));

TEST(SuppressionChoices, ItemsInListOrder)
{
    QStringList items;
    for (const SuppressionChoice& choice : kSuppressionChoices)
        items << QStringView(choice.item).toString();
    EXPECT_EQ(items,
              (QStringList {"", "Barra", "Barra Invertida", "Barra Vertical", "Chaves", "Colchetes",
                            QStringLiteral("Espaço em Branco"), "Maior que e menor que",
                            QStringLiteral("Parênteses"), "Ponto"}));
    EXPECT_EQ(suppressionCharacters(u"Chaves"), QStringLiteral("{}"));
    EXPECT_EQ(suppressionCharacters(u"chaves"), QString());
}

} // namespace
