// SPDX-License-Identifier: MIT
#include "main_window.h"

#include "advanced_tab.h"
#include "background_work.h"
#include "controls.h"
#include "dialogs.h"
#include "engine/conversion/conversion_run.h"
#include "engine/conversion/settings_check.h"
#include "engine/core/choices.h"
#include "engine/core/run_error.h"
#include "engine/io/input_preview.h"
#include "engine/io/paths.h"
#include "engine/io/record_stream.h"
#include "engine/io/workbook.h"
#include "input_hold.h"
#include "line_count.h"
#include "lines_view.h"
#include "preview_marks.h"
#include "progress_window.h"
#include "settings_wording.h"
#include "window_feedback.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QSpinBox>
#include <QTabWidget>
#include <QTextEdit>

namespace urdiva::ui {
namespace {

const QString kQuotedFileQuestion =
    QStringLiteral("O arquivo parece ter campos entre aspas (CSV padrão). Ler os campos entre "
                   "aspas?");
const QString kColumnsChangedMessage = QStringLiteral(
    "Lido com os campos entre aspas, o arquivo tem outras colunas, e uma das colunas escolhidas "
    "não está mais entre elas: escolha de novo a Primeira Coluna, a Segunda Coluna e a Coluna de "
    "Valor na aba Saída. Nada foi gravado.");

} // namespace

MainWindow::MainWindow(Dialogs& dialogs, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint)
    , m_dialogs(dialogs)
    , m_input(new InputHold(this))
{
    m_controls.build(this, m_dialogs);
    m_lineCount = new LineCount(
        m_controls.lineCountLabel,
        [this](const QString& failure) { m_dialogs.showError(this, failure); }, this);
    const MainWindowControls& c = m_controls;
    connect(c.inputButton, &QPushButton::clicked, this,
            [this] { guarded([this] { chooseInputFile(); }); });
    connect(c.outputButton, &QPushButton::clicked, this,
            [this] { guarded([this] { chooseOutputFolder(); }); });
    connect(c.separatorItems, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (checked)
            guarded([this] { applySeparatorChoice(); });
    });
    connect(c.otherSeparatorEdit, &QLineEdit::textChanged, this,
            [this] { guarded([this] { applyOtherSeparator(); }); });
    connect(c.tabs, &QTabWidget::currentChanged, this,
            [this](int tab) { m_controls.createButton->setVisible(tab == int(MainTab::Output)); });
    connect(c.firstColumnList, &QComboBox::activated, this, [this](int i) { m_columns.first = i; });
    connect(c.secondColumnList, &QComboBox::activated, this,
            [this](int i) { m_columns.second = i; });
    connect(c.valueColumnList, &QComboBox::activated, this,
            [this](int i) { m_columns.value = i - 1; });
    connect(c.modeList, &QComboBox::currentIndexChanged, this, [this] { showTypeForMode(); });
    connect(c.createButton, &QPushButton::clicked, this,
            [this] { guarded([this] { createNetwork(); }); });
    connect(c.infoButton, &QPushButton::clicked, this, [this] { showInfoWindow(); });
    connect(c.advancedTab, &AdvancedTab::quotedFieldsChanged, this,
            [this] { guarded([this] { relistColumns(); }); });
    connect(c.advancedTab, &AdvancedTab::sheetChanged, this, [this] {
        guarded([this] {
            disableOptions();
            analyse(true);
        });
    });
    connect(c.advancedTab, &AdvancedTab::formatChanged, this,
            [this](NetworkFormat from, NetworkFormat to) {
                QLineEdit* output = m_controls.outputPathEdit;
                output->setText(withFormatExtension(output->text(), from, to));
            });
}

MainWindow::~MainWindow() = default;

void MainWindow::guarded(const std::function<void()>& handler)
{
    try {
        handler();
    } catch (...) {
        m_dialogs.showError(this, caughtFailureText());
    }
}

void MainWindow::whileBusy(const std::function<void()>& work)
{
    const auto held = m_input->hold();
    runWhileHandlingEvents(work);
}

void MainWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        // The centre of the desktop, before the window is first drawn.
        if (const QScreen* screen = this->screen())
            move(screen->availableGeometry().center() - rect().center());
        guarded([this] {
            m_controls.previewPane->clear();
            m_controls.networkPane->clear();
            if (m_startupCheck)
                m_startupCheck();
        });
    }
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.size() == 1 && urls.first().isLocalFile() && isDataFile(urls.first().toLocalFile()))
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event)
{
    const QString path = event->mimeData()->urls().first().toLocalFile();
    event->acceptProposedAction();
    guarded([this, path] { chooseInput(path); });
}

void MainWindow::openFile(const QString& path)
{
    guarded([this, path] { chooseInput(path); });
}

void MainWindow::chooseInputFile()
{
    const QString path = m_dialogs.openDataFile(this, m_dialogFile);
    if (!path.isEmpty())
        chooseInput(path);
}

