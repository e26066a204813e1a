// SPDX-License-Identifier: MIT
#include "advanced_tab.h"
#include "command_line.h"
#include "engine/core/run_feedback.h"
#include "fake_dialogs.h"
#include "info_window.h"
#include "lines_view.h"
#include "main_window.h"
#include "progress_window.h"
#include "test_support.h"
#include "update_check.h"
#include "update_notice.h"
#include "workbook_writer.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSettings>
#include <QSpinBox>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextEdit>
#include <QTimer>
#include <QUrl>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <functional>

using namespace urdiva;
using namespace urdiva::ui;
using urdiva::test::FakeDialogs;
using urdiva::test::LocaleGuard;
using urdiva::test::readBytes;
using urdiva::test::TempDir;

namespace {

class MainWindowTest : public ::testing::Test {
protected:
    LocaleGuard locale {QStringLiteral("pt_BR")};
    TempDir dir;
    FakeDialogs dialogs;
    MainWindow window {dialogs};

    void SetUp() override
    {
        // The "Avançado" preferences outlive a window: each test starts from the defaults.
        window.findChild<AdvancedTab*>()->restoreDefaults();
        window.show();
    }

    template <typename T>
    T* find(const char* name)
    {
        T* widget = window.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QRadioButton* item(int k)
    {
        const char* items[] = {"semicolonItem", "tabItem", "commaItem", "otherItem"};
        return find<QRadioButton>(items[k]);
    }
    QList<QWidget*> options()
    {
        QList<QWidget*> list;
        for (const char* name :
             {"firstColumnLabel",       "secondColumnLabel", "modeLabel",
              "directionLabel",         "valueColumnLabel",  "headerLinesLabel",
              "firstColumnList",        "secondColumnList",  "modeList",
              "directionList",          "valueColumnList",   "headerLinesBox",
              "stripCharacterList",     "stripAtStartBox",   "stripAtEndBox",
              "stripEverywhereBox",     "sortAscendingBox",  "similarityReportBox",
              "similarityThresholdBox", "caseSensitiveBox",  "createButton"})
            list << find<QWidget>(name);
        return list;
    }
    bool allOptions(bool enabled)
    {
        for (QWidget* w : options()) {
            if (w->isEnabled() != enabled)
                return false;
        }
        return true;
    }
    void chooseFile(const QByteArray& data, const QString& name = QStringLiteral("dados.csv"))
    {
        dialogs.files << dir.write(name, data);
        find<QPushButton>("inputButton")->click();
    }
    void pick(const char* comboName, const QString& text)
    {
        auto* combo = find<QComboBox>(comboName);
        const int index = combo->findText(text);
        ASSERT_GE(index, 0) << text.toStdString();
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }
    QString preview() { return find<QTextEdit>("previewPane")->toPlainText(); }
    void run()
    {
        find<QTabWidget>("tabs")->setCurrentIndex(2);
        find<QPushButton>("createButton")->click();
    }
};

TEST_F(MainWindowTest, StartUpState)
{
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Urdiva"));
    EXPECT_EQ(window.size(), QSize(556, 502));
    EXPECT_FALSE(find<QGroupBox>("separatorGroup")->isEnabled());
    for (int k = 0; k < 4; ++k)
        EXPECT_FALSE(item(k)->isChecked());
    EXPECT_TRUE(allOptions(false));
    EXPECT_TRUE(find<QPushButton>("createButton")->isHidden());
    EXPECT_TRUE(find<QLineEdit>("otherSeparatorEdit")->isHidden());
    EXPECT_TRUE(find<QTextEdit>("reportPane")->isHidden());
    EXPECT_EQ(find<QTabWidget>("tabs")->currentIndex(), 0);
    EXPECT_EQ(find<QLabel>("lineCountLabel")->text(),
              QStringLiteral("Quantidade de linhas do arquivo: 0"));
    EXPECT_EQ(find<QLabel>("columnCountLabel")->text(),
              QStringLiteral("Quantidade de colunas encontradas: 0"));
    EXPECT_EQ(find<QSpinBox>("similarityThresholdBox")->value(), 80);
    EXPECT_EQ(find<QComboBox>("stripCharacterList")->count(), 10);
    EXPECT_EQ(find<QComboBox>("stripCharacterList")->currentIndex(), -1);
    for (const char* enabled :
         {"inputButton", "outputButton", "inputPathEdit", "outputPathEdit", "infoButton"})
        EXPECT_TRUE(find<QWidget>(enabled)->isEnabled()) << enabled;
}

TEST_F(MainWindowTest, CriarNetOnlyOnTheOutputTab)
{
    auto* tabs = find<QTabWidget>("tabs");
    auto* button = find<QPushButton>("createButton");
    const bool visibleOn[] = {false, false, true};
    for (int tab : {2, 1, 0, 2, 0}) {
        tabs->setCurrentIndex(tab);
        EXPECT_EQ(button->isVisible(), visibleOn[tab]) << tab;
    }
}

TEST_F(MainWindowTest, ChoosingAFile)
{
    QByteArray data = "id;nome;peso\r\n";
    for (int k = 1; k <= 11; ++k)
        data += QByteArray::number(k) + ";n" + QByteArray::number(k) + ";1\r\n";
    find<QTabWidget>("tabs")->setCurrentIndex(2);
    chooseFile(data);
    EXPECT_EQ(find<QLineEdit>("inputPathEdit")->text(),
              QDir::toNativeSeparators(dir.path(QStringLiteral("dados.csv"))));
    EXPECT_TRUE(QRegularExpression(QRegularExpression::escape(QDir::toNativeSeparators(
                                       dir.path(QStringLiteral("dados - ")))) +
                                   QStringLiteral("\\d{8}_\\d{6}\\.net"))
                    .match(find<QLineEdit>("outputPathEdit")->text())
                    .hasMatch())
        << find<QLineEdit>("outputPathEdit")->text().toStdString();
    EXPECT_EQ(preview().split(u'\n').size(), 10);
    EXPECT_TRUE(preview().startsWith(QStringLiteral("id;nome;peso\n1;n1;1")));
    // Counted off the window's thread, shown when ready.
    EXPECT_TRUE(urdiva::test::waitFor([&] {
        return find<QLabel>("lineCountLabel")->text() == u"Quantidade de linhas do arquivo: 12";
    })) << find<QLabel>("lineCountLabel")->text().toStdString();
    EXPECT_TRUE(find<QGroupBox>("separatorGroup")->isEnabled());
    EXPECT_TRUE(allOptions(false));
    EXPECT_EQ(find<QTabWidget>("tabs")->currentIndex(), 0);
    EXPECT_FALSE(find<QPushButton>("createButton")->isVisible());

    // Cancelling the dialog changes nothing.
    find<QPushButton>("inputButton")->click();
    EXPECT_EQ(find<QLineEdit>("inputPathEdit")->text(),
              QDir::toNativeSeparators(dir.path(QStringLiteral("dados.csv"))));
}

TEST_F(MainWindowTest, SemicolonSeparatorAnalysesTheColumns)
{
    chooseFile("autor;\"co;autor\";peso\r\nAna;Rui;1\r\n");
    item(0)->click();
    EXPECT_EQ(find<QLabel>("columnCountLabel")->text(),
              QStringLiteral("Quantidade de colunas encontradas: 4"));
    EXPECT_TRUE(allOptions(true));
    auto* first = find<QComboBox>("firstColumnList");
    auto* second = find<QComboBox>("secondColumnList");
    auto* value = find<QComboBox>("valueColumnList");
    EXPECT_EQ(first->count(), 4);
    EXPECT_EQ(first->currentText(), QStringLiteral("autor"));
    EXPECT_EQ(second->currentText(), QStringLiteral("\"co"));
    EXPECT_EQ(value->currentIndex(), -1);
    EXPECT_EQ(value->itemText(0), QString());
    EXPECT_EQ(find<QComboBox>("modeList")->currentText(), QStringLiteral("1-Modo"));
    EXPECT_EQ(find<QComboBox>("directionList")->currentText(), QStringLiteral("Não dirigido"));
    EXPECT_EQ(window.firstIndex(), 0);
    EXPECT_EQ(window.secondIndex(), 1);
    EXPECT_EQ(window.chosenSeparator(), QChar(u';'));
    EXPECT_EQ(window.analysedPath(),
              QDir::toNativeSeparators(dir.path(QStringLiteral("dados.csv"))));
    EXPECT_EQ(preview(), QStringLiteral("autor<;>\"co<;>autor\"<;>peso\nAna<;>Rui<;>1"));
    // Every marker is red and bold, and nothing else is.
    const QTextDocument* document = find<QTextEdit>("previewPane")->document();
    int marked = 0;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const bool red = fragment.charFormat().foreground().color() == QColor(255, 0, 0);
            const bool bold = fragment.charFormat().fontWeight() == QFont::Bold;
            EXPECT_EQ(red, bold);
            if (red) {
                EXPECT_EQ(fragment.text().count(QStringLiteral("<;>")) * 3, fragment.text().size());
                marked += int(fragment.text().count(QStringLiteral("<;>")));
            }
        }
    }
    EXPECT_EQ(marked, 5);
    EXPECT_FALSE(find<QTextEdit>("previewPane")->textCursor().hasSelection());
}

