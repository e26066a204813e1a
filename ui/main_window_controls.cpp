// SPDX-License-Identifier: MIT
#include "main_window_controls.h"

#include "advanced_tab.h"
#include "controls.h"
#include "engine/core/choices.h"
#include "engine/core/conversion_settings.h"
#include "engine/names/strip.h"
#include "fonts.h"
#include "lines_view.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTextDocument>
#include <QTextEdit>

namespace urdiva::ui {

void MainWindowControls::build(QWidget* window, Dialogs& dialogs)
{
    window->setObjectName(QStringLiteral("mainWindow"));
    window->setWindowTitle(QStringLiteral("Urdiva"));
    window->setFixedSize(556, 502);
    window->setFont(dialogFont());
    window->setAcceptDrops(true);
    buildFileGroups(window);

    tabs = make<QTabWidget>(window, "tabs", 9, 155, 539, 304);
    const std::pair<const char*, QString> pages[] = {
        {"inputTab", QStringLiteral("Entrada")},
        {"settingsTab", QStringLiteral("Configurações")},
        {"outputTab", QStringLiteral("Saída")},
    };
    for (const auto& [name, caption] : pages) {
        auto* page = new QWidget;
        page->setObjectName(QString::fromLatin1(name));
        tabs->addTab(page, caption);
    }
    buildInputTab(tabs->widget(int(MainTab::Input)));
    buildSettingsTab(tabs->widget(int(MainTab::Settings)));
    buildOutputTab(tabs->widget(int(MainTab::Output)));
    advancedTab = new AdvancedTab(dialogs);
    tabs->addTab(advancedTab, QStringLiteral("Avançado"));

    infoButton = make<QPushButton>(window, "infoButton", 8, 469, 80, 25);
    infoButton->setText(QStringLiteral("Info"));
    // What the last run did and noticed, between the two buttons, where the user looks for the
    // outcome: the summary first, always in view, then the warnings, which a scroll bar reaches
    // when they do not fit.
    summaryPane = make<QTextEdit>(window, "summaryPane", 94, 465, 318, 34);
    summaryPane->setReadOnly(true);
    summaryPane->setAcceptRichText(false);
    summaryPane->setFrameShape(QFrame::NoFrame);
    summaryPane->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    summaryPane->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    summaryPane->viewport()->setAutoFillBackground(false);
    summaryPane->document()->setDocumentMargin(1);
    createButton = make<QPushButton>(window, "createButton", 418, 469, 129, 25);
    createButton->setText(QStringLiteral("Criar .net"));
    createButton->setFont(boldDialogFont());

    nameForScreenReaders();
    for (QWidget* control : options())
        control->setEnabled(false);
    createButton->hide();
}

void MainWindowControls::buildFileGroups(QWidget* window)
{
    auto* files = group(window, "fileGroup", QStringLiteral(" Arquivo "), 8, 8, 537, 84);
    inputButton = inGroup<QPushButton>(files, "inputButton", 9, 24, 80, 20);
    inputButton->setText(QStringLiteral("Entrada..."));
    inputPathEdit = inGroup<QLineEdit>(files, "inputPathEdit", 92, 24, 434, 21);
    tooltipColoured(inputPathEdit);
    outputButton = inGroup<QPushButton>(files, "outputButton", 9, 53, 80, 20);
    outputButton->setText(QStringLiteral("Saída..."));
    outputPathEdit = inGroup<QLineEdit>(files, "outputPathEdit", 92, 53, 434, 21);
    tooltipColoured(outputPathEdit);

    separatorGroup = group(window, "separatorGroup", QStringLiteral(" Separador "), 8, 95, 537, 54);
    separatorItems = new QButtonGroup(window);
    const std::pair<const char*, QString> items[] = {
        {"semicolonItem", QStringLiteral("ponto e vírgula")},
        {"tabItem", QStringLiteral("tab")},
        {"commaItem", QStringLiteral("vírgula")},
        {"otherItem", QStringLiteral("outro")},
    };
    for (int k = 0; k < 4; ++k) {
        auto* item =
            inGroup<QRadioButton>(separatorGroup, items[k].first, 11 + 130 * k, 22, 124, 20);
        item->setText(items[k].second);
        separatorItems->addButton(item, k);
    }
    separatorGroup->setEnabled(false);
    otherSeparatorEdit = make<QLineEdit>(window, "otherSeparatorEdit", 463, 116, 28, 21);
    otherSeparatorEdit->setMaxLength(1);
    tooltipColoured(otherSeparatorEdit);
    otherSeparatorEdit->hide();
}

void MainWindowControls::buildInputTab(QWidget* tab)
{
    auto* preview = group(tab, "previewGroup", QStringLiteral(" Preview "), 3, 3, 520, 205);
    previewPane = inGroup<QTextEdit>(preview, "previewPane", 11, 23, 498, 169);
    previewPane->setReadOnly(true);
    previewPane->setAcceptRichText(false);
    previewPane->setLineWrapMode(QTextEdit::NoWrap);
    previewPane->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    previewPane->setFont(monospaceFont(10));
    tooltipColoured(previewPane);
    auto* info = group(tab, "fileInfoGroup", QStringLiteral(" Informações "), 3, 213, 519, 55);
    lineCountLabel = inGroup<QLabel>(info, "lineCountLabel", 11, 28, 300, 16);
    lineCountLabel->setTextFormat(Qt::PlainText);
    lineCountLabel->setText(kLineCountCaption + u'0');
    columnCountLabel = inGroup<QLabel>(info, "columnCountLabel", 207, 28, 300, 16);
    columnCountLabel->setTextFormat(Qt::PlainText);
    columnCountLabel->setAlignment(Qt::AlignRight | Qt::AlignTop);
    columnCountLabel->setText(kColumnCountCaption + u'0');
}

void MainWindowControls::buildSettingsTab(QWidget* tab)
{
    auto* strip = group(tab, "stripGroup", QStringLiteral(" Suprimir caractere "), 3, 3, 520, 56);
    QStringList characters;
    for (const StripChoice& choice : kStripChoices)
        characters << QStringView(choice.item).toString();
    stripCharacterList = pickList(strip, "stripCharacterList", 11, 24, 137, characters);
    stripCharacterList->setFont(dialogFont());
    stripAtStartBox =
        checkBox(strip, "stripAtStartBox", QStringLiteral("No início da string"), 171, 27, 120);
    stripAtEndBox =
        checkBox(strip, "stripAtEndBox", QStringLiteral("No final da string"), 297, 27, 115);
    stripEverywhereBox =
        checkBox(strip, "stripEverywhereBox", QStringLiteral("Em toda a string"), 416, 27, 100);
    for (QCheckBox* box : {stripAtStartBox, stripAtEndBox, stripEverywhereBox})
        box->setFont(dialogFont());
    sortAscendingBox = checkBox(tab, "sortAscendingBox",
                                QStringLiteral("Classificar do menor para o maior"), 14, 87, 300);
    caseSensitiveBox =
        checkBox(tab, "caseSensitiveBox", QStringLiteral("CASE SENSITIVE "), 14, 133, 200);
    similarityReportBox = checkBox(
        tab, "similarityReportBox",
        QStringLiteral("Gerar relatório de vértices similares - taxa de similaridade maior ou "
                       "igual a a"),
        14, 179, 361);
    similarityThresholdBox = numberBox(tab, "similarityThresholdBox", 376, 178, 36, kLeastThreshold,
                                       kMostThreshold, kDefaultThreshold);
    label(tab, "percentLabel", QStringLiteral("%"), 430, 181, 20);
}

void MainWindowControls::buildOutputTab(QWidget* tab)
{
    auto* options = group(tab, "optionsGroup", QStringLiteral(" Opções "), 3, 3, 520, 121);
    firstColumnLabel =
        label(options, "firstColumnLabel", QStringLiteral("Primeira Coluna:"), 11, 24);
    firstColumnList = pickList(options, "firstColumnList", 11, 40, 145, {});
    secondColumnLabel =
        label(options, "secondColumnLabel", QStringLiteral("Segunda Coluna:"), 190, 24);
    secondColumnList = pickList(options, "secondColumnList", 190, 40, 145, {});
    valueColumnLabel =
        label(options, "valueColumnLabel", QStringLiteral("Coluna de Valor:"), 362, 24);
    valueColumnList = pickList(options, "valueColumnList", 363, 40, 145, {});
    modeLabel = label(options, "modeLabel", QStringLiteral("Modo da Rede:"), 11, 72);
    modeList = pickList(options, "modeList", 11, 88, 145, kNetworkModes);
    directionLabel = label(options, "directionLabel", QStringLiteral("Tipo da Rede:"), 191, 72);
    directionList = pickList(options, "directionList", 191, 88, 145, kDirections);
    headerLinesLabel =
        label(options, "headerLinesLabel", QStringLiteral("Ignorar Cabeçalho:"), 362, 72);
    headerLinesBox = numberBox(options, "headerLinesBox", 362, 88, 69, 0, kMostHeaderLines, 0);
    tooltipColoured(headerLinesBox);
    for (QWidget* w : options->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        w->setFont(dialogFont());

    auto* output = group(tab, "outputGroup", QStringLiteral(" Saída "), 6, 132, 517, 137);
    networkPane = inGroup<LinesView>(output, "networkPane", 11, 23, 494, 105);
    networkPane->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    networkPane->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    tooltipColoured(networkPane);
    // Always hidden: the run writes the report file itself, never through this pane.
    inGroup<QTextEdit>(output, "reportPane", 120, 31, 361, 89)->hide();
}

void MainWindowControls::nameForScreenReaders()
{
    // A control without a name of its own would be read by the caption of the group around it,
    // or not at all: each gets its label's text, or what its place means.
    const std::pair<QLabel*, QWidget*> labelled[] = {
        {firstColumnLabel, firstColumnList}, {secondColumnLabel, secondColumnList},
        {valueColumnLabel, valueColumnList}, {modeLabel, modeList},
        {directionLabel, directionList},     {headerLinesLabel, headerLinesBox},
    };
    for (const auto& [label, control] : labelled)
        nameByLabel(label, control);
    inputPathEdit->setAccessibleName(QStringLiteral("Entrada"));
    outputPathEdit->setAccessibleName(QStringLiteral("Saída"));
    otherSeparatorEdit->setAccessibleName(QStringLiteral("Outro separador"));
    previewPane->setAccessibleName(QStringLiteral("Primeiras linhas da entrada"));
    stripCharacterList->setAccessibleName(QStringLiteral("Caractere a suprimir"));
    similarityThresholdBox->setAccessibleName(QStringLiteral("Taxa de similaridade (%)"));
    networkPane->setAccessibleName(QStringLiteral("Rede gerada"));
    summaryPane->setAccessibleName(QStringLiteral("Resumo da conversão"));
}

QList<QWidget*> MainWindowControls::options() const
{
    // Each number box carries its own spinner.
    return QList<QWidget*> {firstColumnLabel,       secondColumnLabel, modeLabel,
                            directionLabel,         valueColumnLabel,  headerLinesLabel,
                            firstColumnList,        secondColumnList,  modeList,
                            directionList,          valueColumnList,   headerLinesBox,
                            stripCharacterList,     stripAtStartBox,   stripAtEndBox,
                            stripEverywhereBox,     sortAscendingBox,  similarityReportBox,
                            similarityThresholdBox, caseSensitiveBox,  createButton};
}

} // namespace urdiva::ui
