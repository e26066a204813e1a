// SPDX-License-Identifier: MIT
#pragma once

#include "engine/core/conversion_settings.h"
#include "engine/core/problem.h"

#include <QString>

#include <optional>

namespace urdiva {

// What keeps a combination of settings from making a network, as data, for each front end to
// word by its own controls.
struct SettingsProblem {
    enum class Kind {
        ThresholdOutOfRange,
        HeaderLinesOutOfRange,
        MergeNeedsWeights, // `merge`, by sum, largest or first weight, without a value column
        CellSeparatorIsColumnSeparator,
        ProjectionNeedsTwoModes,
        ProjectionWithWeightsOrArcs, // weighted by shared vertices: no value, merge, or arcs
        CooccurrenceNeedsCellSeparator,
        CooccurrenceWithTwoModesOrArcs,
        QuoteSeparates, // with quoted fields, the quotation mark as a separator
        AttributesWithCooccurrence, // a record's cell lists many names: whose value would it be?
        // Pajek and CSV networks keep attributes in files beside the network's
        AttributeFilesOnStandardOutput,
        ReportFormatWithoutReport,
        FoldAccentsWithoutReport,
        TokenSortWithoutReport,
        SecondModeReportWithoutReport,
        SuggestedTableWithoutReport,
        ReportOnStandardOutput,
        SecondModeReportNeedsTwoModes,
        Files, // see runFilesProblem: `filesText` says what
    };
    Kind kind;
    MergeRule merge = MergeRule::None;
    QString filesText;
};

// The one check of which options go together, for every front end before a run (and for the run
// itself): the first problem with the settings, or none. It ends with the files the run reads and
// writes (see runFilesProblem).
std::optional<SettingsProblem> findSettingsProblem(const ConversionSettings& settings);

// The problem in the command line's words, as the run raises it.
std::optional<Problem> settingsProblem(const ConversionSettings& settings);
QString commandLineText(const SettingsProblem& problem);

} // namespace urdiva