TEST_F(MainWindowTest, OtherSeparator)
{
    chooseFile("a|b|c\r\n");
    auto* other = find<QLineEdit>("otherSeparatorEdit");
    item(3)->click();
    EXPECT_TRUE(other->isVisible());
    EXPECT_EQ(find<QLabel>("columnCountLabel")->text(),
              QStringLiteral("Quantidade de colunas encontradas: 1"));
    EXPECT_TRUE(allOptions(false));
    EXPECT_EQ(preview(), QStringLiteral("a|b|c")); // no separator chosen yet: no markers
    other->setText(QStringLiteral(" "));
    EXPECT_TRUE(allOptions(false));
    other->setText(QStringLiteral("|"));
    EXPECT_TRUE(allOptions(true));
    EXPECT_EQ(find<QLabel>("columnCountLabel")->text(),
              QStringLiteral("Quantidade de colunas encontradas: 3"));
    EXPECT_EQ(preview(), QStringLiteral("a<|>b<|>c"));
    other->setText(QString());
    EXPECT_TRUE(allOptions(false));
    EXPECT_EQ(find<QLabel>("columnCountLabel")->text(),
              QStringLiteral("Quantidade de colunas encontradas: 1"));
    EXPECT_EQ(preview(), QStringLiteral("a<|>b<|>c")); // the separator chosen before stays marked
}

TEST_F(MainWindowTest, TabAndCommaSeparators)
{
    chooseFile("x\ty\r\n1,2\t3\r\n");
    item(1)->click();
    EXPECT_EQ(preview(), QStringLiteral("x<tab>y\n1,2<tab>3"));
    EXPECT_TRUE(allOptions(true));
    item(2)->click(); // no comma in the first line
    EXPECT_EQ(find<QLabel>("columnCountLabel")->text(),
              QStringLiteral("Quantidade de colunas encontradas: 1"));
    EXPECT_TRUE(allOptions(false));
    EXPECT_EQ(preview(), QStringLiteral("x\ty\n1<,>2\t3"));
}

TEST_F(MainWindowTest, OneNameAndASeparator)
{
    chooseFile("nome;\r\n");
    item(0)->click();
    EXPECT_EQ(find<QLabel>("columnCountLabel")->text(),
              QStringLiteral("Quantidade de colunas encontradas: 2"));
    EXPECT_EQ(find<QComboBox>("firstColumnList")->count(), 1);
    EXPECT_EQ(find<QComboBox>("secondColumnList")->currentIndex(), -1);
    EXPECT_EQ(window.secondIndex(), -1);
}

TEST_F(MainWindowTest, MissingInputFileIsRefused)
{
    chooseFile("a,b;c\r\n");
    item(0)->click();
    find<QLineEdit>("inputPathEdit")->setText(dir.path(QStringLiteral("nada.csv")));
    item(2)->click();
    EXPECT_EQ(dialogs.shown.last(),
              QStringLiteral("inform:O arquivo de entrada não existe ou não foi selecionado!"));
    // No run may start on the file analysed before while the box names another.
    EXPECT_TRUE(allOptions(false));
    EXPECT_FALSE(item(2)->isChecked());
    // Once the box names a file again, the same choice analyses it.
    find<QLineEdit>("inputPathEdit")->setText(dir.path(QStringLiteral("dados.csv")));
    item(2)->click();
    EXPECT_TRUE(allOptions(true));
    EXPECT_EQ(window.chosenSeparator(), QChar(u','));
}

TEST_F(MainWindowTest, ModeAndTypeVisibility)
{
    chooseFile("a;b\r\nc;d\r\n");
    item(0)->click();
    find<QTabWidget>("tabs")->setCurrentIndex(2);
    pick("directionList", QStringLiteral("Dirigido"));
    pick("modeList", QStringLiteral("2-Modos"));
    EXPECT_TRUE(find<QComboBox>("directionList")->isHidden());
    EXPECT_TRUE(find<QLabel>("directionLabel")->isHidden());
    EXPECT_EQ(window.gatherSettings().mode, NetworkMode::TwoMode);
    EXPECT_TRUE(window.gatherSettings().directed); // the hidden choice still counts
    pick("modeList", QStringLiteral("1-Modo"));
    EXPECT_FALSE(find<QComboBox>("directionList")->isHidden());
    pick("modeList", QStringLiteral("2-Modos"));
    item(2)->click();
    item(0)->click(); // a new detection shows the type again
    EXPECT_FALSE(find<QComboBox>("directionList")->isHidden());
    EXPECT_EQ(find<QComboBox>("modeList")->currentText(), QStringLiteral("1-Modo"));
}

