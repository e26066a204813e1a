// SPDX-License-Identifier: MIT
// Stripping keeps the markers that frame a field and never lengthens it by more than the one
// trailing marker that end stripping may add.
#include "engine/io/field_marker.h"
#include "engine/io/text_decoding.h"
#include "engine/names/strip.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput input(data, size);
    const uint8_t options = input.byte();
    urdiva::StripRule rule;
    const auto& choice = urdiva::kStripChoices[options % urdiva::kStripChoices.size()];
    rule.characters = QStringView(choice.characters).toString();
    rule.atStart = options & 16;
    rule.atEnd = options & 32;
    rule.everywhere = options & 64;
    const QString field = urdiva::decodeText(input.rest());
    const QString result = urdiva::stripCharacters(rule, field);
    const bool leading = field.startsWith(urdiva::kFieldMarker);
    const bool trailing = field.size() >= 2 && field.endsWith(urdiva::kFieldMarker);
    FUZZ_CHECK(result.size() <= field.size() + 1);
    if (leading && !rule.characters.isEmpty())
        FUZZ_CHECK(result.startsWith(urdiva::kFieldMarker));
    if (trailing)
        FUZZ_CHECK(result.endsWith(urdiva::kFieldMarker));
    if (rule.characters.isEmpty())
        FUZZ_CHECK(result == field);
    return 0;
}
