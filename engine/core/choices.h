// SPDX-License-Identifier: MIT
#pragma once

#include "engine/core/conversion_settings.h"

#include <QString>
#include <QStringView>

#include <optional>
#include <span>
#include <type_traits>

// Each choice of a run, with every name its values go by outside the program, in one table:
// the word the command line and the window's preferences use, the caption of the window's pick
// list, and, for a file format, the extension (dot included) and the name messages give it. The
// command line, the settings check, the writers, the report paths and the window all read these.
namespace urdiva {

template <typename Value>
struct Choice {
    Value value;
    const char* word;
    const char16_t* caption;
    const char16_t* extension = u"";
    const char16_t* name = u"";
};

inline constexpr Choice<MergeRule> kMergeRules[] = {
    {MergeRule::None, "none", u"Uma linha por registro"}, {MergeRule::Sum, "sum", u"Somar pesos"},
    {MergeRule::Count, "count", u"Contar registros"},     {MergeRule::Max, "max", u"Maior peso"},
    {MergeRule::First, "first", u"Primeiro peso"},
};

inline constexpr Choice<Projection> kProjections[] = {
    {Projection::None, "none", u"Nenhuma"},
    {Projection::FirstMode, "first", u"Primeiro modo"},
    {Projection::SecondMode, "second", u"Segundo modo"},
};

inline constexpr Choice<NetworkFormat> kNetworkFormats[] = {
    {NetworkFormat::Pajek, "pajek", u"Pajek (.net)", u".net", u"Pajek"},
    {NetworkFormat::GraphML, "graphml", u"GraphML (.graphml)", u".graphml", u"GraphML"},
    {NetworkFormat::Gexf, "gexf", u"GEXF (.gexf)", u".gexf", u"GEXF"},
    {NetworkFormat::Csv, "csv", u"CSV (.csv)", u".csv", u"CSV"},
};

inline constexpr Choice<ReportFormat> kReportFormats[] = {
    {ReportFormat::Rtf, "rtf", u"RTF", u".rtf"},
    {ReportFormat::Csv, "csv", u"CSV", u".csv"},
    {ReportFormat::Html, "html", u"HTML", u".html"},
};

inline constexpr Choice<NetworkMode> kNetworkModes[] = {
    {NetworkMode::OneMode, "one", u"1-Modo"},
    {NetworkMode::TwoMode, "two", u"2-Modos"},
};

// Whether links are arcs.
inline constexpr Choice<bool> kDirections[] = {
    {false, "undirected", u"Não dirigido"},
    {true, "directed", u"Dirigido"},
};

// Whether the report covers the second mode too.
inline constexpr Choice<bool> kReportModes[] = {
    {false, "first", u"Primeiro modo"},
    {true, "both", u"Ambos os modos"},
};

// The table of a choice's values; the choices of bool are named where they are used.
template <typename Value>
constexpr std::span<const Choice<Value>> choicesOf()
{
    if constexpr (std::is_same_v<Value, MergeRule>)
        return kMergeRules;
    else if constexpr (std::is_same_v<Value, Projection>)
        return kProjections;
    else if constexpr (std::is_same_v<Value, NetworkFormat>)
        return kNetworkFormats;
    else if constexpr (std::is_same_v<Value, ReportFormat>)
        return kReportFormats;
    else
        return kNetworkModes;
}

// A value's entry in a table that holds it.
template <typename Value>
constexpr const Choice<Value>& choiceIn(std::span<const Choice<Value>> table, Value value)
{
    for (const Choice<Value>& choice : table) {
        if (choice.value == value)
            return choice;
    }
    return table.front();
}
template <typename Value>
constexpr const Choice<Value>& choiceOf(Value value)
{
    return choiceIn(choicesOf<Value>(), value);
}

// The value a word names in a table; none for another word.
template <typename Value>
std::optional<Value> valueOfWord(std::span<const Choice<Value>> table, QStringView word)
{
    for (const Choice<Value>& choice : table) {
        if (word == QLatin1StringView(choice.word))
            return choice.value;
    }
    return std::nullopt;
}

} // namespace urdiva
