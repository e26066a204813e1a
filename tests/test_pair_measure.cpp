// SPDX-License-Identifier: MIT
#include "engine/report/pair_measure.h"
#include "engine/report/similarity.h"
#include "reference.h"
#include "test_support.h"

#include <QString>

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

using namespace urdiva;
using urdiva::test::makeSlip;
using urdiva::test::Slip;

namespace {

struct Pair {
    size_t i; // rows i < j and their distance
    size_t j;
    int distance;
    bool operator==(const Pair&) const = default;
};

// Every pair by the plain measure, skipping only pairs whose difference in length alone keeps
// them below the threshold.
std::vector<Pair> plainPairs(const QStringList& names, int threshold)
{
    std::vector<Pair> pairs;
    for (qsizetype i = 0; i < names.size(); ++i) {
        for (qsizetype j = i + 1; j < names.size(); ++j) {
            const int longest = int(std::max(names[i].size(), names[j].size()));
            const int shortest = int(std::min(names[i].size(), names[j].size()));
            if (similarityPercentage(similarityRatio(longest - shortest, longest)) < threshold)
                continue;
            const int d = reference::editDistance(foldAsciiCase(names[i]), foldAsciiCase(names[j]));
            if (similarityPercentage(similarityRatio(d, longest)) >= threshold)
                pairs.push_back({size_t(i), size_t(j), d});
        }
    }
    return pairs;
}

std::vector<Pair> measuredPairs(const QStringList& names, int threshold)
{
    std::vector<Pair> pairs;
    measureSimilarPairs(
        names, threshold,
        [](QByteArray& out, size_t i, size_t j, int, int distance) {
            const Pair pair {i, j, distance};
            out.append(reinterpret_cast<const char*>(&pair), sizeof pair);
        },
        false,
        [&](const MeasuredRow& row) {
            for (qsizetype at = 0; at < row.lines.size(); at += qsizetype(sizeof(Pair))) {
                Pair pair;
                std::memcpy(&pair, row.lines.constData() + at, sizeof pair);
                pairs.push_back(pair);
            }
        });
    return pairs;
}

// Families of names a few edits apart, as many as the threshold allows and one more: swaps
// (also across runs like "ababab"), doubled, dropped, inserted and replaced letters, capitals,
// accents; stems of every length from 1 to 300, from alphabets small enough to repeat letters.
QStringList nearTheThreshold(int threshold, std::mt19937& random)
{
    const std::u16string alphabets[] = {u"ab",
                                        u"abc",
                                        u"ana ",
                                        u"abcdefghij",
                                        u"aeiou rstlnm\u00E9\u00E3\u00E7",
                                        u"Aa\u00C9\u00E9Bb"};
    QStringList names;
    const auto below = [&](int n) { return int(random() % unsigned(n)); };
    while (names.size() < 400) {
        const std::u16string& letters = alphabets[below(int(std::size(alphabets)))];
        // Mostly people's lengths, some up to 300.
        const int length = below(4) == 0 ? 1 + below(300) : 1 + below(40);
        QString stem;
        for (int k = 0; k < length; ++k)
            stem += QChar(letters[size_t(below(int(letters.size())))]);
        const int allowed = int(length * (100 - threshold) / 100);
        names << stem;
        for (int variant = below(8); variant >= 0; --variant) {
            QString name = stem;
            // Edits gather at one end or fall anywhere, so that shifts reach their bounds.
            const bool gathered = below(2) == 0;
            for (int edits = allowed + below(3) - 1; edits > 0 && name.size() > 1; --edits) {
                const int last = int(name.size() - 2);
                const qsizetype at = gathered ? below(std::min(last + 1, 4)) : below(last + 1);
                // Inserted and replaced letters from the stem's alphabet, each drawn only
                // when used.
                const auto slip = Slip(below(7));
                const bool typed = slip == Slip::Insert || slip == Slip::Replace;
                makeSlip(name, at, slip,
                         typed ? QChar(letters[size_t(below(int(letters.size())))]) : QChar());
            }
            if (!names.contains(name))
                names << name;
        }
    }
    std::shuffle(names.begin(), names.end(), random);
    return names;
}

// Pairs of names of one length as far apart as the threshold allows, each edit in a piece of its
// own when the name is cut evenly into one piece more than the edits allowed (the longer pieces
// last): every piece but one replaced in its middle, and the one left swapped across its start,
// or, where the name repeats two letters in turn there, shifted by one letter over a few of them.
// Many names of one length, so that their pieces are worth looking up.
QStringList acrossPieceStarts(int threshold, std::mt19937& random)
{
    const auto below = [&](int n) { return int(random() % unsigned(n)); };
    QStringList names;
    const int m = 8 + below(33);
    int d = 0;
    while (similarityPercentage(similarityRatio(d + 1, m)) >= threshold)
        ++d;
    if (d == 0 || m / (d + 1) < 3) // only longer pieces are looked up
        return names;
    while (names.size() < 600) {
        const std::u16string letters = below(2) ? u"ab" : u"abcdefghijklmnopqrstuvwxyz";
        QString stem;
        for (int k = 0; k < m; ++k)
            stem += QChar(letters[size_t(below(int(letters.size())))]);
        std::vector<int> starts;
        for (int k = 0, begin = 0; k <= d; ++k) {
            starts.push_back(begin);
            begin += m / (d + 1) + (k >= d + 1 - m % (d + 1) ? 1 : 0);
        }
        starts.push_back(m);
        const int kept = 1 + below(d);
        QString name = stem;
        for (int k = 0; k <= d; ++k) {
            if (k != kept && k != kept - 1)
                name[(starts[size_t(k)] + starts[size_t(k) + 1]) / 2] = u'#';
        }
        const int b = starts[size_t(kept)];
        if (letters.size() == 2 && below(2)) {
            for (int x = b - 1; x < std::min(m - 1, b + below(4)); ++x)
                name[x] = stem[x + 1];
        } else {
            std::swap(name[b - 1], name[b]);
        }
        names << stem << name;
    }
    names.removeDuplicates();
    std::shuffle(names.begin(), names.end(), random);
    return names;
}

TEST(SimilarPairs, SameAsEveryPairMeasuredNearTheThreshold)
{
    std::mt19937 random(37);
    for (const int threshold : {50, 60, 67, 70, 75, 80, 85, 90, 95, 99, 100}) {
        for (int round = 0; round < 4; ++round) {
            const QStringList names = round < 2 ? nearTheThreshold(threshold, random)
                                                : acrossPieceStarts(threshold, random);
            if (names.isEmpty())
                continue; // no name is cut into pieces of a few letters
            SCOPED_TRACE("threshold " + std::to_string(threshold) + ", round " +
                         std::to_string(round));
            const std::vector<Pair> expected = plainPairs(names, threshold);
            const std::vector<Pair> measured = measuredPairs(names, threshold);
            ASSERT_EQ(measured.size(), expected.size());
            ASSERT_TRUE(measured == expected);
            if (threshold < 100) { // the names do sit near the threshold
                ASSERT_GT(expected.size(), names.size() / 8);
            }
        }
    }
}

} // namespace
