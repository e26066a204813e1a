// SPDX-License-Identifier: MIT
#include "engine/network/weight_checks.h"

#include "engine/core/messages.h"
#include "engine/core/run_error.h"
#include "engine/io/paths.h"
#include "engine/io/weight_text.h"

namespace urdiva {

WeightKind weightKind(const ConversionSettings& settings, const RecordStream::Notes& notes)
{
    if (settings.projection != Projection::None || settings.merge == MergeRule::Count ||
        settings.merge == MergeRule::Sum || settings.merge == MergeRule::Max)
        return WeightKind::Numbers;
    if (!settings.valueColumn)
        return WeightKind::None;
    return notes.weightsNotNumbers == 0 && notes.firstBlankWeight == 0 ? WeightKind::Numbers
                                                                       : WeightKind::Texts;
}

void checkWeightsAreNumbers(const RecordStream::Notes& notes, const QString& inputName)
{
    const qint64 notNumber = notes.firstWeightNotNumber;
    const qint64 blank = notes.firstBlankWeight;
    if (notNumber == 0 && blank == 0)
        return;
    const bool blankFirst = blank != 0 && (notNumber == 0 || blank < notNumber);
    const QByteArray& text = notes.firstWeightNotNumberText;
    const QString shown = blankFirst ? QString() : QString::fromUtf8(text);
    const NumberRange range = blankFirst ? NumberRange::NotNumber : numberRange(text);
    throw RunError(range == NumberRange::TooLarge   ? messages::weightTooLarge(shown)
                   : range == NumberRange::TooSmall ? messages::weightTooSmall(shown)
                                                    : messages::weightNotNumber(shown),
                   recordContext(inputName, blankFirst ? blank : notNumber));
}

} // namespace urdiva
