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
#include "engine/core/run_summary_text.h"
#include "engine/io/column_names.h"
#include "engine/io/line_reader.h"
#include "engine/io/paths.h"
#include "engine/io/quoted_records.h"
#include "engine/io/record_stream.h"
#include "engine/names/strip.h"
#include "engine/network/network_writer.h"
#include "fonts.h"
#include "lines_view.h"
#include "progress_window.h"
#include "settings_wording.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
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
#include <QRadioButton>
#include <QScopeGuard>
#include <QScreen>
#include <QSpinBox>
#include <QTabWidget>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

namespace urdiva::ui {
namespace {

const QString kLinesLabel = QStringLiteral("Quantidade de linhas do arquivo: ");
const QString kColumnsLabel = QStringLiteral("Quantidade de colunas encontradas: ");
const QString kQuotedFileQuestion =
    QStringLiteral("O arquivo parece ter campos entre aspas (CSV padrão). Ler os campos entre "
                   "aspas?");
const QString kColumnsChangedMessage = QStringLiteral(
    "Lido com os campos entre aspas, o arquivo tem outras colunas, e uma das colunas escolhidas "
    "não está mais entre elas: escolha de novo a Primeira Coluna, a Segunda Coluna e a Coluna de "
    "Valor na aba Saída. Nada foi gravado.");
// How the window names the options that the run's warnings suggest.
const QString kQuotesOption = QStringLiteral("\"Campos entre aspas\" na aba Avançado");
const QString kDecimalCommaOption = QStringLiteral("\"Pesos com vírgula decimal\" na aba Avançado");

enum SeparatorItem { PontoEVirgula, Tab, Virgula, Outro };

// A run that ended without writing, to keep a file the user did not agree to replace.
QString keptFileText(const QString& path)
{
    return QStringLiteral("Nada foi gravado: o arquivo \"%1\" já existe e foi mantido.")
        .arg(QDir::toNativeSeparators(path));
}

// A column's name without the spaces and quotation marks around it: the same column read with
// and without quoted fields ("Autor" and Autor).
QString bareName(const QString& name)
{
    QStringView bare = QStringView(name).trimmed();
    while (bare.startsWith(u'"'))
        bare = bare.sliced(1);
    while (bare.endsWith(u'"'))
        bare.chop(1);
    return bare.trimmed().toString();
}

// Where the column at `index` of `before` is in `after`: the same occurrence of its bare name;
// -1 when it is not there (or nothing was chosen).
int sameColumn(const QStringList& before, int index, const QStringList& after)
{
    if (index < 0 || index >= before.size())
        return -1;
    const QString name = bareName(before[index]);
    qsizetype occurrence =
        std::count_if(before.begin(), before.begin() + index,
                      [&](const QString& other) { return bareName(other) == name; });
    for (qsizetype k = 0; k < after.size(); ++k) {
        if (bareName(after[k]) == name && occurrence-- == 0)
            return int(k);
    }
    return -1;
}

bool isBlankSeparator(const QString& text)
{
    return text.isEmpty() || text.front().unicode() <= 0x20;
}

// An output name ending in one format's extension, given the other's instead.
QString withFormatExtension(const QString& path, NetworkFormat from, NetworkFormat to)
{
    const QStringView old = formatExtension(from);
    return path.endsWith(old) ? path.chopped(old.size()) + formatExtension(to).toString() : path;
}

} // namespace

// The run's channel to the window: questions and messages in boxes, stages in the progress
// window, the network text in the output pane.
class MainWindow::Feedback final : public RunFeedback {
public:
    Feedback(MainWindow& window, ProgressWindow& progress, bool decimalComma)
        : m_window(window)
        , m_progress(progress)
        , m_decimalComma(decimalComma)
    {
    }

