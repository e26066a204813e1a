// SPDX-License-Identifier: MIT
#include "engine/io/text_decoding.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <random>

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

// UTF-16 cut into random pieces converts as Qt converts the whole text; unpaired surrogates and
// a byte left at the end become U+FFFD.
TEST(Utf16Transcoder, PiecesGiveWhatTheWholeGives)
{
    std::mt19937 random(11);
    const char16_t alphabet[] = {u'a', u';', u'\n', u'\r', 0, u'é', 0x20AC, 0xFFFD, 0xFEFF};
    for (int round = 0; round < 300; ++round) {
        QString text;
        for (int k = int(random() % 60); k > 0; --k) {
            if (random() % 5 == 0)
                text += QString::fromUcs4(U"\U0001F600\U00010000\U0010FFFF" + random() % 3, 1);
            else
                text += QChar(alphabet[random() % std::size(alphabet)]);
        }
        for (const bool bigEndian : {false, true}) {
            QByteArray bytes;
            for (const QChar c : text) {
                const char high = char(c.unicode() >> 8);
                const char low = char(c.unicode() & 0xFF);
                bytes.append(bigEndian ? high : low).append(bigEndian ? low : high);
            }
            Utf16Transcoder transcoder(bigEndian);
            QByteArray utf8;
            for (qsizetype at = 0; at < bytes.size();) {
                const qsizetype piece = std::min<qsizetype>(bytes.size() - at, random() % 7);
                char out[3 * 7 + Utf16Transcoder::kMostHeld];
                utf8.append(out,
                            qsizetype(transcoder.convert(bytes.data() + at, size_t(piece), out)));
                at += piece;
            }
            char out[Utf16Transcoder::kMostHeld];
            utf8.append(out, qsizetype(transcoder.finish(out)));
            EXPECT_EQ(utf8, text.toUtf8()) << round;
        }
    }
    const auto converted = [](QByteArray bytes) {
        Utf16Transcoder transcoder(false);
        char out[64];
        size_t size = transcoder.convert(bytes.data(), size_t(bytes.size()), out);
        size += transcoder.finish(out + size);
        return QString::fromUtf8(out, qsizetype(size));
    };
    EXPECT_EQ(converted(QByteArray("\x00\xD8"
                                   "a\x00",
                                   4)),
              QStringLiteral("\uFFFDa"));
    EXPECT_EQ(converted(QByteArray("\x00\xDC\x00\xD8", 4)), QStringLiteral("\uFFFD\uFFFD"));
    EXPECT_EQ(converted(QByteArray("a\x00"
                                   "b",
                                   3)),
              QStringLiteral("a\uFFFD"));
}

// Latin text in UTF-16 without its mark is told apart from text and from binary files.
TEST(Utf16Transcoder, TextWithoutAMark)
{
    EXPECT_TRUE(looksLikeUtf16(QByteArray("n\0o\0m\0e\0;\0a\0", 12)));
    EXPECT_TRUE(looksLikeUtf16(QByteArray("\0n\0o\0m\0e\0;\0a", 12)));
    EXPECT_FALSE(looksLikeUtf16("nome;cidade\r\n"));
    EXPECT_FALSE(looksLikeUtf16(QByteArray("a\0b;c\0\n\0;\0\n", 11)));
    EXPECT_FALSE(looksLikeUtf16(QByteArray("a\0b\0", 4))); // too short to tell
}

} // namespace
