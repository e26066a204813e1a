// SPDX-License-Identifier: MIT
#include "engine/io/paths.h"
#include "test_support.h"

#include <gtest/gtest.h>

using namespace urdiva;

namespace {

struct PathCase {
    const char* path;
    const char* folder;
    const char* baseName;
    const char* finalPath;
};

void check(const PathRules& rules, const PathCase& c)
{
    const QString path = QString::fromUtf8(c.path);
    SCOPED_TRACE(c.path);
    EXPECT_EQ(folderOf(path, rules), QString::fromUtf8(c.folder));
    EXPECT_EQ(withoutExtension(path, rules), QString::fromUtf8(c.baseName));
    EXPECT_EQ(finalOutputPath(path, rules), QString::fromUtf8(c.finalPath));
}

TEST(Paths, WindowsRules)
{
    const PathCase cases[] = {
        {R"(C:\d\rede.csv)", R"(C:\d)", "rede", R"(C:\d\rede.csv.net)"},
        {R"(C:\rede.csv)", R"(C:\)", "rede", R"(C:\rede.csv.net)"},
        {R"(C:rede.csv)", "C:", "rede", R"(C:rede.csv.net)"},
        {R"(C:\dados\rede.net)", R"(C:\dados)", "rede", R"(C:\dados\rede.net)"},
        {R"(C:\dados\rede.NET)", R"(C:\dados)", "rede", R"(C:\dados\rede.NET.net)"},
        {R"(C:\dados\)", R"(C:\dados)", "", R"(C:\dados\.net)"},
        {R"(C:\dados\.net)", R"(C:\dados)", "", R"(C:\dados\.net)"},
        {"rede", "", "rede", "rede.net"},
        {"", "", "", ".net"},
        {R"(\\srv\share\a.b.c)", R"(\\srv\share)", "a.b", R"(\\srv\share\a.b.c.net)"},
        {R"(\rede.csv)", R"(\)", "rede", R"(\rede.csv.net)"},
        {R"(C:\d.x\rede)", R"(C:\d.x)", "rede", R"(C:\d.x\rede.net)"},
        {R"(a\\b)", R"(a\\)", "b", R"(a\\b.net)"},
        // Windows takes "/" as well: what a file dialog or a script gives.
        {"C:/d/rede.csv", "C:/d", "rede", "C:/d/rede.csv.net"},
        {"C:/rede.csv", "C:/", "rede", "C:/rede.csv.net"},
        {R"(C:\d/sub\rede)", R"(C:\d/sub)", "rede", R"(C:\d/sub\rede.net)"},
        {"sub/rel", "sub", "rel", "sub/rel.net"},
        {"/rede.csv", "/", "rede", "/rede.csv.net"},
    };
    for (const PathCase& c : cases)
        check(PathRules::windows(), c);
}

TEST(Paths, PosixRules)
{
    const PathCase cases[] = {
        {"/d/rede.csv", "/d", "rede", "/d/rede.csv.net"},
        {"/rede.csv", "/", "rede", "/rede.csv.net"},
        {"dados/rede.net", "dados", "rede", "dados/rede.net"},
        {"/dados/", "/dados", "", "/dados/.net"},
        {"/d.x/rede", "/d.x", "rede", "/d.x/rede.net"},
        {"rede.txt", "", "rede", "rede.txt.net"},
        {"C:rede.csv", "", "C:rede", "C:rede.csv.net"},
        {R"(a\b.csv)", "", R"(a\b)", R"(a\b.csv.net)"},
        {"a//b", "a//", "b", "a//b.net"},
    };
    for (const PathCase& c : cases)
        check(PathRules::posix(), c);
}

TEST(DefaultOutputName, FolderNameAndTimestamp)
{
    const QDateTime afternoon(QDate(2025, 12, 8), QTime(14, 3, 5));
    const QDateTime evening(QDate(2026, 2, 1), QTime(21, 7, 9));
    const PathRules windows = PathRules::windows();
    EXPECT_EQ(defaultOutputName(QStringLiteral(R"(C:\dados\rede.csv)"), afternoon, windows),
              QStringLiteral(R"(C:\dados\rede - 08122025_140305.net)"));
    EXPECT_EQ(defaultOutputName(QStringLiteral(R"(C:\rede.csv)"), evening, windows),
              QStringLiteral(R"(C:\\rede - 01022026_210709.net)"));
    for (const auto& [input, name] : {std::pair {R"(D:\x\Rede.CSV)", "Rede"},
                                      {R"(D:\x\dados)", "dados"},
                                      {R"(D:\x\a.csv.csv)", "a.csv"},
                                      {R"(D:\x\v.txtnovo.txt)", "v.txtnovo"}})
        EXPECT_EQ(defaultOutputName(QString::fromUtf8(input), evening, windows),
                  QStringLiteral(R"(D:\x\)") + QString::fromUtf8(name) +
                      QStringLiteral(" - 01022026_210709.net"));
    EXPECT_EQ(defaultOutputName(QStringLiteral("/dados/rede.csv"), afternoon, PathRules::posix()),
              QStringLiteral("/dados/rede - 08122025_140305.net"));
}

} // namespace
