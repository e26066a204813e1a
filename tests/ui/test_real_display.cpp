// SPDX-License-Identifier: MIT
// What only a real display shows: painting, placement, captions and keyboard focus. Run under
// Xvfb by the ui_real_display test (tests/ui/real_display.sh); skipped on any other platform.
#include "advanced_tab.h"
#include "dialogs.h"
#include "engine/core/run_feedback.h"
#include "info_window.h"
#include "main_window.h"
#include "test_support.h"
#include "update_notice.h"
#include "workbook_writer.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextEdit>
#include <QTimer>
#include <QUrl>
#include <QWindow>

#include <gtest/gtest.h>

using namespace urdiva;
using namespace urdiva::ui;
using urdiva::test::readBytes;
using urdiva::test::TempDir;
using urdiva::test::waitFor;

namespace {

// The platform's own boxes; the data file is picked without a file dialog.
class RealBoxes final : public Dialogs {
public:
    QString file;

    QString openDataFile(QWidget*, const QString&) override { return file; }
    QString chooseFolder(QWidget*) override { return {}; }
    bool ask(QWidget* parent, const QString& caption, const QString& text,
             const QString& detail = QString()) override
    {
        return m_boxes.ask(parent, caption, text, detail);
    }
    void inform(QWidget* parent, const QString& text) override { m_boxes.inform(parent, text); }
    void showError(QWidget* parent, const QString& text) override
    {
        m_boxes.showError(parent, text);
    }
    void showModal(QDialog* dialog) override { m_boxes.showModal(dialog); }
    void openInBrowser(const QUrl&) override { }

private:
    QtDialogs m_boxes;
};

class RealDisplay : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (QGuiApplication::platformName() != u"xcb")
            GTEST_SKIP() << "needs an X server (tests/ui/real_display.sh runs these under Xvfb)";
    }

    static bool exposed(QWidget* widget)
    {
        return waitFor(
            [&] { return widget->windowHandle() && widget->windowHandle()->isExposed(); });
    }
    // What the display shows where the widget is, and what the widget draws itself.
    static QImage onScreen(QWidget* widget)
    {
        const QPoint at = widget->mapToGlobal(QPoint(0, 0));
        return widget->screen()
            ->grabWindow(0, at.x(), at.y(), widget->width(), widget->height())
            .toImage()
            .convertToFormat(QImage::Format_RGB32);
    }
    static QImage drawn(QWidget* widget)
    {
        return widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }
    // The share of pixels that differ, outside `skip`.
    static double difference(const QImage& a, const QImage& b, const QRect& skip = QRect())
    {
        if (a.size() != b.size())
            return 1.0;
        qint64 differing = 0;
        for (int y = 0; y < a.height(); ++y) {
            for (int x = 0; x < a.width(); ++x) {
                if (!skip.contains(x, y) && a.pixel(x, y) != b.pixel(x, y))
                    ++differing;
            }
        }
        return double(differing) / double(a.width() * a.height());
    }
    // The window's title as the X server holds it.
    static QString caption(QWidget* widget)
    {
        QProcess xprop;
        xprop.start(QStringLiteral("xprop"),
                    {QStringLiteral("-id"), QString::number(widget->winId()),
                     QStringLiteral("_NET_WM_NAME")});
        xprop.waitForFinished(10000);
        const QString out = QString::fromUtf8(xprop.readAllStandardOutput()).trimmed();
        const qsizetype quote = out.indexOf(u'"');
        return quote < 0 ? out : out.mid(quote + 1).chopped(1);
    }
    static void xdotool(const QStringList& arguments)
    {
        QProcess tool;
        tool.start(QStringLiteral("xdotool"), arguments);
        waitFor([&] { return tool.state() == QProcess::NotRunning; }, 10000);
        waitFor([] { return false; }, 200); // let the events arrive
    }
    void choose(MainWindow& window, const QString& path)
    {
        dialogs.file = path;
        window.findChild<QPushButton*>(QStringLiteral("inputButton"))->click();
    }

    TempDir dir;
    RealBoxes dialogs;
};

