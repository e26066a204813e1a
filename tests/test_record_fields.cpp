// SPDX-License-Identifier: MIT
#include "engine/io/field_marker.h"
#include "engine/io/record_fields.h"
#include "reference.h"
#include "test_support.h"

#include <gtest/gtest.h>

using namespace urdiva;

namespace {

// Writes the field marker as "¶" in readable test tables.
QString m(const char16_t* text)
{
    return QString::fromUtf16(text);
}

struct SplitCase {
    const char16_t* line;
    char16_t separator;
    std::vector<const char16_t*> fields;
};

void PrintTo(const SplitCase& c, std::ostream* os)
{
    *os << QStringView(c.line).toString().toStdString();
}

class RecordFieldsTest : public ::testing::TestWithParam<SplitCase> { };

TEST_P(RecordFieldsTest, GivesMarkedFields)
{
    const SplitCase& c = GetParam();
    QStringList expected;
    for (const char16_t* f : c.fields)
        expected << m(f);
    EXPECT_EQ(urdiva::reference::splitRecord(m(c.line), QChar(c.separator)), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, RecordFieldsTest,
    ::testing::Values(SplitCase {u"a;b;c", u';', {u"a¶", u"¶b¶", u"¶c"}},
                      SplitCase {u"abc", u';', {u"abc"}}, SplitCase {u"", u';', {}},
                      SplitCase {u";", u';', {u"¶", u"¶"}},
                      SplitCase {u";;", u';', {u"¶", u"¶¶", u"¶"}},
                      SplitCase {u"a;", u';', {u"a¶", u"¶"}},
                      SplitCase {u";a", u';', {u"¶", u"¶a"}},
                      // quotes protect nothing and spaces stay
                      SplitCase {u"\"a;b\" ; c", u';', {u"\"a¶", u"¶b\" ¶", u"¶ c"}},
                      SplitCase {u"a\tb", u'\t', {u"a¶", u"¶b"}},
                      // line breaks inside the text cut without markers
                      SplitCase {u"a\r\nb", u';', {u"a", u"b"}},
                      SplitCase {u"a\rb\n", u';', {u"a", u"b"}}, SplitCase {u"\n", u';', {u""}},
                      // a separator that is itself a break character
                      SplitCase {u"a\nb", u'\n', {u"a¶", u"¶b"}},
                      // the marker as data is just text
                      SplitCase {u"¶a;b", u';', {u"¶a¶", u"¶b"}}));

TEST(RecordFields, CountsSeparatorsPlusOne)
{
    RecordFields fields;
    fields.splitLine(u"x,,y,", u',');
    ASSERT_EQ(fields.count(), 4);
    EXPECT_EQ(fields.value(1), u"");
    EXPECT_EQ(fields.shape(0), FieldShape::First);
    EXPECT_EQ(fields.shape(1), FieldShape::Middle);
    EXPECT_EQ(fields.shape(3), FieldShape::Last);
    fields.splitLine(u"solo", u',');
    EXPECT_EQ(fields.shape(0), FieldShape::Only);
}

} // namespace