    bool confirmOverwrite(const QString& path) override
    {
        return m_window.m_dialogs.ask(&m_window, messages::overwriteCaption(),
                                      messages::overwriteQuestion(),
                                      QDir::toNativeSeparators(path));
    }
    void showKeptFile(const QString& path) override
    {
        const QString kept = keptFileText(path);
        m_window.showRunNotes({}, kept);
        m_progress.close();
        m_window.m_dialogs.inform(&m_window, kept);
    }
    void showStage(const QString& text) override
    {
        m_progress.showStage(text);
        emit m_window.stageShown(text);
    }
    void clearOutput() override
    {
        m_window.RichEditSaida->clear();
        m_window.showRunNotes({}, QString());
    }
    void showQuotedLookingLine(qint64 line) override
    {
        m_warnings << quotedLookingLineWarning(line, kQuotesOption);
    }
    void closeProgress() override { m_progress.close(); }
    void showSummary(const RunSummary& summary) override
    {
        const RunSummaryText text =
            runSummaryText(summary, m_decimalComma ? QString() : kDecimalCommaOption);
        m_warnings += text.warnings;
        QString error;
        if (!m_window.RichEditSaida->showFile(summary.networkPath, &error))
            m_warnings << QStringLiteral("a rede gravada não pôde ser mostrada: %1.").arg(error);
        m_window.showRunNotes(m_warnings, text.summary);
    }
    void showMessage(const QString& text) override
    {
        m_progress.close();
        m_window.m_dialogs.inform(&m_window, text);
    }

private:
    MainWindow& m_window;
    ProgressWindow& m_progress;
    bool m_decimalComma;
    QStringList m_warnings;
};

MainWindow::MainWindow(Dialogs& dialogs, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint)
    , m_dialogs(dialogs)
{
    buildControls();
    qApp->installEventFilter(this);
}

MainWindow::~MainWindow()
{
    stopCounting();
}

void MainWindow::stopCounting()
{
    m_stopCounting->store(true);
    if (m_counting)
        m_counting->wait(); // soon: the count looks at the flag after each line
    m_counting.reset();
}

void MainWindow::buildControls()
{
    setObjectName(QStringLiteral("toPajek"));
    setWindowTitle(QStringLiteral("Urdiva"));
    setFixedSize(556, 502);
    setFont(dialogFont());
    setAcceptDrops(true);

    GroupBoxArquivo = group(this, "GroupBoxArquivo", QStringLiteral(" Arquivo "), 8, 8, 537, 84);
    ButtonEntrada = inGroup<QPushButton>(GroupBoxArquivo, "ButtonEntrada", 9, 24, 80, 20);
    ButtonEntrada->setText(QStringLiteral("Entrada..."));
    EditEntrada = inGroup<QLineEdit>(GroupBoxArquivo, "EditEntrada", 92, 24, 434, 21);
    tooltipColoured(EditEntrada);
    ButtonSaida = inGroup<QPushButton>(GroupBoxArquivo, "ButtonSaida", 9, 53, 80, 20);
    ButtonSaida->setText(QStringLiteral("Saída..."));
    EditSaida = inGroup<QLineEdit>(GroupBoxArquivo, "EditSaida", 92, 53, 434, 21);
    tooltipColoured(EditSaida);

    RadioGroupSeparador =
        group(this, "RadioGroupSeparador", QStringLiteral(" Separador "), 8, 95, 537, 54);
    m_separatorItems = new QButtonGroup(this);
    const QString items[] = {QStringLiteral("ponto e vírgula"), QStringLiteral("tab"),
                             QStringLiteral("vírgula"), QStringLiteral("outro")};
    for (int k = 0; k < 4; ++k) {
        auto* item = inGroup<QRadioButton>(RadioGroupSeparador, "", 11 + 130 * k, 22, 124, 20);
        item->setObjectName(QStringLiteral("RadioGroupSeparador%1").arg(k));
        item->setText(items[k]);
        m_separatorItems->addButton(item, k);
    }
    RadioGroupSeparador->setEnabled(false);
    EditSeparador = make<QLineEdit>(this, "EditSeparador", 463, 116, 28, 21);
    EditSeparador->setMaxLength(1);
    tooltipColoured(EditSeparador);
    EditSeparador->hide();

    PageControlES = make<QTabWidget>(this, "PageControlES", 9, 155, 539, 304);
    auto* entrada = new QWidget;
    entrada->setObjectName(QStringLiteral("TabSheetEntrada"));
    auto* configuracoes = new QWidget;
    configuracoes->setObjectName(QStringLiteral("TabSheet1"));
    auto* saida = new QWidget;
    saida->setObjectName(QStringLiteral("TabSheetSaida"));
    PageControlES->addTab(entrada, QStringLiteral("Entrada"));
    PageControlES->addTab(configuracoes, QStringLiteral("Configurações"));
    PageControlES->addTab(saida, QStringLiteral("Saída"));

    auto* preview = group(entrada, "GroupBox2", QStringLiteral(" Preview "), 3, 3, 520, 205);
    RichEditEntrada = inGroup<QTextEdit>(preview, "RichEditEntrada", 11, 23, 498, 169);
    RichEditEntrada->setReadOnly(true);
    RichEditEntrada->setAcceptRichText(false);
    RichEditEntrada->setLineWrapMode(QTextEdit::NoWrap);
    RichEditEntrada->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    RichEditEntrada->setFont(monospaceFont(10));
    tooltipColoured(RichEditEntrada);
    auto* info = group(entrada, "GroupBox1", QStringLiteral(" Informações "), 3, 213, 519, 55);
    Label3 = inGroup<QLabel>(info, "Label3", 11, 28, 300, 16);
    Label3->setTextFormat(Qt::PlainText);
    Label3->setText(kLinesLabel + u'0');
    Label1 = inGroup<QLabel>(info, "Label1", 207, 28, 300, 16);
    Label1->setTextFormat(Qt::PlainText);
    Label1->setAlignment(Qt::AlignRight | Qt::AlignTop);
    Label1->setText(kColumnsLabel + u'0');

    auto* suprimir =
        group(configuracoes, "GroupBox3", QStringLiteral(" Suprimir caractere "), 3, 3, 520, 56);
    QStringList choices;
    for (const StripChoice& choice : kStripChoices)
        choices << QStringView(choice.item).toString();
    ComboBoxSuprimir = pickList(suprimir, "ComboBoxSuprimir", 11, 24, 137, choices);
    ComboBoxSuprimir->setFont(dialogFont());
    CheckBoxInicio =
        checkBox(suprimir, "CheckBoxInicio", QStringLiteral("No início da string"), 171, 27, 120);
    CheckBoxFim =
        checkBox(suprimir, "CheckBoxFim", QStringLiteral("No final da string"), 297, 27, 115);
    CheckBoxToda =
        checkBox(suprimir, "CheckBoxToda", QStringLiteral("Em toda a string"), 416, 27, 100);
    for (QWidget* w : {static_cast<QWidget*>(CheckBoxInicio), static_cast<QWidget*>(CheckBoxFim),
                       static_cast<QWidget*>(CheckBoxToda)})
        w->setFont(dialogFont());
    CheckBoxOrdem = checkBox(configuracoes, "CheckBoxOrdem",
                             QStringLiteral("Classificar do menor para o maior"), 14, 87, 300);
    CheckBoxCaseSensitive = checkBox(configuracoes, "CheckBoxCaseSensitive",
                                     QStringLiteral("CASE SENSITIVE "), 14, 133, 200);
    CheckBoxSimilaridade = checkBox(
        configuracoes, "CheckBoxSimilaridade",
        QStringLiteral("Gerar relatório de vértices similares - taxa de similaridade maior ou "
                       "igual a a"),
        14, 179, 361);
    EditSimilaridade = numberBox(configuracoes, "EditSimilaridade", 376, 178, 36, kLeastThreshold,
                                 kMostThreshold, kDefaultThreshold);
    Label2 = label(configuracoes, "Label2", QStringLiteral("%"), 430, 181, 20);

    auto* opcoes = group(saida, "GroupBoxOpcoes", QStringLiteral(" Opções "), 3, 3, 520, 121);
    const QFont plain = dialogFont();
    LabelPriCo = label(opcoes, "LabelPriCo", QStringLiteral("Primeira Coluna:"), 11, 24);
    ComboBoxPriCo = pickList(opcoes, "ComboBoxPriCo", 11, 40, 145, {});
    LabelSegCo = label(opcoes, "LabelSegCo", QStringLiteral("Segunda Coluna:"), 190, 24);
    ComboBoxSegCo = pickList(opcoes, "ComboBoxSegCo", 190, 40, 145, {});
    LabelValor = label(opcoes, "LabelValor", QStringLiteral("Coluna de Valor:"), 362, 24);
    ComboBoxValor = pickList(opcoes, "ComboBoxValor", 363, 40, 145, {});
    LabelModo = label(opcoes, "LabelModo", QStringLiteral("Modo da Rede:"), 11, 72);
    ComboBoxModo = pickList(opcoes, "ComboBoxModo", 11, 88, 145, kNetworkModes);
    LabelTipo = label(opcoes, "LabelTipo", QStringLiteral("Tipo da Rede:"), 191, 72);
    ComboBoxTipo = pickList(opcoes, "ComboBoxTipo", 191, 88, 145, kDirections);
    LabelDesprezar = label(opcoes, "LabelDesprezar", QStringLiteral("Ignorar Cabeçalho:"), 362, 72);
    EditDesprezar = numberBox(opcoes, "EditDesprezar", 362, 88, 69, 0, kMostHeaderLines, 0);
    tooltipColoured(EditDesprezar);
    for (QWidget* w : opcoes->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        w->setFont(plain);

    auto* saidaBox = group(saida, "GroupBoxSaida", QStringLiteral(" Saída "), 6, 132, 517, 137);
    RichEditSaida = inGroup<LinesView>(saidaBox, "RichEditSaida", 11, 23, 494, 105);
    RichEditSaida->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RichEditSaida->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    tooltipColoured(RichEditSaida);
    // Always hidden: the run writes the report file itself, never through this pane.
    RichEditSimilaridade = inGroup<QTextEdit>(saidaBox, "RichEditSimilaridade", 120, 31, 361, 89);
    RichEditSimilaridade->hide();

    m_advanced = new AdvancedTab(m_dialogs);
    PageControlES->addTab(m_advanced, QStringLiteral("Avançado"));

    ButtonInfo = make<QPushButton>(this, "ButtonInfo", 8, 469, 80, 25);
    ButtonInfo->setText(QStringLiteral("Info"));
    // What the last run did and noticed, between the two buttons, where the user looks for the
    // outcome: the summary first, always in view, then the warnings, which a scroll bar reaches
    // when they do not fit.
    TextResumo = make<QTextEdit>(this, "TextResumo", 94, 465, 318, 34);
    TextResumo->setReadOnly(true);
    TextResumo->setAcceptRichText(false);
    TextResumo->setFrameShape(QFrame::NoFrame);
    TextResumo->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    TextResumo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    TextResumo->viewport()->setAutoFillBackground(false);
    TextResumo->document()->setDocumentMargin(1);
    ButtonTXT = make<QPushButton>(this, "ButtonTXT", 418, 469, 129, 25);
    ButtonTXT->setText(QStringLiteral("Criar .net"));
    ButtonTXT->setFont(boldDialogFont());

    nameControlsForScreenReaders();
    for (QWidget* control : optionControls())
        control->setEnabled(false);
    ButtonTXT->hide();

    connect(ButtonEntrada, &QPushButton::clicked, this,
            [this] { guarded([this] { chooseInputFile(); }); });
    connect(ButtonSaida, &QPushButton::clicked, this,
            [this] { guarded([this] { chooseOutputFolder(); }); });
    connect(m_separatorItems, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (checked)
            guarded([this] { applySeparatorChoice(); });
    });
    connect(EditSeparador, &QLineEdit::textChanged, this,
            [this] { guarded([this] { applyOtherSeparator(); }); });
    connect(PageControlES, &QTabWidget::currentChanged, this,
            [this] { showCreateButtonOnOutputTab(); });
    connect(ComboBoxPriCo, &QComboBox::activated, this, [this](int i) { chooseFirstColumn(i); });
    connect(ComboBoxSegCo, &QComboBox::activated, this, [this](int i) { chooseSecondColumn(i); });
    connect(ComboBoxValor, &QComboBox::activated, this, [this](int i) { chooseValueColumn(i); });
    connect(ComboBoxModo, &QComboBox::currentIndexChanged, this, [this] { applyModeChoice(); });
    connect(ButtonTXT, &QPushButton::clicked, this,
            [this] { guarded([this] { createNetwork(); }); });
    connect(ButtonInfo, &QPushButton::clicked, this, [this] { showInfoWindow(); });
    connect(m_advanced, &AdvancedTab::quotedFieldsChanged, this,
            [this] { guarded([this] { relistColumns(); }); });
    connect(m_advanced, &AdvancedTab::formatChanged, this,
            [this](NetworkFormat from, NetworkFormat to) {
                EditSaida->setText(withFormatExtension(EditSaida->text(), from, to));
            });
}

void MainWindow::nameControlsForScreenReaders()
{
    // A control without a name of its own would be read by the caption of the group around it,
    // or not at all: each gets its label's text, or what its place means.
    const std::pair<QLabel*, QWidget*> labelled[] = {
        {LabelPriCo, ComboBoxPriCo}, {LabelSegCo, ComboBoxSegCo}, {LabelValor, ComboBoxValor},
        {LabelModo, ComboBoxModo},   {LabelTipo, ComboBoxTipo},   {LabelDesprezar, EditDesprezar},
    };
    for (const auto& [label, control] : labelled)
        nameByLabel(label, control);
    EditEntrada->setAccessibleName(QStringLiteral("Entrada"));
    EditSaida->setAccessibleName(QStringLiteral("Saída"));
    EditSeparador->setAccessibleName(QStringLiteral("Outro separador"));
    RichEditEntrada->setAccessibleName(QStringLiteral("Primeiras linhas da entrada"));
    ComboBoxSuprimir->setAccessibleName(QStringLiteral("Caractere a suprimir"));
    EditSimilaridade->setAccessibleName(QStringLiteral("Taxa de similaridade (%)"));
    RichEditSaida->setAccessibleName(QStringLiteral("Rede gerada"));
    TextResumo->setAccessibleName(QStringLiteral("Resumo da conversão"));
}

QList<QWidget*> MainWindow::optionControls() const
{
    // The options that a separator choice enables; each number box carries its own spinner. The
    // "Avançado" tab's preferences stay enabled: they can be reviewed and set back without a file.
    return QList<QWidget*> {
        LabelPriCo,       LabelSegCo,           LabelModo,        LabelTipo,
        LabelValor,       LabelDesprezar,       ComboBoxPriCo,    ComboBoxSegCo,
        ComboBoxModo,     ComboBoxTipo,         ComboBoxValor,    EditDesprezar,
        ComboBoxSuprimir, CheckBoxInicio,       CheckBoxFim,      CheckBoxToda,
        CheckBoxOrdem,    CheckBoxSimilaridade, EditSimilaridade, CheckBoxCaseSensitive,
        ButtonTXT};
}

void MainWindow::guarded(const std::function<void()>& handler)
{
    try {
        handler();
    } catch (...) {
        m_dialogs.showError(this, caughtFailureText());
    }
}

void MainWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        // The centre of the desktop, before the window is first drawn.
        if (const QScreen* screen = this->screen())
            move(screen->availableGeometry().center() - rect().center());
        guarded([this] { prepareFirstShow(); });
    }
}

