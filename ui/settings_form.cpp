// SPDX-License-Identifier: MIT
#include "settings_form.h"

#include "advanced_tab.h"
#include "controls.h"
#include "engine/io/data_file.h"
#include "engine/io/workbook.h"
#include "engine/names/strip.h"
#include "engine/network/network_writer.h"
#include "lines_view.h"
#include "main_window_controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTextEdit>

namespace urdiva::ui {

std::optional<QChar> separatorOf(SeparatorItem item, const QString& otherText)
{
    switch (item) {
    case SeparatorItem::Semicolon:
        return u';';
    case SeparatorItem::Tab:
        return u'\t';
    case SeparatorItem::Comma:
        return u',';
    case SeparatorItem::Other:
        break;
    }
    if (otherText.isEmpty() || otherText.front().unicode() <= 0x20)
        return std::nullopt;
    return otherText.front();
}

QString withFormatExtension(const QString& path, NetworkFormat from, NetworkFormat to)
{
    const QStringView old = formatExtension(from);
    return path.endsWith(old) ? path.chopped(old.size()) + formatExtension(to).toString() : path;
}

ConversionSettings settingsFromControls(const MainWindowControls& c, const QString& analysedPath,
                                        std::optional<QChar> separator, const ColumnChoice& columns)
{
    ConversionSettings settings;
    settings.inputPath = analysedPath;
    settings.outputPath = c.outputPathEdit->text();
    settings.separator = separator.value_or(QChar());
    settings.firstColumn = columns.first;
    settings.secondColumn = columns.second;
    if (!c.valueColumnList->currentText().isEmpty())
        settings.valueColumn = columns.value;
    settings.mode = chosen(c.modeList, kNetworkModes).value_or(NetworkMode::OneMode);
    settings.directed = chosen(c.directionList, kDirections).value_or(false);
    settings.headerLines = c.headerLinesBox->value();
    settings.strip.characters = stripChoiceCharacters(c.stripCharacterList->currentText());
    settings.strip.atStart = c.stripAtStartBox->isChecked();
    settings.strip.atEnd = c.stripAtEndBox->isChecked();
    settings.strip.everywhere = c.stripEverywhereBox->isChecked();
    settings.caseSensitive = c.caseSensitiveBox->isChecked();
    settings.sortAscending = c.sortAscendingBox->isChecked();
    settings.similarityReport = c.similarityReportBox->isChecked();
    settings.similarityThreshold = c.similarityThresholdBox->value();
    c.advancedTab->addTo(settings);
    if (isWorkbookPath(analysedPath))
        settings.sheet = c.advancedTab->sheet();
    readWorkbookAsText(settings);
    return settings;
}

void listColumns(const MainWindowControls& c, const QStringList& names, const ColumnChoice& columns,
                 int valueItem)
{
    for (QComboBox* list : {c.firstColumnList, c.secondColumnList, c.valueColumnList})
        list->clear();
    c.valueColumnList->addItem(QString());
    c.firstColumnList->addItems(names);
    c.secondColumnList->addItems(names);
    c.valueColumnList->addItems(names);
    c.valueColumnList->setCurrentIndex(valueItem);
    c.secondColumnList->setCurrentIndex(columns.second);
    c.firstColumnList->setCurrentIndex(columns.first);
    c.advancedTab->setColumns(names);
}

void resetOptions(const MainWindowControls& c)
{
    for (QComboBox* list : {c.firstColumnList, c.secondColumnList, c.modeList, c.directionList,
                            c.valueColumnList, c.stripCharacterList})
        list->setCurrentIndex(-1);
    c.headerLinesBox->setValue(0);
    c.networkPane->clear();
    c.summaryPane->clear();
    c.columnCountLabel->setText(kColumnCountCaption + u'0');
    c.otherSeparatorEdit->hide();
    for (QCheckBox* box : {c.sortAscendingBox, c.similarityReportBox, c.caseSensitiveBox,
                           c.stripAtStartBox, c.stripAtEndBox, c.stripEverywhereBox})
        box->setChecked(false);
    c.similarityThresholdBox->setValue(kDefaultThreshold);
}

} // namespace urdiva::ui
