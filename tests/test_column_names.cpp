// SPDX-License-Identifier: MIT
#include "engine/io/column_names.h"
#include "test_support.h"

#include <gtest/gtest.h>

using namespace urdiva;

namespace {

TEST(ColumnNames, CutsTheFirstLineAtEverySeparator)
{
    EXPECT_EQ(columnNames(u"a;b;c", u';'), (QStringList {"a", "b", "c"}));
    EXPECT_EQ(columnNames(u"a;;c", u';'), (QStringList {"a", "", "c"}));
    EXPECT_EQ(columnNames(u";a", u';'), (QStringList {"", "a"}));
    EXPECT_EQ(columnNames(u"a;", u';'), (QStringList {"a"}));
    EXPECT_EQ(columnNames(u";;", u';'), (QStringList {"", ""}));
    EXPECT_EQ(columnNames(u"", u';'), QStringList());
    EXPECT_EQ(columnNames(u"\"x;y\";z", u';'), (QStringList {"\"x", "y\"", "z"}));
}

} // namespace