TEST_F(MainWindowTest, GatheringTheSettings)
{
    chooseFile("autor;obra;peso;\r\n");
    item(0)->click();
    pick("firstColumnList", QStringLiteral("obra"));
    pick("secondColumnList", QStringLiteral("autor"));
    pick("valueColumnList", QStringLiteral("peso"));
    pick("stripCharacterList", QStringLiteral("Parênteses"));
    find<QCheckBox>("stripAtEndBox")->setChecked(true);
    find<QCheckBox>("sortAscendingBox")->setChecked(true);
    find<QCheckBox>("similarityReportBox")->setChecked(true);
    find<QSpinBox>("similarityThresholdBox")->setValue(75);
    find<QSpinBox>("headerLinesBox")->setValue(2);
    find<QLineEdit>("outputPathEdit")->setText(QStringLiteral("saida"));
    ConversionSettings s = window.gatherSettings();
    EXPECT_EQ(s.inputPath, QDir::toNativeSeparators(dir.path(QStringLiteral("dados.csv"))));
    EXPECT_EQ(s.outputPath, QStringLiteral("saida"));
    EXPECT_EQ(s.firstColumn, 1);
    EXPECT_EQ(s.secondColumn, 0);
    EXPECT_EQ(s.valueColumn, std::optional<qint32>(2));
    EXPECT_EQ(s.strip.characters, QStringLiteral("()"));
    EXPECT_FALSE(s.strip.atStart);
    EXPECT_TRUE(s.strip.atEnd);
    EXPECT_TRUE(s.sortAscending);
    EXPECT_FALSE(s.caseSensitive);
    EXPECT_TRUE(s.similarityReport);
    EXPECT_EQ(s.similarityThreshold, 75);
    EXPECT_EQ(s.headerLines, 2);
    // The blank item, or a column named by an empty text, gives no weights.
    pick("valueColumnList", QString());
    EXPECT_FALSE(window.gatherSettings().valueColumn.has_value());
    EXPECT_EQ(window.valueIndex(), -1);
}

TEST_F(MainWindowTest, AWholeRun)
{
    chooseFile("Ana;Rui;3\r\nRui;Eva;1\r\n");
    item(0)->click();
    pick("valueColumnList", QStringLiteral("3"));
    find<QLineEdit>("outputPathEdit")->setText(dir.path(QStringLiteral("rede")));
    QStringList stages;
    bool closedDuringTheRun = false;
    QObject::connect(&window, &MainWindow::stageShown, [&](const QString&) {
        QWidget* progress = window.findChild<QWidget*>(QStringLiteral("progressWindow"));
        auto* label = progress ? progress->findChild<QLabel*>() : nullptr;
        stages << (progress && progress->isVisible() && label ? label->text()
                                                              : QStringLiteral("(none)"));
        // A request to close, which the progress box lets through, waits for the run's end.
        QCloseEvent close;
        QApplication::sendEvent(&window, &close);
        closedDuringTheRun |= close.isAccepted();
    });
    bool progressAtMessage = true;
    dialogs.onBox = [&] {
        progressAtMessage = window.findChild<QWidget*>(QStringLiteral("progressWindow")) != nullptr;
    };
    run();
    QStringList expected;
    for (int k = 1; k <= 6; ++k)
        expected << messages::stageText(k);
    EXPECT_EQ(stages, expected);
    EXPECT_FALSE(closedDuringTheRun);
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(progressAtMessage);
    EXPECT_EQ(dialogs.shown, QStringList {QStringLiteral("inform:Arquivo gravado com sucesso!")});
    EXPECT_EQ(find<LinesView>("networkPane")->toPlainText(),
              QStringLiteral("*Vertices 3\n1 \"Ana\"\n2 \"Rui\"\n3 \"Eva\"\n*Edges\n1 2 3\n2 3 1"));
    EXPECT_TRUE(
        readBytes(dir.path(QStringLiteral("rede.net"))).startsWith("\xEF\xBB\xBF*Vertices 3\r\n"));
    EXPECT_TRUE(allOptions(true)); // ready for another run

    // Again: the file exists, and the question names it; declining writes nothing, and says so
    // in a box and in the summary line, leaving the output pane as it was.
    dialogs.overwrite = false;
    dialogs.shown.clear();
    run();
    const QString network = QDir::toNativeSeparators(dir.path(QStringLiteral("rede.net")));
    const QString kept =
        QStringLiteral("Nada foi gravado: o arquivo \"%1\" já existe e foi mantido.").arg(network);
    EXPECT_EQ(dialogs.shown,
              (QStringList {QStringLiteral("ask:Confirmação:O arquivo que você está tentando criar "
                                           "já existe, deseja sobrescrevê-lo?\n") +
                                network,
                            QStringLiteral("inform:") + kept}));
    EXPECT_EQ(find<QTextEdit>("summaryPane")->toPlainText(), kept);
    EXPECT_FALSE(find<LinesView>("networkPane")->toPlainText().isEmpty());
    EXPECT_EQ(window.findChild<QWidget*>(QStringLiteral("progressWindow")), nullptr);
}

// A remembered preference that does not go with this run's choices is refused before anything
// is read, in the window's words: the controls' captions and tabs, never the command line's.
TEST_F(MainWindowTest, RefusalsInTheWindowsWords)
{
    chooseFile("a;b;1\n");
    item(0)->click();
    find<QLineEdit>("outputPathEdit")->setText(dir.path(QStringLiteral("rede")));
    const QString remembered =
        QStringLiteral(" (As opções da aba Avançado são preferências lembradas de um uso para o "
                       "outro; \"Restaurar padrões\" as desfaz.)");
    const struct {
        std::function<void()> set;
        QString text;
    } cases[] = {
        {[&] { pick("mergeList", QStringLiteral("Maior peso")); },
         QStringLiteral("\"Ligações repetidas: Maior peso\" (aba Avançado) precisa de uma "
                        "\"Coluna de Valor\" (aba Saída).")},
        {[&] { pick("projectionList", QStringLiteral("Primeiro modo")); },
         QStringLiteral("A \"Projeção\" (aba Avançado) precisa do \"Modo da Rede\" 2-Modos (aba "
                        "Saída).")},
        {[&] {
             find<QCheckBox>("similarityReportBox")->setChecked(true);
             find<QCheckBox>("reportSecondModeBox")->setChecked(true);
         },
         QStringLiteral("\"Relatório também do segundo modo\" (aba Avançado) precisa do \"Modo "
                        "da Rede\" 2-Modos (aba Saída).")},
    };
    for (const auto& c : cases) {
        find<QPushButton>("restoreDefaultsButton")->click();
        c.set();
        dialogs.shown.clear();
        run();
        EXPECT_EQ(dialogs.shown, QStringList {QStringLiteral("error:") + c.text + remembered});
        EXPECT_FALSE(QFile::exists(dir.path(QStringLiteral("rede.net"))));
    }
    find<QPushButton>("restoreDefaultsButton")->click();
}

