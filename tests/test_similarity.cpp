// SPDX-License-Identifier: MIT
#include "engine/report/similarity.h"
#include "reference.h"
#include "test_support.h"

#include <QString>

#include <gtest/gtest.h>

#include <random>

using namespace urdiva;

namespace {

QString s(const char16_t* text)
{
    return QStringView(text).toString();
}

TEST(EditDistance, WrittenExamples)
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
        EXPECT_EQ(EditDistance(s(c.a), s(c.b)), c.distance);
        EXPECT_EQ(EditDistance(s(c.b), s(c.a)), c.distance);
        EXPECT_EQ(urdiva::reference::boundedEditDistance(s(c.a), s(c.b), 1000), c.distance);
        EXPECT_EQ(Similarity(s(c.a), s(c.b), false), c.similarity);
    }
}

TEST(Similarity, RoundedOnceFromExtendedPrecision)
{
    EXPECT_EQ(QString::number(Similarity(u"aba", u"bab", true), 'g', 16),
              QStringLiteral("0.6666666666666666"));
    EXPECT_EQ(similarityRatio(4, 5), 0.2);
    EXPECT_EQ(similarityPercentage(similarityRatio(21, 50)), 57.99999999999999);
    EXPECT_LT(similarityPercentage(similarityRatio(21, 50)), 58.0);
    EXPECT_EQ(similarityPercentage(similarityRatio(4, 5)), 20.0);
    EXPECT_EQ(similarityPercentage(similarityRatio(1, 5)), 80.0);
}

TEST(Similarity, FoldsAsciiCaseOnly)
{
    EXPECT_EQ(Similarity(u"Casa", u"casa", true), 1.0);
    EXPECT_EQ(Similarity(u"Casa", u"casa", false), 0.75);
    EXPECT_EQ(Similarity(u"\u00C9", u"\u00E9", true), 0.0);
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
        const int expected = EditDistance(a, b);
        ASSERT_EQ(urdiva::reference::boundedEditDistance(a, b, 1000), expected)
            << a.toStdString() << " / " << b.toStdString();
        ASSERT_EQ(PatternDistance(a)(b, 1000), expected);
        ASSERT_EQ(PatternDistance(b)(a, 1000), expected);
        ASSERT_EQ(urdiva::reference::boundedEditDistance(b, a, 1000), expected);
        ASSERT_EQ(EditDistance(b, a), expected);
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
TEST(PatternDistance, WholeTextsInEitherOrderGiveTheWrittenDistance)
{
    QStringList texts {QString()};
    for (qsizetype from = 0; texts.size() < 364; ++from) {
        for (const char16_t c : {u'a', u'b', u'c'})
            texts << texts[from] + QChar(c);
    }
    for (const QString& a : texts) {
        const PatternDistance distanceTo(a);
        for (const QString& b : texts)
            ASSERT_EQ(distanceTo(b, 100), EditDistance(a, b))
                << a.toStdString() << " / " << b.toStdString();
    }
}

} // namespace
