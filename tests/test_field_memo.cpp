// SPDX-License-Identifier: MIT
#include "engine/core/hash_map.h"
#include "engine/names/field_memo.h"

#include <gtest/gtest.h>

#include <map>
#include <tuple>
#include <vector>

using namespace urdiva;

namespace {

FieldMemo::Sighting see(FieldMemo& memo, QByteArrayView key, bool keyIsText, FieldShape shape)
{
    return memo.see(key, keyIsText, keyHash(key, keyIsText), shape);
}

TEST(FieldMemo, FirstSightingPerKeyKindAndShape)
{
    FieldMemo memo;
    const auto a = see(memo, "Ana", false, FieldShape::First);
    EXPECT_TRUE(a.first);
    EXPECT_FALSE(see(memo, "Ana", false, FieldShape::First).first);
    EXPECT_EQ(see(memo, "Ana", false, FieldShape::First).ref, a.ref);
    // Another shape of the same key, and the same bytes as a text key, are other fields.
    const auto middle = see(memo, "Ana", false, FieldShape::Middle);
    EXPECT_TRUE(middle.first);
    EXPECT_EQ(middle.ref / FieldMemo::kShapes, a.ref / FieldMemo::kShapes);
    const auto text = see(memo, "Ana", true, FieldShape::First);
    EXPECT_TRUE(text.first);
    EXPECT_NE(text.ref / FieldMemo::kShapes, a.ref / FieldMemo::kShapes);
    EXPECT_TRUE(see(memo, "", false, FieldShape::Only).first);
    EXPECT_EQ(memo.refCount(), size_t(3 * FieldMemo::kShapes));
}

// Many keys, so that the table grows several times: every key keeps its ref, and each ref
// gives back its field.
TEST(FieldMemo, RefsSurviveGrowth)
{
    FieldMemo memo;
    std::vector<QByteArray> keys;
    std::map<FieldMemo::FieldRef, std::tuple<QByteArray, bool, FieldShape>> expected;
    for (int i = 0; i < 20000; ++i) {
        keys.push_back("nome " + QByteArray::number(i * 7919));
        const bool isText = i % 3 == 0;
        const FieldShape shape = FieldShape(i % FieldMemo::kShapes);
        const auto sighting = see(memo, keys.back(), isText, shape);
        ASSERT_TRUE(sighting.first);
        expected[sighting.ref] = {keys.back(), isText, shape};
    }
    for (int i = 0; i < 20000; ++i) {
        const auto again =
            see(memo, keys[size_t(i)], i % 3 == 0, FieldShape(i % FieldMemo::kShapes));
        EXPECT_FALSE(again.first);
        EXPECT_EQ(std::get<0>(expected.at(again.ref)), keys[size_t(i)]);
    }
    for (const auto& [ref, field] : expected) {
        const FieldMemo::Field back = memo.field(ref);
        EXPECT_EQ(std::make_tuple(back.key.toByteArray(), back.keyIsText, back.shape), field);
    }
}

} // namespace