void MainWindow::chooseInput(const QString& chosen)
{
    // A file dialog gives "/" on every system; the boxes show the system's own separators.
    const QString path = QDir::toNativeSeparators(chosen);
    m_controls.inputPathEdit->setText(path);
    m_controls.outputPathEdit->setText(
        withFormatExtension(defaultOutputName(path, QDateTime::currentDateTime()),
                            NetworkFormat::Pajek, m_controls.advancedTab->format()));
    disableOptions();
    m_dialogFile = path;
    m_lineCount->forget(); // chosen again, perhaps changed since: counted again
    // A workbook's cells are its fields: no separator to choose, the sheet instead.
    const bool workbook = isWorkbookPath(path);
    QStringList sheets;
    if (workbook)
        whileBusy([&] { sheets = openWorkbook(path)->sheetNames(); });
    m_controls.advancedTab->setSheets(sheets);
    if (!workbook)
        loadPreview();
    m_controls.separatorGroup->setEnabled(!workbook);
    clearSeparatorChoice();
    m_controls.tabs->setCurrentIndex(int(MainTab::Input));
    if (!workbook)
        return;
    m_analysedPath = path;
    m_chosenSeparator = kSheetSeparator;
    analyse(true);
}

void MainWindow::clearSeparatorChoice()
{
    // Clearing the selection is not a separator choice.
    QButtonGroup* items = m_controls.separatorItems;
    if (QAbstractButton* checked = items->checkedButton()) {
        const QSignalBlocker blocker(items);
        items->setExclusive(false);
        checked->setChecked(false);
        items->setExclusive(true);
    }
}

void MainWindow::loadPreview()
{
    m_controls.previewPane->clear();
    {
        // The lines read before a failure are shown with its error.
        QStringList shown;
        const auto show =
            qScopeGuard([&] { m_controls.previewPane->setPlainText(shown.join(u'\n')); });
        whileBusy([&] { readFirstLines(m_dialogFile, sheet(), 10, shown); });
    }
    m_lineCount->count(m_dialogFile, sheet());
}

void MainWindow::chooseOutputFolder()
{
    const QString folder = m_dialogs.chooseFolder(this);
    if (folder.isEmpty())
        return;
    QLineEdit* output = m_controls.outputPathEdit;
    output->setText(QDir::toNativeSeparators(folder) + PathRules::host().folderSeparator);
    output->setFocus();
    output->selectAll();
}

void MainWindow::applySeparatorChoice()
{
    const MainWindowControls& c = m_controls;
    const QString input = c.inputPathEdit->text();
    if (!QFileInfo(input).isFile()) {
        // No run may start on the file analysed before while the box names another; the same
        // separator may be chosen again once the box names a file.
        disableOptions();
        clearSeparatorChoice();
        m_dialogs.inform(this, messages::noInputFile());
        return;
    }
    m_analysedPath = input;
    disableOptions();
    const auto item = SeparatorItem(c.separatorItems->checkedId());
    c.otherSeparatorEdit->setVisible(item == SeparatorItem::Other);
    // A blank in the other separator's box is none: the choice waits for the user's character.
    const std::optional<QChar> separator = separatorOf(item, c.otherSeparatorEdit->text());
    if (separator)
        m_chosenSeparator = separator;
    analyse(separator.has_value());
}

void MainWindow::analyse(bool separatorKnown)
{
    const MainWindowControls& c = m_controls;
    loadPreview();
    qsizetype separators = 0;
    if (separatorKnown) {
        FirstRecordColumns columns;
        whileBusy([&] { columns = columnsNow(); });
        separators = columns.separators;
        if (separators > 0) {
            enableOptions();
            c.headerLinesBox->setValue(0);
            c.networkPane->clear();
            selectChoice(c.modeList, kNetworkModes, NetworkMode::OneMode);
            selectChoice(c.directionList, kDirections, false);
            m_columnNames = columns.names;
            m_columns.first = 0;
            m_columns.second = columns.names.size() > 1 ? 1 : -1;
            listColumns(c, columns.names, m_columns, -1);
        }
    }
    c.columnCountLabel->setText(kColumnCountCaption + QString::number(separators + 1));
    if (m_chosenSeparator)
        markSeparators(*m_controls.previewPane, *m_chosenSeparator);
}