void MainWindow::prepareFirstShow()
{
    RichEditEntrada->clear();
    RichEditSaida->clear();
    if (m_startupCheck)
        m_startupCheck();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.size() == 1 && urls.first().isLocalFile()) {
        // A file, as the file dialog offers: not a folder whose name ends in .csv.
        const QFileInfo file(urls.first().toLocalFile());
        const QString suffix = file.suffix().toLower();
        if (file.isFile() && (suffix == u"csv" || suffix == u"txt"))
            event->acceptProposedAction();
    }
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
    EditEntrada->setText(path);
    EditSaida->setText(withFormatExtension(defaultOutputName(path, QDateTime::currentDateTime()),
                                           NetworkFormat::Pajek, m_advanced->format()));
    disableOptions();
    m_dialogFile = path;
    m_countedPath.clear(); // chosen again, perhaps changed since: counted again
    loadPreview();
    RadioGroupSeparador->setEnabled(true);
    clearSeparatorChoice();
    PageControlES->setCurrentIndex(0);
}

void MainWindow::clearSeparatorChoice()
{
    // Clearing the selection is not a separator choice.
    if (QAbstractButton* checked = m_separatorItems->checkedButton()) {
        const QSignalBlocker blocker(m_separatorItems);
        m_separatorItems->setExclusive(false);
        checked->setChecked(false);
        m_separatorItems->setExclusive(true);
    }
}