#ifndef _WIN32
// The run works off the window's thread: while it waits for its data, the window answers a screen
// reader's questions.
TEST_F(MainWindowTest, TheWindowAnswersWhileTheRunWorks)
{
    chooseFile("Ana;Rui\n");
    item(0)->click();
    ASSERT_TRUE(urdiva::test::waitFor(
        [&] { return find<QLabel>("lineCountLabel")->text().endsWith(u": 1"); }));
    const QString path = dir.path(QStringLiteral("dados.csv"));
    const QByteArray pipe = QFile::encodeName(path);
    QFile::remove(path);
    ASSERT_EQ(mkfifo(pipe.constData(), 0600), 0);
    find<QLineEdit>("outputPathEdit")->setText(dir.path(QStringLiteral("rede")));
    std::atomic<bool> started {false};
    std::atomic<int> answers {0};
    bool answered = false;
    // The pipe is read twice, by the look for quoted fields and by the run. Once the run waits
    // for its data, the window must answer a screen reader several times before the data comes
    // (or two seconds pass, should it never).
    std::thread writer([&] {
        for (int k = 0; k < 2; ++k) {
            for (int wait = 0; k == 1 && wait < 500 && !started; ++wait)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            const int fd = open(pipe.constData(), O_WRONLY);
            if (k == 1) {
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
                const int before = answers;
                for (int wait = 0; wait < 200 && answers < before + 3; ++wait)
                    std::this_thread::sleep_for(std::chrono::milliseconds(10));
                answered = answers >= before + 3;
            }
            EXPECT_EQ(write(fd, "Ana;Rui\n", 8), 8);
            close(fd);
        }
    });
    QTimer ask;
    QObject::connect(&ask, &QTimer::timeout, [&] {
        if (!window.findChild<QWidget*>(QStringLiteral("progressWindow")))
            return;
        started = true;
        QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(&window);
        if (reader && reader->childCount() > 0 &&
            reader->text(QAccessible::Name) == QStringLiteral("Urdiva"))
            ++answers;
    });
    ask.start(5);
    run();
    writer.join();
    EXPECT_TRUE(answered);
    EXPECT_EQ(urdiva::test::textLines(readBytes(dir.path(QStringLiteral("rede.net")))),
              QStringList({QStringLiteral("*Vertices 2"), QStringLiteral("1 \"Ana\""),
                           QStringLiteral("2 \"Rui\""), QStringLiteral("*Edges"),
                           QStringLiteral("1 2")}));
}
#endif

TEST_F(MainWindowTest, OutputWithoutFileName)
{
    chooseFile("a;b\r\n");
    item(0)->click();
    dialogs.folders << dir.path();
    find<QPushButton>("outputButton")->click();
    auto* output = find<QLineEdit>("outputPathEdit");
    EXPECT_EQ(output->text(), QDir::toNativeSeparators(dir.path() + u'/'));
    EXPECT_EQ(output->selectedText(), output->text());
    bool progressSeen = false;
    QObject::connect(&window, &MainWindow::stageShown, [&] { progressSeen = true; });
    run();
    EXPECT_EQ(dialogs.shown,
              QStringList {QStringLiteral("inform:O arquivo de saída não foi selecionado!")});
    EXPECT_FALSE(progressSeen);
}

TEST_F(MainWindowTest, ErrorDuringARun)
{
    chooseFile("a;b;c\r\na;b\r\n");
    item(0)->click();
    pick("secondColumnList", QStringLiteral("c"));
    find<QLineEdit>("outputPathEdit")->setText(dir.path(QStringLiteral("rede")));
    bool progressAtError = true;
    dialogs.onBox = [&] {
        progressAtError = window.findChild<QWidget*>(QStringLiteral("progressWindow")) != nullptr;
    };
    run();
    EXPECT_EQ(dialogs.shown, QStringList {QStringLiteral("error:List index out of bounds (2)")});
    EXPECT_FALSE(progressAtError);
    EXPECT_FALSE(QFile::exists(dir.path(QStringLiteral("rede.net"))));
    // The window is still usable: a good column choice runs.
    pick("secondColumnList", QStringLiteral("b"));
    dialogs.shown.clear();
    run();
    EXPECT_EQ(dialogs.shown, QStringList {QStringLiteral("inform:Arquivo gravado com sucesso!")});
}

// A network named as the data file it is made from would replace it: refused in the error box,
// with the data untouched, even though the user would have agreed to replace the file.
TEST_F(MainWindowTest, OutputThatIsTheInputIsRefused)
{
    chooseFile("a;b\r\n", QStringLiteral("rede.net"));
    item(0)->click();
    find<QLineEdit>("outputPathEdit")->setText(dir.path(QStringLiteral("rede.net")));
    run();
    EXPECT_EQ(
        dialogs.shown,
        QStringList {QStringLiteral("error:O arquivo de saída \"%1\" é o próprio arquivo de "
                                    "dados; escolha outro nome.")
                         .arg(QDir::toNativeSeparators(dir.path(QStringLiteral("rede.net"))))});
    EXPECT_EQ(readBytes(dir.path(QStringLiteral("rede.net"))), QByteArray("a;b\r\n"));
}

