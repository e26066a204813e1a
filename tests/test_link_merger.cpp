// SPDX-License-Identifier: MIT
#include "engine/network/link_merger.h"
#include "test_support.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <map>
#include <random>
#include <string>
#include <vector>

using namespace urdiva;

namespace {

// The weights offered, each with its value in tenths: equal values in other spellings, signs,
// an exponent.
const struct {
    const char* text;
    int tenths;
} kWeights[] = {{"2", 20},   {"2.0", 20}, {"+2", 20}, {"10", 100}, {"1e1", 100},
                {"-1", -10}, {"0.5", 5},  {"0", 0},   {"3.5", 35}};

struct Merged {
    int a;
    int b;
    std::string weight;
    bool operator==(const Merged&) const = default;
};

// The rules by their plain reading: the links in the order of their first, which keeps its
// ends; the sum, the number, the first or the largest (the first of equals) of the weights.
std::vector<Merged> reference(const std::vector<std::pair<int, int>>& links,
                              const std::vector<size_t>& weights, MergeRule rule, bool directed)
{
    struct Gathered {
        int a, b;
        int sum = 0, count = 0;
        size_t first = 0, largest = 0;
    };
    std::vector<Gathered> gathered;
    std::map<std::pair<int, int>, size_t> place;
    for (size_t k = 0; k < links.size(); ++k) {
        const auto [a, b] = links[k];
        const std::pair<int, int> key = directed || a <= b ? std::pair(a, b) : std::pair(b, a);
        const auto [at, isNew] = place.try_emplace(key, gathered.size());
        if (isNew)
            gathered.push_back({a, b, 0, 0, weights[k], weights[k]});
        Gathered& link = gathered[at->second];
        link.sum += kWeights[weights[k]].tenths;
        ++link.count;
        if (kWeights[weights[k]].tenths > kWeights[link.largest].tenths)
            link.largest = weights[k];
    }
    std::vector<Merged> merged;
    for (const Gathered& link : gathered) {
        std::string weight;
        switch (rule) {
        case MergeRule::Sum:
            weight = std::to_string(link.sum / 10);
            if (link.sum % 10 != 0)
                weight = (link.sum < 0 && link.sum > -10 ? "-" : "") + weight + '.' +
                         std::to_string(std::abs(link.sum % 10));
            break;
        case MergeRule::Count:
            weight = std::to_string(link.count);
            break;
        case MergeRule::Max:
            weight = kWeights[link.largest].text;
            break;
        default:
            weight = kWeights[link.first].text;
        }
        merged.push_back({link.a, link.b, weight});
    }
    return merged;
}

// Links offered in batches to both parts, as two threads offer them, come out merged as the
// plain reading of each rule says, in the order of their first links.
TEST(LinkMerger, MergesAsThePlainRules)
{
    std::mt19937 random(7);
    for (const MergeRule rule :
         {MergeRule::Sum, MergeRule::Count, MergeRule::Max, MergeRule::First}) {
        for (const bool directed : {false, true}) {
            SCOPED_TRACE(testing::Message() << int(rule) << " directed " << directed);
            std::vector<std::pair<int, int>> links;
            std::vector<size_t> weights;
            for (int k = 0; k < 3000; ++k) {
                links.emplace_back(1 + int(random() % 12), 1 + int(random() % 12));
                weights.push_back(random() % std::size(kWeights));
            }
            LinkMerger merger(rule, directed);
            for (size_t begin = 0; begin < links.size(); begin += 700) {
                std::vector<LinkMerger::Offered> batch;
                for (size_t k = begin; k < std::min(links.size(), begin + 700); ++k)
                    batch.push_back({links[k].first, links[k].second,
                                     QByteArrayView(kWeights[weights[k]].text)});
                merger.add(0, batch, begin);
                merger.add(1, batch, begin);
            }
            std::vector<Merged> merged;
            for (const LinkMerger::Entry entry : merger.inOrder()) {
                char buffer[48];
                Merged link {};
                QByteArrayView weight;
                merger.get(entry, link.a, link.b, weight, buffer);
                link.weight = weight.toByteArray().toStdString();
                merged.push_back(link);
            }
            const std::vector<Merged> expected = reference(links, weights, rule, directed);
            ASSERT_EQ(merged.size(), expected.size());
            for (size_t k = 0; k < merged.size(); ++k)
                EXPECT_EQ(merged[k], expected[k])
                    << k << ": " << merged[k].a << ' ' << merged[k].b << ' ' << merged[k].weight
                    << " against " << expected[k].weight;
        }
    }
}

// Weights read as a full parse reads them, fast path or not.
TEST(LinkMerger, WeightValuesAsAFullParseReadsThem)
{
    QRandomGenerator random(7);
    QList<QByteArray> weights = {"0",
                                 "-0",
                                 "+3",
                                 "2.50",
                                 ".5",
                                 "1.",
                                 "-12.75",
                                 "1e3",
                                 "123456789012345678",
                                 "0.1",
                                 "9.999999999999999",
                                 "3.14159265358979323846",
                                 "1E-5"};
    for (int i = 0; i < 20000; ++i) {
        QByteArray w = QByteArray::number(random.bounded(Q_INT64_C(1) << 50));
        const int point = random.bounded(int(w.size()) + 1);
        if (point < w.size())
            w.insert(point, '.');
        if (random.bounded(2))
            w.prepend('-');
        weights << w;
    }
    for (const QByteArray& w : weights) {
        const QByteArrayView digits = w.startsWith('+') ? QByteArrayView(w).sliced(1) : w;
        double expected = 0;
        std::from_chars(digits.data(), digits.data() + digits.size(), expected);
        EXPECT_EQ(weightValue(w), expected) << w.constData();
    }
}

} // namespace