void MainWindow::loadPreview()
{
    RichEditEntrada->clear();
    QStringList shown;
    try {
        LineReader reader(m_dialogFile);
        QString line;
        while (shown.size() < 10 && reader.readLine(line))
            shown << line;
    } catch (...) {
        RichEditEntrada->setPlainText(shown.join(u'\n'));
        throw;
    }
    RichEditEntrada->setPlainText(shown.join(u'\n'));
    countLines();
}

void MainWindow::countLines()
{
    // Once for each file chosen, off the window's thread: a large file takes seconds to read.
    if (m_countedPath == m_dialogFile)
        return;
    m_countedPath = m_dialogFile;
    stopCounting();
    m_stopCounting = std::make_shared<std::atomic<bool>>(false);
    Label3->setText(kLinesLabel + QStringLiteral("contando…"));
    const auto stop = m_stopCounting;
    const auto count = std::make_shared<qint64>(0);
    m_counting = startInBackground(
        this,
        [path = m_dialogFile, stop, count] {
            LineReader reader(path);
            QByteArrayView line;
            while (!stop->load(std::memory_order_relaxed) && reader.readRawLine(line))
                ++*count;
        },
        [this, stop, count](const QString& failure) {
            if (stop->load())
                return; // another file was chosen meanwhile
            Label3->setText(kLinesLabel +
                            (failure.isEmpty() ? QString::number(*count) : QStringLiteral("?")));
            if (!failure.isEmpty())
                m_dialogs.showError(this, failure);
        });
}