// The "Avançado" tab's values are preferences: enabled with the options, kept when another file is
// chosen and in a later session, and set back by "Restaurar padrões"; the output name's extension
// follows the network format.
TEST_F(MainWindowTest, AdvancedPreferencesAreRememberedAndRestored)
{
    const auto advancedControls = [](MainWindow& w) {
        QList<QWidget*> controls;
        for (QWidget* c :
             w.findChild<QWidget*>(QStringLiteral("advancedTab"))->findChildren<QWidget*>()) {
            // The view of attributes and times is a window of its own.
            if (!qobject_cast<QGroupBox*>(c) && !c->objectName().isEmpty() && c->window() == &w)
                controls << c;
        }
        return controls;
    };
    // Preferences can be reviewed and set back before any file is chosen; the sheet list is a
    // workbook's alone.
    EXPECT_EQ(advancedControls(window).size(), 24);
    for (QWidget* c : advancedControls(window))
        EXPECT_EQ(c->isEnabled(), !c->objectName().startsWith(u"sheet"))
            << c->objectName().toStdString();
    // A disabled pick list looks disabled: the colours of the enabled ones are not its own.
    auto* first = find<QComboBox>("firstColumnList");
    ASSERT_FALSE(first->isEnabled());
    EXPECT_NE(first->palette().color(QPalette::Disabled, QPalette::Button),
              first->palette().color(QPalette::Active, QPalette::Button));
    EXPECT_NE(first->palette().color(QPalette::Disabled, QPalette::ButtonText),
              first->palette().color(QPalette::Active, QPalette::ButtonText));
    chooseFile("a,b,1\n");
    item(2)->click();
    for (QWidget* c : advancedControls(window))
        EXPECT_EQ(c->isEnabled(), !c->objectName().startsWith(u"sheet"))
            << c->objectName().toStdString();
    auto* output = find<QLineEdit>("outputPathEdit");
    EXPECT_TRUE(output->text().endsWith(u".net"));
    pick("networkFormatList", QStringLiteral("GEXF (.gexf)"));
    pick("networkFormatList", QStringLiteral("GraphML (.graphml)"));
    // One extension, the format's: "dados - DDMMYYYY_HHMMSS.graphml".
    const auto namedFor = [&](const char* base) {
        return QRegularExpression(QStringLiteral("[/\\\\]%1 - \\d{8}_\\d{6}\\.graphml$")
                                      .arg(QLatin1StringView(base)))
            .match(output->text())
            .hasMatch();
    };
    EXPECT_TRUE(namedFor("dados")) << output->text().toStdString();
    output->setText(dir.path(QStringLiteral("rede.xml")));
    pick("networkFormatList", QStringLiteral("CSV (.csv)"));
    EXPECT_EQ(output->text(), dir.path(QStringLiteral("rede.xml"))); // not the format's: kept
    pick("networkFormatList", QStringLiteral("GraphML (.graphml)"));
    for (const char* box : {"quotedFieldsBox", "withoutByteOrderMarkBox", "suggestRenameTableBox"})
        find<QCheckBox>(box)->setChecked(true);
    pick("mergeList", QStringLiteral("Contar registros"));
    find<QLineEdit>("cellSeparatorEdit")->setText(QStringLiteral("|"));
    find<QLineEdit>("renameTableEdit")->setText(dir.path(QStringLiteral("nomes.csv")));
    const auto values = [](MainWindow& w) {
        QStringList shown;
        for (QCheckBox* box : w.findChildren<QCheckBox*>())
            shown << box->objectName() + u'=' + QString::number(box->isChecked());
        for (QComboBox* list : w.findChildren<QComboBox*>())
            shown << list->objectName() + u'=' + list->currentText();
        for (const char* box : {"cellSeparatorEdit", "renameTableEdit"})
            shown << w.findChild<QLineEdit*>(QLatin1StringView(box))->text();
        return shown;
    };
    chooseFile("x,y\n", QStringLiteral("outro.csv"));
    const QStringList remembered = values(window);
    EXPECT_TRUE(remembered.contains(QStringLiteral("quotedFieldsBox=1")));
    EXPECT_TRUE(remembered.contains(QStringLiteral("mergeList=Contar registros")));
    EXPECT_TRUE(namedFor("outro")) << output->text().toStdString();
    {
        MainWindow later(dialogs);
        EXPECT_EQ(values(later), remembered);
        dialogs.files << dir.path(QStringLiteral("outro.csv"));
        later.findChild<QPushButton*>(QStringLiteral("inputButton"))->click();
        later.findChild<QRadioButton*>(QStringLiteral("commaItem"))->click();
        later.findChild<QPushButton*>(QStringLiteral("restoreDefaultsButton"))->click();
    }
    MainWindow fresh(dialogs);
    const QStringList defaults = values(fresh);
    EXPECT_TRUE(defaults.contains(QStringLiteral("networkFormatList=Pajek (.net)")));
    EXPECT_TRUE(defaults.contains(QStringLiteral("mergeList=Uma linha por registro")));
    EXPECT_FALSE(defaults.contains(QStringLiteral("quotedFieldsBox=1")));
    EXPECT_EQ(defaults.mid(defaults.size() - 2), QStringList({QString(), QString()}));
}

// Preferences kept by the build before (each control's name under "Avancado", a pick list by its
// item's place) are read, and kept again under today's keys, a choice by its word.
TEST_F(MainWindowTest, EarlierPreferencesAreReadAndRewritten)
{
    {
        QSettings earlier(QSettings::defaultFormat(), QSettings::UserScope,
                          QStringLiteral("Urdiva"), QStringLiteral("Urdiva"));
        earlier.clear();
        earlier.setValue(QStringLiteral("Avancado/CheckBoxAspas"), true);
        earlier.setValue(QStringLiteral("Avancado/CheckBoxSemBom"), false);
        earlier.setValue(QStringLiteral("Avancado/ComboBoxRepetidas"), 3);
        earlier.setValue(QStringLiteral("Avancado/ComboBoxFormato"), 1);
        earlier.setValue(QStringLiteral("Avancado/ComboBoxFormatoRelatorio"), 2);
        earlier.setValue(QStringLiteral("Avancado/EditTabela"), QStringLiteral("nomes.csv"));
    }
    MainWindow later(dialogs);
    EXPECT_TRUE(later.findChild<QCheckBox*>(QStringLiteral("quotedFieldsBox"))->isChecked());
    EXPECT_EQ(later.findChild<QComboBox*>(QStringLiteral("mergeList"))->currentText(),
              QStringLiteral("Maior peso"));
    EXPECT_EQ(later.findChild<QComboBox*>(QStringLiteral("networkFormatList"))->currentText(),
              QStringLiteral("GraphML (.graphml)"));
    EXPECT_EQ(later.findChild<QLineEdit*>(QStringLiteral("renameTableEdit"))->text(),
              QStringLiteral("nomes.csv"));
    const QSettings now(QSettings::defaultFormat(), QSettings::UserScope, QStringLiteral("Urdiva"),
                        QStringLiteral("Urdiva"));
    EXPECT_FALSE(now.childGroups().contains(QStringLiteral("Avancado")));
    EXPECT_EQ(now.value(QStringLiteral("links/merge")).toString(), QStringLiteral("max"));
    EXPECT_EQ(now.value(QStringLiteral("files/networkFormat")).toString(),
              QStringLiteral("graphml"));
    EXPECT_EQ(now.value(QStringLiteral("files/reportFormat")).toString(), QStringLiteral("html"));
    EXPECT_TRUE(now.value(QStringLiteral("reading/quotedFields")).toBool());
    later.findChild<AdvancedTab*>()->restoreDefaults();
}

