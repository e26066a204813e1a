// SPDX-License-Identifier: MIT
#include "engine/conversion/conversion_run.h"
#include "fake_dialogs.h"
#include "info_pages.h"
#include "info_window.h"
#include "test_support.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTextEdit>

#include <gtest/gtest.h>

using namespace urdiva;
using namespace urdiva::ui;
using urdiva::test::FakeDialogs;
using urdiva::test::LocaleGuard;
using urdiva::test::RecordingFeedback;
using urdiva::test::TempDir;

namespace {

TEST(InfoWindow, CopiesTheReferenceExactly)
{
    FakeDialogs dialogs;
    InfoWindow info(dialogs);
    info.show();
    QGuiApplication::clipboard()->setText(QStringLiteral("antes"));
    info.copyReference();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), reference());
    EXPECT_EQ(reference().count(u'\r'), 1);
    EXPECT_FALSE(reference().contains(u'\n'));
    EXPECT_EQ(dialogs.shown, QStringList {QStringLiteral("inform:Referência copiada!")});
    info.close();
}

// The five page titles fit the tab control side by side: no scroll arrows hide one. The copy
// label is reached from the keyboard and pressed with Return.
TEST(InfoWindow, TabTitlesFitAndTheCopyLabelTakesTheKeyboard)
{
    URDIVA_SKIP_ON_WINDOWS("text widths: Qt's offscreen platform on Windows has no font database");
    FakeDialogs dialogs;
    InfoWindow info(dialogs);
    info.show();
    const QTabBar* tabs = info.findChild<QTabWidget*>(QStringLiteral("pages"))->tabBar();
    int width = 0;
    for (int k = 0; k < tabs->count(); ++k)
        width += tabs->tabRect(k).width();
    EXPECT_LE(width, tabs->width());
    EXPECT_EQ(info.size(), QSize(510, 598));

    auto* copy = info.findChild<QLabel*>(QStringLiteral("copyReferenceLink"));
    EXPECT_EQ(copy->focusPolicy(), Qt::StrongFocus);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(copy, &press);
    EXPECT_EQ(dialogs.shown, QStringList {QStringLiteral("inform:Referência copiada!")});
}

TEST(InfoWindow, PagesStartAtTheBeginningWhenReopened)
{
    FakeDialogs dialogs;
    InfoWindow info(dialogs);
    info.show();
    auto* pages = info.findChild<QTabWidget*>(QStringLiteral("pages"));
    ASSERT_EQ(pages->count(), 5);
    EXPECT_EQ(pages->currentIndex(), 0);
    pages->setCurrentIndex(2);
    auto* guide = info.findChild<QTextEdit*>(QStringLiteral("guideText"));
    guide->verticalScrollBar()->setValue(guide->verticalScrollBar()->maximum());
    QTextCursor end = guide->textCursor();
    end.movePosition(QTextCursor::End);
    guide->setTextCursor(end);
    info.close();
    info.show();
    EXPECT_EQ(pages->currentIndex(), 2);
    EXPECT_EQ(guide->textCursor().position(), 0);
    EXPECT_EQ(guide->verticalScrollBar()->value(), 0);
    EXPECT_EQ(info.windowTitle(), QStringLiteral("Urdiva - Info"));
    info.close();
}

TEST(InfoWindow, VersionHistoryQuotedExactly)
{
    const QStringList lines = infoPages().at(1).lines;
    const QStringList history = {
        QStringLiteral("-> Versão 1.1 de 17/09/2019, disponibilizada em 17/09/2019"),
        QStringLiteral("     + Nova função para cálculo de similaridade entre os vértices."),
        QString(), QStringLiteral("-> Versão 1.0 de 27/06/2019, disponibilizada em 27/06/2019")};
    EXPECT_EQ(lines.mid(lines.size() - 4), history);
}

