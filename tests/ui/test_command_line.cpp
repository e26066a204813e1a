// SPDX-License-Identifier: MIT
#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

namespace {

// --version and --help answer on the terminal, with no display to open a window on.
TEST(CommandLine, VersionAndHelpWithoutADisplay)
{
    for (const QString& option : {QStringLiteral("--version"), QStringLiteral("--help")}) {
        QProcess app;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("DISPLAY"));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        app.setProcessEnvironment(env);
        app.start(QStringLiteral(URDIVA_APP_PATH), {option});
        ASSERT_TRUE(app.waitForFinished(20000));
        EXPECT_EQ(app.exitCode(), 0);
        const QString out = QString::fromUtf8(app.readAllStandardOutput());
        EXPECT_TRUE(option == u"--version"
                        ? out == QStringLiteral("urdiva " URDIVA_VERSION "\n")
                        : out.startsWith(QStringLiteral("Uso: urdiva")) &&
                              out.contains(QStringLiteral("  -h, --help  Mostra esta ajuda.\n"
                                                          "  --version   Mostra a versão.\n")))
            << out.toStdString();
    }
}

} // namespace
