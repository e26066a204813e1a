#include "text_index.h"

#include <gtest/gtest.h>

using namespace urdiva;

namespace {

TEST(TextIndex, FindsEachDistinctTextByItsFirstPosition)
{
    TextIndex index;
    std::vector<QString> texts;
    EXPECT_EQ(index.find(u"x", texts), -1);
    for (int i = 0; i < 5000; ++i) {
        // Every text is offered twice, the second time after a thousand others.
        const QString text = i % 2 == 0 ? QString::number(i / 2) : QString::number((i - 1001) / 2);
        texts.push_back(text);
        const qsizetype position =
            index.insert(qsizetype(texts.size()) - 1, texts, TextIndex::hashOf(text));
        if (position != qsizetype(texts.size()) - 1)
            texts.pop_back();
    }
    ASSERT_EQ(texts.size(), size_t(2500 + 500));
    for (size_t p = 0; p < texts.size(); ++p)
        EXPECT_EQ(index.find(texts[p], texts), qsizetype(p));
    EXPECT_EQ(index.find(u"", texts), -1);
    EXPECT_EQ(index.find(u"9999", texts), -1);
}

} // namespace
