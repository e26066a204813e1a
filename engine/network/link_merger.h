// SPDX-License-Identifier: MIT
#pragma once

#include "engine/core/conversion_settings.h"
#include "engine/core/hash_map.h"
#include "engine/io/time_text.h"
#include "engine/network/weight_sum.h"

#include <QByteArrayView>

#include <span>
#include <string>
#include <vector>

namespace urdiva {

// Links that join the same two vertices (in either order unless directed), gathered into one,
// which keeps the place and the direction of the first. Its weight is the sum of the weights,
// their number, the largest or the first of them, by the merge rule. For the sum and the
// largest, every weight must be a number (see isNumber). With times, only links of one time
// are merged: a pair's links make one merged link per time.
//
// The links are shared out between two parts by their ends, so that two threads can gather
// them at once: each offers a batch of links, in order, to add() for its own part, which keeps
// the links that belong to it. In a batch the table's lookups follow each other closely, so that
// the processor waits for several at once.
class LinkMerger {
public:
    struct Offered {
        int a;
        int b;
        QByteArrayView weight;
        qint32 time = kNoTime;
    };

    LinkMerger(MergeRule rule, bool directed, bool timed = false);

    // The links of `part` among a batch whose first link is numbered `order` (counted over all
    // links, in order).
    void add(int part, std::span<const Offered> links, quint64 order);
    // A merged link: its part (the top bit) and its place there.
    using Entry = quint32;
    // The merged links, in the order of their first links.
    std::vector<Entry> inOrder() const;
    // The vertex numbers and the weight of a merged link; the weight may be put in `buffer`. A
    // sum beyond the largest double stops the run.
    void get(Entry entry, int& a, int& b, QByteArrayView& weight, char (&buffer)[48]) const;
    qint32 time(Entry entry) const;

private:
    void add(int part, const Offered& offered, quint64 key, quint64 order);

    struct Link {
        quint64 order;
        int a;
        int b;
        double value; // the number or the largest
        qint32 time;
    };
    struct Text {
        size_t begin;
        size_t size;
    };
    // A cache line each: the two threads update their part's sizes at every link.
    struct alignas(64) Part {
        std::vector<Link> links; // in order
        HashMap<quint64, quint32> index; // link key -> place in links
        // With the first and the largest rules: the text of each link's weight, in `texts`.
        std::vector<Text> textOf;
        std::string texts;
        WeightSums sums; // with the sum rule, by place in links
        // With times, a link's key is its pair's number and its time's, each counted here.
        HashMap<quint64, quint32> pairs;
        HashMap<qint32, quint32> times;
    };
    quint64 timedKey(Part& part, quint64 pairKey, qint32 time);

    MergeRule m_rule;
    bool m_directed;
    bool m_timed;
    Part m_parts[2];
};

// The value of a weight that isNumber() accepts.
double weightValue(QByteArrayView weight);
// A sum of weights that is no longer exact as a weight, in `buffer`: at most 15 significant
// digits, without a needless fraction or exponent.
QByteArrayView weightText(double value, char (&buffer)[32]);

} // namespace urdiva
