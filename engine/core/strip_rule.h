// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringView>

#include <array>

namespace urdiva {

// Characters to strip from the two end fields of every record, and where.
struct StripRule {
    QString characters; // none, one or two code units
    bool atStart = false;
    bool atEnd = false;
    bool everywhere = false; // when set, atStart and atEnd are not consulted
};

// One item of the choice of characters: its text in the window, its name on the command line and
// the characters it strips.
struct StripChoice {
    const char16_t* item;
    const char* name;
    const char16_t* characters;
};

// The items in list order, the empty item first.
inline constexpr std::array<StripChoice, 10> kStripChoices = {{
    {u"", "", u""},
    {u"Barra", "barra", u"/"},
    {u"Barra Invertida", "barra-invertida", u"\\"},
    {u"Barra Vertical", "barra-vertical", u"|"},
    {u"Chaves", "chaves", u"{}"},
    {u"Colchetes", "colchetes", u"[]"},
    {u"Espaço em Branco", "espaco", u" "},
    {u"Maior que e menor que", "maior-menor", u"<>"},
    {u"Parênteses", "parenteses", u"()"},
    {u"Ponto", "ponto", u"."},
}};

// The characters of the item whose text is exactly `item`; none for any other text.
inline QString stripChoiceCharacters(QStringView item)
{
    for (const StripChoice& choice : kStripChoices) {
        if (item == QStringView(choice.item))
            return QStringView(choice.characters).toString();
    }
    return {};
}

} // namespace urdiva
