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

class AttributesDialog;
class Dialogs;

// The "Avançado" tab: the options of the command line that the other tabs lack, in three groups
// (reading the file, links, files written), and the vertex attributes and the time column in a
// view of their own ("Atributos e tempo..."). Their values are the user's preferences: remembered
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
    // The columns of the file chosen, by name, which attributes and times are chosen from (kept
    // by name); and whether the network is two-mode, which gives the second mode attributes.
    void setColumns(const QStringList& names);
    void setTwoMode(bool twoMode);
    void restoreDefaults();

signals:
    void quotedFieldsChanged();
    void sheetChanged();
    void formatChanged(urdiva::NetworkFormat from, urdiva::NetworkFormat to);

private:
    void buildControls();
    void nameControlsForScreenReaders();
    void chooseRenameTable();
    void showAttributes();
    // The column's index among the file's columns, by its name; -1 if it has none.
    qint32 columnOf(const QString& name) const;
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
    QPushButton* m_attributesButton;
    AttributesDialog* m_attributesDialog;
    QStringList m_columns; // each as the view shows it: the name, or "coluna N" for none
    bool m_twoMode = false;
    QStringList m_attributes;
    QStringList m_secondAttributes;
    QString m_time;
};

} // namespace urdiva::ui
