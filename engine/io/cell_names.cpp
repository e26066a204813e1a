// SPDX-License-Identifier: MIT
#include "engine/io/cell_names.h"

#include "engine/io/record_line.h"

namespace urdiva {
namespace {

template <typename Unit>
bool isBlank(Unit u)
{
    return u == Unit(' ') || u == Unit('\t');
}

// Cuts the units at every separator, trims each piece and keeps the pieces that are left.
template <typename Unit>
void splitUnits(const Unit* units, qsizetype size, Unit separator, bool keyIsText,
                std::vector<CellName>& names)
{
    qsizetype begin = 0;
    while (begin <= size) {
        qsizetype end = begin;
        while (end < size && units[end] != separator)
            ++end;
        qsizetype first = begin;
        qsizetype last = end;
        while (first < last && isBlank(units[first]))
            ++first;
        while (last > first && isBlank(units[last - 1]))
            --last;
        if (last > first)
            names.push_back({QByteArrayView(reinterpret_cast<const char*>(units + first),
                                            (last - first) * qsizetype(sizeof(Unit))),
                             keyIsText});
        begin = end + 1;
    }
}

} // namespace

void splitCell(QByteArrayView key, bool keyIsText, QChar separator, std::vector<CellName>& names,
               QString& storage)
{
    names.clear();
    if (!keyIsText && separator.unicode() < 0x80) {
        splitUnits(key.data(), key.size(), char(separator.unicode()), false, names);
        return;
    }
    storage = RecordLine::valueOfKey(key, keyIsText);
    splitUnits(reinterpret_cast<const char16_t*>(storage.utf16()), storage.size(),
               char16_t(separator.unicode()), true, names);
}

} // namespace urdiva
