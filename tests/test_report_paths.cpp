// SPDX-License-Identifier: MIT
#include "engine/core/run_error.h"
#include "engine/report/percentage_text.h"
#include "engine/report/report_paths.h"
#include "engine/report/similarity_report.h"
#include "reference.h"
#include "test_support.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <random>

using namespace urdiva;
using urdiva::test::LocaleGuard;
using urdiva::test::readBytes;
using urdiva::test::TempDir;

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
