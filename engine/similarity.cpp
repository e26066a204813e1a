#include "similarity.h"

#include <QString>

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <vector>

namespace urdiva {

// The ratio and the percentage are defined with a 64-bit significand; long double has one on
// the platforms this is built for.
static_assert(std::numeric_limits<long double>::digits == 64,
              "long double must carry a 64-bit significand");

namespace {

// The texts with their common prefix and suffix set aside; `longer` is a when both are equally
// long.
struct Trimmed {
    QStringView longer;
    QStringView shorter;
};

Trimmed trim(QStringView a, QStringView b)
{
    QStringView l = a.size() >= b.size() ? a : b;
    QStringView s = a.size() >= b.size() ? b : a;
    qsizetype prefix = 0;
    while (prefix < s.size() && l[prefix] == s[prefix])
        ++prefix;
    l = l.sliced(prefix);
    s = s.sliced(prefix);
    qsizetype suffix = 0;
    while (suffix < s.size() && l[l.size() - 1 - suffix] == s[s.size() - 1 - suffix])
        ++suffix;
    return {l.first(l.size() - suffix), s.first(s.size() - suffix)};
}

QString foldAscii(QStringView text)
{
    QString out = text.toString();
    for (QChar& c : out) {
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() + 32);
    }
    return out;
}

} // namespace

int EditDistance(QStringView a, QStringView b)
{
    const auto [L, S] = trim(a, b);
    const qsizetype n = L.size();
    const qsizetype m = S.size();
    if (m == 0)
        return int(n);
    std::vector<int> D(size_t(m) + 1);
    for (qsizetype j = 0; j <= m; ++j)
        D[size_t(j)] = int(j);
    for (qsizetype i = 1; i <= n; ++i) {
        int diag = int(i - 1);
        int cur = int(i);
        for (qsizetype j = 1; j <= m; ++j) {
            const bool match = L[i - 1] == S[j - 1] ||
                               (i > 1 && j > 1 && L[i - 1] == S[j - 2] && S[j - 1] == L[i - 2]);
            if (match)
                cur = diag;
            else
                cur = 1 + std::min({cur, diag, D[size_t(j)]});
            diag = D[size_t(j)];
            D[size_t(j)] = cur;
        }
    }
    return D[size_t(m)];
}

double similarityRatio(int distance, int longest)
{
    if (longest == 0)
        return 1.0;
    return double(1.0L - static_cast<long double>(distance) / static_cast<long double>(longest));
}

double similarityPercentage(double ratio)
{
    return double(static_cast<long double>(ratio) * 100.0L);
}

double Similarity(QStringView a, QStringView b, bool foldCase)
{
    const int longest = int(std::max(a.size(), b.size()));
    if (longest == 0)
        return 1.0;
    const int d = foldCase ? EditDistance(foldAscii(a), foldAscii(b)) : EditDistance(a, b);
    return similarityRatio(d, longest);
}

namespace {

// Bit masks of where each code unit stands in the shorter text, a 64-bit word per block of 64
// positions. Code units below 256 are looked up directly; the few others by a short scan.
class PatternMasks {
public:
    explicit PatternMasks(QStringView pattern)
        : m_words(size_t((pattern.size() + 63) / 64))
    {
        for (qsizetype k = 0; k < pattern.size(); ++k) {
            uint64_t* masks = masksFor(pattern[k].unicode(), true);
            masks[k / 64] |= uint64_t(1) << (k % 64);
        }
    }

    // The masks of a code unit, or null when it does not occur.
    const uint64_t* find(char16_t c) const { return const_cast<PatternMasks*>(this)->masksFor(c, false); }
    size_t words() const { return m_words; }

private:
    uint64_t* masksFor(char16_t c, bool create)
    {
        if (c < 256) {
            int& slot = m_low[c];
            if (slot == 0) {
                if (!create)
                    return nullptr;
                slot = int(m_bits.size() / m_words) + 1;
                m_bits.resize(m_bits.size() + m_words, 0);
            }
            return m_bits.data() + size_t(slot - 1) * m_words;
        }
        for (size_t k = 0; k < m_high.size(); ++k) {
            if (m_high[k].first == c)
                return m_bits.data() + size_t(m_high[k].second) * m_words;
        }
        if (!create)
            return nullptr;
        m_high.emplace_back(c, int(m_bits.size() / m_words));
        m_bits.resize(m_bits.size() + m_words, 0);
        return m_bits.data() + size_t(m_high.back().second) * m_words;
    }

    size_t m_words;
    std::array<int, 256> m_low{};
    std::vector<std::pair<char16_t, int>> m_high;
    std::vector<uint64_t> m_bits;
};

} // namespace

// Myers' bit-parallel edit distance (in Hyyrö's form, a block of 64 cells per word). The table
// above is Levenshtein's with a wider notion of a match: a cell matches when its characters are
// equal or close a swapped pair. Whenever a cell matches, its diagonal neighbour is also the
// smallest candidate, since neighbouring cells differ by at most 1, so the table is Levenshtein's
// with that match relation, and the bit-parallel method applies once a row's match mask includes
// the swaps: positions k where S[k-1] = L[i] and S[k] = L[i-1].
int boundedEditDistance(QStringView a, QStringView b, int maxDistance)
{
    const auto [L, S] = trim(a, b);
    const qsizetype n = L.size();
    const qsizetype m = S.size();
    if (m == 0 || n - m > maxDistance)
        return int(n);
    const PatternMasks masks(S);
    const size_t words = masks.words();
    const int lastBit = int((m - 1) % 64);
    std::vector<uint64_t> vp(words, ~uint64_t(0));
    std::vector<uint64_t> vn(words, 0);
    std::vector<uint64_t> eq(words);
    int score = int(m);
    const uint64_t* previous = nullptr;
    for (qsizetype i = 0; i < n; ++i) {
        const uint64_t* current = masks.find(L[i].unicode());
        uint64_t swapCarry = 0;
        for (size_t w = 0; w < words; ++w) {
            const uint64_t here = current ? current[w] : 0;
            uint64_t e = here;
            if (current && previous)
                e |= ((here << 1) | swapCarry) & previous[w];
            swapCarry = here >> 63;
            eq[w] = e;
        }
        uint64_t hpCarry = 1; // the first column grows by one each row
        uint64_t hnCarry = 0;
        uint64_t addCarry = 0;
        for (size_t w = 0; w < words; ++w) {
            const uint64_t x = eq[w] | vn[w];
            const uint64_t xv = x & vp[w];
            const uint64_t sum = xv + vp[w];
            const uint64_t sumWithCarry = sum + addCarry;
            addCarry = uint64_t(sum < xv) | uint64_t(sumWithCarry < sum);
            const uint64_t d0 = (sumWithCarry ^ vp[w]) | x;
            uint64_t hp = vn[w] | ~(d0 | vp[w]);
            uint64_t hn = vp[w] & d0;
            if (w + 1 == words) {
                score += int((hp >> lastBit) & 1) - int((hn >> lastBit) & 1);
            }
            const uint64_t hpShifted = (hp << 1) | hpCarry;
            const uint64_t hnShifted = (hn << 1) | hnCarry;
            hpCarry = hp >> 63;
            hnCarry = hn >> 63;
            vp[w] = hnShifted | ~(d0 | hpShifted);
            vn[w] = hpShifted & d0;
        }
        // The last column changes by at most one per remaining row.
        if (score - (n - 1 - i) > maxDistance)
            return maxDistance + 1;
        previous = current;
    }
    return score;
}

} // namespace urdiva
