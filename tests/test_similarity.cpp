// SPDX-License-Identifier: MIT
#include "engine/report/similarity.h"
#include "reference.h"
#include "test_support.h"

#include <QString>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <limits>
#include <random>

using namespace urdiva;

namespace {

QString s(const char16_t* text)
{
    return QStringView(text).toString();
}

TEST(EditDistance, SwapsAndCaseExamples)
{
    struct Case {
        const char16_t* a;
        const char16_t* b;
        int distance;
        double similarity;
    };
    const Case cases[] = {
        {u"", u"", 0, 1.0},
        {u"", u"abc", 3, 0.0},
        {u"abc", u"abc", 0, 1.0},
        {u"ab", u"ba", 1, 0.5},
        {u"abcd", u"abdc", 1, 0.75},
        {u"aba", u"bab", 1, 2.0 / 3},
        {u"abcdef", u"badcfe", 3, 0.5},
        {u"rede", u"redes", 1, 0.8},
        {u"ca", u"abc", 3, 0.0},
        {u"Casa", u"casa", 1, 0.75},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(s(c.a).toStdString() + " / " + s(c.b).toStdString());
        EXPECT_EQ(urdiva::reference::editDistance(s(c.a), s(c.b)), c.distance);
        EXPECT_EQ(urdiva::reference::editDistance(s(c.b), s(c.a)), c.distance);
        EXPECT_EQ(urdiva::reference::boundedEditDistance(s(c.a), s(c.b), 1000), c.distance);
        EXPECT_EQ(urdiva::reference::similarity(s(c.a), s(c.b), false), c.similarity);
    }
}

TEST(Similarity, RoundedOnceFromExtendedPrecision)
{
    EXPECT_EQ(QString::number(urdiva::reference::similarity(u"aba", u"bab", true), 'g', 16),
              QStringLiteral("0.6666666666666666"));
    EXPECT_EQ(similarityRatio(4, 5), 0.2);
    EXPECT_EQ(similarityPercentage(similarityRatio(21, 50)), 57.99999999999999);
    EXPECT_LT(similarityPercentage(similarityRatio(21, 50)), 58.0);
    EXPECT_EQ(similarityPercentage(similarityRatio(4, 5)), 20.0);
    EXPECT_EQ(similarityPercentage(similarityRatio(1, 5)), 80.0);
}

uint64_t bitsOf(double value)
{
    uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

// Ratios and percentages as x86's extended precision gives them, bit for bit, on every platform
// (these bits were computed with long double on x86).
TEST(Similarity, SameBitsOnEveryPlatform)
{
    struct Golden {
        int distance;
        int longest;
        uint64_t ratio;
        uint64_t percentage;
    };
    for (const Golden& g : {
             Golden {1, 3, 0x3fe5555555555555ull, 0x4050aaaaaaaaaaaaull},
             Golden {2, 3, 0x3fd5555555555555ull, 0x4040aaaaaaaaaaaaull},
             Golden {21, 50, 0x3fe28f5c28f5c28full, 0x404cffffffffffffull},
             Golden {1, 7, 0x3feb6db6db6db6dbull, 0x40556db6db6db6dbull},
             Golden {5, 11, 0x3fe1745d1745d174ull, 0x404b45d1745d1745ull},
             Golden {13, 17, 0x3fce1e1e1e1e1e1eull, 0x4037878787878787ull},
             Golden {1, 999, 0x3feff7ccbfadff7dull, 0x4058f997f5bfef9aull},
             Golden {17, 1000, 0x3fef74bc6a7ef9dbull, 0x4058933333333333ull},
             Golden {96, 97, 0x3f851d07eae2f815ull, 0x3ff07eae2f8151d0ull},
             Golden {1, 1000000, 0x3feffffde7210be9ull, 0x4058fffe5c91d14eull},
             Golden {12345, 99991, 0x3fec0c9b4878f1feull, 0x4055e9d9509e7d0eull},
             Golden {1, 2147483647, 0x3fefffffffc00000ull, 0x4058ffffffce0000ull},
             Golden {65536, 2147483647, 0x3fefffbfffffff80ull, 0x4058ffcdffffff9cull},
         }) {
        const double ratio = similarityRatio(g.distance, g.longest);
        EXPECT_EQ(bitsOf(ratio), g.ratio) << g.distance << '/' << g.longest;
        EXPECT_EQ(bitsOf(similarityPercentage(ratio)), g.percentage)
            << g.distance << '/' << g.longest;
    }
}

#if defined(__x86_64__) || defined(__i386__)
// Where long double is x87's extended precision: every distance of every length up to 1,000,
// and a million random pairs of larger ones, give the bits of the long double computation.
TEST(Similarity, IntegerComputationMatchesExtendedPrecision)
{
    static_assert(std::numeric_limits<long double>::digits == 64);
    const auto check = [](int d, int l) {
        const double ratio =
            double(1.0L - static_cast<long double>(d) / static_cast<long double>(l));
        const double percentage = double(static_cast<long double>(ratio) * 100.0L);
        const double integerRatio = similarityRatio(d, l);
        return bitsOf(integerRatio) == bitsOf(ratio) &&
               bitsOf(similarityPercentage(integerRatio)) == bitsOf(percentage);
    };
    for (int l = 1; l <= 1000; ++l) {
        for (int d = 0; d <= l; ++d)
            ASSERT_TRUE(check(d, l)) << d << '/' << l;
    }
    std::mt19937 random(11);
    for (int k = 0; k < 1000000; ++k) {
        const int l = int(random() % 2147483647u) + 1;
        const int d = int(random() % (uint32_t(l) + 1));
        ASSERT_TRUE(check(d, l)) << d << '/' << l;
    }
}
#endif

TEST(Similarity, FoldsAsciiCaseOnly)
{
    EXPECT_EQ(urdiva::reference::similarity(u"Casa", u"casa", true), 1.0);
    EXPECT_EQ(urdiva::reference::similarity(u"Casa", u"casa", false), 0.75);
    EXPECT_EQ(urdiva::reference::similarity(u"\u00C9", u"\u00E9", true), 0.0);
}

// The fast distance against the plain one, on texts drawn so that swaps, repeats and shared
// prefixes and suffixes are common, across the 64-cell word boundaries, with code units outside
// the Basic Multilingual Plane and above 255.
TEST(BoundedEditDistance, AgreesWithThePlainDistance)
{
    std::mt19937 random(20191709);
    const std::u16string alphabets[] = {u"ab", u"abc", u"abcd\u00E9", u"a\U0001F600b",
                                        u"xy\u0100z"};
    for (int round = 0; round < 6000; ++round) {
        const std::u16string& alphabet = alphabets[round % 5];
        const auto draw = [&](int length) {
            QString text;
            for (int k = 0; k < length; ++k)
                text += QChar(alphabet[random() % alphabet.size()]);
            return text;
        };
        const int maxLength = round % 10 == 0 ? 200 : 70;
        QString a = draw(int(random() % (maxLength + 1)));
        QString b = draw(int(random() % (maxLength + 1)));
        if (round % 3 == 0) { // shared prefix and suffix around a difference
            const QString stem = draw(int(random() % 20));
            a = stem + a + stem;
            b = stem + b + stem;
        }
        const int expected = urdiva::reference::editDistance(a, b);
        ASSERT_EQ(urdiva::reference::boundedEditDistance(a, b, 1000), expected)
            << a.toStdString() << " / " << b.toStdString();
        ASSERT_EQ(PatternDistance(a)(b, 1000), expected);
        ASSERT_EQ(PatternDistance(b)(a, 1000), expected);
        ASSERT_EQ(urdiva::reference::boundedEditDistance(b, a, 1000), expected);
        ASSERT_EQ(urdiva::reference::editDistance(b, a), expected);
        const int bound = int(random() % 12);
        const int bounded = urdiva::reference::boundedEditDistance(a, b, bound);
        if (expected <= bound)
            ASSERT_EQ(bounded, expected);
        else
            ASSERT_GT(bounded, bound);
    }
}

// The report measures whole texts, either one as the pattern: the common prefix and suffix and
// the order of the texts must not change the plain distance. Every pair of texts of up to five
// letters over three letters.
TEST(PatternDistance, WholeTextsInEitherOrderGiveThePlainDistance)
{
    QStringList texts {QString()};
    for (qsizetype from = 0; texts.size() < 364; ++from) {
        for (const char16_t c : {u'a', u'b', u'c'})
            texts << texts[from] + QChar(c);
    }
    for (const QString& a : texts) {
        const PatternDistance distanceTo(a);
        for (const QString& b : texts)
            ASSERT_EQ(distanceTo(b, 100), urdiva::reference::editDistance(a, b))
                << a.toStdString() << " / " << b.toStdString();
    }
}

} // namespace
