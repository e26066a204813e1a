// SPDX-License-Identifier: MIT
#include "engine/core/run_error.h"
#include "engine/network/network_file.h"
#include "engine/network/pajek_writer.h"
#include "test_support.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <functional>
#ifndef _WIN32
#include <sys/stat.h>
#endif

using namespace urdiva;
using urdiva::test::TempDir;

namespace {

// The whole text written at once, as a run with a pane to show it in writes it.
bool writeNetworkFile(const QString& path, OutputBuffer text, Replace replace)
{
    OutputFiles files;
    NetworkFile file(files, path, replace);
    file.write(text);
    file.finish();
    return files.commit();
}

TEST(NetworkFile, FileHasBomUtf8AndCrLf)
{
    OutputBuffer text;
    text.appendLine(u"*Vertices 1");
    PajekWriter::writeVertexLines(text, {QString::fromUtf16(u"João¶")}, 1);
    text.appendLine(u"*Edges");
    TempDir dir;
    const QString path = dir.path(QStringLiteral("rede.net"));
    ASSERT_TRUE(writeNetworkFile(path, text, Replace::Never));
    EXPECT_EQ(urdiva::test::readBytes(path),
              QByteArray("\xEF\xBB\xBF*Vertices 1\r\n1 \"Jo\xC3\xA3o\"\r\n*Edges\r\n"));
}

#ifndef _WIN32 // POSIX file kinds (pipes, devices, links) and their errors
// What is at the output path decides what the writer may do: a regular file (or a link to one)
// is replaced whole, and only with consent; anything else is never touched.
TEST(NetworkFile, ReplacesOnlyRegularFilesAndOnlyWithConsent)
{
    const QByteArray before("a rede de antes");
    const QByteArray written("\xEF\xBB\xBF*Vertices 0\r\n");
    struct Case {
        const char* name;
        std::function<QString(const TempDir&)> make; // makes what is there, gives the path
        Replace replace;
        const char* outcome; // "written", "kept" (commit refused) or the error's reason
        QByteArray after; // the bytes at the path afterwards
    };
    const auto regular = [&](const TempDir& d) {
        return d.write(QStringLiteral("rede.net"), before);
    };
    const auto link = [&](const TempDir& d) {
        QFile::link(d.write(QStringLiteral("alvo.net"), before),
                    d.path(QStringLiteral("rede.net")));
        return d.path(QStringLiteral("rede.net"));
    };
    const auto fifo = [](const TempDir& d) {
        const QString path = d.path(QStringLiteral("rede.net"));
        ::mkfifo(QFile::encodeName(path).constData(), 0666);
        return path;
    };
    const auto device = [](const TempDir& d) {
        QFile::link(QStringLiteral("/dev/null"), d.path(QStringLiteral("rede.net")));
        return d.path(QStringLiteral("rede.net"));
    };
    const auto folder = [](const TempDir& d) {
        QDir(d.path()).mkdir(QStringLiteral("rede.net"));
        return d.path(QStringLiteral("rede.net"));
    };
    const Case cases[] = {
        {"nothing there", [](const TempDir& d) { return d.path(QStringLiteral("rede.net")); },
         Replace::Never, "written", written},
        {"a file, with consent", regular, Replace::Allowed, "written", written},
        {"a file, without consent", regular, Replace::Never, "kept", before},
        {"a link to a file", link, Replace::Allowed, "written", written},
        {"a pipe", fifo, Replace::Allowed, "Not a regular file", {}},
        {"a link to a device", device, Replace::Allowed, "Not a regular file", {}},
        {"a folder", folder, Replace::Allowed, "Is a directory", {}},
        {"a missing folder",
         [](const TempDir& d) { return d.path(QStringLiteral("nada/r.net")); },
         Replace::Never,
         "No such file or directory",
         {}},
        {"a name too long",
         [](const TempDir& d) { return d.path(QString(300, u'r') + QStringLiteral(".net")); },
         Replace::Never,
         "File name too long",
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const QString path = c.make(dir);
        const QStringList entries =
            QDir(dir.path())
                .entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot);
        const bool wasLink = QFileInfo(path).isSymLink();
        const auto kindAt = [&] {
            struct stat st { };
            return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode & S_IFMT : 0;
        };
        const mode_t kind = kindAt();
        QString outcome;
        try {
            OutputBuffer text;
            text.appendLine(u"*Vertices 0");
            outcome = writeNetworkFile(path, text, c.replace) ? QStringLiteral("written")
                                                              : QStringLiteral("kept");
        } catch (const RunError& e) {
            const QString prefix = QStringLiteral("Cannot create file \"%1\". ").arg(path);
            EXPECT_TRUE(e.message().startsWith(prefix)) << e.message().toStdString();
            outcome = e.message().mid(prefix.size());
        }
        EXPECT_EQ(outcome, QLatin1StringView(c.outcome));
        if (!c.after.isNull()) {
            EXPECT_EQ(urdiva::test::readBytes(path), c.after);
        }
        // Nothing left behind, nothing taken away: a link stays a link, a pipe a pipe.
        EXPECT_EQ(
            QDir(dir.path())
                .entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot),
            outcome == u"written" && entries.isEmpty() ? QStringList {"rede.net"} : entries);
        EXPECT_EQ(QFileInfo(path).isSymLink(), wasLink);
        if (outcome != u"written") {
            EXPECT_EQ(kindAt(), kind);
        } else if (kind == 0) {
            EXPECT_EQ(QFileInfo(path).permissions() & 0x0777, QFileDevice::Permissions(0x0644))
                << "a new network is as readable as any new file (umask 022)";
        }
    }
    EXPECT_TRUE(QFileInfo(QStringLiteral("/dev/null")).exists());
}
#endif

} // namespace