void MainWindow::chooseOutputFolder()
{
    const QString folder = m_dialogs.chooseFolder(this);
    if (folder.isEmpty())
        return;
    EditSaida->setText(QDir::toNativeSeparators(folder) + PathRules::host().folderSeparator);
    EditSaida->setFocus();
    EditSaida->selectAll();
}

void MainWindow::applySeparatorChoice()
{
    const QString input = EditEntrada->text();
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
    loadPreview();
    qsizetype count = 0;
    const int item = m_separatorItems->checkedId();
    const bool blankOther = item == Outro && isBlankSeparator(EditSeparador->text());
    switch (item) {
    case PontoEVirgula:
        m_chosenSeparator = u';';
        break;
    case Tab:
        m_chosenSeparator = u'\t';
        break;
    case Virgula:
        m_chosenSeparator = u',';
        break;
    default:
        EditSeparador->show();
        if (!blankOther)
            m_chosenSeparator = EditSeparador->text().front();
        break;
    }
    const QString marker = !m_chosenSeparator ? QString()
                           : *m_chosenSeparator == u'\t'
                               ? QStringLiteral("<tab>")
                               : u'<' + QString(*m_chosenSeparator) + u'>';
    if (m_chosenSeparator)
        RichEditEntrada->setPlainText(
            RichEditEntrada->toPlainText().replace(*m_chosenSeparator, marker));
    if (!blankOther) {
        QStringList names;
        count = readColumns(names);
        if (count > 0) {
            enableOptions();
            EditDesprezar->setValue(0);
            RichEditSaida->clear();
            ComboBoxPriCo->clear();
            ComboBoxSegCo->clear();
            ComboBoxValor->clear();
            selectChoice(ComboBoxModo, kNetworkModes, NetworkMode::OneMode);
            selectChoice(ComboBoxTipo, kDirections, false);
            ComboBoxValor->addItem(QString());
            ComboBoxPriCo->addItems(names);
            ComboBoxSegCo->addItems(names);
            ComboBoxValor->addItems(names);
            m_columnNames = names;
            ComboBoxValor->setCurrentIndex(-1);
            ComboBoxSegCo->setCurrentIndex(names.size() > 1 ? 1 : -1);
            ComboBoxPriCo->setCurrentIndex(0);
            m_firstIndex = ComboBoxPriCo->currentIndex();
            m_secondIndex = ComboBoxSegCo->currentIndex();
        }
    }
    Label1->setText(kColumnsLabel + QString::number(count + 1));
    if (m_chosenSeparator)
        highlightAll(RichEditEntrada, marker, QColor(255, 0, 0));
    QTextCursor start = RichEditEntrada->textCursor();
    start.movePosition(QTextCursor::Start);
    RichEditEntrada->setTextCursor(start);
}