// At every stage of a run the progress box shows its text on the display, and the main window
// shows no image of the overwrite question that was answered with Return.
TEST_F(RealDisplay, ProgressBoxIsDrawnAtEveryStage)
{
    QByteArray data = "autor;coautor\n";
    for (int i = 0; i < 40000; ++i)
        data += "Nome " + QByteArray::number(i % 1500) + ";Pessoa " + QByteArray::number(i % 997) +
                "\n";
    const QString input = dir.write(QStringLiteral("grande.csv"), data);
    dir.write(QStringLiteral("rede.net"), "antes");
    MainWindow window(dialogs);
    window.show();
    ASSERT_TRUE(exposed(&window));
    choose(window, input);
    window.findChild<QRadioButton*>(QStringLiteral("semicolonItem"))->click();
    window.findChild<QLineEdit*>(QStringLiteral("outputPathEdit"))
        ->setText(dir.path(QStringLiteral("rede")));
    window.findChild<QCheckBox*>(QStringLiteral("similarityReportBox"))->setChecked(true);
    window.findChild<QTabWidget*>(QStringLiteral("tabs"))->setCurrentIndex(2);
    waitFor([] { return false; }, 300); // the display catches up

    // The question is answered with Return, the message at the end with Return too.
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            if (box->isVisible()) {
                QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
                QApplication::sendEvent(box, &press);
            }
        }
    });
    answer.start(300);

    QStringList stages;
    QObject::connect(&window, &MainWindow::stageShown, [&](const QString& text) {
        auto* box = window.findChild<QWidget*>(QStringLiteral("progressWindow"));
        ASSERT_NE(box, nullptr);
        const QImage shown = onScreen(box);
        const QImage own = drawn(box);
        EXPECT_LT(difference(shown, own), 0.01) << text.toStdString();
        // Not an empty black box: its text is there.
        EXPECT_GT(difference(own, QImage(own.size(), QImage::Format_RGB32)), 0.002);
        if (!shown.isNull() && stages.isEmpty())
            shown.save(dir.path(QStringLiteral("progresso.png")));
        // The main window around the box shows itself, not the closed question.
        const QRect boxArea(window.mapFromGlobal(box->mapToGlobal(QPoint(0, 0))), box->size());
        EXPECT_LT(difference(onScreen(&window), drawn(&window), boxArea), 0.02)
            << text.toStdString();
        stages << text;
    });
    window.findChild<QPushButton*>(QStringLiteral("createButton"))->click();
    EXPECT_EQ(stages.size(), 7); // with the similar-vertex report's own
    EXPECT_TRUE(urdiva::test::readBytes(dir.path(QStringLiteral("rede.net")))
                    .startsWith("\xEF\xBB\xBF*Vertices"));
}

// As the user sees them: a disabled pick list greyed, unlike an enabled one; after a run with
// four warnings, the summary on the first line in view and a scroll bar to the warnings.
TEST_F(RealDisplay, DisabledListsAndTheSummaryAsSeen)
{
    const QString input =
        dir.write(QStringLiteral("avisos.csv"), QByteArray("a;b;1\nb\\;c;x\x1A\nd\0;e;2\n", 20));
    MainWindow window(dialogs);
    window.show();
    ASSERT_TRUE(exposed(&window));
    window.findChild<QTabWidget*>(QStringLiteral("tabs"))->setCurrentIndex(2);
    auto* first = window.findChild<QComboBox*>(QStringLiteral("firstColumnList"));
    waitFor([] { return false; }, 300);
    const QImage disabled = onScreen(first);
    choose(window, input);
    window.findChild<QRadioButton*>(QStringLiteral("semicolonItem"))->click();
    window.findChild<QTabWidget*>(QStringLiteral("tabs"))->setCurrentIndex(2);
    auto* value = window.findChild<QComboBox*>(QStringLiteral("valueColumnList"));
    value->setCurrentIndex(3);
    emit value->activated(3);
    waitFor([] { return false; }, 300);
    // The box's face, between its text and its arrow.
    const QPoint face(first->width() / 2, first->height() / 2);
    EXPECT_NE(disabled.pixel(face), onScreen(first).pixel(face));

    window.findChild<QLineEdit*>(QStringLiteral("outputPathEdit"))
        ->setText(dir.path(QStringLiteral("avisos")));
    QTimer answer; // the final message, answered with Return
    QObject::connect(&answer, &QTimer::timeout, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
            QApplication::sendEvent(box, &press);
        }
    });
    answer.start(200);
    window.findChild<QPushButton*>(QStringLiteral("createButton"))->click();
    auto* notes = window.findChild<QTextEdit*>(QStringLiteral("summaryPane"));
    ASSERT_EQ(notes->document()->blockCount(), 5) << notes->toPlainText().toStdString();
    waitFor([] { return false; }, 300);
    EXPECT_TRUE(notes->verticalScrollBar()->isVisible());
    EXPECT_TRUE(notes->cursorForPosition(QPoint(2, 2))
                    .block()
                    .text()
                    .startsWith(QStringLiteral("3 registros lidos")))
        << notes->toPlainText().toStdString();
}