TEST(InfoWindow, PictureIsA24BitBitmap)
{
    QFile file(QStringLiteral(":/urdiva.bmp"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_EQ(bytes.size(), 33234);
    EXPECT_TRUE(bytes.startsWith("BM"));
    EXPECT_EQ(quint8(bytes[28]), 24); // bits per pixel
    EXPECT_EQ(quint8(bytes[30]), 0); // no compression
    const QImage image = QImage::fromData(bytes, "BMP");
    EXPECT_EQ(image.size(), QSize(105, 105));
}

// Each example page quotes a data file of examples/ and the network it gives with the settings
// the page names: the quoted network lines must be the real ones.
TEST(InfoWindow, ExamplesGiveTheQuotedNetworks)
{
    LocaleGuard locale(QStringLiteral("pt_BR"));
    TempDir dir;
    const QString examples = QStringLiteral(URDIVA_EXAMPLES_DIR);
    struct Example {
        int page;
        const char* file;
        QChar separator;
        int first, second;
        NetworkMode mode;
        bool directed;
        int header;
        bool sort;
        QString countLine;
    };
    const Example cases[] = {
        {3, "coautoria.csv", u';', 0, 1, NetworkMode::OneMode, false, 1, false,
         QStringLiteral("*Vertices 203")},
        {3, "coautoria.csv", u';', 0, 1, NetworkMode::OneMode, false, 1, true,
         QStringLiteral("*Vertices 203")},
        {3, "rede_semantica.txt", u'\t', 0, 1, NetworkMode::OneMode, true, 0, false,
         QStringLiteral("*Vertices 647")},
        {4, "pessoas_cidades.csv", u',', 1, 2, NetworkMode::TwoMode, false, 1, false,
         QStringLiteral("*Vertices 15 12")},
        {4, "cursos_anos.txt", u'|', 2, 4, NetworkMode::TwoMode, false, 0, false,
         QStringLiteral("*Vertices 28 10")},
    };
    for (const Example& e : cases) {
        SCOPED_TRACE(e.file);
        ConversionSettings settings;
        settings.inputPath = QDir(examples).filePath(QString::fromLatin1(e.file));
        settings.outputPath = dir.path(QStringLiteral("rede"));
        settings.separator = e.separator;
        settings.firstColumn = e.first;
        settings.secondColumn = e.second;
        settings.mode = e.mode;
        settings.directed = e.directed;
        settings.headerLines = e.header;
        settings.sortAscending = e.sort;
        RecordingFeedback feedback;
        ASSERT_EQ(runConversion(settings, feedback), RunOutcome::Written);
        const QStringList network = feedback.output.split(u'\n');
        EXPECT_EQ(network.first(), e.countLine);
        const QStringList page = infoPages().at(e.page).lines;
        EXPECT_TRUE(page.contains(e.countLine));
        // The network lines the page quotes for this file, up to the next blank line, stand in
        // the network; the vertex lines it gives for the sorted list only in the sorted one.
        const qsizetype from = page.indexOf(e.countLine);
        bool sortedList = false;
        for (qsizetype k = from + 1; k < page.size() && !page[k].isEmpty(); ++k) {
            const QString& quoted = page[k];
            if (quoted.contains(QStringLiteral("ordem crescente")))
                sortedList = true;
            else if (quoted.startsWith(QStringLiteral("Trecho")))
                sortedList = false;
            if (quoted.startsWith(u'*') || !quoted.front().isDigit())
                continue;
            // The edges quoted are those of the network in order of appearance.
            if (quoted.contains(u'"') ? sortedList != e.sort : e.sort)
                continue;
            EXPECT_TRUE(network.contains(quoted)) << quoted.toStdString();
        }
        // The data lines the page quotes are lines of the file.
        QFile data(settings.inputPath);
        ASSERT_TRUE(data.open(QIODevice::ReadOnly));
        const QStringList fileLines =
            QString::fromUtf8(data.readAll()).split(QStringLiteral("\r\n"));
        EXPECT_TRUE(page.contains(fileLines.first()) || page.contains(fileLines.at(1)));
    }
}

} // namespace