qsizetype MainWindow::readColumns(QStringList& names) const
{
    // The first record as the run reads it: with quoted fields, a quoted name may hold the
    // separator and run over several lines.
    if (m_advanced->quotedFields()) {
        LineReader reader(m_analysedPath);
        names = columnNames(peekRecord(reader, *m_chosenSeparator, true), *m_chosenSeparator, true);
        return std::max<qsizetype>(0, names.size() - 1);
    }
    const QString firstLine = readFirstLine(m_analysedPath);
    names = columnNames(firstLine, *m_chosenSeparator);
    return firstLine.count(*m_chosenSeparator);
}

void MainWindow::relistColumns()
{
    if (!m_chosenSeparator || m_separatorItems->checkedId() < 0 || m_analysedPath.isEmpty())
        return;
    if (!ComboBoxPriCo->isEnabled()) {
        applySeparatorChoice();
        return;
    }
    // Only the columns change: each choice follows its column by name (the same occurrence of
    // the name, should two columns share it), and is cleared where no column has that name now.
    QStringList names;
    const qsizetype count = readColumns(names);
    if (count == 0) {
        applySeparatorChoice();
        return;
    }
    const QStringList before = m_columnNames;
    const int valueItem = ComboBoxValor->currentIndex(); // the blank item 0 is none
    const int value = valueItem - 1;
    for (QComboBox* list : {ComboBoxPriCo, ComboBoxSegCo, ComboBoxValor})
        list->clear();
    ComboBoxValor->addItem(QString());
    ComboBoxPriCo->addItems(names);
    ComboBoxSegCo->addItems(names);
    ComboBoxValor->addItems(names);
    m_columnNames = names;
    m_firstIndex = sameColumn(before, m_firstIndex, names);
    m_secondIndex = sameColumn(before, m_secondIndex, names);
    ComboBoxPriCo->setCurrentIndex(m_firstIndex);
    ComboBoxSegCo->setCurrentIndex(m_secondIndex);
    m_valueIndex = sameColumn(before, value, names);
    ComboBoxValor->setCurrentIndex(valueItem <= 0 ? valueItem : m_valueIndex + 1);
    Label1->setText(kColumnsLabel + QString::number(count + 1));
}