TEST_F(RealDisplay, MainWindowOpensInTheCentreOfTheDesktop)
{
    MainWindow window(dialogs);
    window.show();
    ASSERT_TRUE(exposed(&window));
    const QPoint centre = window.screen()->availableGeometry().center();
    EXPECT_LE((window.frameGeometry().center() - centre).manhattanLength(), 4)
        << window.frameGeometry().x() << "," << window.frameGeometry().y();
}

// Every window and box carries exactly its own caption; the program's name is not appended.
TEST_F(RealDisplay, CaptionsAreExact)
{
    if (QStandardPaths::findExecutable(QStringLiteral("xprop")).isEmpty())
        GTEST_SKIP() << "needs xprop (x11-utils)";
    MainWindow window(dialogs);
    InfoWindow info(dialogs);
    UpdateNotice notice(dialogs, &window);
    for (QWidget* w : {static_cast<QWidget*>(&window), static_cast<QWidget*>(&info),
                       static_cast<QWidget*>(&notice)}) {
        w->show();
        ASSERT_TRUE(exposed(w));
    }
    EXPECT_EQ(caption(&window), QStringLiteral("Urdiva"));
    EXPECT_EQ(caption(&info), QStringLiteral("Urdiva - Info"));
    EXPECT_EQ(caption(&notice), QStringLiteral("Atualizações"));
    QString question;
    QTimer::singleShot(300, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            exposed(box);
            question = caption(box);
            box->done(QMessageBox::No);
        }
    });
    dialogs.ask(&window, messages::overwriteCaption(), messages::overwriteQuestion());
    EXPECT_EQ(question, QStringLiteral("Confirmação"));
}

