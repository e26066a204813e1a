// SPDX-License-Identifier: MIT
#include "dialogs.h"
#include "engine/core/run_error.h"
#include "fake_dialogs.h"
#include "http_test_server.h"
#include "main_window.h"
#include "short_dates.h"
#include "test_support.h"
#include "update_check.h"
#include "update_notice.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTimer>
#include <QUdpSocket>

#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QUrl>
#include <functional>
#include <vector>

#include <gtest/gtest.h>

#ifndef _WIN32
#include <unistd.h>
#endif

using namespace urdiva;
using namespace urdiva::ui;
using urdiva::test::FakeDialogs;
using urdiva::test::LocaleGuard;
using urdiva::test::TempDir;

namespace {

// An error in Qt's own words, in Portuguese where its translations are installed.
const QString kQtsOwnText = QStringLiteral("(Qt's text)");

const char kMarkup[] = "<h1>HUGE</h1><a href=\"http://127.0.0.1:1/x\">Clique aqui</a>"
                       "<img src=\"file:///etc/hostname\">";

class UpdateCheckTest : public ::testing::Test {
protected:
    LocaleGuard locale {QStringLiteral("pt_BR")};
    TempDir dir;
    HttpTestServer server;
    FakeDialogs dialogs;
    UpdateNotice notice {dialogs};
    QString executable = dir.write(QStringLiteral("urdiva"), "programa");

