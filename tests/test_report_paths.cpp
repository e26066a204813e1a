// SPDX-License-Identifier: MIT
#include "engine/report/report_paths.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <utility>

using namespace urdiva;

namespace {

TEST(SimilarityReportPath, BesideTheNetworkFile)
{
    const std::pair<const char*, const char*> windows[] = {
        {R"(C:\dados\rede.net)", R"(C:\dados\Similaridade_rede.rtf)"},
        {R"(C:\dados\rede)", R"(C:\dados\Similaridade_rede.rtf)"},
        {R"(C:\dados\rede.txt)", R"(C:\dados\Similaridade_rede.rtf)"},
        {R"(C:\rede.net)", R"(C:\\Similaridade_rede.rtf)"},
        {"rede", "Similaridade_rede.rtf"},
        {"sub/rel", R"(sub\Similaridade_rel.rtf)"},
        {"C:/dados/rede.net", R"(C:/dados\Similaridade_rede.rtf)"},
    };
    for (const auto& [output, report] : windows)
        EXPECT_EQ(similarityReportPath(QString::fromUtf8(output), PathRules::windows()),
                  QString::fromUtf8(report));
    const std::pair<const char*, const char*> posix[] = {
        {"/dados/rede.net", "/dados/Similaridade_rede.rtf"},
        {"dados/rede.txt", "dados/Similaridade_rede.rtf"},
        {"rede", "Similaridade_rede.rtf"},
        {"/rede", "//Similaridade_rede.rtf"},
    };
    for (const auto& [output, report] : posix)
        EXPECT_EQ(similarityReportPath(QString::fromUtf8(output), PathRules::posix()),
                  QString::fromUtf8(report));
}

} // namespace