// Typing in the box of the "outro" separator: each keystroke makes the choice, and the box keeps
// the keyboard, so that Backspace and the next character reach it.
TEST_F(RealDisplay, OtherSeparatorBoxKeepsTheKeyboard)
{
    if (QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
        GTEST_SKIP() << "needs xdotool";
    MainWindow window(dialogs);
    window.show();
    ASSERT_TRUE(exposed(&window));
    choose(window, dir.write(QStringLiteral("dados.csv"), "a|b#c\n"));
    window.findChild<QRadioButton*>(QStringLiteral("otherItem"))->click();
    auto* box = window.findChild<QLineEdit*>(QStringLiteral("otherSeparatorEdit"));
    ASSERT_TRUE(box->isVisible());
    const QPoint middle = box->mapToGlobal(box->rect().center());
    xdotool({QStringLiteral("mousemove"), QString::number(middle.x()), QString::number(middle.y()),
             QStringLiteral("click"), QStringLiteral("1")});
    xdotool({QStringLiteral("type"), QStringLiteral("|")});
    EXPECT_EQ(window.chosenSeparator(), QChar(u'|'));
    EXPECT_TRUE(box->hasFocus());
    xdotool({QStringLiteral("key"), QStringLiteral("BackSpace")});
    xdotool({QStringLiteral("type"), QStringLiteral("#")});
    EXPECT_EQ(box->text(), QStringLiteral("#"));
    EXPECT_EQ(window.chosenSeparator(), QChar(u'#'));
    EXPECT_TRUE(box->hasFocus());
}

// A user's walk through the window, as a screen reader meets it: every control is found by its
// accessible name and worked through the accessibility interface or the keyboard, every box is
// answered by its button. Each network, report and table equals the command line's.
class WindowWalk : public RealDisplay {
protected:
    void SetUp() override
    {
        RealDisplay::SetUp();
        if (IsSkipped())
            return;
        window.show();
        ASSERT_TRUE(exposed(&window));
        QObject::connect(&boxTimer, &QTimer::timeout, [this] { answerBox(); });
        boxTimer.start(100);
    }

    // Depth first, in the order a screen reader walks the window.
    static QAccessibleInterface* named(QAccessibleInterface* node, const QString& name,
                                       QAccessible::Role role)
    {
        if (node->role() == role && node->state().invisible == 0) {
            QString text = node->text(QAccessible::Name);
            if (role == QAccessible::ComboBox && !node->relations(QAccessible::Label).isEmpty())
                text = node->relations(QAccessible::Label).first().first->text(QAccessible::Name);
            if (text == name)
                return node;
        }
        for (int i = 0; i < node->childCount(); ++i) {
            if (QAccessibleInterface* found = named(node->child(i), name, role))
                return found;
        }
        return nullptr;
    }
    // In the main window, or else in a view opened from it.
    QAccessibleInterface* control(const QString& name, QAccessible::Role role)
    {
        QAccessibleInterface* found =
            named(QAccessible::queryAccessibleInterface(&window), name, role);
        for (QWidget* view : QApplication::topLevelWidgets()) {
            if (!found && view != &window && view->isVisible())
                found = named(QAccessible::queryAccessibleInterface(view), name, role);
        }
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }
    // An item of a list of check boxes, found as a screen reader reads it, ticked from the
    // keyboard: Home and Down reach it, the space bar ticks it.
    void tickItem(const QString& name, const QString& item)
    {
        QAccessibleInterface* list = control(name, QAccessible::List);
        ASSERT_NE(list, nullptr);
        ASSERT_NE(named(list, item, QAccessible::ListItem), nullptr) << item.toStdString();
        auto* view = qobject_cast<QListWidget*>(list->object());
        const QList<QListWidgetItem*> items = view->findItems(item, Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1);
        view->setFocus();
        key(view, Qt::Key_Home);
        for (int k = 0; k < view->row(items[0]); ++k)
            key(view, Qt::Key_Down);
        key(view, Qt::Key_Space);
        EXPECT_EQ(items[0]->checkState(), Qt::Checked) << item.toStdString();
    }
    void act(const QString& name, QAccessible::Role role, const QString& action)
    {
        if (QAccessibleInterface* c = control(name, role)) {
            c->actionInterface()->doAction(action);
            waitFor([] { return false; }, 250); // a pressed button clicks once its animation ends
        }
    }
    void press(const QString& name, QAccessible::Role role = QAccessible::Button)
    {
        act(name, role, QAccessibleActionInterface::pressAction());
    }
    void tick(const QString& name)
    {
        act(name, QAccessible::CheckBox, QAccessibleActionInterface::toggleAction());
    }
    void tab(const QString& name) { press(name, QAccessible::PageTab); }
    // "Ignorar Cabeçalho:" on the "Saída" tab, set as a screen reader sets a number box.
    void ignoreHeaderLines(int lines)
    {
        tab(QStringLiteral("Saída"));
        control(QStringLiteral("Ignorar Cabeçalho:"), QAccessible::SpinBox)
            ->valueInterface()
            ->setCurrentValue(lines);
    }
    void type(const QString& name, const QString& text)
    {
        if (QAccessibleInterface* c = control(name, QAccessible::EditableText))
            c->editableTextInterface()->replaceText(0, c->textInterface()->characterCount(), text);
    }
    // Pressed, the pick list opens its list; Home, Down and Return pick the item there.
    void pick(const QString& name, const QString& item)
    {
        QAccessibleInterface* c = control(name, QAccessible::ComboBox);
        if (!c)
            return;
        auto* list = qobject_cast<QComboBox*>(c->object());
        const int index = list->findText(item);
        ASSERT_GE(index, 0) << item.toStdString();
        c->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QAbstractItemView* shown = list->view();
        ASSERT_TRUE(waitFor([shown] { return shown->isVisible(); })) << name.toStdString();
        key(shown, Qt::Key_Home);
        for (int k = 0; k < index; ++k)
            key(shown, Qt::Key_Down);
        key(shown, Qt::Key_Return);
        EXPECT_TRUE(waitFor([shown] { return !shown->isVisible(); }));
        EXPECT_EQ(list->currentText(), item);
    }
    static void key(QWidget* to, Qt::Key key)
    {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
        QApplication::sendEvent(to, &press);
        QApplication::sendEvent(to, &release);
    }
    // Each box that comes up is noted and answered with the next button of `answers` (OK when
    // none is left).
    void answerBox()
    {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible() || box == answered)
            return;
        answered = box; // its button clicks once its animation ends
        const QString answer = answers.isEmpty() ? QStringLiteral("OK") : answers.takeFirst();
        boxes << box->text();
        for (QAbstractButton* button : box->buttons()) {
            if (button->text().remove(u'&') == answer) {
                QAccessible::queryAccessibleInterface(button)->actionInterface()->doAction(
                    QAccessibleActionInterface::pressAction());
                return;
            }
        }
        ADD_FAILURE() << "no button " << answer.toStdString() << " in "
                      << box->text().toStdString();
        box->reject();
    }
    // The command line's files for the same data and options.
    void commandLine(const QStringList& arguments)
    {
        QProcess cli;
        cli.start(QStringLiteral(URDIVA_CLI_PATH),
                  arguments + QStringList {QStringLiteral("--force"), data,
                                           dir.path(QStringLiteral("cli"))});
        ASSERT_TRUE(cli.waitForFinished(30000));
        EXPECT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
    }
    void create(const QString& output)
    {
        tab(QStringLiteral("Saída"));
        type(QStringLiteral("Saída"), dir.path(output));
        press(QStringLiteral("Criar .net"));
        waitFor([this] { return answers.isEmpty() && !QApplication::activeModalWidget(); });
        waitFor([] { return false; }, 300);
    }
    QByteArray file(const char* name) { return readBytes(dir.path(QLatin1StringView(name))); }

    MainWindow window {dialogs};
    QTimer boxTimer;
    QStringList answers;
    QStringList boxes;
    QPointer<QMessageBox> answered;
    QString data;
};

