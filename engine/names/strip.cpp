// SPDX-License-Identifier: MIT
#include "engine/names/strip.h"

#include "engine/io/field_marker.h"

namespace urdiva {

QString stripCharacters(const StripRule& rule, const QString& field)
{
    const QString& chars = rule.characters;
    if (chars.isEmpty() || field.isEmpty())
        return field;
    if (rule.everywhere) {
        QString out = field;
        for (QChar c : chars)
            out.remove(c);
        return out;
    }
    const bool leading = field.front() == kFieldMarker;
    const bool trailing = field.size() >= 2 && field.back() == kFieldMarker;
    qsizetype begin = leading ? 1 : 0;
    qsizetype end = field.size() - (trailing ? 1 : 0);
    if (rule.atStart) {
        while (begin < end && chars.contains(field[begin]))
            ++begin;
    }
    bool strippedEnd = false;
    if (rule.atEnd) {
        while (end > begin && chars.contains(field[end - 1])) {
            --end;
            strippedEnd = true;
        }
    }
    if (!strippedEnd && begin == (leading ? 1 : 0))
        return field;
    QString out;
    out.reserve(end - begin + 2);
    if (leading)
        out.append(kFieldMarker);
    out.append(QStringView(field).sliced(begin, end - begin));
    if (trailing || strippedEnd)
        out.append(kFieldMarker);
    return out;
}

} // namespace urdiva