void MainWindow::showRunNotes(const QStringList& warnings, const QString& summary)
{
    TextResumo->clear();
    QTextCursor cursor(TextResumo->document());
    QTextCharFormat warning;
    warning.setForeground(QColor(0xB0, 0, 0));
    warning.setFontWeight(QFont::Bold);
    cursor.insertText(summary, QTextCharFormat());
    for (const QString& text : warnings) {
        cursor.insertBlock();
        cursor.insertText(QStringLiteral("Aviso: ") + text, warning);
    }
    TextResumo->moveCursor(QTextCursor::Start);
}

void MainWindow::applyOtherSeparator()
{
    if (m_separatorItems->checkedId() < 0)
        return;
    // The choice hides the box and shows it again; the user goes on typing in it.
    const bool typing = EditSeparador->hasFocus();
    applySeparatorChoice();
    if (typing && EditSeparador->isVisible())
        EditSeparador->setFocus();
}

void MainWindow::highlightAll(QTextEdit* pane, const QString& text, const QColor& colour)
{
    if (text.isEmpty())
        return;
    QTextCharFormat format;
    format.setForeground(colour);
    format.setFontWeight(QFont::Bold);
    const QTextCursor selection = pane->textCursor();
    int from = selection.hasSelection() ? selection.selectionEnd() : 0;
    for (;;) {
        QTextCursor found = pane->document()->find(text, from, QTextDocument::FindCaseSensitively);
        if (found.isNull())
            return;
        found.mergeCharFormat(format);
        pane->setTextCursor(found);
        from = found.selectionEnd();
    }
}

void MainWindow::showCreateButtonOnOutputTab()
{
    ButtonTXT->setVisible(PageControlES->currentIndex() == 2);
}

void MainWindow::chooseFirstColumn(int index)
{
    m_firstIndex = index;
}

void MainWindow::chooseSecondColumn(int index)
{
    m_secondIndex = index;
}

void MainWindow::chooseValueColumn(int index)
{
    m_valueIndex = index - 1;
}

void MainWindow::applyModeChoice()
{
    showTypeForMode();
}

