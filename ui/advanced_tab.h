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
    void restoreDefaults();

signals:
    void quotedFieldsChanged();
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

    QCheckBox* CheckBoxAspas;
    QCheckBox* CheckBoxVirgulaDecimal;
    QLabel* LabelRepetidas;
    QComboBox* ComboBoxRepetidas;
    QLabel* LabelProjecao;
    QComboBox* ComboBoxProjecao;
    QLabel* LabelSeparadorCelula;
    QLineEdit* EditSeparadorCelula;
    QCheckBox* CheckBoxCoocorrencia;
    QLabel* LabelFormato;
    QComboBox* ComboBoxFormato;
    QCheckBox* CheckBoxSemBom;
    QLabel* LabelFormatoRelatorio;
    QComboBox* ComboBoxFormatoRelatorio;
    QCheckBox* CheckBoxSemAcentos;
    QCheckBox* CheckBoxPalavrasEmOrdem;
    QCheckBox* CheckBoxSegundoModo;
    QCheckBox* CheckBoxSugerirTabela;
    QPushButton* ButtonTabela;
    QLineEdit* EditTabela;
    QPushButton* ButtonRestaurar;
};

} // namespace urdiva::ui