void MainWindow::relistColumns()
{
    const MainWindowControls& c = m_controls;
    if (!m_chosenSeparator || c.separatorItems->checkedId() < 0 || m_analysedPath.isEmpty())
        return;
    if (!c.firstColumnList->isEnabled()) {
        applySeparatorChoice();
        return;
    }
    // Only the columns change: each choice follows its column by name (the same occurrence of
    // the name, should two columns share it), and is cleared where no column has that name now.
    FirstRecordColumns columns;
    whileBusy([&] { columns = columnsNow(); });
    if (columns.separators == 0) {
        applySeparatorChoice();
        return;
    }
    const QStringList before = std::exchange(m_columnNames, columns.names);
    const int valueItem = c.valueColumnList->currentIndex(); // the blank item 0 is none
    m_columns.first = sameColumn(before, m_columns.first, columns.names);
    m_columns.second = sameColumn(before, m_columns.second, columns.names);
    m_columns.value = sameColumn(before, valueItem - 1, columns.names);
    listColumns(c, columns.names, m_columns, valueItem <= 0 ? valueItem : m_columns.value + 1);
    c.columnCountLabel->setText(kColumnCountCaption + QString::number(columns.separators + 1));
}

QString MainWindow::sheet() const
{
    return isWorkbookPath(m_dialogFile) ? m_controls.advancedTab->sheet() : QString();
}

FirstRecordColumns MainWindow::columnsNow() const
{
    return firstRecordColumns(m_analysedPath, sheet(), *m_chosenSeparator,
                              isWorkbookPath(m_analysedPath) ||
                                  m_controls.advancedTab->quotedFields());
}

void MainWindow::applyOtherSeparator()
{
    if (m_controls.separatorItems->checkedId() < 0)
        return;
    // The choice hides the box and shows it again; the user goes on typing in it.
    QLineEdit* other = m_controls.otherSeparatorEdit;
    const bool typing = other->hasFocus();
    applySeparatorChoice();
    if (typing && other->isVisible())
        other->setFocus();
}

void MainWindow::showTypeForMode()
{
    const std::optional<NetworkMode> mode = chosen(m_controls.modeList, kNetworkModes);
    m_controls.advancedTab->setTwoMode(mode == NetworkMode::TwoMode);
    if (mode) {
        m_controls.directionLabel->setVisible(*mode == NetworkMode::OneMode);
        m_controls.directionList->setVisible(*mode == NetworkMode::OneMode);
    }
}

void MainWindow::enableOptions()
{
    for (QWidget* control : m_controls.options())
        control->setEnabled(true);
}

void MainWindow::disableOptions()
{
    m_controls.otherSeparatorEdit->hide();
    for (QWidget* control : m_controls.options())
        control->setEnabled(false);
    resetOptions(m_controls);
}

ConversionSettings MainWindow::gatherSettings() const
{
    return settingsFromControls(m_controls, m_analysedPath, m_chosenSeparator, m_columns);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (m_input->isHeld())
        event->ignore();
    else
        QWidget::closeEvent(event);
}

void MainWindow::createNetwork()
{
    if (m_input->isHeld())
        return;
    // From here on the file may be read off the window's thread: the user's input to the window
    // waits, and a request to close it, until the run ends.
    const auto held = m_input->hold();
    ConversionSettings settings = gatherSettings();
    // The combinations the command line refuses, refused before anything is read or asked, in
    // the window's own words.
    if (const std::optional<SettingsProblem> problem = findSettingsProblem(settings)) {
        m_dialogs.showError(this, windowText(*problem));
        return;
    }
    // A spreadsheet's quoted names cut at their separators would make a wrong network without a
    // word: the user says how to read such a file.
    qint64 quotedLooking = 0;
    if (!settings.quotedFields && settings.separator != u'"') {
        // The whole file may be read to find out: off the window's thread.
        runWhileHandlingEvents([&] {
            quotedLooking = firstQuotedLookingLine(settings.inputPath, settings.separator,
                                                   settings.headerLines);
        });
    }
    if (quotedLooking != 0 && m_dialogs.ask(this, windowTitle(), kQuotedFileQuestion)) {
        // Read with quoted fields, the file has other columns: the choices follow theirs by
        // name, and a choice whose column is gone is never taken for another.
        m_controls.advancedTab->setQuotedFields(true);
        if (m_columns.first < 0 || m_columns.second < 0 ||
            (settings.valueColumn && m_columns.value < 0)) {
            m_controls.tabs->setCurrentIndex(int(MainTab::Output));
            m_dialogs.inform(this, kColumnsChangedMessage);
            return;
        }
        settings = gatherSettings();
    }
    // The run works on a thread of its own: the window goes on painting itself and answering
    // (a screen reader, a request to close) while the user's input to it waits for the end.
    ProgressWindow progress(this);
    WindowFeedback feedback(
        *this, m_dialogs, progress, {*m_controls.networkPane, *m_controls.summaryPane},
        settings.decimalComma, [this](const QString& text) { emit stageShown(text); });
    FeedbackOnThreadOf onWindowThread(this, feedback);
    try {
        runWhileHandlingEvents([&] { runConversion(settings, onWindowThread); });
    } catch (...) {
        progress.close(); // no progress window outlives a run, nor hides its error
        throw;
    }
    progress.close();
}

void MainWindow::showInfoWindow()
{
    if (!m_info)
        return;
    m_info->show();
    m_info->raise();
    m_info->activateWindow();
}

} // namespace urdiva::ui