TEST_F(WindowWalk, QuotedFileMergedLinksReportsAndRenameTable)
{
    data = dir.write(QStringLiteral("coautoria.csv"),
                     "\"Autor\",\"Coautor\",\"Artigos\"\r\n\"Silva, J.\",\"Costa, H.\",3\r\n"
                     "\"Costa, H.\",\"Silva, J.\",2\r\n\"Lima, P.\",\"Silva, J.\",1\r\n"
                     "\"Silva, J.\",\"Costa, H.\",4\r\n\"Silva J.\",\"Lima, P.\",1\r\n");
    dialogs.file = data;
    press(QStringLiteral("Entrada..."));
    press(QStringLiteral("vírgula"), QAccessible::RadioButton);
    ignoreHeaderLines(1);

    // A quoted file: the question, answered "Sim".
    answers = {QStringLiteral("Sim"), QStringLiteral("OK")};
    create(QStringLiteral("rede1"));
    ASSERT_EQ(boxes.size(), 2);
    EXPECT_EQ(boxes[0], QStringLiteral("O arquivo parece ter campos entre aspas (CSV padrão). Ler "
                                       "os campos entre aspas?"));
    commandLine({QStringLiteral("-s,"), QStringLiteral("--quotes"), QStringLiteral("--header=1")});
    EXPECT_EQ(file("rede1.net"), file("cli.net"));
    EXPECT_TRUE(file("rede1.net").contains("\"Silva, J.\""));

    // Merged links in GraphML.
    tab(QStringLiteral("Saída"));
    pick(QStringLiteral("Coluna de Valor:"), QStringLiteral("Artigos"));
    tab(QStringLiteral("Avançado"));
    pick(QStringLiteral("Ligações repetidas:"), QStringLiteral("Somar pesos"));
    pick(QStringLiteral("Formato da rede:"), QStringLiteral("GraphML (.graphml)"));
    create(QStringLiteral("rede2.graphml"));
    const QStringList merged = {QStringLiteral("-s,"),         QStringLiteral("--quotes"),
                                QStringLiteral("--header=1"),  QStringLiteral("--value=3"),
                                QStringLiteral("--merge=sum"), QStringLiteral("--format=graphml")};
    commandLine(merged);
    EXPECT_EQ(file("rede2.graphml"), file("cli.graphml"));
    EXPECT_TRUE(file("rede2.graphml").contains(">9<")) << "3, 2 and 4, either way round";

    // The report as CSV with a suggested table, then the table applied.
    tab(QStringLiteral("Configurações"));
    tick(QStringLiteral("Gerar relatório de vértices similares - taxa de similaridade maior ou "
                        "igual a a"));
    tab(QStringLiteral("Avançado"));
    pick(QStringLiteral("Formato do relatório:"), QStringLiteral("CSV"));
    tick(QStringLiteral("Sugerir tabela de nomes"));
    create(QStringLiteral("rede3"));
    commandLine(merged + QStringList {QStringLiteral("--report"),
                                      QStringLiteral("--report-format=csv"),
                                      QStringLiteral("--suggest-renames"),
                                      dir.path(QStringLiteral("Nomes_cli.csv"))});
    EXPECT_EQ(file("rede3.graphml"), file("cli.graphml"));
    EXPECT_EQ(file("Similaridade_rede3.csv"), file("Similaridade_cli.csv"));
    EXPECT_EQ(file("Nomes_rede3.csv"), file("Nomes_cli.csv"));
    EXPECT_TRUE(file("Nomes_rede3.csv").contains("Silva J."))
        << file("Nomes_rede3.csv").toStdString();

    tab(QStringLiteral("Avançado"));
    tick(QStringLiteral("Sugerir tabela de nomes"));
    dialogs.file = dir.path(QStringLiteral("Nomes_rede3.csv"));
    press(QStringLiteral("Tabela de nomes..."));
    create(QStringLiteral("rede4"));
    commandLine(merged + QStringList {QStringLiteral("--report"),
                                      QStringLiteral("--report-format=csv"),
                                      QStringLiteral("--rename"),
                                      dir.path(QStringLiteral("Nomes_rede3.csv"))});
    EXPECT_EQ(file("rede4.graphml"), file("cli.graphml"));
    EXPECT_LT(file("rede4.graphml").count("<node "), file("rede3.graphml").count("<node "));

    // A combination the command line refuses: refused in the window's words, nothing written.
    boxes.clear();
    tab(QStringLiteral("Avançado"));
    tick(QStringLiteral("Coocorrência: ligar entre si os nomes da Primeira Coluna"));
    create(QStringLiteral("rede5"));
    EXPECT_EQ(boxes, QStringList {QStringLiteral(
                         "A \"Coocorrência\" (aba Avançado) precisa de um separador em \"Vários "
                         "nomes por célula, separados por:\". (As opções da aba Avançado são "
                         "preferências lembradas de um uso para o outro; \"Restaurar padrões\" "
                         "as desfaz.)")});
    EXPECT_FALSE(QFile::exists(dir.path(QStringLiteral("rede5.graphml"))));
    EXPECT_FALSE(QFile::exists(dir.path(QStringLiteral("Similaridade_rede5.csv"))));
    tab(QStringLiteral("Avançado"));
    press(QStringLiteral("Restaurar padrões"));
}

