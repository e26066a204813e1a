// SPDX-License-Identifier: MIT
#pragma once

#include "engine/core/conversion_settings.h"

#include <QStringList>
#include <QWidget>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;
class QTextEdit;
class QThread;

namespace urdiva::ui {

class AdvancedTab;
class Dialogs;
class LinesView;

// The main window: the data file and the output name, the separator, the preview, the options,
// the output pane, and "Criar .net", which gathers the settings and runs the conversion.
class MainWindow : public QWidget {
    Q_OBJECT
public:
    explicit MainWindow(Dialogs& dialogs, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The window that "Info" brings up.
    void setInfoWindow(QWidget* info) { m_info = info; }
    // What runs at the end of the window's first showing (the update check).
    void setStartupCheck(std::function<void()> check) { m_startupCheck = std::move(check); }

    // Chooses a data file as "Entrada..." does; for a file given on the command line, once the
    // window is shown.
    void openFile(const QString& path);

    // Runs a handler; an error that leaves it is reported in the error box.
    void guarded(const std::function<void()>& handler);

    // The settings a run would get now.
    ConversionSettings gatherSettings() const;

    // The values the window keeps between actions.
    QString analysedPath() const { return m_analysedPath; }
    std::optional<QChar> chosenSeparator() const { return m_chosenSeparator; }
    int firstIndex() const { return m_firstIndex; }
    int secondIndex() const { return m_secondIndex; }
    int valueIndex() const { return m_valueIndex; }

signals:
    // Each stage text of a run, once the progress window shows it.
    void stageShown(const QString& text);

protected:
    void showEvent(QShowEvent* event) override;
    // While a run works, the window stays: the progress box lets pending window events through
    // (a request to close among them), which the window answers only once the run has ended.
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    class Feedback;

    void buildControls();
    void nameControlsForScreenReaders();

    void prepareFirstShow();
    void chooseInputFile();
    void chooseInput(const QString& path);
    void clearSeparatorChoice();
    void chooseOutputFolder();
    void applySeparatorChoice();
    void applyOtherSeparator();
    // Fills `names` from the first record of the analysed file; the separators found in it.
    qsizetype readColumns(QStringList& names) const;
    void relistColumns();
    void showRunNotes(const QStringList& warnings, const QString& summary);
    void showCreateButtonOnOutputTab();
    void chooseFirstColumn(int index);
    void chooseSecondColumn(int index);
    void chooseValueColumn(int index);
    void applyModeChoice();
    void createNetwork();
    void showInfoWindow();

    void enableOptions();
    void resetOptions();
    void disableOptions();
    void loadPreview();
    void countLines();
    void stopCounting();
    static void highlightAll(QTextEdit* pane, const QString& text, const QColor& colour);
    QList<QWidget*> optionControls() const;
    void showTypeForMode();

    Dialogs& m_dialogs;
    QWidget* m_info = nullptr;
    std::function<void()> m_startupCheck;
    bool m_shown = false;
    bool m_running = false;

    // Values kept between actions.
    QString m_analysedPath;
    std::optional<QChar> m_chosenSeparator;
    int m_firstIndex = 0;
    int m_secondIndex = 0;
    int m_valueIndex = 0;
    QStringList m_columnNames; // as the pick lists show them
    QString m_dialogFile; // the file last chosen in the open dialog, which the preview shows
    QString m_countedPath; // whose lines are counted, or being counted
    std::shared_ptr<std::atomic<bool>> m_stopCounting = std::make_shared<std::atomic<bool>>(false);
    std::unique_ptr<QThread> m_counting;

    QGroupBox* GroupBoxArquivo;
    QPushButton* ButtonEntrada;
    QLineEdit* EditEntrada;
    QPushButton* ButtonSaida;
    QLineEdit* EditSaida;
    QGroupBox* RadioGroupSeparador;
    QButtonGroup* m_separatorItems;
    QLineEdit* EditSeparador;
    QTabWidget* PageControlES;
    QTextEdit* RichEditEntrada;
    QLabel* Label3;
    QLabel* Label1;
    QComboBox* ComboBoxSuprimir;
    QCheckBox* CheckBoxInicio;
    QCheckBox* CheckBoxFim;
    QCheckBox* CheckBoxToda;
    QCheckBox* CheckBoxOrdem;
    QCheckBox* CheckBoxCaseSensitive;
    QCheckBox* CheckBoxSimilaridade;
    QSpinBox* EditSimilaridade;
    QLabel* Label2;
    QLabel* LabelPriCo;
    QComboBox* ComboBoxPriCo;
    QLabel* LabelSegCo;
    QComboBox* ComboBoxSegCo;
    QLabel* LabelValor;
    QComboBox* ComboBoxValor;
    QLabel* LabelModo;
    QComboBox* ComboBoxModo;
    QLabel* LabelTipo;
    QComboBox* ComboBoxTipo;
    QLabel* LabelDesprezar;
    QSpinBox* EditDesprezar;
    LinesView* RichEditSaida;
    QTextEdit* RichEditSimilaridade;
    AdvancedTab* m_advanced;
    QTextEdit* TextResumo;
    QPushButton* ButtonInfo;
    QPushButton* ButtonTXT;
};

} // namespace urdiva::ui
