// SPDX-License-Identifier: MIT
#include "engine/names/suppression.h"

#include "engine/io/field_marker.h"

namespace urdiva {

QString suppressionCharacters(QStringView item)
{
    for (const SuppressionChoice& choice : kSuppressionChoices) {
        if (item == QStringView(choice.item))
            return QStringView(choice.characters).toString();
    }
    return {};
}

QString SuprimirCaractere(const SuppressionRule& rule, const QString& palavra)
{
    const QString& chars = rule.characters;
    if (chars.isEmpty() || palavra.isEmpty())
        return palavra;
    if (rule.everywhere) {
        QString out = palavra;
        for (QChar c : chars)
            out.remove(c);
        return out;
    }
    const bool leading = palavra.front() == kFieldMarker;
    const bool trailing = palavra.size() >= 2 && palavra.back() == kFieldMarker;
    qsizetype begin = leading ? 1 : 0;
    qsizetype end = palavra.size() - (trailing ? 1 : 0);
    if (rule.atStart) {
        while (begin < end && chars.contains(palavra[begin]))
            ++begin;
    }
    bool strippedEnd = false;
    if (rule.atEnd) {
        while (end > begin && chars.contains(palavra[end - 1])) {
            --end;
            strippedEnd = true;
        }
    }
    if (!strippedEnd && begin == (leading ? 1 : 0))
        return palavra;
    QString out;
    out.reserve(end - begin + 2);
    if (leading)
        out.append(kFieldMarker);
    out.append(QStringView(palavra).sliced(begin, end - begin));
    if (trailing || strippedEnd)
        out.append(kFieldMarker);
    return out;
}

} // namespace urdiva
