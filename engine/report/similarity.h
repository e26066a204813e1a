// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringView>

#include <cstdint>
#include <vector>

namespace urdiva {

// The edit distance of two texts is counted in UTF-16 code units: insertions, deletions and
// substitutions cost 1, and a character that closes a swapped pair of neighbours matches freely
// (so aba and bab are 1 apart). The similarity of two texts is 1 - distance / longer length,
// from 0 to 1.

// The same distance from one text to many others, computed a machine word of the table at a
// time with the pattern's character masks built once. Neither the common prefix and suffix nor
// the order of the two texts changes the distance, so the texts are taken whole. When the
// distance exceeds maxDistance the result is some value above it, found as soon as that is
// certain. Not for use on two threads at once.
class PatternDistance {
public:
    explicit PatternDistance(QStringView pattern);
    int operator()(QStringView text, int maxDistance) const;

private:
    // The pattern positions of a code unit, as masks; those of code units from 256 up are made
    // in buffer `slot` (0 or 1). Null when the pattern does not hold it.
    const uint64_t* masks(char16_t c, int slot) const;

    int m_length;
    size_t m_words;
    std::vector<uint64_t> m_low; // masks of the code units below 256
    std::vector<char16_t> m_highChars; // the others, ascending
    std::vector<size_t> m_highStart; // where each one's positions begin, and the end
    std::vector<int> m_highPositions;
    mutable std::vector<uint64_t> m_highMasks[2];
    mutable std::vector<uint64_t> m_vp;
    mutable std::vector<uint64_t> m_vn;
    mutable std::vector<uint64_t> m_eq;
};

// The text with the 26 ASCII capitals as small letters; every other code unit unchanged.
QString foldAsciiCase(QStringView text);

// 1 - distance / longest, formed with a 64-bit significand and rounded once to double.
double similarityRatio(int distance, int longest);

// A similarity in percent: the ratio times 100, formed with a 64-bit significand and rounded
// once to double.
double similarityPercentage(double ratio);

} // namespace urdiva
