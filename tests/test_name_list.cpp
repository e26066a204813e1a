// SPDX-License-Identifier: MIT
#include "engine/names/name_collation.h"
#include "engine/names/name_list.h"
#include "test_support.h"

#include <QCollator>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

using namespace urdiva;
using urdiva::test::LocaleGuard;

namespace {

QString s(const char16_t* text)
{
    return QString::fromUtf16(text);
}

NameList frozen(NameList::Order order, Qt::CaseSensitivity cs,
                std::initializer_list<const char16_t*> names)
{
    NameList list(QLocale(), cs, order);
    for (const char16_t* name : names)
        list.addAll(std::vector {s(name)});
    list.freeze();
    return list;
}

TEST(NameList, MatchesByCollationAndLength)
{
    URDIVA_SKIP_ON_WINDOWS("collation: ICU ignores the internal field marker (U+0001) between a "
                           "name's parts, Windows' CompareStringEx does not");
    LocaleGuard locale(QStringLiteral("pt_BR"));
    // "Ána": an accent is more than case. U+0001 is ignorable in the collation: a\u0001b and
    // ab\u0001 rank equal and have one length, so they match; ab has another length.
    const NameList list = frozen(NameList::Order::Appearance, Qt::CaseInsensitive,
                                 {u"Ana", u"ANA", u"Ána", u"a\u0001b", u"ab\u0001", u"ab"});
    EXPECT_EQ(list.entries(), (QStringList {s(u"Ana"), s(u"Ána"), s(u"a\u0001b"), s(u"ab")}));
    EXPECT_EQ(list.size(), 4);
    EXPECT_EQ(list.indexOf(s(u"aNA")), 0);
    EXPECT_EQ(list.indexOf(s(u"ANA")), 0);
    EXPECT_EQ(list.indexOf(s(u"ab\u0001")), 2);
    EXPECT_EQ(list.indexOf(s(u"\u0001ab")), 2);
    EXPECT_EQ(list.indexOf(s(u"Eva")), -1);
    EXPECT_EQ(list.indexOf(s(u"Anas")), -1);
}

TEST(NameList, FirstOfEachGroupKeepsItsPlace)
{
    LocaleGuard locale(QStringLiteral("pt_BR"));
    const NameList list = frozen(NameList::Order::Appearance, Qt::CaseInsensitive,
                                 {u"b", u"a", u"B", u"c", u"A", u"b"});
    EXPECT_EQ(list.entries(), (QStringList {"b", "a", "c"}));
}

TEST(NameList, SortedListComparesByCollationAlone)
{
    URDIVA_SKIP_ON_WINDOWS("collation: ICU ignores the internal field marker (U+0001) between a "
                           "name's parts, Windows' CompareStringEx does not");
    LocaleGuard locale(QStringLiteral("pt_BR"));
    const NameList list = frozen(NameList::Order::Collation, Qt::CaseInsensitive,
                                 {u"b", u"Á", u"a\u0001b", u"ab", u"c", u"a", u"C"});
    EXPECT_EQ(list.entries(), (QStringList {s(u"a"), s(u"Á"), s(u"a\u0001b"), s(u"b"), s(u"c")}));
    EXPECT_EQ(list.indexOf(s(u"AB")), 2);
    EXPECT_EQ(list.indexOf(s(u"C")), 4);
    EXPECT_EQ(list.indexOf(s(u"bb")), -1);
}

// Offered texts are found by their text alone; others are left to indexOf().
TEST(NameList, IndexOfOfferedTexts)
{
    LocaleGuard locale(QStringLiteral("pt_BR"));
    NameList list =
        frozen(NameList::Order::Appearance, Qt::CaseInsensitive, {u"Ana", u"Rui", u"ANA", u"¶"});
    list.removeMatch(s(u"¶"));
    EXPECT_EQ(list.indexOfOffered(s(u"Ana")), 0);
    EXPECT_EQ(list.indexOfOffered(s(u"ANA")), 0);
    EXPECT_EQ(list.indexOfOffered(s(u"Rui")), 1);
    EXPECT_EQ(list.indexOfOffered(s(u"¶")), -1);
    EXPECT_EQ(list.indexOfOffered(s(u"ana")), std::nullopt);
    EXPECT_EQ(list.indexOf(s(u"ana")), 0);
}

TEST(NameList, RemovedEntryNoLongerMatches)
{
    LocaleGuard locale(QStringLiteral("pt_BR"));
    NameList list = frozen(NameList::Order::Appearance, Qt::CaseSensitive, {u"x", u"¶", u"y"});
    list.removeMatch(s(u"¶"));
    EXPECT_EQ(list.entries(), (QStringList {s(u"x"), s(u"y")}));
    EXPECT_EQ(list.indexOf(s(u"y")), 1);
    EXPECT_EQ(list.indexOf(s(u"¶")), -1);
    EXPECT_EQ(list.size(), 2);
    list.removeMatch(s(u"¶"));
    EXPECT_EQ(list.size(), 2);
}

// The list against the plain rule it implements: append unless an entry matches, found by a
// scan, on names drawn so that matches of every kind are common.
TEST(NameList, AgreesWithTheScanningDefinition)
{
    LocaleGuard locale(QStringLiteral("pt_BR"));
    const QStringList alphabet = {
        "a", "A", QStringLiteral("á"), "b", "B", QString(QChar(1)), QStringLiteral("¶"), " "};
    QCollator insensitive((QLocale()));
    insensitive.setCaseSensitivity(Qt::CaseInsensitive);
    QCollator sensitive((QLocale()));
    for (auto order : {NameList::Order::Appearance, NameList::Order::Collation}) {
        for (auto cs : {Qt::CaseSensitive, Qt::CaseInsensitive}) {
            const QCollator& collator = cs == Qt::CaseSensitive ? sensitive : insensitive;
            const auto matches = [&](const QString& a, const QString& b) {
                return (order == NameList::Order::Collation || a.size() == b.size()) &&
                       collator.compare(a, b) == 0;
            };
            quint32 seed = 12345;
            const auto next = [&seed] { return (seed = seed * 1103515245u + 12345u) >> 16; };
            NameList list(QLocale(), cs, order);
            QStringList reference;
            std::vector<QString> offered;
            for (int i = 0; i < 400; ++i) {
                QString name;
                for (quint32 k = next() % 4; k > 0; --k)
                    name += alphabet[next() % alphabet.size()];
                list.addAll(std::span(&name, 1));
                offered.push_back(name);
                const bool known = std::any_of(reference.cbegin(), reference.cend(),
                                               [&](const QString& e) { return matches(e, name); });
                if (!known)
                    reference << name;
            }
            if (order == NameList::Order::Collation)
                std::stable_sort(
                    reference.begin(), reference.end(),
                    [&](const QString& a, const QString& b) { return collator.compare(a, b) < 0; });
            list.freeze();
            EXPECT_EQ(list.entries(), reference);
            for (qsizetype p = 0; p < reference.size(); ++p)
                EXPECT_EQ(list.indexOf(reference[p]), p);
            // Where each name offered went, the same names offered at once to another list.
            NameList again(QLocale(), cs, order);
            again.addAll(std::vector(offered));
            again.freeze();
            const std::vector<qint32> own = list.takeOwnTextPositions();
            const std::vector<qint32> all = again.takeOfferPositions();
            ASSERT_EQ(own.size(), offered.size());
            ASSERT_EQ(all.size(), offered.size());
            for (size_t k = 0; k < offered.size(); ++k) {
                const qsizetype p = list.indexOf(offered[k]);
                EXPECT_EQ(all[k], p);
                EXPECT_EQ(own[k], reference[p] == offered[k] ? p : -1) << offered[k].toStdString();
            }
        }
    }
}

// The same in the locales whose names are settled by match hash, with names of letters, accents
// and marks only: few enough variants share a hash for the hash to settle the list, and with
// longer names of one accented letter, so many that a sort must.
TEST(NameList, HashedSettlingAgreesWithTheScanningDefinition)
{
    for (const char* localeName : {"pt_BR", "en_US", "es_ES", "de_DE", "C"}) {
        LocaleGuard locale(QString::fromLatin1(localeName));
        const QStringList alphabets[] = {
            {"a", "A", QStringLiteral("á"), "b", "B", QStringLiteral("ç"), "c", QStringLiteral("¶"),
             " ", QStringLiteral("Ñ"), "n"},
            {"a", QStringLiteral("á"), QStringLiteral("à"), QStringLiteral("ã"),
             QStringLiteral("â"), QStringLiteral("Ä")},
        };
        const int longest[] = {3, 5};
        for (int a = 0; a < 2; ++a) {
            for (auto order : {NameList::Order::Appearance, NameList::Order::Collation}) {
                for (auto cs : {Qt::CaseSensitive, Qt::CaseInsensitive}) {
                    const NameCollation collation(QLocale(), cs);
                    const auto matches = [&](const QString& x, const QString& y) {
                        return (order == NameList::Order::Collation || x.size() == y.size()) &&
                               collation.compare(x, y) == 0;
                    };
                    quint32 seed = 777;
                    const auto next = [&seed] {
                        return (seed = seed * 1103515245u + 12345u) >> 16;
                    };
                    NameList list(QLocale(), cs, order);
                    QStringList reference;
                    for (int i = 0; i < 600; ++i) {
                        QString name;
                        for (quint32 k = 1 + next() % quint32(longest[a]); k > 0; --k)
                            name += alphabets[a][next() % alphabets[a].size()];
                        list.addAll(std::span(&name, 1));
                        if (std::none_of(reference.cbegin(), reference.cend(),
                                         [&](const QString& e) { return matches(e, name); }))
                            reference << name;
                    }
                    if (order == NameList::Order::Collation)
                        std::stable_sort(reference.begin(), reference.end(),
                                         [&](const QString& x, const QString& y) {
                                             return collation.compare(x, y) < 0;
                                         });
                    list.freeze();
                    ASSERT_EQ(list.entries(), reference) << localeName;
                    for (qsizetype p = 0; p < reference.size(); ++p) {
                        EXPECT_EQ(list.indexOf(reference[p]), p);
                        if (cs == Qt::CaseInsensitive) {
                            EXPECT_EQ(list.indexOf(reference[p].toUpper()), p);
                        }
                    }
                }
            }
        }
    }
}

// A list settled by hash still finds names that have no match hash, such as one with an
// ignorable control.
TEST(NameList, HashedListFindsNamesWithoutAHash)
{
    URDIVA_SKIP_ON_WINDOWS("collation: ICU ignores the internal field marker (U+0001) between a "
                           "name's parts, Windows' CompareStringEx does not");
    LocaleGuard locale(QStringLiteral("pt_BR"));
    const NameList appearance =
        frozen(NameList::Order::Appearance, Qt::CaseInsensitive, {u"ab", u"Ana", u"x"});
    EXPECT_EQ(appearance.indexOf(s(u"A\u0001b")), -1); // another length
    EXPECT_EQ(appearance.indexOf(s(u"A\u0001n")), -1);
    EXPECT_EQ(appearance.indexOf(s(u"\u0001x")), -1);
    const NameList sorted =
        frozen(NameList::Order::Collation, Qt::CaseInsensitive, {u"x", u"ab", u"Ana"});
    EXPECT_EQ(sorted.entries(), (QStringList {"ab", "Ana", "x"}));
    EXPECT_EQ(sorted.indexOf(s(u"A\u0001b")), 0);
    EXPECT_EQ(sorted.indexOf(s(u"\u0001X\u0001")), 2);
    EXPECT_EQ(sorted.indexOf(s(u"a\u0001c")), -1);
}

// Large lists are settled on two threads; an ordered index over ICU sort keys, built name by
// name, must give the same entries and positions.
TEST(NameList, LargeListsAgreeWithAnOrderedIndex)
{
    URDIVA_SKIP_ON_WINDOWS("collation: ICU ignores the internal field marker (U+0001) between a "
                           "name's parts, Windows' CompareStringEx does not");
    LocaleGuard locale(QStringLiteral("pt_BR"));
    const QStringList alphabet = {"a",
                                  "A",
                                  QStringLiteral("á"),
                                  "b",
                                  "B",
                                  "c",
                                  QString(QChar(1)),
                                  QStringLiteral("¶"),
                                  " ",
                                  QStringLiteral("ç")};
    for (auto order : {NameList::Order::Appearance, NameList::Order::Collation}) {
        QCollator collator((QLocale()));
        collator.setCaseSensitivity(Qt::CaseInsensitive);
        std::map<std::pair<qsizetype, QCollatorSortKey>, QString,
                 bool (*)(const std::pair<qsizetype, QCollatorSortKey>&,
                          const std::pair<qsizetype, QCollatorSortKey>&)>
            index([](const auto& x, const auto& y) {
                return x.first != y.first ? x.first < y.first : x.second.compare(y.second) < 0;
            });
        QStringList appearance;
        NameList list(QLocale(), Qt::CaseInsensitive, order);
        quint32 seed = 99;
        const auto next = [&seed] { return (seed = seed * 1103515245u + 12345u) >> 16; };
        for (int i = 0; i < 30000; ++i) {
            QString name;
            for (quint32 k = 1 + next() % 6; k > 0; --k)
                name += alphabet[next() % alphabet.size()];
            list.addAll(std::span(&name, 1));
            const qsizetype length = order == NameList::Order::Appearance ? name.size() : 0;
            if (index.emplace(std::pair {length, collator.sortKey(name)}, name).second)
                appearance << name;
        }
        list.freeze();
        QStringList expected = appearance;
        if (order == NameList::Order::Collation) {
            expected.clear();
            for (const auto& entry : index)
                expected << entry.second;
        }
        ASSERT_EQ(list.entries(), expected);
        for (qsizetype p = 0; p < expected.size(); p += 7)
            EXPECT_EQ(list.indexOf(expected[p].toUpper()), p);
    }
}

} // namespace
