// SPDX-License-Identifier: MIT
#include "engine/io/field_marker.h"
#include "test_support.h"

#include <gtest/gtest.h>

using namespace urdiva;

namespace {

// Writes the field marker as "¶" in readable test tables.
QString m(const char16_t* text)
{
    return QString::fromUtf16(text);
}

TEST(NormaliseField, BringsEveryPositionToOneForm)
{
    const std::vector<std::pair<const char16_t*, const char16_t*>> cases = {
        {u"x¶", u"x¶"}, {u"¶x¶", u"x¶"}, {u"¶x", u"x¶"}, {u"x", u"x"},
        {u"¶", u"¶"},   {u"¶¶", u"¶"},   {u"", u""},     {u"¶¶¶", u"¶¶"},
    };
    QString storage = QStringLiteral("left over");
    for (const auto& [field, normal] : cases) {
        EXPECT_EQ(normaliseField(m(field)), m(normal)) << QString::fromUtf16(field).toStdString();
        const QString text = m(field);
        EXPECT_EQ(normaliseField(QStringView(text), storage), m(normal));
    }
}

TEST(NormaliseField, IsStable)
{
    for (const char16_t* f : {u"x¶", u"¶x¶", u"¶x", u"x", u"¶", u"¶¶", u"¶a¶b"})
        EXPECT_EQ(normaliseField(normaliseField(m(f))), normaliseField(m(f)));
}

TEST(RemoveMarkers, RemovesEveryMarker)
{
    EXPECT_EQ(removeMarkers(u"¶a¶b¶"), u"ab");
    EXPECT_EQ(removeMarkers(u"¶"), u"");
}

TEST(IsRecordText, NeedsSomethingBesidesSeparators)
{
    EXPECT_FALSE(isRecordText(u"", u';'));
    EXPECT_FALSE(isRecordText(u";;;", u';'));
    EXPECT_TRUE(isRecordText(u"; ;", u';'));
}

} // namespace
