// SPDX-License-Identifier: MIT
#include "advanced_tab.h"

#include "attributes_dialog.h"
#include "controls.h"
#include "dialogs.h"
#include "engine/core/messages.h"
#include "engine/report/report_paths.h"

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
    const char* earlierKey; // where earlier versions kept it, in the earlier group
};
constexpr Preference kPreferences[] = {
    {"reading/quotedFields", "quotedFieldsBox", "CheckBoxAspas"},
    {"reading/decimalComma", "decimalCommaBox", "CheckBoxVirgulaDecimal"},
    {"links/merge", "mergeList", "ComboBoxRepetidas"},
    {"links/projection", "projectionList", "ComboBoxProjecao"},
    {"links/cellSeparator", "cellSeparatorEdit", "EditSeparadorCelula"},
    {"links/cooccurrence", "cooccurrenceBox", "CheckBoxCoocorrencia"},
    {"files/networkFormat", "networkFormatList", "ComboBoxFormato"},
    {"files/withoutByteOrderMark", "withoutByteOrderMarkBox", "CheckBoxSemBom"},
    {"files/reportFormat", "reportFormatList", "ComboBoxFormatoRelatorio"},
    {"files/reportWithoutAccents", "reportWithoutAccentsBox", "CheckBoxSemAcentos"},
    {"files/reportWordsInOrder", "reportWordsInOrderBox", "CheckBoxPalavrasEmOrdem"},
    {"files/reportSecondMode", "reportSecondModeBox", "CheckBoxSegundoModo"},
    {"files/suggestRenameTable", "suggestRenameTableBox", "CheckBoxSugerirTabela"},
    {"files/renameTable", "renameTableEdit", "EditTabela"},
};

// The attributes and the time column, kept by the columns' names.
const QString kAttributesKey = QStringLiteral("vertices/attributes");
const QString kSecondAttributesKey = QStringLiteral("vertices/secondAttributes");
const QString kTimeKey = QStringLiteral("links/timeColumn");

// Where earlier versions kept the preferences: each under its control's object name of the
// time in this group, a pick list by its item's place.
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
    for (QComboBox* list : findChildren<QComboBox*>()) {
        if (list != m_sheetList)
            connect(list, &QComboBox::currentIndexChanged, this, [this] { save(); });
    }
    connect(m_sheetList, &QComboBox::currentIndexChanged, this, [this] { emit sheetChanged(); });
    for (QLineEdit* box : {m_cellSeparatorEdit, m_renameTableEdit})
        connect(box, &QLineEdit::textChanged, this, [this] { save(); });
    connect(m_quotedFieldsBox, &QCheckBox::toggled, this, [this] { emit quotedFieldsChanged(); });
    connect(m_networkFormatList, &QComboBox::currentIndexChanged, this, [this] {
        const NetworkFormat from = m_format;
        m_format = format();
        emit formatChanged(from, m_format);
    });
    connect(m_renameTableButton, &QPushButton::clicked, this, [this] { chooseRenameTable(); });
    connect(m_restoreDefaultsButton, &QPushButton::clicked, this, [this] {
        restoreDefaults();
        save();
    });
    connect(m_attributesButton, &QPushButton::clicked, this, [this] { showAttributes(); });
    connect(m_attributesDialog, &AttributesDialog::changed, this, [this] {
        m_attributes = m_attributesDialog->attributes();
        m_secondAttributes = m_attributesDialog->secondAttributes();
        m_time = m_attributesDialog->time();
        save();
    });
}

