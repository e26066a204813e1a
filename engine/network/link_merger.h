// SPDX-License-Identifier: MIT
#pragma once

#include "engine/names/hash_map.h"
#include "engine/run/conversion_settings.h"

#include <QByteArray>
#include <QByteArrayView>

#include <string>
#include <vector>

namespace urdiva {

// Links that join the same two vertices (in either order unless directed), gathered into one,
// which keeps the place and the direction of the first. Its weight is the sum of the weights,
// their number, the largest or the first of them, by the merge rule. For the sum and the
// largest, every weight must be a number (see isNumber).
class LinkMerger {
public:
    LinkMerger(MergeRule rule, bool directed);

    void add(int a, int b, QByteArrayView weight);
    qsizetype size() const { return qsizetype(m_links.size()); }
    // Calls use(a, b, weight) for every merged link, in the order of their first records.
    template <typename Use>
    void forEach(Use use) const
    {
        QByteArray number;
        for (const Link& link : m_links)
            use(link.a, link.b, weightOf(link, number));
    }

private:
    struct Link {
        int a;
        int b;
        double value; // the sum or the largest
        quint32 count;
        quint32 textSize; // of the first or the largest weight's text
        size_t textBegin;
    };

    QByteArrayView weightOf(const Link& link, QByteArray& number) const;

    MergeRule m_rule;
    bool m_directed;
    std::vector<Link> m_links;
    HashMap<quint64, quint32> m_index;
    std::string m_texts;
};

// The value of a weight that isNumber() accepts.
double weightValue(QByteArrayView weight);
// A sum of weights as a weight: at most 15 significant digits, so that decimal weights add up to
// the decimals they look like (0.1 + 0.2 gives 0.3), without a needless fraction or exponent.
QByteArray weightText(double value);

} // namespace urdiva