// A workbook's second sheet, picked in the Avançado tab: the command line's bytes.
TEST_F(WindowWalk, WorkbookSheetAsTheCommandLineReadsIt)
{
    data = dir.path(QStringLiteral("dados.xlsx"));
    urdiva::test::writeXlsx(
        data,
        {{QStringLiteral("Capa"), {{QStringLiteral("nada"), QStringLiteral("aqui")}}},
         {QStringLiteral("Coautoria"),
          {{QStringLiteral("Autor"), QStringLiteral("Coautor"), QStringLiteral("Peso")},
           {QStringLiteral("Érica \"Lima\""), QStringLiteral("Ana; Souza"), QStringLiteral("2.5")},
           {QStringLiteral("Ana; Souza"), QStringLiteral("Zé\nCarlos"), QStringLiteral("3")},
           {QStringLiteral("Zé\nCarlos"), QStringLiteral("Érica \"Lima\""),
            QStringLiteral("1")}}}});
    dialogs.file = data;
    press(QStringLiteral("Entrada..."));
    tab(QStringLiteral("Avançado"));
    pick(QStringLiteral("Planilha:"), QStringLiteral("Coautoria"));
    ignoreHeaderLines(1);
    pick(QStringLiteral("Coluna de Valor:"), QStringLiteral("Peso"));
    create(QStringLiteral("rede"));
    commandLine({QStringLiteral("--sheet=Coautoria"), QStringLiteral("--header=1"),
                 QStringLiteral("--value=3")});
    EXPECT_EQ(file("rede.net"), file("cli.net"));
    EXPECT_TRUE(file("rede.net").contains("2.5")) << file("rede.net").toStdString();
}

