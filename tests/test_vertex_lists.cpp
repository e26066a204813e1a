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