    void SetUp() override
    {
        QFile file(executable);
        file.open(QIODevice::ReadWrite);
        file.setFileTime(QDateTime(QDate(2019, 9, 17), QTime(12, 0)),
                         QFileDevice::FileModificationTime);
        server.answer("/Urdiva/dataLastVersion.html", 200, "OK", "18/09/2019");
        server.answer("/Urdiva/countDownload.html", 200, "OK", "1234");
    }
    void check(std::chrono::milliseconds timeout = std::chrono::seconds(5))
    {
        UpdateCheck(notice, dialogs, server.host(), executable, HttpClient(timeout))
            .checkForUpdate();
    }
    QString failure()
    {
        try {
            check();
        } catch (const RunError& e) {
            return e.message();
        }
        return QStringLiteral("(no error)");
    }
    QString line(const char* name)
    {
        return notice.findChild<QLabel*>(QString::fromLatin1(name))->text();
    }
};

TEST_F(UpdateCheckTest, NewerReleaseShowsTheNotice)
{
    check();
    EXPECT_EQ(dialogs.shown, QStringList {QStringLiteral("modal")});
    EXPECT_EQ(line("releaseLabel"),
              QStringLiteral("Nova versão disponível! Liberada em: 18/09/2019"));
    EXPECT_EQ(line("downloadsLabel"),
              QStringLiteral("Até o momento já foram efetuados 1234 downloads do Urdiva!"));
    EXPECT_EQ(notice.windowTitle(), QStringLiteral("Atualizações"));
    // A connection alone, the status test, then the two pages, with the headers the check sends.
    QList<QByteArray> requests = server.requests();
    ASSERT_EQ(requests.size(), 4);
    EXPECT_TRUE(requests.takeFirst().isEmpty());
    EXPECT_TRUE(requests[0].startsWith("GET /Urdiva/dataLastVersion.html HTTP/1.1\r\n"));
    EXPECT_TRUE(requests[0].contains("User-Agent: InetURL:/1.0\r\n"));
    EXPECT_TRUE(requests[1].startsWith("GET /Urdiva/dataLastVersion.html HTTP/1.1\r\n"));
    EXPECT_TRUE(requests[1].contains(
        "Accept: text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8\r\n"));
    EXPECT_TRUE(requests[1].contains("User-Agent: Mozilla/3.0 (compatible; Indy Library)\r\n"));
    EXPECT_TRUE(requests[2].startsWith("GET /Urdiva/countDownload.html HTTP/1.1\r\n"));
}

TEST_F(UpdateCheckTest, SameDayOrOlderShowsNothing)
{
    for (const QByteArray& day :
         {QByteArray("17/09/2019"), QByteArray("16/09/2019"), QByteArray("01/01/2010")}) {
        server.answer("/Urdiva/dataLastVersion.html", 200, "OK", day);
        check();
        EXPECT_TRUE(dialogs.shown.isEmpty()) << day.toStdString();
    }
}

TEST_F(UpdateCheckTest, OfflineIsSilent)
{
    UpdateCheck(notice, dialogs, QStringLiteral("127.0.0.1:1"), executable).checkForUpdate();
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_F(UpdateCheckTest, StatusTest)
{
    for (const auto& [status, reason, shows] : {std::tuple {302, "Found", true},
                                                {301, "Moved Permanently", false},
                                                {404, "Not Found", false},
                                                {500, "Internal Server Error", false}}) {
        dialogs.shown.clear();
        // The status test only sees the status; the GET after it is answered as usual.
        server.answer("/Urdiva/dataLastVersion.html", status, reason, "18/09/2019");
        if (status == 302) {
            // A 302 passes the status test, and the GET then refuses to follow it.
            EXPECT_EQ(failure(), QStringLiteral("HTTP/1.1 302 Found"));
            continue;
        }
        check();
        EXPECT_EQ(dialogs.shown.isEmpty(), !shows) << status;
    }
}

TEST_F(UpdateCheckTest, DateFormats)
{
    {
        LocaleGuard monthFirst(QStringLiteral("en_US"));
        EXPECT_EQ(failure(), QStringLiteral("'18/09/2019' is not a valid date"));
        EXPECT_EQ(errorBoxText(failure()), QStringLiteral("'18/09/2019' is not a valid date."));
    }
    server.answer("/Urdiva/dataLastVersion.html", 200, "OK", " 18/09/2019 ");
    check();
    EXPECT_EQ(line("releaseLabel"),
              QStringLiteral("Nova versão disponível! Liberada em:  18/09/2019 "));
    server.answer("/Urdiva/dataLastVersion.html", 200, "OK", "18/09/2019\r\n");
    EXPECT_EQ(failure(), QStringLiteral("'18/09/2019\r\n' is not a valid date"));
}

TEST_F(UpdateCheckTest, CountTexts)
{
    server.answer("/Urdiva/countDownload.html", 200, "OK", "");
    check();
    EXPECT_EQ(line("downloadsLabel"),
              QStringLiteral("Até o momento já foram efetuados  downloads do Urdiva!"));
    server.answer("/Urdiva/countDownload.html", 200, "OK", "<b>9</b><a href=\"x\">y</a>");
    check();
    EXPECT_EQ(
        line("downloadsLabel"),
        QStringLiteral(
            "Até o momento já foram efetuados <b>9</b><a href=\"x\">y</a> downloads do Urdiva!"));
    EXPECT_EQ(notice.findChild<QLabel*>(QStringLiteral("downloadsLabel"))->textFormat(),
              Qt::PlainText);
    server.answer("/Urdiva/countDownload.html", 200, "OK", "S\xC3\xA3o",
                  "Content-Type: text/html; charset=utf-8\r\n");
    check();
    EXPECT_TRUE(line("downloadsLabel").contains(QStringLiteral("São")));
}

TEST_F(UpdateCheckTest, FailedCountPageIsAnError)
{
    server.answer("/Urdiva/countDownload.html", 500, "Internal Server Error", "oops");
    EXPECT_EQ(failure(), QStringLiteral("HTTP/1.1 500 Internal Server Error"));
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_F(UpdateCheckTest, LargeOrMalformedAnswers)
{
    server.answer("/Urdiva/countDownload.html", 200, "OK",
                  QByteArray(HttpClient::kMaxBody + 1, '7'));
    EXPECT_EQ(failure(), QStringLiteral("Response too large."));
    server.answer(
        "/Urdiva/countDownload.html",
        "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n2\r\n12\r\n1\r\n3\r\n0\r\n\r\n");
    check();
    EXPECT_TRUE(line("downloadsLabel").contains(QStringLiteral(" 123 ")));
    server.answer("/Urdiva/countDownload.html", "garbage\r\n\r\n");
    // Qt's own words, in Portuguese where its translations are installed.
    EXPECT_FALSE(failure().isEmpty());
    EXPECT_NE(failure(), QStringLiteral("(no error)"));
}

TEST_F(UpdateCheckTest, StalledServerIsBounded)
{
    server.stall("/Urdiva/dataLastVersion.html");
    QElapsedTimer timer;
    timer.start();
    check(std::chrono::milliseconds(500));
    EXPECT_TRUE(dialogs.shown.isEmpty());
    EXPECT_LT(timer.elapsed(), 3000);
}

// The check runs off the window's thread: with a server that accepts and never answers, the
// window takes typing at once, the newer release found meanwhile comes up when the server does
// answer, and a check still waiting is stopped at once when the program ends.
TEST_F(UpdateCheckTest, SilentServerNeverFreezesTheWindow)
{
    server.stall("/Urdiva/dataLastVersion.html");
    MainWindow window(dialogs);
    QElapsedTimer ending;
    {
        BackgroundUpdateCheck check(
            UpdateCheck(notice, dialogs, server.host(), executable),
            [&](const std::function<void()>& step) { window.guarded(step); });
        window.setStartupCheck([&] { check.start(); });
        QElapsedTimer timer;
        timer.start();
        window.show();
        auto* edit = window.findChild<QLineEdit*>(QStringLiteral("outputPathEdit"));
        QCoreApplication::postEvent(
            edit, new QKeyEvent(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a")));
        while (edit->text().isEmpty() && timer.elapsed() < 10000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        EXPECT_EQ(edit->text(), QStringLiteral("a"));
        EXPECT_LT(timer.elapsed(), 100);
        ending.start();
    }
    EXPECT_LT(ending.elapsed(), 1000);
    EXPECT_TRUE(dialogs.shown.isEmpty());

    HttpTestServer answering;
    answering.answer("/Urdiva/dataLastVersion.html", 200, "OK", "18/09/2019");
    answering.answer("/Urdiva/countDownload.html", 200, "OK", "1234");
    BackgroundUpdateCheck check(UpdateCheck(notice, dialogs, answering.host(), executable),
                                [&](const std::function<void()>& step) { window.guarded(step); });
    check.start();
    QElapsedTimer timer;
    timer.start();
    while (dialogs.shown.isEmpty() && timer.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_EQ(dialogs.shown, QStringList {QStringLiteral("modal")});
}

#ifndef _WIN32 // a network namespace (unshare)
// A host name that the resolver never answers holds start-up no longer than one step. The test
// runs itself again in a mount namespace whose resolver is a loopback address that reads and
// never answers.
TEST_F(UpdateCheckTest, UnansweredNameLookupIsBounded)
{
    if (qEnvironmentVariableIsSet("URDIVA_TEST_SILENT_RESOLVER")) {
        QElapsedTimer timer;
        timer.start();
        UpdateCheck(notice, dialogs, QStringLiteral("urdiva.example.org"), executable,
                    HttpClient(std::chrono::seconds(2), std::chrono::seconds(6)))
            .checkForUpdate();
        EXPECT_TRUE(dialogs.shown.isEmpty());
        EXPECT_LT(timer.elapsed(), 4000);
        return;
    }
    if (::geteuid() != 0 || QStandardPaths::findExecutable(QStringLiteral("unshare")).isEmpty())
        GTEST_SKIP() << "needs root and unshare for a resolver of its own";
    QUdpSocket silent;
    if (!silent.bind(QHostAddress(QStringLiteral("127.0.0.2")), 53))
        GTEST_SKIP() << "port 53 of 127.0.0.2 is taken";
    const QString resolver = dir.write(QStringLiteral("resolv.conf"),
                                       "nameserver 127.0.0.2\noptions timeout:5 attempts:1\n");
    QProcess inner;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("URDIVA_TEST_SILENT_RESOLVER"), QStringLiteral("1"));
    inner.setProcessEnvironment(environment);
    inner.start(QStringLiteral("unshare"),
                {QStringLiteral("-m"), QStringLiteral("sh"), QStringLiteral("-c"),
                 QStringLiteral("mount --bind \"$0\" /etc/resolv.conf && exec \"$1\" "
                                "--gtest_filter=UpdateCheckTest.UnansweredNameLookupIsBounded"),
                 resolver, QCoreApplication::applicationFilePath()});
    inner.waitForFinished(60000);
    const QByteArray output = inner.readAllStandardOutput();
    EXPECT_EQ(inner.exitCode(), 0) << output.toStdString();
    EXPECT_TRUE(output.contains("[  PASSED  ] 1 test")) << output.toStdString();
}
#endif

TEST_F(UpdateCheckTest, LinkOpensTheUpdatePageAndClosesTheNotice)
{
    dialogs.onModal = [](QDialog* dialog) {
        const QString link =
            dialog->findChild<QLabel*>(QStringLiteral("updateLink"))->text().section(u'"', 1, 1);
        static_cast<UpdateNotice*>(dialog)->openUpdatePage(link);
    };
    check();
    EXPECT_EQ(
        dialogs.shown,
        (QStringList {
            QStringLiteral("modal"),
            QStringLiteral("browser:http://%1/Urdiva/lastVersion/index.php").arg(server.host())}));
    EXPECT_EQ(notice.result(), QDialog::Rejected);
}

// A hostile server: whatever it does, start-up ends within the time-outs, shows nothing or an
// error, and never opens anything.
TEST_F(UpdateCheckTest, HostileServers)
{
    URDIVA_SKIP_ON_WINDOWS("Winsock ends an answer whose chunk sizes overflow a 64-bit sum "
                           "otherwise than Linux does");
    const QByteArray page = "/Urdiva/dataLastVersion.html";
    const QByteArray count = "/Urdiva/countDownload.html";
    const std::vector<std::pair<std::function<void(HttpTestServer&)>, QString>> cases = {
        {[&](HttpTestServer& s) { s.answer(count, 200, "OK", QByteArray(5 << 20, '1')); },
         QStringLiteral("Response too large.")},
        {[&](HttpTestServer& s) { s.endless(count); }, QStringLiteral("Response too large.")},
        {[&](HttpTestServer& s) { s.stall(count); }, QStringLiteral("Read timed out.")},
        {[&](HttpTestServer& s) { s.answer(count, "HTTP/1.1\r\n\r\n"); }, kQtsOwnText},
        // Chunk sizes that overflow a signed 64-bit sum.
        {[&](HttpTestServer& s) {
             s.answer(count, "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n1\r\nA\r\n" +
                                 QByteArray("7fffffffffffffff\r\n").repeated(1000));
         },
         QStringLiteral("Response too large.")},
        // Markup stays text: the error box shows it as it came (see DialogsShowPlainText).
        {[&](HttpTestServer& s) { s.answer(page, 200, "OK", kMarkup); },
         QStringLiteral("'%1' is not a valid date").arg(QLatin1StringView(kMarkup))},
        {[&](HttpTestServer& s) {
             s.answer(count, "HTTP/1.1 302 Found\r\nLocation: "
                             "/Urdiva/countDownload.html\r\nContent-Length: 0\r\n\r\n");
         },
         QStringLiteral("HTTP/1.1 302 Found")},
        {[&](HttpTestServer& s) { s.stall(page); }, QString()},
        // A body cut short of its announced length is no answer, however plausible its start.
        {[&](HttpTestServer& s) {
             s.answer(page, "HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\n18/09/2019");
         },
         kQtsOwnText},
    };
    for (const auto& [arrange, expected] : cases) {
        SCOPED_TRACE(expected.toStdString());
        HttpTestServer hostile;
        hostile.answer(page, 200, "OK", "18/09/2019");
        hostile.answer(count, 200, "OK", "1");
        arrange(hostile);
        dialogs.shown.clear();
        QElapsedTimer timer;
        timer.start();
        QString error;
        try {
            UpdateCheck(notice, dialogs, hostile.host(), executable,
                        HttpClient(std::chrono::milliseconds(700)))
                .checkForUpdate();
        } catch (const RunError& e) {
            error = e.message();
        }
        EXPECT_LT(timer.elapsed(), 5000);
        if (expected == kQtsOwnText) {
            EXPECT_FALSE(error.isEmpty());
        } else {
            EXPECT_EQ(error, expected);
        }
        EXPECT_TRUE(dialogs.shown.isEmpty()) << dialogs.shown.join(u',').toStdString();
    }
}

TEST(AnswersOk, SchemeIsAddedOnlyWhenMissing)
{
    HttpTestServer server;
    server.answer("/a", 200, "OK", "");
    server.answer("/b", 302, "Found", "");
    EXPECT_TRUE(answersOk(server.host() + QStringLiteral("/a"), HttpClient()));
    EXPECT_TRUE(
        answersOk(QStringLiteral("HTTP://") + server.host() + QStringLiteral("/b"), HttpClient()));
    EXPECT_FALSE(answersOk(server.host() + QStringLiteral("/c"), HttpClient()));
    EXPECT_FALSE(answersOk(QStringLiteral("127.0.0.1:1/a"), HttpClient()));
}

// The start-up check is off where the environment says so, and otherwise as the build says.
TEST(UpdateSwitch, EnvironmentTurnsTheCheckOff)
{
    qunsetenv("URDIVA_NO_UPDATE_CHECK");
    EXPECT_EQ(updateCheckEnabled(), bool(URDIVA_UPDATE_CHECK));
    qputenv("URDIVA_NO_UPDATE_CHECK", "1");
    EXPECT_FALSE(updateCheckEnabled());
    qputenv("URDIVA_NO_UPDATE_CHECK", "0");
    EXPECT_EQ(updateCheckEnabled(), bool(URDIVA_UPDATE_CHECK));
    qunsetenv("URDIVA_NO_UPDATE_CHECK");
}

} // namespace
