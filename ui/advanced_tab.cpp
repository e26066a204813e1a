// SPDX-License-Identifier: MIT
#include "advanced_tab.h"

#include "controls.h"
#include "dialogs.h"
#include "engine/report/report_format.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>

namespace urdiva::ui {
namespace {

// The preferences live in the user's own settings, under this group.
QSettings preferences()
{
    return QSettings(QSettings::defaultFormat(), QSettings::UserScope, QStringLiteral("Urdiva"),
                     QStringLiteral("Urdiva"));
}

const QString kGroup = QStringLiteral("Avancado/");

} // namespace

AdvancedTab::AdvancedTab(Dialogs& dialogs, QWidget* parent)
    : QWidget(parent)
    , m_dialogs(dialogs)
{
    buildControls();
    nameControlsForScreenReaders();
    load();
    for (QCheckBox* box : findChildren<QCheckBox*>())
        connect(box, &QCheckBox::toggled, this, [this] { save(); });
    for (QComboBox* list : findChildren<QComboBox*>())
        connect(list, &QComboBox::currentIndexChanged, this, [this] { save(); });
    for (QLineEdit* box : {EditSeparadorCelula, EditTabela})
        connect(box, &QLineEdit::textChanged, this, [this] { save(); });
    connect(CheckBoxAspas, &QCheckBox::toggled, this, [this] { emit quotedFieldsChanged(); });
    connect(ComboBoxFormato, &QComboBox::currentIndexChanged, this, [this] {
        const NetworkFormat from = m_format;
        m_format = format();
        emit formatChanged(from, m_format);
    });
    connect(ButtonTabela, &QPushButton::clicked, this, [this] { chooseRenameTable(); });
    connect(ButtonRestaurar, &QPushButton::clicked, this, [this] { restoreDefaults(); });
}

void AdvancedTab::buildControls()
{
    setObjectName(QStringLiteral("TabSheetAvancado"));
    auto* leitura = group(this, "GroupBoxLeitura", QStringLiteral(" Leitura "), 3, 3, 520, 42);
    CheckBoxAspas = inGroup<QCheckBox>(leitura, "CheckBoxAspas", 11, 19, 240, 17);
    CheckBoxAspas->setText(QStringLiteral("Campos entre aspas (CSV padrão)"));
    CheckBoxVirgulaDecimal =
        inGroup<QCheckBox>(leitura, "CheckBoxVirgulaDecimal", 262, 19, 250, 17);
    CheckBoxVirgulaDecimal->setText(QStringLiteral("Pesos com vírgula decimal (1.234,5)"));

    auto* ligacoes = group(this, "GroupBoxLigacoes", QStringLiteral(" Ligações "), 3, 48, 520, 86);
    LabelRepetidas = inGroup<QLabel>(ligacoes, "LabelRepetidas", 11, 20, 110, 16);
    LabelRepetidas->setText(QStringLiteral("Ligações repetidas:"));
    ComboBoxRepetidas = pickList(ligacoes, "ComboBoxRepetidas", 120, 17, 158, kMergeRules);
    LabelProjecao = inGroup<QLabel>(ligacoes, "LabelProjecao", 290, 20, 60, 16);
    LabelProjecao->setText(QStringLiteral("Projeção:"));
    ComboBoxProjecao = pickList(ligacoes, "ComboBoxProjecao", 350, 17, 158, kProjections);
    LabelSeparadorCelula = inGroup<QLabel>(ligacoes, "LabelSeparadorCelula", 11, 45, 210, 16);
    LabelSeparadorCelula->setText(QStringLiteral("Vários nomes por célula, separados por:"));
    EditSeparadorCelula = inGroup<QLineEdit>(ligacoes, "EditSeparadorCelula", 222, 42, 28, 21);
    EditSeparadorCelula->setMaxLength(1);
    tooltipColoured(EditSeparadorCelula);
    CheckBoxCoocorrencia = inGroup<QCheckBox>(ligacoes, "CheckBoxCoocorrencia", 11, 66, 400, 17);
    CheckBoxCoocorrencia->setText(
        QStringLiteral("Coocorrência: ligar entre si os nomes da Primeira Coluna"));

    auto* arquivos =
        group(this, "GroupBoxArquivos", QStringLiteral(" Arquivos "), 3, 137, 520, 136);
    LabelFormato = inGroup<QLabel>(arquivos, "LabelFormato", 11, 20, 110, 16);
    LabelFormato->setText(QStringLiteral("Formato da rede:"));
    ComboBoxFormato = pickList(arquivos, "ComboBoxFormato", 120, 17, 140, kNetworkFormats);
    CheckBoxSemBom = inGroup<QCheckBox>(arquivos, "CheckBoxSemBom", 290, 19, 220, 17);
    CheckBoxSemBom->setText(QStringLiteral("Sem BOM (para igraph e networkx)"));
    LabelFormatoRelatorio = inGroup<QLabel>(arquivos, "LabelFormatoRelatorio", 11, 44, 110, 16);
    LabelFormatoRelatorio->setText(QStringLiteral("Formato do relatório:"));
    ComboBoxFormatoRelatorio =
        pickList(arquivos, "ComboBoxFormatoRelatorio", 120, 41, 140, kReportFormats);
    CheckBoxSemAcentos = inGroup<QCheckBox>(arquivos, "CheckBoxSemAcentos", 290, 43, 220, 17);
    CheckBoxSemAcentos->setText(QStringLiteral("Relatório sem acentos"));
    CheckBoxPalavrasEmOrdem =
        inGroup<QCheckBox>(arquivos, "CheckBoxPalavrasEmOrdem", 11, 66, 270, 17);
    CheckBoxPalavrasEmOrdem->setText(QStringLiteral("Relatório com as palavras em ordem"));
    CheckBoxSegundoModo = inGroup<QCheckBox>(arquivos, "CheckBoxSegundoModo", 290, 66, 220, 17);
    CheckBoxSegundoModo->setText(QStringLiteral("Relatório também do segundo modo"));
    CheckBoxSugerirTabela = inGroup<QCheckBox>(arquivos, "CheckBoxSugerirTabela", 11, 88, 270, 17);
    CheckBoxSugerirTabela->setText(QStringLiteral("Sugerir tabela de nomes"));
    ButtonTabela = inGroup<QPushButton>(arquivos, "ButtonTabela", 11, 109, 105, 20);
    ButtonTabela->setText(QStringLiteral("Tabela de nomes..."));
    EditTabela = inGroup<QLineEdit>(arquivos, "EditTabela", 120, 109, 270, 21);
    tooltipColoured(EditTabela);
    ButtonRestaurar = inGroup<QPushButton>(arquivos, "ButtonRestaurar", 398, 109, 110, 20);
    ButtonRestaurar->setText(QStringLiteral("Restaurar padrões"));
    restoreDefaults();
}

void AdvancedTab::nameControlsForScreenReaders()
{
    const std::pair<QLabel*, QWidget*> labelled[] = {
        {LabelRepetidas, ComboBoxRepetidas},
        {LabelProjecao, ComboBoxProjecao},
        {LabelSeparadorCelula, EditSeparadorCelula},
        {LabelFormato, ComboBoxFormato},
        {LabelFormatoRelatorio, ComboBoxFormatoRelatorio},
    };
    for (const auto& [label, control] : labelled)
        nameByLabel(label, control);
    EditTabela->setAccessibleName(QStringLiteral("Tabela de nomes"));
}

bool AdvancedTab::quotedFields() const
{
    return CheckBoxAspas->isChecked();
}

void AdvancedTab::setQuotedFields(bool quoted)
{
    CheckBoxAspas->setChecked(quoted);
}

NetworkFormat AdvancedTab::format() const
{
    return chosen(ComboBoxFormato, kNetworkFormats).value_or(NetworkFormat::Pajek);
}

void AdvancedTab::addTo(ConversionSettings& s) const
{
    s.quotedFields = CheckBoxAspas->isChecked();
    s.decimalComma = CheckBoxVirgulaDecimal->isChecked();
    s.merge = chosen(ComboBoxRepetidas, kMergeRules).value_or(MergeRule::None);
    if (!EditSeparadorCelula->text().isEmpty())
        s.cellSeparator = EditSeparadorCelula->text().front();
    s.cooccur = CheckBoxCoocorrencia->isChecked();
    s.projection = chosen(ComboBoxProjecao, kProjections).value_or(Projection::None);
    s.format = format();
    s.byteOrderMark = !CheckBoxSemBom->isChecked();
    if (s.similarityReport) {
        s.reportFormat =
            chosen(ComboBoxFormatoRelatorio, kReportFormats).value_or(ReportFormat::Rtf);
        s.foldAccents = CheckBoxSemAcentos->isChecked();
        s.tokenSort = CheckBoxPalavrasEmOrdem->isChecked();
        s.reportBothModes = CheckBoxSegundoModo->isChecked();
        if (CheckBoxSugerirTabela->isChecked())
            s.suggestRenamesPath = suggestedTablePath(s.outputPath);
    }
    s.renamePath = EditTabela->text();
}

void AdvancedTab::chooseRenameTable()
{
    const QString path = m_dialogs.openDataFile(this, EditTabela->text());
    if (!path.isEmpty())
        EditTabela->setText(path);
}

void AdvancedTab::restoreDefaults()
{
    for (QCheckBox* box : findChildren<QCheckBox*>())
        box->setChecked(false);
    for (QComboBox* list : findChildren<QComboBox*>())
        list->setCurrentIndex(0);
    EditSeparadorCelula->clear();
    EditTabela->clear();
}

void AdvancedTab::load()
{
    const QSettings settings = preferences();
    for (QCheckBox* box : findChildren<QCheckBox*>())
        box->setChecked(settings.value(kGroup + box->objectName(), false).toBool());
    for (QComboBox* list : findChildren<QComboBox*>()) {
        const int index = settings.value(kGroup + list->objectName(), 0).toInt();
        list->setCurrentIndex(index >= 0 && index < list->count() ? index : 0);
    }
    for (QLineEdit* box : {EditSeparadorCelula, EditTabela})
        box->setText(settings.value(kGroup + box->objectName()).toString());
    m_format = format();
}

void AdvancedTab::save() const
{
    QSettings settings = preferences();
    for (QCheckBox* box : findChildren<QCheckBox*>())
        settings.setValue(kGroup + box->objectName(), box->isChecked());
    for (QComboBox* list : findChildren<QComboBox*>())
        settings.setValue(kGroup + list->objectName(), list->currentIndex());
    for (QLineEdit* box : {EditSeparadorCelula, EditTabela})
        settings.setValue(kGroup + box->objectName(), box->text());
}

} // namespace urdiva::ui