// With "Campos entre aspas" the columns are counted as the run reads them. Left unticked on a
// file that looks quoted, "Criar .net" asks first: "Não" goes on as before and the run's warning
// shows, "Sim" ticks the box and reads the names whole.
TEST_F(MainWindowTest, QuotedFilesAreNeverSplitSilently)
{
    chooseFile("\"Autor\",\"Coautor, segundo\"\n\"Silva, J.\",\"Costa, H.\"\n");
    item(2)->click();
    auto* columns = find<QLabel>("columnCountLabel");
    EXPECT_EQ(columns->text(), QStringLiteral("Quantidade de colunas encontradas: 3"));
    pick("secondColumnList", QStringLiteral(" segundo\""));
    find<QCheckBox>("quotedFieldsBox")->setChecked(true);
    EXPECT_EQ(columns->text(), QStringLiteral("Quantidade de colunas encontradas: 2"));
    auto* second = find<QComboBox>("secondColumnList");
    EXPECT_EQ(second->count(), 2);
    EXPECT_EQ(second->currentText(), QString()); // the third column is no more
    pick("secondColumnList", QStringLiteral("Coautor, segundo"));
    find<QCheckBox>("quotedFieldsBox")->setChecked(false);
    EXPECT_EQ(columns->text(), QStringLiteral("Quantidade de colunas encontradas: 3"));
    EXPECT_EQ(second->currentText(), QString()); // no column has that name now
    EXPECT_EQ(find<QComboBox>("firstColumnList")->currentText(), QStringLiteral("\"Autor\""));
    pick("secondColumnList", QStringLiteral("\"Coautor"));

    const QString question =
        QStringLiteral("ask:Urdiva:O arquivo parece ter campos entre aspas (CSV padrão). Ler os "
                       "campos entre aspas?");
    const QString network = dir.path(QStringLiteral("rede.net"));
    find<QLineEdit>("outputPathEdit")->setText(network);
    dialogs.overwrite = false;
    run();
    EXPECT_EQ(dialogs.shown.first(), question);
    EXPECT_TRUE(readBytes(network).contains("\"'Silva\""));
    EXPECT_FALSE(find<QCheckBox>("quotedFieldsBox")->isChecked());
    EXPECT_TRUE(find<QTextEdit>("summaryPane")
                    ->toPlainText()
                    .contains(QStringLiteral("\nAviso: a linha 1 parece ter campos entre aspas; "
                                             "use \"Campos entre aspas\" na aba Avançado para "
                                             "lê-los como tais.")));
    dialogs.shown.clear();
    dialogs.overwrite = true;
    run();
    ASSERT_GE(dialogs.shown.size(), 2);
    EXPECT_EQ(dialogs.shown.first(), question);
    // The second column picked, "Coautor, is no column of its own once quotes are read.
    EXPECT_TRUE(dialogs.shown[1].startsWith(QStringLiteral("inform:Lido com os campos")));
    EXPECT_TRUE(find<QCheckBox>("quotedFieldsBox")->isChecked());
    EXPECT_EQ(find<QComboBox>("firstColumnList")->currentText(), QStringLiteral("Autor"));
    pick("secondColumnList", QStringLiteral("Coautor, segundo"));
    dialogs.shown.clear();
    run();
    ASSERT_EQ(dialogs.shown.size(), 2);
    EXPECT_TRUE(dialogs.shown[0].startsWith(QStringLiteral("ask:") + messages::overwriteCaption()));
    EXPECT_EQ(
        urdiva::test::textLines(readBytes(network)),
        QStringList({QStringLiteral("*Vertices 4"), QStringLiteral("1 \"Autor\""),
                     QStringLiteral("2 \"Coautor, segundo\""), QStringLiteral("3 \"Silva, J.\""),
                     QStringLiteral("4 \"Costa, H.\""), QStringLiteral("*Edges"),
                     QStringLiteral("1 2"), QStringLiteral("3 4")}));
}

// "Sim" to the quotes question reads the file with other columns: the choices follow theirs by
// name, and where a chosen column is gone the run stops and asks for the columns again, never
// running on other columns.
TEST_F(MainWindowTest, ColumnsFollowTheirNamesWhenQuotesAreRead)
{
    chooseFile(
        "\"Autor, nome\",Instituição,Peso\r\n\"Souza, Ana\",USP,2\r\n\"Lima, Érica\",UFRJ,3\r\n");
    item(2)->click();
    find<QPushButton>("restoreDefaultsButton")->click();
    pick("firstColumnList", QStringLiteral("Instituição"));
    pick("secondColumnList", QStringLiteral("\"Autor"));
    pick("valueColumnList", QStringLiteral("Peso"));
    find<QSpinBox>("headerLinesBox")->setValue(1);
    const QString network = dir.path(QStringLiteral("rede.net"));
    find<QLineEdit>("outputPathEdit")->setText(network);
    run();
    EXPECT_EQ(dialogs.shown.value(1),
              QStringLiteral("inform:Lido com os campos entre aspas, o arquivo tem outras colunas, "
                             "e uma das colunas escolhidas não está mais entre elas: escolha de "
                             "novo a Primeira Coluna, a Segunda Coluna e a Coluna de Valor na aba "
                             "Saída. Nada foi gravado."));
    EXPECT_FALSE(QFile::exists(network));
    EXPECT_EQ(find<QComboBox>("firstColumnList")->currentText(), QStringLiteral("Instituição"));
    EXPECT_EQ(find<QComboBox>("secondColumnList")->currentText(), QString());
    EXPECT_EQ(find<QComboBox>("valueColumnList")->currentText(), QStringLiteral("Peso"));
    pick("secondColumnList", QStringLiteral("Autor, nome"));
    run();
    EXPECT_EQ(urdiva::test::textLines(readBytes(network)),
              QStringList({QStringLiteral("*Vertices 4"), QStringLiteral("1 \"USP\""),
                           QStringLiteral("2 \"Souza, Ana\""), QStringLiteral("3 \"UFRJ\""),
                           QStringLiteral("4 \"Lima, Érica\""), QStringLiteral("*Edges"),
                           QStringLiteral("1 2 2"), QStringLiteral("3 4 3")}));
}