void AdvancedTab::buildControls()
{
    setObjectName(QStringLiteral("advancedTab"));
    auto* leitura = group(this, "readingGroup", QStringLiteral(" Leitura "), 3, 3, 520, 42);
    // A workbook's sheet beside the two ways of reading text, which a workbook does not need.
    m_quotedFieldsBox = inGroup<QCheckBox>(leitura, "quotedFieldsBox", 11, 19, 125, 17);
    m_quotedFieldsBox->setText(QStringLiteral("Campos entre aspas"));
    m_quotedFieldsBox->setToolTip(QStringLiteral("CSV padrão (RFC 4180): separadores, aspas "
                                                 "duplicadas e quebras de linha entre aspas são "
                                                 "dados."));
    m_decimalCommaBox = inGroup<QCheckBox>(leitura, "decimalCommaBox", 140, 19, 165, 17);
    m_decimalCommaBox->setText(QStringLiteral("Pesos com vírgula decimal"));
    m_decimalCommaBox->setToolTip(QStringLiteral("1.234,5 é lido como 1234.5."));
    m_sheetLabel = inGroup<QLabel>(leitura, "sheetLabel", 312, 20, 50, 16);
    m_sheetLabel->setText(QStringLiteral("Planilha:"));
    m_sheetList = pickList(leitura, "sheetList", 362, 17, 146, QStringList());
    setSheets({});

    auto* ligacoes = group(this, "linksGroup", QStringLiteral(" Ligações "), 3, 48, 520, 86);
    m_mergeLabel = inGroup<QLabel>(ligacoes, "mergeLabel", 11, 20, 110, 16);
    m_mergeLabel->setText(QStringLiteral("Ligações repetidas:"));
    m_mergeList = pickList(ligacoes, "mergeList", 120, 17, 158, kMergeRules);
    m_projectionLabel = inGroup<QLabel>(ligacoes, "projectionLabel", 290, 20, 60, 16);
    m_projectionLabel->setText(QStringLiteral("Projeção:"));
    m_projectionList = pickList(ligacoes, "projectionList", 350, 17, 158, kProjections);
    m_cellSeparatorLabel = inGroup<QLabel>(ligacoes, "cellSeparatorLabel", 11, 45, 210, 16);
    m_cellSeparatorLabel->setText(QStringLiteral("Vários nomes por célula, separados por:"));
    m_cellSeparatorEdit = inGroup<QLineEdit>(ligacoes, "cellSeparatorEdit", 222, 42, 28, 21);
    m_cellSeparatorEdit->setMaxLength(1);
    tooltipColoured(m_cellSeparatorEdit);
    m_attributesButton = inGroup<QPushButton>(ligacoes, "attributesButton", 290, 42, 218, 21);
    m_attributesButton->setText(QStringLiteral("Atributos e tempo..."));
    m_attributesDialog = new AttributesDialog(this);
    m_cooccurrenceBox = inGroup<QCheckBox>(ligacoes, "cooccurrenceBox", 11, 66, 400, 17);
    m_cooccurrenceBox->setText(
        QStringLiteral("Coocorrência: ligar entre si os nomes da Primeira Coluna"));

    auto* arquivos = group(this, "filesGroup", QStringLiteral(" Arquivos "), 3, 137, 520, 136);
    m_networkFormatLabel = inGroup<QLabel>(arquivos, "networkFormatLabel", 11, 20, 110, 16);
    m_networkFormatLabel->setText(QStringLiteral("Formato da rede:"));
    m_networkFormatList = pickList(arquivos, "networkFormatList", 120, 17, 140, kNetworkFormats);
    m_withoutByteOrderMarkBox =
        inGroup<QCheckBox>(arquivos, "withoutByteOrderMarkBox", 290, 19, 220, 17);
    m_withoutByteOrderMarkBox->setText(QStringLiteral("Sem BOM (para igraph e networkx)"));
    m_reportFormatLabel = inGroup<QLabel>(arquivos, "reportFormatLabel", 11, 44, 110, 16);
    m_reportFormatLabel->setText(QStringLiteral("Formato do relatório:"));
    m_reportFormatList = pickList(arquivos, "reportFormatList", 120, 41, 140, kReportFormats);
    m_reportWithoutAccentsBox =
        inGroup<QCheckBox>(arquivos, "reportWithoutAccentsBox", 290, 43, 220, 17);
    m_reportWithoutAccentsBox->setText(QStringLiteral("Relatório sem acentos"));
    m_reportWordsInOrderBox =
        inGroup<QCheckBox>(arquivos, "reportWordsInOrderBox", 11, 66, 270, 17);
    m_reportWordsInOrderBox->setText(QStringLiteral("Relatório com as palavras em ordem"));
    m_reportSecondModeBox = inGroup<QCheckBox>(arquivos, "reportSecondModeBox", 290, 66, 220, 17);
    m_reportSecondModeBox->setText(QStringLiteral("Relatório também do segundo modo"));
    m_suggestRenameTableBox =
        inGroup<QCheckBox>(arquivos, "suggestRenameTableBox", 11, 88, 270, 17);
    m_suggestRenameTableBox->setText(QStringLiteral("Sugerir tabela de nomes"));
    m_renameTableButton = inGroup<QPushButton>(arquivos, "renameTableButton", 11, 109, 105, 20);
    m_renameTableButton->setText(QStringLiteral("Tabela de nomes..."));
    m_renameTableEdit = inGroup<QLineEdit>(arquivos, "renameTableEdit", 120, 109, 270, 21);
    tooltipColoured(m_renameTableEdit);
    m_restoreDefaultsButton =
        inGroup<QPushButton>(arquivos, "restoreDefaultsButton", 398, 109, 110, 20);
    m_restoreDefaultsButton->setText(QStringLiteral("Restaurar padrões"));
    restoreDefaults();
}

void AdvancedTab::nameControlsForScreenReaders()
{
    const std::pair<QLabel*, QWidget*> labelled[] = {
        {m_sheetLabel, m_sheetList},
        {m_mergeLabel, m_mergeList},
        {m_projectionLabel, m_projectionList},
        {m_cellSeparatorLabel, m_cellSeparatorEdit},
        {m_networkFormatLabel, m_networkFormatList},
        {m_reportFormatLabel, m_reportFormatList},
    };
    for (const auto& [label, control] : labelled)
        nameByLabel(label, control);
    m_renameTableEdit->setAccessibleName(QStringLiteral("Tabela de nomes"));
}

bool AdvancedTab::quotedFields() const
{
    return m_quotedFieldsBox->isChecked();
}

