// SPDX-License-Identifier: MIT
#pragma once

#include "engine/core/conversion_settings.h"

#include <QList>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSettings;

namespace urdiva::ui {

class Dialogs;

// The "Avançado" tab: the options of the command line that the other tabs lack, in three groups
// (reading the file, links, files written). Their values are the user's preferences: remembered
// between sessions, kept when another file is chosen, set back by "Restaurar padrões".
class AdvancedTab : public QWidget {
    Q_OBJECT
public:
    AdvancedTab(Dialogs& dialogs, QWidget* parent = nullptr);

    // Adds the tab's options to settings whose other fields are set: the report's choices only
    // when a report is asked for (a preference for its format is not a report), the suggested
    // table beside the network.
    void addTo(ConversionSettings& settings) const;

    bool quotedFields() const;
    void setQuotedFields(bool quoted);
    NetworkFormat format() const;
    // The sheets of the workbook chosen, the first picked; none (the list disabled) for a text
    // file.
    void setSheets(const QStringList& names);
    // The sheet picked; empty for a text file.
    QString sheet() const;
    void restoreDefaults();

signals:
    void quotedFieldsChanged();
    void sheetChanged();
    void formatChanged(urdiva::NetworkFormat from, urdiva::NetworkFormat to);

private:
    void buildControls();
    void nameControlsForScreenReaders();
    void chooseRenameTable();
    void load();
    // Preferences kept by an earlier version, read once and kept again under today's keys.
    void rewriteEarlierPreferences(QSettings& settings) const;
    void save() const;

    Dialogs& m_dialogs;
    NetworkFormat m_format = NetworkFormat::Pajek;

    QCheckBox* m_quotedFieldsBox;
    QCheckBox* m_decimalCommaBox;
    QLabel* m_sheetLabel;
    QComboBox* m_sheetList;
    QLabel* m_mergeLabel;
    QComboBox* m_mergeList;
    QLabel* m_projectionLabel;
    QComboBox* m_projectionList;
    QLabel* m_cellSeparatorLabel;
    QLineEdit* m_cellSeparatorEdit;
    QCheckBox* m_cooccurrenceBox;
    QLabel* m_networkFormatLabel;
    QComboBox* m_networkFormatList;
    QCheckBox* m_withoutByteOrderMarkBox;
    QLabel* m_reportFormatLabel;
    QComboBox* m_reportFormatList;
    QCheckBox* m_reportWithoutAccentsBox;
    QCheckBox* m_reportWordsInOrderBox;
    QCheckBox* m_reportSecondModeBox;
    QCheckBox* m_suggestRenameTableBox;
    QPushButton* m_renameTableButton;
    QLineEdit* m_renameTableEdit;
    QPushButton* m_restoreDefaultsButton;
};

} // namespace urdiva::ui
