// SPDX-License-Identifier: MIT
#include "engine/io/field_marker.h"
#include "engine/names/name_collation.h"
#include "engine/names/vertex_lists.h"
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

QStringList strip(const QStringList& names)
{
    QStringList out;
    for (const QString& n : names)
        out << removeMarkers(n);
    return out;
}

// Runs the list steps of a run over (first, second) marked field pairs.
VertexLists build(const std::vector<std::pair<const char16_t*, const char16_t*>>& records,
                  NetworkMode mode, bool caseSensitive, bool sortAscending)
{
    VertexLists lists(QLocale(), mode, caseSensitive, sortAscending);
    for (const auto& [first, second] : records) {
        const QString firstField = s(first);
        const QString secondField = s(second);
        lists.addCandidates(End::First, std::span(&firstField, 1));
        lists.addCandidates(End::Second, std::span(&secondField, 1));
    }
    lists.removeBlankCandidates();
    lists.normaliseCandidates();
    lists.buildVertexLists();
    return lists;
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

TEST(VertexLists, OneModeIgnoresCaseWhateverTheOption)
{
    LocaleGuard locale(QStringLiteral("pt_BR"));
    for (bool caseSensitive : {false, true}) {
        const VertexLists lists = build({{u"Ana¶", u"¶Rui"}, {u"ANA¶", u"¶ana"}},
                                        NetworkMode::OneMode, caseSensitive, false);
        EXPECT_EQ(strip(lists.firstModeVertices()), (QStringList {"Ana", "Rui"}));
        EXPECT_EQ(lists.findVertex(s(u"ana¶"), End::Second), 1);
    }
}

TEST(VertexLists, TwoModeSecondColumnFollowsTheCaseRule)
{
    LocaleGuard locale(QStringLiteral("pt_BR"));
    const VertexLists sensitive =
        build({{u"Rio¶", u"¶Rio"}, {u"RIO¶", u"¶RIO"}}, NetworkMode::TwoMode, true, false);
    EXPECT_EQ(strip(sensitive.firstModeVertices()), QStringList {"Rio"});
    EXPECT_EQ(strip(sensitive.secondModeVertices()), (QStringList {"Rio", "RIO"}));
    EXPECT_EQ(sensitive.findVertex(s(u"RIO¶"), End::Second), 3);

    const VertexLists insensitive =
        build({{u"Rio¶", u"¶Rio"}, {u"RIO¶", u"¶RIO"}}, NetworkMode::TwoMode, false, false);
    EXPECT_EQ(strip(insensitive.secondModeVertices()), QStringList {"Rio"});
    EXPECT_EQ(insensitive.findVertex(s(u"RIO¶"), End::Second), 2);
}

TEST(VertexLists, BlankEnds)
{
    LocaleGuard locale(QStringLiteral("pt_BR"));
    // One-mode: blank fields in any position give no vertex.
    const VertexLists one =
        build({{u"¶", u"¶¶"}, {u"a¶", u"¶"}}, NetworkMode::OneMode, false, false);
    EXPECT_EQ(strip(one.firstModeVertices()), QStringList {"a"});
    EXPECT_EQ(one.findVertex(s(u"¶"), End::First), 0);
    // Two-mode: a blank second end is a second-mode vertex with an empty name.
    const VertexLists two =
        build({{u"a¶", u"¶¶"}, {u"¶", u"¶"}}, NetworkMode::TwoMode, false, false);
    EXPECT_EQ(strip(two.firstModeVertices()), QStringList {"a"});
    EXPECT_EQ(two.secondModeVertices(), QStringList {s(u"¶")});
    EXPECT_EQ(two.findVertex(s(u"¶"), End::Second), 2);
    EXPECT_EQ(two.findVertex(s(u"¶"), End::First), 0);
}

TEST(VertexLists, SameTextInAnyPositionIsOneVertex)
{
    LocaleGuard locale(QStringLiteral("pt_BR"));
    const VertexLists lists = build({{u"x¶", u"¶y¶"}, {u"¶y", u"¶x¶"}, {u"¶y¶", u"x¶"}},
                                    NetworkMode::OneMode, true, false);
    EXPECT_EQ(lists.firstModeVertices(), (QStringList {s(u"x¶"), s(u"y¶")}));
}

TEST(VertexLists, FirstSpellingWins)
{
    LocaleGuard locale(QStringLiteral("pt_BR"));
    const VertexLists lists =
        build({{u"¶maria", u"¶MARIA"}, {u"Maria¶", u"Jo¶"}}, NetworkMode::OneMode, true, false);
    EXPECT_EQ(strip(lists.firstModeVertices()), (QStringList {"maria", "Jo"}));
}

TEST(VertexLists, SortedByLocaleCollationIgnoringCase)
{
    LocaleGuard locale(QStringLiteral("pt_BR"));
    const VertexLists lists =
        build({{u"b¶", u"¶Á"}, {u"c¶", u"¶a"}, {u"B¶", u"¶ä"}}, NetworkMode::TwoMode, false, true);
    EXPECT_EQ(strip(lists.firstModeVertices()), (QStringList {"b", "c"}));
    // The second mode is never sorted.
    EXPECT_EQ(strip(lists.secondModeVertices()), (QStringList {s(u"Á"), s(u"a"), s(u"ä")}));

    const VertexLists one = build({{u"zé¶", u"¶Ana"}, {u"Érica¶", u"¶bia"}, {u"ana¶", u"¶Zé"}},
                                  NetworkMode::OneMode, false, true);
    EXPECT_EQ(strip(one.firstModeVertices()), (QStringList {"Ana", "bia", s(u"Érica"), s(u"zé")}));
    EXPECT_EQ(one.findVertex(s(u"ZÉ¶"), End::First), 4);
}

TEST(VertexLists, SpacesOnlyNameIsAVertex)
{
    LocaleGuard locale(QStringLiteral("pt_BR"));
    const VertexLists lists = build({{u"  ¶", u"¶x"}}, NetworkMode::OneMode, false, false);
    EXPECT_EQ(strip(lists.firstModeVertices()), (QStringList {"  ", "x"}));
}

// By code unit, but for the field marker: a name that begins another comes first (the marker
// of "a¶" ranks below the "\u0001" of "a\u0001¶", and "1¶" before "10¶").
TEST(VertexLists, CLocaleComparesCodeUnits)
{
    LocaleGuard locale(QStringLiteral("C"));
    const VertexLists lists = build({{u"b¶", u"¶B"},
                                     {u"a\u0001¶", u"¶a"},
                                     {u"Z¶", u"¶x"},
                                     {u"10¶", u"¶ab"},
                                     {u"1¶", u"¶abc"},
                                     {u"2¶", u"¶1"}},
                                    NetworkMode::OneMode, false, true);
    EXPECT_EQ(strip(lists.firstModeVertices()),
              (QStringList {"1", "10", "2", "a", s(u"a\u0001"), "ab", "abc", "b", "x", "Z"}));
}

TEST(VertexLists, NoRecords)
{
    LocaleGuard locale(QStringLiteral("pt_BR"));
    const VertexLists lists = build({}, NetworkMode::TwoMode, false, true);
    EXPECT_EQ(lists.firstModeCount(), 0);
    EXPECT_EQ(lists.secondModeCount(), 0);
}

} // namespace