void AdvancedTab::setQuotedFields(bool quoted)
{
    m_quotedFieldsBox->setChecked(quoted);
}

NetworkFormat AdvancedTab::format() const
{
    return chosen(m_networkFormatList, kNetworkFormats).value_or(NetworkFormat::Pajek);
}

void AdvancedTab::addTo(ConversionSettings& s) const
{
    s.quotedFields = m_quotedFieldsBox->isChecked();
    s.decimalComma = m_decimalCommaBox->isChecked();
    s.merge = chosen(m_mergeList, kMergeRules).value_or(MergeRule::None);
    if (!m_cellSeparatorEdit->text().isEmpty())
        s.cellSeparator = m_cellSeparatorEdit->text().front();
    s.cooccur = m_cooccurrenceBox->isChecked();
    s.projection = chosen(m_projectionList, kProjections).value_or(Projection::None);
    s.format = format();
    s.byteOrderMark = !m_withoutByteOrderMarkBox->isChecked();
    if (s.similarityReport) {
        s.reportFormat = chosen(m_reportFormatList, kReportFormats).value_or(ReportFormat::Rtf);
        s.foldAccents = m_reportWithoutAccentsBox->isChecked();
        s.tokenSort = m_reportWordsInOrderBox->isChecked();
        s.reportBothModes = m_reportSecondModeBox->isChecked();
        if (m_suggestRenameTableBox->isChecked())
            s.suggestRenamesPath = suggestedTablePath(s.outputPath);
    }
    s.renamePath = m_renameTableEdit->text();
    // In the columns' order, as the command line takes them in the order given.
    for (qint32 column = 0; column < m_columns.size(); ++column) {
        if (m_attributes.contains(m_columns[column]))
            s.attributeColumns.push_back(column);
        if (s.mode == NetworkMode::TwoMode && m_secondAttributes.contains(m_columns[column]))
            s.secondAttributeColumns.push_back(column);
    }
    if (const qint32 time = columnOf(m_time); time >= 0)
        s.timeColumn = time;
}

qint32 AdvancedTab::columnOf(const QString& name) const
{
    return name.isEmpty() ? -1 : qint32(m_columns.indexOf(name));
}

void AdvancedTab::setColumns(const QStringList& names)
{
    m_columns.clear();
    for (qsizetype c = 0; c < names.size(); ++c)
        m_columns << (names[c].isEmpty() ? messages::columnName(qint32(c + 1)) : names[c]);
    if (m_attributesDialog->isVisible())
        showAttributes();
}

void AdvancedTab::setTwoMode(bool twoMode)
{
    m_twoMode = twoMode;
    m_attributesDialog->setTwoMode(twoMode);
}

void AdvancedTab::showAttributes()
{
    m_attributesDialog->showColumns(m_columns, m_attributes, m_secondAttributes, m_time, m_twoMode);
}

void AdvancedTab::chooseRenameTable()
{
    const QString path = m_dialogs.openDataFile(this, m_renameTableEdit->text());
    if (!path.isEmpty())
        m_renameTableEdit->setText(path);
}

void AdvancedTab::setSheets(const QStringList& names)
{
    const QSignalBlocker quiet(m_sheetList);
    m_sheetList->clear();
    m_sheetList->addItems(names);
    m_sheetList->setCurrentIndex(names.isEmpty() ? -1 : 0);
    m_sheetLabel->setEnabled(!names.isEmpty());
    m_sheetList->setEnabled(!names.isEmpty());
}

QString AdvancedTab::sheet() const
{
    return m_sheetList->currentText();
}

void AdvancedTab::restoreDefaults()
{
    for (QCheckBox* box : findChildren<QCheckBox*>())
        box->setChecked(false);
    // The sheet is the workbook's, not a preference.
    for (QComboBox* list : findChildren<QComboBox*>()) {
        if (list != m_sheetList)
            list->setCurrentIndex(0);
    }
    m_cellSeparatorEdit->clear();
    m_renameTableEdit->clear();
    m_attributes.clear();
    m_secondAttributes.clear();
    m_time.clear();
    if (m_attributesDialog->isVisible())
        showAttributes();
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
    m_attributes = settings.value(kAttributesKey).toStringList();
    m_secondAttributes = settings.value(kSecondAttributesKey).toStringList();
    m_time = settings.value(kTimeKey).toString();
    m_format = format();
}

void AdvancedTab::rewriteEarlierPreferences(QSettings& settings) const
{
    settings.beginGroup(kEarlierGroup);
    QList<std::pair<QString, QVariant>> values;
    for (const Preference& preference : kPreferences) {
        const QString earlierKey = QLatin1StringView(preference.earlierKey);
        if (!settings.contains(earlierKey))
            continue;
        QVariant value = settings.value(earlierKey);
        if (const auto* list = findChild<QComboBox*>(QLatin1StringView(preference.control)))
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
    settings.setValue(kAttributesKey, m_attributes);
    settings.setValue(kSecondAttributesKey, m_secondAttributes);
    settings.setValue(kTimeKey, m_time);
}

} // namespace urdiva::ui
