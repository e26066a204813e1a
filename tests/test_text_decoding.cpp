// SPDX-License-Identifier: MIT
#include "engine/io/text_decoding.h"
#include "test_support.h"

#include <gtest/gtest.h>

using namespace urdiva;

namespace {

struct DecodeCase {
    const char* name;
    QByteArray bytes;
    std::u16string text;
};

void PrintTo(const DecodeCase& c, std::ostream* os)
{
    *os << c.name;
}

class DecodeTest : public ::testing::TestWithParam<DecodeCase> { };

TEST_P(DecodeTest, Decodes)
{
    EXPECT_EQ(decodeText(GetParam().bytes), QString::fromStdU16String(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(
    Bytes, DecodeTest,
    ::testing::Values(DecodeCase {"ascii", "Ana;Rui", u"Ana;Rui"},
                      DecodeCase {"utf8_two_bytes", "Jo\xC3\xA3o", u"João"},
                      DecodeCase {"windows1252_letter", "Jo\xE3o", u"João"},
                      DecodeCase {"windows1252_specials", "\x80\x93\x9C\x9F",
                                  u"\u20AC\u201C\u0153\u0178"},
                      DecodeCase {"windows1252_unassigned", "\x81\x8D\x8F\x90\x9D",
                                  u"\u0081\u008D\u008F\u0090\u009D"},
                      DecodeCase {"mixed_in_one_line", "S\xC3\xA3o Jos\xE9", u"São José"},
                      DecodeCase {"utf8_three_bytes", "\xE2\x82\xAC", u"€"},
                      DecodeCase {"utf8_astral", "\xF0\x9F\x98\x80", u"\U0001F600"},
                      DecodeCase {"truncated_sequence", "\xC3", u"Ã"},
                      DecodeCase {"truncated_three", "\xE2\x82", u"â‚"},
                      DecodeCase {"overlong_slash", "\xC0\xAF", u"À¯"},
                      DecodeCase {"encoded_surrogate", "\xED\xA0\x80", u"í\u00A0€"},
                      DecodeCase {"above_max", "\xF4\x90\x80\x80", u"ô\u0090€€"},
                      DecodeCase {"lone_continuation", "a\xA9", u"a©"},
                      DecodeCase {"nul_byte", QByteArray("a\0b", 3), std::u16string(u"a\0b", 3)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Decode, NeverMoreCodeUnitsThanBytes)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    EXPECT_EQ(decodeText(all).size(), 256);
}

} // namespace
