// SPDX-License-Identifier: MIT
#pragma once

#include <QList>
#include <QString>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QTextEdit;
class QWidget;

namespace urdiva::ui {

class AdvancedTab;
class Dialogs;
class LinesView;

// The separator items, in the order the window shows them (their ids in the button group).
enum class SeparatorItem { Semicolon, Tab, Comma, Other };

// The tabs, in the order the window shows them.
enum class MainTab { Input, Settings, Output, Advanced };

// The main window's controls, at the places in pixels of the form they were drawn on, each
// named for screen readers. The window builds them once and owns them through Qt's parents.
struct MainWindowControls {
    // Builds the controls on `window` (which gets its title, size and font), the options
    // disabled and "Criar .net" hidden until a separator is chosen.
    void build(QWidget* window, Dialogs& dialogs);
    // The options that a separator choice enables. The "Avançado" tab's preferences stay
    // enabled: they can be reviewed and set back without a file.
    QList<QWidget*> options() const;

    QPushButton* inputButton;
    QLineEdit* inputPathEdit;
    QPushButton* outputButton;
    QLineEdit* outputPathEdit;
    QGroupBox* separatorGroup;
    QButtonGroup* separatorItems;
    QLineEdit* otherSeparatorEdit;
    QTabWidget* tabs;
    QTextEdit* previewPane;
    QLabel* lineCountLabel;
    QLabel* columnCountLabel;
    QComboBox* stripCharacterList;
    QCheckBox* stripAtStartBox;
    QCheckBox* stripAtEndBox;
    QCheckBox* stripEverywhereBox;
    QCheckBox* sortAscendingBox;
    QCheckBox* caseSensitiveBox;
    QCheckBox* similarityReportBox;
    QSpinBox* similarityThresholdBox;
    QLabel* firstColumnLabel;
    QComboBox* firstColumnList;
    QLabel* secondColumnLabel;
    QComboBox* secondColumnList;
    QLabel* valueColumnLabel;
    QComboBox* valueColumnList;
    QLabel* modeLabel;
    QComboBox* modeList;
    QLabel* directionLabel;
    QComboBox* directionList;
    QLabel* headerLinesLabel;
    QSpinBox* headerLinesBox;
    LinesView* networkPane;
    AdvancedTab* advancedTab;
    QTextEdit* summaryPane;
    QPushButton* infoButton;
    QPushButton* createButton;

private:
    void buildFileGroups(QWidget* window);
    void buildInputTab(QWidget* tab);
    void buildSettingsTab(QWidget* tab);
    void buildOutputTab(QWidget* tab);
    void nameForScreenReaders();
};

// The captions of the two counts under the preview, before their numbers.
inline const QString kLineCountCaption = QStringLiteral("Quantidade de linhas do arquivo: ");
inline const QString kColumnCountCaption = QStringLiteral("Quantidade de colunas encontradas: ");

} // namespace urdiva::ui
