// SPDX-License-Identifier: MIT
#include "engine/report/piece_index.h"

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
// first c columns. With c = 0 the piece is in the text at its own position plus s. With c = 1
// the text holds, from one character before that, the piece's first character, the partner's
// character before the piece, and the rest of the piece. With c >= 2 the partner has period 2 over
// columns b-1..b+c-1 (b the piece's first), so c is at most skipOf(), and the piece less its
// first skipOf() characters is at its position plus skipOf() plus s.
namespace {

// Pieces shorter than this leave too many partners (a piece of two letters, less the one a swap
// may take, is one letter).
constexpr int kShortestPiece = 3;
// A lookup costs about as much as comparing this many partners of the same length.
constexpr qint64 kLookupCost = 8;
// The forms in which a text may hold a partner's piece (see above), one bit each: kWhole the
// piece itself, kSwapped the piece with the partner's character before it put after its first,
// c from 2 to 62 the piece less its first c characters, and kNothing no character at all (a
// partner that may have lost the whole piece to a run of swaps is a candidate of every text
// that looks it up).
constexpr int kWhole = 0;
constexpr int kSwapped = 1;
constexpr int kNothing = 63;

// The characters a run of swaps may take from the start of the piece at `begin`, when more than
// one: 1, plus the columns x from begin - 1 on where text[x] = text[x + 2].
int skipOf(QStringView text, int begin, int length)
{
    int c = 1;
    for (int x = begin - 1; c < length && text[x] == text[x + 2]; ++x)
        ++c;
    return c >= length || c >= kNothing ? kNothing : c;
}

quint64 formsOf(QStringView text, int begin, int length)
{
    if (begin == 0)
        return quint64(1) << kWhole;
    const int skip = skipOf(text, begin, length);
    return quint64(1) << kWhole | quint64(1) << kSwapped | (skip > 1 ? quint64(1) << skip : 0);
}

// Where a text holds a piece's form, from the piece's position plus the shift: the offset and
// the length.
std::pair<int, int> formSpan(int form, int length)
{
    switch (form) {
    case kWhole:
        return {0, length};
    case kSwapped:
        return {-1, length + 1};
    case kNothing:
        return {length, 0};
    default:
        return {form, length - form};
    }
}

// The form of a partner's piece as a text holds it.
QString formText(QStringView partner, int form, int begin, int length)
{
    if (form != kSwapped) {
        const auto [offset, size] = formSpan(form, length);
        return partner.sliced(begin + offset, size).toString();
    }
    QString text = partner.sliced(begin - 1, length + 1).toString();
    std::swap(text[0], text[1]);
    return text;
}

quint64 pieceKey(QStringView piece, int length, int distance, int index, int form)
{
    constexpr quint64 kMix = 0x100000001B3ull;
    const quint64 tag =
        ((quint64(length) * kMix + quint64(distance)) * kMix + quint64(index)) * kMix +
        quint64(form);
    return quint64(hashText(piece, size_t(tag)));
}

// The shifts s at which piece `index` of a cut for `distance` may be found (see above).
std::pair<int, int> shifts(int index, int distance, int lengthDifference)
{
    const int rest = distance - index;
    return {std::max(-index, lengthDifference - rest), std::min(index, lengthDifference + rest)};
}

} // namespace

