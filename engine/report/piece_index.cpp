// SPDX-License-Identifier: MIT
#include "engine/report/piece_index.h"

#include "engine/core/hash_map.h"

#include <algorithm>
#include <bit>

namespace urdiva {

// Why a partner within the distance d of a text holds one of its pieces where the text is
// looked up (the partner cut into d + 1 pieces, its characters the columns of an alignment, the
// text's the rows). An alignment of cost at most d has free diagonal steps, which join equal
// characters or close a swapped pair, and at most d steps that cost 1. A free step that closes a
// swap and joins unequal characters follows a step that cost 1 or another such step (after an
// equal pair, the swap would join equal characters too); so these steps come in runs right
// after a costed step, and a run over columns k..k+r-1 gives the partner period 2 on columns
// k-1..k+r-1. Give each costed step to the piece of its column (a step between two columns, to
// the piece on its left; one before the first column, to the first piece). Take the first piece
// i (from 0) whose pieces 0..i hold fewer than i + 1 steps: it holds none, the pieces before it
// hold exactly i, those after at most d - i. Inside piece i every step is free and on one
// diagonal, s = insertions - deletions before it, so |s| <= i and |Δ - s| <= d - i (Δ the length
// difference, text minus partner). Only a run begun before the piece reaches into it, over its
// first c columns, and c is at most skipOf(): 0 for the first piece, else 1 plus the columns x from
// b - 1 on (b the piece's first) where partner[x] = partner[x + 2], since a run longer than one
// column gives the partner period 2 from the column before it. Past them the piece is joined to
// equal characters, so the piece less its first skipOf() characters is in the text at its own
// position, plus skipOf(), plus s.
namespace {

// Pieces shorter than this leave too many partners (a piece of two letters, less the one a swap
// may take, is one letter).
constexpr int kShortestPiece = 3;
// A lookup costs about as much as comparing this many partners of the same length.
constexpr qint64 kLookupCost = 8;
// The skip that stands for the whole piece: a partner that may have lost it all to a run of
// swaps is a candidate of every text that looks it up.
constexpr int kWholePiece = 63;

int skipOf(QStringView text, int begin, int length)
{
    if (begin == 0)
        return 0;
    int c = 1;
    for (int x = begin - 1; c < length && text[x] == text[x + 2]; ++x)
        ++c;
    return c >= length || c >= kWholePiece ? kWholePiece : c;
}

// The part of a piece a text is looked up for, from the piece's start: its offset and length.
std::pair<int, int> keptPart(int skip, int length)
{
    return skip == kWholePiece ? std::pair(length, 0) : std::pair(skip, length - skip);
}

quint64 pieceKey(QStringView piece, int length, int distance, int index, int skip)
{
    constexpr quint64 kMix = 0x100000001B3ull;
    const quint64 tag =
        ((quint64(length) * kMix + quint64(distance)) * kMix + quint64(index)) * kMix +
        quint64(skip);
    return quint64(hashText(piece, size_t(tag)));
}

// The shifts s at which piece `index` of a cut for `distance` may be found (see above).
std::pair<int, int> shifts(int index, int distance, int lengthDifference)
{
    const int rest = distance - index;
    return {std::max(-index, lengthDifference - rest), std::min(index, lengthDifference + rest)};
}

} // namespace

PieceIndex::PieceIndex(const std::vector<QStringView>& texts,
                       const std::vector<ClassCounts>& counts, const std::vector<int>& lengths,
                       const std::vector<int>& largest, int limit)
    : m_texts(texts)
    , m_lengths(lengths)
    , m_largest(largest)
    , m_limit(limit)
    , m_table(0)
{
    const int longest = int(largest.size()) - 1;
    for (const ClassCounts& c : counts)
        m_packedCounts.push_back(packedCounts(c));
    m_rowsByLength.resize(size_t(longest) + 1);
    m_countsByLength.resize(size_t(longest) + 1);
    for (size_t row = 0; row < lengths.size(); ++row) {
        if (lengths[row] <= limit) {
            m_rowsByLength[size_t(lengths[row])].push_back(quint32(row));
            m_countsByLength[size_t(lengths[row])].push_back(m_packedCounts[row]);
        }
    }
    cutEveryLength();
    if (m_used)
        listPieces();
}

void PieceIndex::cutEveryLength()
{
    const int longest = int(m_largest.size()) - 1;
    // Each length is cut once for every largest distance it takes with a partner: the longer
    // length of a pair decides its distance.
    m_cuts.resize(size_t(longest) + 1);
    for (int m = 0; m <= longest; ++m) {
        if (m_rowsByLength[size_t(m)].empty())
            continue;
        std::vector<int> distances;
        const int own = m_largest[size_t(m)];
        if (own >= 0)
            distances.push_back(own);
        for (int n = m + 1; n <= longest && n - m <= m_largest[size_t(n)]; ++n) {
            if (!m_rowsByLength[size_t(n)].empty() &&
                std::find(distances.begin(), distances.end(), m_largest[size_t(n)]) ==
                    distances.end())
                distances.push_back(m_largest[size_t(n)]);
        }
        for (const int d : distances) {
            Cut cut {d, m / (d + 1) >= kShortestPiece, {}};
            for (int k = 0, begin = 0; k <= d; ++k) {
                // The longer pieces come last, where fewer characters are skipped.
                const int length = m / (d + 1) + (k >= d + 1 - m % (d + 1) ? 1 : 0);
                cut.pieces.push_back({begin, length, 0});
                begin += length;
            }
            m_used = m_used || cut.indexed;
            m_cuts[size_t(m)].push_back(std::move(cut));
        }
    }
}

void PieceIndex::listPieces()
{
    size_t listings = 0; // one for each piece of each text
    for (size_t m = 0; m < m_cuts.size(); ++m) {
        for (const Cut& cut : m_cuts[m])
            listings += cut.indexed ? m_rowsByLength[m].size() * cut.pieces.size() : 0;
    }
    m_table = KeyTable(listings);
    // Passes in row order, so that every key lists its rows ascending, also should two pieces
    // share a key.
    const auto eachPiece = [&](const auto& visit) {
        for (size_t row = 0; row < m_texts.size(); ++row)
            forEachPiece(row, [&](quint64 key) { visit(key, row); });
    };
    eachPiece([&](quint64 key, size_t) { m_table.countBucket(key); });
    eachPiece([&](quint64 key, size_t) { m_table.addKey(key); });
    m_table.arrange();
    m_rows.resize(m_table.listings());
    m_rowCounts.resize(m_table.listings());
    eachPiece([&](quint64 key, size_t row) {
        const size_t at = m_table.place(key);
        m_rows[at] = quint32(row);
        m_rowCounts[at] = m_packedCounts[row];
    });
    m_table.finish();
}

template <typename Visit>
void PieceIndex::forEachPiece(size_t row, Visit&& visit)
{
    const int m = m_lengths[row];
    if (m > m_limit)
        return;
    const QStringView text = m_texts[row];
    for (Cut& cut : m_cuts[size_t(m)]) {
        if (!cut.indexed)
            continue;
        for (int k = 0; k < int(cut.pieces.size()); ++k) {
            Piece& piece = cut.pieces[size_t(k)];
            const int skip = skipOf(text, piece.begin, piece.length);
            piece.skips |= quint64(1) << skip;
            const auto [offset, size] = keptPart(skip, piece.length);
            visit(pieceKey(text.sliced(piece.begin + offset, size), m, cut.distance, k, skip));
        }
    }
}

const PieceIndex::Cut* PieceIndex::cut(int length, int distance) const
{
    for (const Cut& cut : m_cuts[size_t(length)]) {
        if (cut.distance == distance)
            return &cut;
    }
    return nullptr;
}

qint64 PieceIndex::lookups(const Cut& cut, int distance, int lengthDifference) const
{
    qint64 count = 0;
    for (int k = 0; k <= distance; ++k) {
        const auto [low, high] = shifts(k, distance, lengthDifference);
        if (low <= high)
            count += qint64(high - low + 1) * std::popcount(cut.pieces[size_t(k)].skips);
    }
    return count;
}

void PieceIndex::addLookups(size_t row, int length, const Cut& cut, int distance,
                            Scratch& scratch) const
{
    const QStringView text = m_texts[row];
    const int n = m_lengths[row];
    for (int k = 0; k <= distance; ++k) {
        const Piece& piece = cut.pieces[size_t(k)];
        const auto [low, high] = shifts(k, distance, n - length);
        if (low > high)
            continue;
        for (quint64 skips = piece.skips; skips != 0; skips &= skips - 1) {
            const int skip = std::countr_zero(skips);
            const auto [offset, size] = keptPart(skip, piece.length);
            const int start = piece.begin + offset;
            for (int s = low; s <= high; ++s) {
                if (start + s < 0 || start + s + size > n)
                    continue;
                scratch.lookups.push_back(
                    {pieceKey(text.sliced(start + s, size), length, distance, k, skip)});
                scratch.distances.push_back(distance);
                if (size == 0)
                    break; // the same key at every shift
            }
        }
    }
}

void PieceIndex::addFound(size_t row, Scratch& scratch) const
{
    m_table.find(scratch.lookups);
    const quint64 counts = m_packedCounts[row];
    const quint32* rows = m_rows.data();
    for (size_t l = 0; l < scratch.lookups.size(); ++l) {
        const KeyTable::Lookup& lookup = scratch.lookups[l];
        const int distance = scratch.distances[l];
        const quint32* end = rows + lookup.end;
        for (const quint32* at = std::upper_bound(rows + lookup.begin, end, quint32(row));
             at != end; ++at) {
            // The counts beside the row first, read in turn; the bit by row, read anywhere,
            // only for those that pass.
            if (!packedCountsAllow(counts, m_rowCounts[size_t(at - rows)], distance))
                continue;
            quint64& word = scratch.listed[*at / 64];
            const quint64 bit = quint64(1) << (*at % 64);
            if (!(word & bit)) {
                word |= bit;
                scratch.found.push_back(*at);
            }
        }
    }
}

bool PieceIndex::candidates(size_t row, Scratch& scratch) const
{
    const int n = m_lengths[row];
    if (scratch.listed.size() * 64 < m_texts.size())
        scratch.listed.assign((m_texts.size() + 63) / 64, 0);
    for (const quint32 listed : scratch.found)
        scratch.listed[listed / 64] = 0;
    scratch.found.clear();
    struct Partners {
        int length;
        int distance;
        const Cut* cut; // null: compared one by one
        qsizetype after; // the first of them after `row`
    };
    std::vector<Partners> partners;
    qint64 compared = 0;
    const int longest = int(m_largest.size()) - 1;
    const auto consider = [&](int m, int d) {
        const std::vector<quint32>& rows = m_rowsByLength[size_t(m)];
        const qsizetype after =
            std::upper_bound(rows.begin(), rows.end(), quint32(row)) - rows.begin();
        const qint64 count = qint64(rows.size()) - after;
        if (count == 0)
            return;
        const Cut* cut = this->cut(m, d);
        if (!cut->indexed || lookups(*cut, d, n - m) * kLookupCost >= count) {
            cut = nullptr;
            compared += count;
        }
        partners.push_back({m, d, cut, after});
    };
    // Shorter partners take this text's largest distance, longer ones their own.
    for (int m = std::max(0, n - m_largest[size_t(n)]); m <= n; ++m)
        consider(m, m_largest[size_t(n)]);
    for (int m = n + 1; m <= longest && m - n <= m_largest[size_t(m)]; ++m)
        consider(m, m_largest[size_t(m)]);
    // Listing most of the later rows costs more than comparing them all.
    if (compared * 4 > qint64(m_texts.size() - row - 1))
        return false;
    scratch.lookups.clear();
    scratch.distances.clear();
    for (const Partners& p : partners) {
        if (p.cut)
            addLookups(row, p.length, *p.cut, p.distance, scratch);
    }
    addFound(row, scratch);
    for (const Partners& p : partners) {
        if (p.cut)
            continue;
        const std::vector<quint32>& rows = m_rowsByLength[size_t(p.length)];
        const std::vector<quint64>& counts = m_countsByLength[size_t(p.length)];
        const quint64 own = m_packedCounts[row];
        for (size_t k = size_t(p.after); k < rows.size(); ++k) {
            if (packedCountsAllow(own, counts[k], p.distance))
                scratch.found.push_back(rows[k]);
        }
    }
    // Pieces that share a key by chance may list a row twice.
    std::sort(scratch.found.begin(), scratch.found.end());
    scratch.found.erase(std::unique(scratch.found.begin(), scratch.found.end()),
                        scratch.found.end());
    return true;
}

} // namespace urdiva
