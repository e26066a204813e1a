// SPDX-License-Identifier: MIT
#include "cli_feedback.h"
#include "cli_options.h"
#include "engine/conversion/conversion_run.h"
#include "engine/core/qt_texts.h"
#include "engine/core/run_error.h"
#include "engine/io/column_names.h"
#include "engine/io/data_file.h"
#include "engine/io/line_reader.h"
#include "engine/io/native_file.h"
#include "engine/io/record_reader.h"
#include "engine/io/workbook.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>
#include <memory>
#include <optional>

using namespace urdiva;

namespace {

enum ExitStatus { Written = 0, RunFailed = 1, BadUsage = 2, Refused = 3 };

void print(std::FILE* stream, const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
}

void printLine(std::FILE* stream, const QString& text)
{
    print(stream, text + u'\n');
}

// The data file, opened here when it is standard input or when a column is given by name: its
// first line is then read from the same opening as its records, since a pipe can be read once.
// Null when the run may open the file itself.
std::unique_ptr<LineReader> openInput(const cli::CliRequest& request)
{
    if (request.settings.inputPath == u"-")
        return std::make_unique<LineReader>(/* standard input */ 0,
                                            QStringLiteral("entrada padrão"));
    // A workbook is opened at once, so that a sheet that is not there stops the run before it
    // starts.
    if (request.needsColumnNames() || isWorkbookPath(request.settings.inputPath))
        return openDataFile(request.settings.inputPath, request.settings.sheet);
    return nullptr;
}

// An argument that does not survive the trip through text (a file name that is not valid UTF-8,
// say) would open or create another file than the one named: it is refused, shown with its odd
// bytes escaped.
std::optional<QString> unfaithfulArgument(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i) {
        const QByteArray raw(argv[i]);
        if (QString::fromLocal8Bit(raw).toLocal8Bit() == raw)
            continue;
        QString shown;
        for (const char c : raw) {
            if (uchar(c) < 0x80 && uchar(c) >= 0x20)
                shown += QLatin1Char(c);
            else
                shown += QStringLiteral("\\x%1").arg(uchar(c), 2, 16, QLatin1Char('0'));
        }
        return shown;
    }
    return std::nullopt;
}

// Turns the column choices into indexes, with the column names from the input's first line.
std::optional<Problem> resolveColumns(cli::CliRequest& request, LineReader* input)
{
    const QStringList names =
        request.needsColumnNames() && input
            ? columnNames(
                  peekRecord(*input, request.settings.separator, request.settings.quotedFields),
                  request.settings.separator, request.settings.quotedFields)
            : QStringList();
    ConversionSettings& settings = request.settings;
    if (auto problem = cli::resolveColumn(request.first, names, settings.firstColumn))
        return problem;
    if (auto problem = cli::resolveColumn(request.second, names, settings.secondColumn))
        return problem;
    if (request.value) {
        qint32 value = 0;
        if (auto problem = cli::resolveColumn(*request.value, names, value))
            return problem;
        settings.valueColumn = value;
    }
    if (request.time) {
        qint32 time = 0;
        if (auto problem = cli::resolveColumn(*request.time, names, time))
            return problem;
        settings.timeColumn = time;
    }
    for (const auto& [choices, columns] :
         {std::pair(&request.attributes, &settings.attributeColumns),
          std::pair(&request.secondAttributes, &settings.secondAttributeColumns)}) {
        for (const cli::ColumnChoice& choice : *choices) {
            qint32 column = 0;
            if (auto problem = cli::resolveColumn(choice, names, column))
                return problem;
            columns->push_back(column);
        }
    }
    return std::nullopt;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    installPortugueseQtTexts(app);
    // The same bytes on every system: UTF-8 with LF, on a console, in a pipe or in a file.
    native::useUtf8Console();
    native::useBinaryMode(1);
    native::useBinaryMode(2);
    cli::ParsedCommandLine parsed = cli::parseCommandLine(QCoreApplication::arguments());
    switch (parsed.kind) {
    case cli::ParsedCommandLine::Kind::Help:
    case cli::ParsedCommandLine::Kind::Version:
        print(stdout, parsed.text);
        return Written;
    case cli::ParsedCommandLine::Kind::UsageError:
        printLine(stderr, QStringLiteral("urdiva-cli: ") + parsed.text);
        return BadUsage;
    case cli::ParsedCommandLine::Kind::Run:
        break;
    }

    if (const std::optional<QString> argument = unfaithfulArgument(argc, argv)) {
        printLine(stderr, QStringLiteral("urdiva-cli: '%1' não é texto válido na codificação do "
                                         "sistema (UTF-8); dê outro nome ao arquivo.")
                              .arg(*argument));
        return BadUsage;
    }

    cli::CliRequest& request = parsed.request;
    try {
        std::unique_ptr<LineReader> input = openInput(request);
        if (const std::optional<Problem> problem = resolveColumns(request, input.get())) {
            printLine(stderr, QStringLiteral("urdiva-cli: ") + problem->text);
            return BadUsage;
        }
        cli::CliFeedback feedback(request.force, request.quiet, request.settings.decimalComma);
        switch (runConversion(request.settings, feedback, std::move(input))) {
        case RunOutcome::Written:
            if (!request.quiet) {
                for (const QString& line : feedback.summaryLines())
                    printLine(stderr, line);
                // Standard output may hold the network itself.
                printLine(request.settings.toStandardOutput ? stderr : stdout, feedback.message());
            }
            return Written;
        case RunOutcome::NoOutputFile:
            printLine(stderr, feedback.message());
            return Refused;
        case RunOutcome::OverwriteDeclined:
            printLine(stderr, QStringLiteral("urdiva-cli: '%1' já existe; use --force para "
                                             "substituí-lo.")
                                  .arg(QDir::toNativeSeparators(feedback.keptFile())));
            return Refused;
        }
    } catch (...) {
        // The error's own text stays the last line; where it arose goes before it.
        if (const QString context = caughtFailureContext(); !context.isEmpty())
            printLine(stderr, QStringLiteral("urdiva-cli: %1:").arg(context));
        printLine(stderr, caughtFailureText());
        return RunFailed;
    }
    return RunFailed;
}
