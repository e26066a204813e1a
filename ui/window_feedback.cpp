// SPDX-License-Identifier: MIT
#include "window_feedback.h"

#include "dialogs.h"
#include "engine/core/run_summary_text.h"
#include "lines_view.h"
#include "progress_window.h"

#include <QDir>
#include <QTextCursor>
#include <QTextEdit>

namespace urdiva::ui {
namespace {

// How the window names the options that the run's warnings suggest.
const QString kQuotesOption = QStringLiteral("\"Campos entre aspas\" na aba Avançado");
const QString kDecimalCommaOption = QStringLiteral("\"Pesos com vírgula decimal\" na aba Avançado");

// A run that ended without writing, to keep a file the user did not agree to replace.
QString keptFileText(const QString& path)
{
    return QStringLiteral("Nada foi gravado: o arquivo \"%1\" já existe e foi mantido.")
        .arg(QDir::toNativeSeparators(path));
}

} // namespace

void showRunNotes(QTextEdit& pane, const QStringList& warnings, const QString& summary)
{
    pane.clear();
    QTextCursor cursor(pane.document());
    QTextCharFormat warning;
    warning.setForeground(QColor(0xB0, 0, 0));
    warning.setFontWeight(QFont::Bold);
    cursor.insertText(summary, QTextCharFormat());
    for (const QString& text : warnings) {
        cursor.insertBlock();
        cursor.insertText(QStringLiteral("Aviso: ") + text, warning);
    }
    pane.moveCursor(QTextCursor::Start);
}

WindowFeedback::WindowFeedback(QWidget& window, Dialogs& dialogs, ProgressWindow& progress,
                               Panes panes, bool decimalComma,
                               std::function<void(const QString&)> stageShown)
    : m_window(window)
    , m_dialogs(dialogs)
    , m_progress(progress)
    , m_panes(panes)
    , m_decimalComma(decimalComma)
    , m_stageShown(std::move(stageShown))
{
}

bool WindowFeedback::confirmOverwrite(const QString& path)
{
    return m_dialogs.ask(&m_window, messages::overwriteCaption(), messages::overwriteQuestion(),
                         QDir::toNativeSeparators(path));
}

void WindowFeedback::showKeptFile(const QString& path)
{
    const QString kept = keptFileText(path);
    showRunNotes(m_panes.summary, {}, kept);
    m_progress.close();
    m_dialogs.inform(&m_window, kept);
}

void WindowFeedback::showStage(const QString& text)
{
    m_progress.showStage(text);
    m_stageShown(text);
}

void WindowFeedback::clearOutput()
{
    m_panes.network.clear();
    showRunNotes(m_panes.summary, {}, QString());
}

void WindowFeedback::showQuotedLookingLine(qint64 line)
{
    m_warnings << quotedLookingLineWarning(line, kQuotesOption);
}

void WindowFeedback::closeProgress()
{
    m_progress.close();
}

void WindowFeedback::showSummary(const RunSummary& summary)
{
    const RunSummaryText text =
        runSummaryText(summary, m_decimalComma ? QString() : kDecimalCommaOption);
    m_warnings += text.warnings;
    if (const std::optional<Problem> problem = m_panes.network.showFile(summary.networkPath))
        m_warnings
            << QStringLiteral("a rede gravada não pôde ser mostrada: %1.").arg(problem->text);
    showRunNotes(m_panes.summary, m_warnings, text.summary);
}

void WindowFeedback::showMessage(const QString& text)
{
    m_progress.close();
    m_dialogs.inform(&m_window, text);
}

} // namespace urdiva::ui
