// SPDX-License-Identifier: MIT
#pragma once

#include "engine/report/key_table.h"
#include "engine/report/letter_classes.h"

#include <QString>

#include <cstdint>
#include <vector>

namespace urdiva {

// The later texts that may lie within the report's distance of a text, found without comparing
// it with all of them: each text is cut into one piece more than the distance allowed with its
// partners, and a text within the distance holds one of those pieces (less a few leading
// characters a swap may have taken) at a nearby position. Texts whose lengths leave pieces too
// short to tell names apart are listed whole, by length.
class PieceIndex {
public:
    // `texts` as compared (ASCII capitals folded), `counts` their classCounts(), `lengths`
    // their lengths (those above `limit` are left out), `largest` the largest distance that reaches
    // the threshold by the longer length (-1 for none), for every length up to the longest text
    // within the limit. All four must outlive the index.
    PieceIndex(const std::vector<QStringView>& texts, const std::vector<ClassCounts>& counts,
               const std::vector<int>& lengths, const std::vector<int>& largest, int limit);

    // Whether some pieces were worth indexing; without any, every pair is compared.
    bool used() const { return m_used; }

    // What one thread needs to list candidates, reused from text to text.
    struct Scratch {
        std::vector<quint64> listed; // one bit by row
        std::vector<quint32> found;
        std::vector<KeyTable::Lookup> lookups;
        std::vector<int> distances; // beside each lookup
    };
    // Lists in scratch.found, ascending, the rows after `row` that may reach the threshold with
    // it (by their pieces and letter counts), each once; returns false, listing nothing, when
    // comparing every later row costs less.
    bool candidates(size_t row, Scratch& scratch) const;

private:
    struct Piece {
        int begin;
        int length;
        quint64 skips; // bit c: some text of this length is looked up c characters into it
    };
    // How texts of one length are cut for one largest distance.
    struct Cut {
        int distance;
        bool indexed;
        std::vector<Piece> pieces;
    };
    // Cuts every length for the distances it takes, and lists the rows by their pieces' keys.
    void cutEveryLength();
    void listPieces();
    const Cut* cut(int length, int distance) const;
    template <typename Visit>
    void forEachPiece(size_t row, Visit&& visit);
    qint64 lookups(const Cut& cut, int distance, int lengthDifference) const;
    // The lookups of the pieces of one length's texts, into scratch.
    void addLookups(size_t row, int length, const Cut& cut, int distance, Scratch& scratch) const;
    // The rows the lookups find, into scratch.found.
    void addFound(size_t row, Scratch& scratch) const;

    const std::vector<QStringView>& m_texts;
    const std::vector<int>& m_lengths;
    const std::vector<int>& m_largest;
    int m_limit;
    bool m_used = false;
    std::vector<std::vector<quint32>> m_rowsByLength;
    std::vector<std::vector<quint64>> m_countsByLength; // packedCounts() beside m_rowsByLength
    std::vector<std::vector<Cut>> m_cuts; // by length
    KeyTable m_table; // the positions in m_rows of the rows holding each piece's key
    std::vector<quint32> m_rows; // the rows holding each piece, ascending, key after key
    std::vector<quint64> m_packedCounts; // packedCounts() by row
    std::vector<quint64> m_rowCounts; // beside each of m_rows: its packedCounts()
};

} // namespace urdiva
