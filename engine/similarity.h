#pragma once

#include <QStringView>

namespace urdiva {

// The edit distance of two texts, counted in UTF-16 code units: insertions, deletions and
// substitutions cost 1, and a character that closes a swapped pair of neighbours matches freely
// (so aba and bab are 1 apart). Computed as written: common prefix and suffix set aside, then one
// row of the table.
int EditDistance(QStringView a, QStringView b);

// 1 - distance / longer length, from 0 to 1; with foldCase the 26 ASCII capitals count as their
// small letters.
double Similarity(QStringView a, QStringView b, bool foldCase);

// The same distance, computed a machine word of the table at a time. When the distance exceeds
// maxDistance the result is some value above maxDistance, found as early as that is certain.
int boundedEditDistance(QStringView a, QStringView b, int maxDistance);

// 1 - distance / longest, formed with a 64-bit significand and rounded once to double.
double similarityRatio(int distance, int longest);

// A similarity in percent: the ratio times 100, formed with a 64-bit significand and rounded
// once to double.
double similarityPercentage(double ratio);

} // namespace urdiva