// Attributes and a time column chosen in their view from the "Avançado" tab: the network, its
// partition and its project as the command line writes them, and the choices kept by name.
TEST_F(WindowWalk, AttributesAndTimeAsTheCommandLineWritesThem)
{
    data = dir.write(QStringLiteral("dados.csv"),
                     "autor;coautor;instituicao;ano\r\nAna;Rui;USP;2019\r\n"
                     "Lia;Ana;UFRJ;04/03/2021\r\nRui;Lia;USP;2020\r\nAna;Lia;Fiocruz;2019\r\n");
    dialogs.file = data;
    press(QStringLiteral("Entrada..."));
    press(QStringLiteral("ponto e vírgula"), QAccessible::RadioButton);
    ignoreHeaderLines(1);
    tab(QStringLiteral("Avançado"));
    press(QStringLiteral("Atributos e tempo..."));
    tickItem(QStringLiteral("Atributos dos vértices:"), QStringLiteral("instituicao"));
    pick(QStringLiteral("Coluna de tempo:"), QStringLiteral("ano"));
    press(QStringLiteral("Fechar"));
    create(QStringLiteral("rede"));
    commandLine({QStringLiteral("--header=1"), QStringLiteral("--attribute=instituicao"),
                 QStringLiteral("--time=ano")});
    EXPECT_EQ(file("rede.net"), file("cli.net"));
    EXPECT_EQ(file("rede_instituicao.clu"), file("cli_instituicao.clu"));
    EXPECT_EQ(file("rede_instituicao_legenda.csv"), file("cli_instituicao_legenda.csv"));
    EXPECT_EQ(file("rede.paj").replace("*Network rede", "*Network cli"), file("cli.paj"));
    EXPECT_TRUE(file("rede.net").contains("1 2 1 [2019]")) << file("rede.net").toStdString();

    // Kept by name: a window opened later chooses them again.
    MainWindow later {dialogs};
    ConversionSettings settings;
    later.findChild<AdvancedTab*>()->setColumns(
        {QStringLiteral("ano"), QStringLiteral("x"), QStringLiteral("instituicao")});
    later.findChild<AdvancedTab*>()->addTo(settings);
    EXPECT_EQ(settings.attributeColumns, std::vector<qint32> {2});
    EXPECT_EQ(settings.timeColumn, 0);
    tab(QStringLiteral("Avançado"));
    press(QStringLiteral("Restaurar padrões"));
}

} // namespace