// After a run the window shows, as plain text under the output pane, each warning standing out
// and then the summary; the final message is unchanged, and the pane shows the file written.
TEST_F(MainWindowTest, WarningsAndSummaryShownAfterARun)
{
    chooseFile("a;b;1\nb;c;x <b>\n\"d\";e \"f\";1\x1A\ng\\;h;2\n");
    item(0)->click();
    pick("valueColumnList", QStringLiteral("1"));
    const QString network = dir.path(QStringLiteral("rede.net"));
    find<QLineEdit>("outputPathEdit")->setText(network);
    dialogs.overwrite = false; // the quotes question
    run();
    auto* notes = find<QTextEdit>("summaryPane");
    // The summary first, in view; the warnings under it, a scroll bar away.
    const QStringList lines = notes->toPlainText().split(u'\n');
    EXPECT_EQ(lines.value(0), QStringLiteral("4 registros lidos, 4 linhas de ligação gravadas, 0 "
                                             "registros sem ligação (uma ponta em branco), 7 "
                                             "vértices."));
    EXPECT_EQ(lines.size(), 6) << lines.join(u'\n').toStdString();
    EXPECT_TRUE(lines.contains(QStringLiteral(
        "Aviso: 1 peso não é número (o primeiro na linha 2); leitores como igraph e networkx não "
        "os aceitam (veja \"Pesos com vírgula decimal\" na aba Avançado).")));
    EXPECT_GT(notes->verticalScrollBar()->maximum(), 0);
    EXPECT_EQ(notes->verticalScrollBar()->value(), 0);
    const auto weightAt = [&](const QTextBlock& block) {
        QTextCursor cursor(block);
        cursor.movePosition(QTextCursor::NextCharacter);
        return cursor.charFormat().fontWeight();
    };
    EXPECT_EQ(weightAt(notes->document()->firstBlock()), QFont::Normal);
    EXPECT_EQ(weightAt(notes->document()->lastBlock()), QFont::Bold);
    EXPECT_EQ(dialogs.shown.last(), QStringLiteral("inform:") + messages::savedNetwork());
    EXPECT_EQ(find<LinesView>("networkPane")->toPlainText(),
              urdiva::test::textLines(readBytes(network)).join(u'\n'));
    chooseFile("a;b\n", QStringLiteral("outro.csv"));
    EXPECT_TRUE(notes->toPlainText().isEmpty());
}

// What a screen reader meets in every window: each control that takes input has a name of its
// own (its label's text or its caption), never the caption of the group around it, and Tab goes
// through the main window in reading order.
TEST_F(MainWindowTest, EveryControlNamedForScreenReaders)
{
    InfoWindow info(dialogs);
    UpdateNotice notice(dialogs);
    notice.setNotice(QStringLiteral("01/12/2026"), QStringLiteral("3"), QStringLiteral("x"));
    // A pick list's name on Linux is its value: a screen reader reads it with the name given to
    // it, or else with the label it is labelled by.
    const auto nameOf = [](QWidget* w) {
        QAccessibleInterface* control = QAccessible::queryAccessibleInterface(w);
        if (qobject_cast<QComboBox*>(w) && !w->accessibleName().isEmpty())
            return w->accessibleName();
        if (qobject_cast<QComboBox*>(w)) {
            const auto labels = control->relations(QAccessible::Label);
            if (!labels.isEmpty())
                return labels.first().first->text(QAccessible::Name);
        }
        return control->text(QAccessible::Name);
    };
    for (QWidget* top : {static_cast<QWidget*>(&window), static_cast<QWidget*>(&info),
                         static_cast<QWidget*>(&notice)}) {
        for (QWidget* w : top->findChildren<QWidget*>()) {
            const bool takesInput =
                qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w) ||
                qobject_cast<QAbstractSpinBox*>(w) || qobject_cast<QAbstractButton*>(w) ||
                qobject_cast<QTextEdit*>(w) || qobject_cast<LinesView*>(w) ||
                (qobject_cast<QLabel*>(w) && w->focusPolicy() == Qt::StrongFocus);
            // The parts of a spin box or pick list, and the pane that is never shown.
            if (!takesInput || qobject_cast<QAbstractSpinBox*>(w->parentWidget()) ||
                qobject_cast<QComboBox*>(w->parentWidget()) || w->objectName() == u"reportPane" ||
                w->objectName().isEmpty())
                continue;
            const QString name = nameOf(w).trimmed();
            EXPECT_FALSE(name.isEmpty()) << w->objectName().toStdString();
            for (QWidget* around = w->parentWidget(); around; around = around->parentWidget()) {
                if (const auto* group = qobject_cast<QGroupBox*>(around)) {
                    EXPECT_NE(name, group->title().trimmed()) << w->objectName().toStdString();
                }
            }
        }
    }
    const std::pair<const char*, const char*> expected[] = {
        {"inputPathEdit", "Entrada"},
        {"outputPathEdit", "Saída"},
        {"firstColumnList", "Primeira Coluna:"},
        {"secondColumnList", "Segunda Coluna:"},
        {"headerLinesBox", "Ignorar Cabeçalho:"},
        {"createButton", "Criar .net"},
        {"mergeList", "Ligações repetidas:"},
        {"cellSeparatorEdit", "Vários nomes por célula, separados por:"},
        {"renameTableEdit", "Tabela de nomes"},
        {"summaryPane", "Resumo da conversão"},
    };
    for (const auto& [object, name] : expected)
        EXPECT_EQ(nameOf(window.findChild<QWidget*>(QLatin1StringView(object))),
                  QString::fromUtf8(name));
    // Tab order: the focus chain meets the controls in the order they are read.
    const QStringList reading = {
        "inputButton",        "inputPathEdit",     "outputButton",
        "outputPathEdit",     "semicolonItem",     "otherItem",
        "stripCharacterList", "stripAtStartBox",   "similarityThresholdBox",
        "firstColumnList",    "secondColumnList",  "valueColumnList",
        "modeList",           "directionList",     "headerLinesBox",
        "quotedFieldsBox",    "mergeList",         "cellSeparatorEdit",
        "networkFormatList",  "renameTableButton", "restoreDefaultsButton",
        "infoButton",         "summaryPane",       "createButton"};
    QStringList met;
    QWidget* w = find<QPushButton>("inputButton");
    for (int k = 0; k < 200 && met.size() < reading.size(); ++k, w = w->nextInFocusChain()) {
        if (reading.contains(w->objectName()) && !met.contains(w->objectName()))
            met << w->objectName();
    }
    EXPECT_EQ(met, reading);
}

