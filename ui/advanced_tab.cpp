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

// Each preference by the key it is kept under: explicit, so that renaming a control or
// reordering a choice never changes what is read back; a choice is kept by its word.
struct Preference {
    const char* key;
    const char* control; // the control's object name
};
constexpr Preference kPreferences[] = {
    {"reading/quotedFields", "CheckBoxAspas"},
    {"reading/decimalComma", "CheckBoxVirgulaDecimal"},
    {"links/merge", "ComboBoxRepetidas"},
    {"links/projection", "ComboBoxProjecao"},
    {"links/cellSeparator", "EditSeparadorCelula"},
    {"links/cooccurrence", "CheckBoxCoocorrencia"},
    {"files/networkFormat", "ComboBoxFormato"},
    {"files/withoutByteOrderMark", "CheckBoxSemBom"},
    {"files/reportFormat", "ComboBoxFormatoRelatorio"},
    {"files/reportWithoutAccents", "CheckBoxSemAcentos"},
    {"files/reportWordsInOrder", "CheckBoxPalavrasEmOrdem"},
    {"files/reportSecondMode", "CheckBoxSegundoModo"},
    {"files/suggestRenameTable", "CheckBoxSugerirTabela"},
    {"files/renameTable", "EditTabela"},
};

// Where earlier versions kept the preferences: each control's object name in this group, a
// pick list by its item's place.
const QString kEarlierGroup = QStringLiteral("Avancado");

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
    QSettings settings = preferences();
    if (settings.childGroups().contains(kEarlierGroup))
        rewriteEarlierPreferences(settings);
    for (const Preference& preference : kPreferences) {
        QWidget* control = findChild<QWidget*>(QLatin1StringView(preference.control));
        const QVariant value = settings.value(QLatin1StringView(preference.key));
        if (auto* box = qobject_cast<QCheckBox*>(control)) {
            box->setChecked(value.toBool());
        } else if (auto* list = qobject_cast<QComboBox*>(control)) {
            list->setCurrentIndex(std::max(0, list->findData(value.toString())));
        } else if (auto* text = qobject_cast<QLineEdit*>(control)) {
            text->setText(value.toString());
        }
    }
    m_format = format();
}

void AdvancedTab::rewriteEarlierPreferences(QSettings& settings) const
{
    settings.beginGroup(kEarlierGroup);
    QList<std::pair<QString, QVariant>> values;
    for (const Preference& preference : kPreferences) {
        const QString control = QLatin1StringView(preference.control);
        if (!settings.contains(control))
            continue;
        QVariant value = settings.value(control);
        if (const auto* list = findChild<QComboBox*>(control))
            value = list->itemData(value.toInt());
        values.emplace_back(QLatin1StringView(preference.key), value);
    }
    settings.endGroup();
    settings.remove(kEarlierGroup);
    for (const auto& [key, value] : values)
        settings.setValue(key, value);
}

void AdvancedTab::save() const
{
    QSettings settings = preferences();
    for (const Preference& preference : kPreferences) {
        const QWidget* control = findChild<QWidget*>(QLatin1StringView(preference.control));
        const QString key = QLatin1StringView(preference.key);
        if (const auto* box = qobject_cast<const QCheckBox*>(control))
            settings.setValue(key, box->isChecked());
        else if (const auto* list = qobject_cast<const QComboBox*>(control))
            settings.setValue(key, list->currentData());
        else if (const auto* text = qobject_cast<const QLineEdit*>(control))
            settings.setValue(key, text->text());
    }
}

} // namespace urdiva::ui
