// SPDX-License-Identifier: MIT
#include "engine/network/link_merger.h"

#include "engine/network/link_pass.h"

#include <charconv>

namespace urdiva {

double weightValue(QByteArrayView weight)
{
    // from_chars takes no plus sign.
    if (weight.startsWith('+'))
        weight = weight.sliced(1);
    double value = 0;
    std::from_chars(weight.data(), weight.data() + weight.size(), value);
    return value;
}

QByteArray weightText(double value)
{
    return QByteArray::number(value, 'g', 15);
}

LinkMerger::LinkMerger(MergeRule rule, bool directed)
    : m_rule(rule)
    , m_directed(directed)
{
}

void LinkMerger::add(int a, int b, QByteArrayView weight)
{
    const auto [slot, isNew] = m_index.try_emplace(linkKey(a, b, m_directed), 0);
    const bool numeric = m_rule == MergeRule::Sum || m_rule == MergeRule::Max;
    const double value = numeric ? weightValue(weight) : 0;
    const auto keepText = [&](Link& link) {
        link.textBegin = m_texts.size();
        link.textSize = quint32(weight.size());
        m_texts.append(weight.data(), size_t(weight.size()));
    };
    if (isNew) {
        slot->second = quint32(m_links.size());
        Link& link = m_links.emplace_back(Link {a, b, value, 1, 0, 0});
        if (m_rule == MergeRule::First || m_rule == MergeRule::Max)
            keepText(link);
        return;
    }
    Link& link = m_links[slot->second];
    ++link.count;
    if (m_rule == MergeRule::Sum) {
        link.value += value;
    } else if (m_rule == MergeRule::Max && value > link.value) {
        link.value = value;
        keepText(link);
    }
}

QByteArrayView LinkMerger::weightOf(const Link& link, QByteArray& number) const
{
    switch (m_rule) {
    case MergeRule::Sum:
        return number = weightText(link.value);
    case MergeRule::Count:
        return number = QByteArray::number(link.count);
    default:
        return QByteArrayView(m_texts.data() + link.textBegin, link.textSize);
    }
}

} // namespace urdiva
