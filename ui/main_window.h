// SPDX-License-Identifier: MIT
#pragma once

#include "engine/core/conversion_settings.h"
#include "engine/io/input_preview.h"
#include "main_window_controls.h"
#include "settings_form.h"

#include <QStringList>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>


namespace urdiva::ui {

class Dialogs;
class InputHold;
class LineCount;

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
    int firstIndex() const { return m_columns.first; }
    int secondIndex() const { return m_columns.second; }
    int valueIndex() const { return m_columns.value; }

signals:
    // Each stage text of a run, once the progress window shows it.
    void stageShown(const QString& text);

protected:
    void showEvent(QShowEvent* event) override;
    // While a run works, the window stays: the progress box lets pending window events through
    // (a request to close among them), which the window answers only once the run has ended.
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void chooseInputFile();
    void chooseInput(const QString& path);
    void clearSeparatorChoice();
    void chooseOutputFolder();
    void applySeparatorChoice();
    // Reads the analysed file with the separator chosen (none yet unless `separatorKnown`): the
    // preview, the columns, the options.
    void analyse(bool separatorKnown);
    // The sheet of the workbook chosen; empty for a text file.
    QString sheet() const;
    FirstRecordColumns columnsNow() const;
    void applyOtherSeparator();
    // Shows the analysed file's columns in the pick lists, each choice kept where its column is
    // still there.
    void relistColumns();
    void showTypeForMode();
    void createNetwork();
    void showInfoWindow();

    void enableOptions();
    void disableOptions();
    void loadPreview();
    // Runs `work` off the window's thread, the user's input to the window waiting meanwhile.
    void whileBusy(const std::function<void()>& work);

    Dialogs& m_dialogs;
    MainWindowControls m_controls;
    InputHold* m_input;
    LineCount* m_lineCount;
    QWidget* m_info = nullptr;
    std::function<void()> m_startupCheck;
    bool m_shown = false;

    // Values kept between actions.
    QString m_analysedPath;
    std::optional<QChar> m_chosenSeparator;
    ColumnChoice m_columns;
    QStringList m_columnNames; // as the pick lists show them
    QString m_dialogFile; // the file last chosen in the open dialog, which the preview shows
};

} // namespace urdiva::ui
