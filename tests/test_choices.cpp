// SPDX-License-Identifier: MIT
#include "engine/core/choices.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace urdiva;

namespace {

// Each table names every value once, by a word and a caption of its own, and reads each word back
// as its value; a format's extension starts with its dot.
template <typename Value>
void expectWholeTable(std::span<const Choice<Value>> table, bool formats, size_t values)
{
    std::set<std::string> words;
    std::set<std::u16string> captions;
    std::set<Value> seen;
    for (const Choice<Value>& choice : table) {
        EXPECT_TRUE(words.insert(choice.word).second) << choice.word;
        EXPECT_TRUE(captions.insert(choice.caption).second) << choice.word;
        EXPECT_TRUE(seen.insert(choice.value).second) << choice.word;
        EXPECT_EQ(valueOfWord(table, QString::fromLatin1(choice.word)), choice.value);
        EXPECT_EQ(&choiceIn(table, choice.value), &choice);
        EXPECT_EQ(std::u16string(choice.extension).starts_with(u'.'), formats) << choice.word;
    }
    EXPECT_EQ(seen.size(), values);
    EXPECT_EQ(valueOfWord(table, u"nenhum-valor"), std::nullopt);
}

TEST(Choices, EveryValueOnceByItsWordAndCaption)
{
    expectWholeTable(std::span<const Choice<MergeRule>>(kMergeRules), false, 5);
    expectWholeTable(std::span<const Choice<Projection>>(kProjections), false, 3);
    expectWholeTable(std::span<const Choice<NetworkFormat>>(kNetworkFormats), true, 4);
    expectWholeTable(std::span<const Choice<ReportFormat>>(kReportFormats), true, 3);
    expectWholeTable(std::span<const Choice<NetworkMode>>(kNetworkModes), false, 2);
    expectWholeTable(std::span<const Choice<bool>>(kDirections), false, 2);
    expectWholeTable(std::span<const Choice<bool>>(kReportModes), false, 2);
}

} // namespace