void MainWindow::showTypeForMode()
{
    if (const std::optional<NetworkMode> mode = chosen(ComboBoxModo, kNetworkModes)) {
        LabelTipo->setVisible(*mode == NetworkMode::OneMode);
        ComboBoxTipo->setVisible(*mode == NetworkMode::OneMode);
    }
}

void MainWindow::enableOptions()
{
    for (QWidget* control : optionControls())
        control->setEnabled(true);
}

void MainWindow::resetOptions()
{
    for (QComboBox* combo : {ComboBoxPriCo, ComboBoxSegCo, ComboBoxModo, ComboBoxTipo,
                             ComboBoxValor, ComboBoxSuprimir})
        combo->setCurrentIndex(-1);
    EditDesprezar->setValue(0);
    RichEditSaida->clear();
    TextResumo->clear();
    Label1->setText(kColumnsLabel + u'0');
    EditSeparador->hide();
    for (QCheckBox* box : {CheckBoxOrdem, CheckBoxSimilaridade, CheckBoxCaseSensitive,
                           CheckBoxInicio, CheckBoxFim, CheckBoxToda})
        box->setChecked(false);
    EditSimilaridade->setValue(kDefaultThreshold);
}

void MainWindow::disableOptions()
{
    EditSeparador->hide();
    for (QWidget* control : optionControls())
        control->setEnabled(false);
    resetOptions();
}

ConversionSettings MainWindow::gatherSettings() const
{
    ConversionSettings settings;
    settings.inputPath = m_analysedPath;
    settings.outputPath = EditSaida->text();
    settings.separator = m_chosenSeparator.value_or(QChar());
    settings.firstColumn = m_firstIndex;
    settings.secondColumn = m_secondIndex;
    if (!ComboBoxValor->currentText().isEmpty())
        settings.valueColumn = m_valueIndex;
    settings.mode = chosen(ComboBoxModo, kNetworkModes).value_or(NetworkMode::OneMode);
    settings.directed = chosen(ComboBoxTipo, kDirections).value_or(false);
    settings.headerLines = EditDesprezar->value();
    settings.strip.characters = stripChoiceCharacters(ComboBoxSuprimir->currentText());
    settings.strip.atStart = CheckBoxInicio->isChecked();
    settings.strip.atEnd = CheckBoxFim->isChecked();
    settings.strip.everywhere = CheckBoxToda->isChecked();
    settings.caseSensitive = CheckBoxCaseSensitive->isChecked();
    settings.sortAscending = CheckBoxOrdem->isChecked();
    settings.similarityReport = CheckBoxSimilaridade->isChecked();
    settings.similarityThreshold = EditSimilaridade->value();
    m_advanced->addTo(settings);
    return settings;
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (m_running)
        event->ignore();
    else
        QWidget::closeEvent(event);
}

void MainWindow::createNetwork()
{
    if (m_running)
        return;
    // From here on the file may be read off the window's thread: the user's input to the window
    // waits, and a request to close it, until the run ends.
    m_running = true;
    const auto ended = qScopeGuard([this] { m_running = false; });
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
        m_advanced->setQuotedFields(true);
        if (m_firstIndex < 0 || m_secondIndex < 0 || (settings.valueColumn && m_valueIndex < 0)) {
            PageControlES->setCurrentIndex(2);
            m_dialogs.inform(this, kColumnsChangedMessage);
            return;
        }
        settings = gatherSettings();
    }
    // The run works on a thread of its own: the window goes on painting itself and answering
    // (a screen reader, a request to close) while the user's input to it waits for the end.
    ProgressWindow progress(this);
    Feedback feedback(*this, progress, settings.decimalComma);
    FeedbackOnThreadOf onWindowThread(this, feedback);
    try {
        runWhileHandlingEvents([&] { runConversion(settings, onWindowThread); });
    } catch (...) {
        progress.close(); // no progress window outlives a run, nor hides its error
        throw;
    }
    progress.close();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    // While a run works, the user's input to this window is dropped (a box the run asks with is
    // a window of its own, and takes it).
    if (m_running && watched->isWidgetType() && static_cast<QWidget*>(watched)->window() == this) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::Wheel:
        case QEvent::Shortcut:
        case QEvent::ShortcutOverride:
        case QEvent::Drop:
            return true;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
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