PieceIndex::PieceIndex(const std::vector<QString>& texts, const std::vector<ClassCounts>& counts,
                       const std::vector<int>& lengths, const std::vector<int>& largest, int limit)
    : m_texts(texts)
    , m_lengths(lengths)
    , m_largest(largest)
    , m_limit(limit)
{
    const int longest = int(largest.size()) - 1;
    for (const ClassCounts& c : counts)
        m_packedCounts.push_back(packedCounts(c));
    m_rowsByLength.resize(size_t(longest) + 1);
    for (size_t row = 0; row < lengths.size(); ++row) {
        if (lengths[row] <= limit)
            m_rowsByLength[size_t(lengths[row])].push_back(quint32(row));
    }
    // Each length is cut once for every largest distance it takes with a partner: the longer
    // length of a pair decides its distance.
    m_cuts.resize(size_t(longest) + 1);
    for (int m = 0; m <= longest; ++m) {
        if (m_rowsByLength[size_t(m)].empty())
            continue;
        std::vector<int> distances;
        const int own = largest[size_t(m)];
        if (own >= 0)
            distances.push_back(own);
        for (int n = m + 1; n <= longest && n - m <= largest[size_t(n)]; ++n) {
            if (!m_rowsByLength[size_t(n)].empty() &&
                std::find(distances.begin(), distances.end(), largest[size_t(n)]) ==
                    distances.end())
                distances.push_back(largest[size_t(n)]);
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
    if (!m_used)
        return;
    // Two passes in row order, counting then placing, so that every span lists its rows
    // ascending, also should two pieces share a key.
    for (size_t row = 0; row < texts.size(); ++row)
        forEachPiece(row, [&](quint64 key) { ++m_spans[key].count; });
    quint32 total = 0;
    for (auto& [key, span] : m_spans) {
        span.begin = total;
        total += span.count;
        span.count = 0;
    }
    m_rows.resize(total);
    m_rowCounts.resize(total);
    for (size_t row = 0; row < texts.size(); ++row) {
        forEachPiece(row, [&](quint64 key) {
            Span& span = m_spans[key];
            m_rowCounts[span.begin + span.count] = m_packedCounts[row];
            m_rows[span.begin + span.count++] = quint32(row);
        });
    }
}

template <typename Visit>
void PieceIndex::forEachPiece(size_t row, Visit&& visit)
{
    const int m = m_lengths[row];
    if (m > m_limit)
        return;
    const QString& text = m_texts[row];
    for (Cut& cut : m_cuts[size_t(m)]) {
        if (!cut.indexed)
            continue;
        for (int k = 0; k < int(cut.pieces.size()); ++k) {
            Piece& piece = cut.pieces[size_t(k)];
            const quint64 forms = formsOf(text, piece.begin, piece.length);
            piece.forms |= forms;
            for (quint64 left = forms; left != 0; left &= left - 1) {
                const int form = std::countr_zero(left);
                visit(pieceKey(formText(text, form, piece.begin, piece.length), m, cut.distance, k,
                               form));
            }
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
            count += qint64(high - low + 1) * std::popcount(cut.pieces[size_t(k)].forms);
    }
    return count;
}

void PieceIndex::addFromPieces(size_t row, int length, const Cut& cut, int distance,
                               Scratch& scratch) const
{
    const QStringView text = m_texts[row];
    const int n = m_lengths[row];
    const quint64 counts = m_packedCounts[row];
    const auto add = [&](quint64 key) {
        const auto found = m_spans.find(key);
        if (found == m_spans.end())
            return;
        const quint32* rows = m_rows.data();
        const quint32* end = rows + found->second.begin + found->second.count;
        for (const quint32* at = std::upper_bound(rows + found->second.begin, end, quint32(row));
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
    };
    for (int k = 0; k <= distance; ++k) {
        const Piece& piece = cut.pieces[size_t(k)];
        const auto [low, high] = shifts(k, distance, n - length);
        if (low > high)
            continue;
        for (quint64 forms = piece.forms; forms != 0; forms &= forms - 1) {
            const int form = std::countr_zero(forms);
            const auto [offset, size] = formSpan(form, piece.length);
            const int start = piece.begin + offset;
            for (int s = low; s <= high; ++s) {
                if (start + s < 0 || start + s + size > n)
                    continue;
                add(pieceKey(text.sliced(start + s, size), length, distance, k, form));
                if (size == 0)
                    break; // the same key at every shift
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
    for (const Partners& p : partners) {
        if (p.cut) {
            addFromPieces(row, p.length, *p.cut, p.distance, scratch);
            continue;
        }
        const std::vector<quint32>& rows = m_rowsByLength[size_t(p.length)];
        scratch.found.insert(scratch.found.end(), rows.begin() + p.after, rows.end());
    }
    // Pieces that share a key by chance may list a row twice.
    std::sort(scratch.found.begin(), scratch.found.end());
    scratch.found.erase(std::unique(scratch.found.begin(), scratch.found.end()),
                        scratch.found.end());
    return true;
}

} // namespace urdiva
