// SPDX-License-Identifier: MIT
#include "engine/network/link_merger.h"

#include "engine/core/messages.h"
#include "engine/core/run_error.h"
#include "engine/io/weight_text.h"
#include "engine/network/link_pass.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

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

QByteArrayView weightText(double value, char (&buffer)[32])
{
    // Whole numbers, the usual weights, are written as integers without a detour.
    if (value == double(qint64(value)) && std::abs(value) < 1e15) {
        const auto end = std::to_chars(buffer, buffer + sizeof buffer, qint64(value)).ptr;
        return QByteArrayView(buffer, end);
    }
    const auto end =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15).ptr;
    return QByteArrayView(buffer, end);
}

namespace {

// Whether a weight is larger than the largest so far. Doubles keep the order of the decimals they
// round from, but may round two of them to one: then the decimals themselves tell.
template <typename Text>
bool isLarger(double value, QByteArrayView weight, double largest, const std::string& texts,
              Text largestText)
{
    if (value != largest)
        return value > largest;
    return compareNumbers(weight, QByteArrayView(texts.data() + largestText.begin,
                                                 qsizetype(largestText.size))) > 0;
}

} // namespace

LinkMerger::LinkMerger(MergeRule rule, bool directed, bool timed)
    : m_rule(rule)
    , m_directed(directed)
    , m_timed(timed)
{
}

quint64 LinkMerger::timedKey(Part& part, quint64 pairKey, qint32 time)
{
    const quint32 pair = part.pairs.try_emplace(pairKey, quint32(part.pairs.size())).first->second;
    const quint32 when = part.times.try_emplace(time, quint32(part.times.size())).first->second;
    return quint64(pair) << 32 | when;
}

void LinkMerger::add(int part, std::span<const Offered> links, quint64 order)
{
    for (const Offered& offered : links) {
        const quint64 key = linkKey(offered.a, offered.b, m_directed);
        // The key's bits mixed, so that the parts are even whatever the vertex numbers.
        if (int((key * 0x9E3779B97F4A7C15u) >> 63) == part)
            add(part, offered, m_timed ? timedKey(m_parts[part], key, offered.time) : key, order);
        ++order;
    }
}

void LinkMerger::add(int partNumber, const Offered& offered, quint64 key, quint64 order)
{
    const QByteArrayView weight = offered.weight;
    Part& part = m_parts[partNumber];
    const auto [slot, isNew] = part.index.try_emplace(key, quint32(part.links.size()));
    const double value = m_rule == MergeRule::Max ? weightValue(weight) : 1;
    const bool keepsText = m_rule == MergeRule::First || m_rule == MergeRule::Max;
    const auto text = [&] {
        const Text kept {part.texts.size(), size_t(weight.size())};
        part.texts.append(weight.data(), size_t(weight.size()));
        return kept;
    };
    if (isNew) {
        part.links.push_back(Link {order, offered.a, offered.b, value, offered.time});
        if (keepsText)
            part.textOf.push_back(text());
        if (m_rule == MergeRule::Sum)
            part.sums.add(part.sums.make(), weight);
        return;
    }
    Link& link = part.links[slot->second];
    if (m_rule == MergeRule::Sum) {
        part.sums.add(slot->second, weight);
    } else if (m_rule == MergeRule::Count) {
        link.value += value;
    } else if (m_rule == MergeRule::Max &&
               isLarger(value, weight, link.value, part.texts, part.textOf[slot->second])) {
        link.value = value;
        part.textOf[slot->second] = text();
    }
}

std::vector<LinkMerger::Entry> LinkMerger::inOrder() const
{
    constexpr Entry kSecond = Entry(1) << 31;
    const std::vector<Link>& x = m_parts[0].links;
    const std::vector<Link>& y = m_parts[1].links;
    std::vector<Entry> order;
    order.reserve(x.size() + y.size());
    size_t i = 0;
    size_t j = 0;
    while (i < x.size() || j < y.size()) {
        if (j == y.size() || (i < x.size() && x[i].order < y[j].order))
            order.push_back(Entry(i++));
        else
            order.push_back(kSecond | Entry(j++));
    }
    return order;
}

qint32 LinkMerger::time(Entry entry) const
{
    return m_parts[entry >> 31].links[entry & ~(Entry(1) << 31)].time;
}

void LinkMerger::get(Entry entry, int& a, int& b, QByteArrayView& weight, char (&buffer)[48]) const
{
    const Part& part = m_parts[entry >> 31];
    const size_t place = entry & ~(Entry(1) << 31);
    const Link& link = part.links[place];
    a = link.a;
    b = link.b;
    if (m_rule == MergeRule::Sum) {
        if (!part.sums.isFinite(place))
            throw RunError(messages::sumTooLarge(a, b));
        weight = part.sums.text(place, buffer);
    } else if (m_rule == MergeRule::Count) {
        char count[32];
        const QByteArrayView text = weightText(link.value, count);
        std::memcpy(buffer, text.data(), size_t(text.size()));
        weight = QByteArrayView(buffer, text.size());
    } else {
        const Text text = part.textOf[place];
        weight = QByteArrayView(part.texts.data() + text.begin, qsizetype(text.size));
    }
}

} // namespace urdiva