// A workbook needs no separator: its first sheet is read at once, and another is picked in the
// "Avançado" tab; the run converts the sheet picked.
TEST_F(MainWindowTest, WorkbooksAreReadSheetBySheet)
{
    const QString book = dir.path(QStringLiteral("dados.xlsx"));
    urdiva::test::writeXlsx(
        book,
        {{QStringLiteral("Coautoria"),
          {{QStringLiteral("Autor"), QStringLiteral("Coautor"), QStringLiteral("Peso")},
           {QStringLiteral("Ana; Souza"), QStringLiteral("Rui \"Lima\""), QStringLiteral("2.5")},
           {QStringLiteral("Rui \"Lima\""), QStringLiteral("Bia"), QStringLiteral("3")}}},
         {QStringLiteral("Cidades"),
          {{QStringLiteral("Pessoa"), QStringLiteral("Cidade")},
           {QStringLiteral("Ana"), QStringLiteral("Recife")}}}});
    dialogs.files << book;
    find<QPushButton>("inputButton")->click();
    ASSERT_TRUE(dialogs.shown.isEmpty()) << dialogs.shown.join(u'\n').toStdString();
    EXPECT_FALSE(find<QGroupBox>("separatorGroup")->isEnabled());
    auto* sheets = find<QComboBox>("sheetList");
    EXPECT_TRUE(sheets->isEnabled());
    EXPECT_EQ(sheets->currentText(), QStringLiteral("Coautoria"));
    EXPECT_TRUE(allOptions(true));
    EXPECT_EQ(find<QLabel>("columnCountLabel")->text(),
              QStringLiteral("Quantidade de colunas encontradas: 3"));
    EXPECT_TRUE(preview().startsWith(QStringLiteral("Autor<tab>Coautor<tab>Peso\n")));
    pick("valueColumnList", QStringLiteral("Peso"));
    find<QSpinBox>("headerLinesBox")->setValue(1);
    const QString network = dir.path(QStringLiteral("rede.net"));
    find<QLineEdit>("outputPathEdit")->setText(network);
    run();
    EXPECT_EQ(urdiva::test::textLines(readBytes(network)),
              QStringList({QStringLiteral("*Vertices 3"), QStringLiteral("1 \"Ana; Souza\""),
                           QStringLiteral("2 \"Rui 'Lima'\""), QStringLiteral("3 \"Bia\""),
                           QStringLiteral("*Edges"), QStringLiteral("1 2 2.5"),
                           QStringLiteral("2 3 3")}));
    sheets->setCurrentIndex(1);
    EXPECT_EQ(find<QLabel>("columnCountLabel")->text(),
              QStringLiteral("Quantidade de colunas encontradas: 2"));
    EXPECT_EQ(find<QComboBox>("firstColumnList")->currentText(), QStringLiteral("Pessoa"));
    // A text file again: the separator is chosen, the sheet list has nothing to offer.
    chooseFile("a;b\n");
    EXPECT_TRUE(find<QGroupBox>("separatorGroup")->isEnabled());
    EXPECT_FALSE(sheets->isEnabled());
}

TEST_F(MainWindowTest, UnreadableFileInTheErrorBox)
{
    dialogs.files << dir.path(QStringLiteral("sumiu.csv"));
    find<QPushButton>("inputButton")->click();
    EXPECT_EQ(dialogs.shown, QStringList {QStringLiteral("error:File not found.")});
    EXPECT_FALSE(find<QGroupBox>("separatorGroup")->isEnabled());
}

TEST_F(MainWindowTest, ASecondFileResetsTheOptions)
{
    chooseFile("a;b;c\r\n");
    item(0)->click();
    find<QCheckBox>("sortAscendingBox")->setChecked(true);
    find<QTabWidget>("tabs")->setCurrentIndex(2);
    chooseFile("x;y\r\n", QStringLiteral("outro.csv"));
    EXPECT_TRUE(allOptions(false));
    EXPECT_FALSE(find<QCheckBox>("sortAscendingBox")->isChecked());
    EXPECT_EQ(find<QLabel>("columnCountLabel")->text(),
              QStringLiteral("Quantidade de colunas encontradas: 0"));
    EXPECT_EQ(find<QComboBox>("firstColumnList")->count(), 3); // old names kept, greyed out
    EXPECT_EQ(find<QComboBox>("firstColumnList")->currentIndex(), -1);
    for (int k = 0; k < 4; ++k)
        EXPECT_FALSE(item(k)->isChecked());
    EXPECT_EQ(find<QTabWidget>("tabs")->currentIndex(), 0);
    EXPECT_EQ(window.analysedPath(), QDir::toNativeSeparators(dir.path(
                                         QStringLiteral("dados.csv")))); // until the next choice
}

TEST_F(MainWindowTest, DroppingAFileActsAsChoosingIt)
{
    const QString path = dir.write(QStringLiteral("solto.csv"), "a;b\r\n");
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(path)});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &drop);
    EXPECT_EQ(find<QLineEdit>("inputPathEdit")->text(), QDir::toNativeSeparators(path));
    EXPECT_EQ(preview(), QStringLiteral("a;b"));
    EXPECT_TRUE(find<QGroupBox>("separatorGroup")->isEnabled());

    // Only a data file, as the file dialog offers: not a picture, not a folder named as data.
    dir.write(QStringLiteral("foto.png"), "png");
    QDir(dir.path()).mkdir(QStringLiteral("pasta.csv"));
    for (const char* name : {"foto.png", "pasta.csv", "nada.csv"}) {
        QMimeData other;
        other.setUrls({QUrl::fromLocalFile(dir.path(QString::fromLatin1(name)))});
        QDragEnterEvent refused(QPoint(10, 10), Qt::CopyAction, &other, Qt::LeftButton,
                                Qt::NoModifier);
        refused.setAccepted(false);
        QApplication::sendEvent(&window, &refused);
        EXPECT_FALSE(refused.isAccepted()) << name;
    }
}

// `urdiva dados.csv`, as a file manager's "Open with" starts it: the window shows with the file
// chosen as "Entrada..." chooses it (preview, separators offered, default output name).
TEST_F(MainWindowTest, AFileOnTheCommandLineActsAsChoosingIt)
{
    const QString path = dir.write(QStringLiteral("linha.csv"), "a;b\r\n");
    EXPECT_FALSE(fileArgument({QStringLiteral("urdiva")}));
    const std::optional<QString> file =
        fileArgument({QStringLiteral("urdiva"), QStringLiteral("--style=x"), path});
    ASSERT_TRUE(file);
    EXPECT_EQ(*file, QDir::toNativeSeparators(path));
    window.openFile(*file);
    EXPECT_EQ(find<QLineEdit>("inputPathEdit")->text(), QDir::toNativeSeparators(path));
    EXPECT_EQ(preview(), QStringLiteral("a;b"));
    EXPECT_TRUE(find<QGroupBox>("separatorGroup")->isEnabled());
    EXPECT_TRUE(find<QLineEdit>("outputPathEdit")
                    ->text()
                    .startsWith(QDir::toNativeSeparators(dir.path(QStringLiteral("linha")))));
}

TEST_F(MainWindowTest, InfoOpensWithoutBlocking)
{
    QWidget info;
    info.setAttribute(Qt::WA_QuitOnClose, false);
    window.setInfoWindow(&info);
    find<QPushButton>("infoButton")->click();
    EXPECT_TRUE(info.isVisible());
    EXPECT_FALSE(info.isModal());
    find<QPushButton>("infoButton")->click();
    EXPECT_TRUE(info.isVisible());
    info.close();
    // Return and Enter press the focused button, as Space does.
    for (const int key : {Qt::Key_Return, Qt::Key_Enter}) {
        QKeyEvent press(QEvent::KeyPress, key,
                        key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
        QApplication::sendEvent(find<QPushButton>("infoButton"), &press);
        EXPECT_TRUE(urdiva::test::waitFor([&] { return info.isVisible(); }));
        info.close();
    }
}

} // namespace
