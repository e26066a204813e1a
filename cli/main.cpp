#include "cli_feedback.h"
#include "cli_options.h"
#include "column_names.h"
#include "conversion_run.h"
#include "line_reader.h"
#include "run_error.h"

#include <QCoreApplication>

#include <cstdio>

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

// Turns the column choices into indexes, reading the first line only when a name is given.
bool resolveColumns(cli::CliRequest& request, QString& error)
{
    const bool needNames = cli::needsColumnNames(request.first) ||
                           cli::needsColumnNames(request.second) ||
                           (request.value && cli::needsColumnNames(*request.value));
    const QStringList names = needNames ? columnNames(readFirstLine(request.settings.inputPath),
                                                      request.settings.separator)
                                        : QStringList();
    ConversionSettings& settings = request.settings;
    settings.firstColumn = cli::resolveColumn(request.first, names, error);
    if (settings.firstColumn < 0)
        return false;
    settings.secondColumn = cli::resolveColumn(request.second, names, error);
    if (settings.secondColumn < 0)
        return false;
    if (request.value) {
        const qint32 value = cli::resolveColumn(*request.value, names, error);
        if (value < 0)
            return false;
        settings.valueColumn = value;
    }
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
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

    cli::CliRequest& request = parsed.request;
    try {
        QString error;
        if (!resolveColumns(request, error)) {
            printLine(stderr, QStringLiteral("urdiva-cli: ") + error);
            return BadUsage;
        }
        cli::CliFeedback feedback(request.force, request.quiet);
        switch (runConversion(request.settings, feedback)) {
        case RunOutcome::Written:
            printLine(stdout, feedback.message());
            return Written;
        case RunOutcome::NoOutputFile:
            printLine(stderr, feedback.message());
            return Refused;
        case RunOutcome::OverwriteDeclined:
            printLine(stderr, QStringLiteral("urdiva-cli: '%1' already exists; use --force to "
                                             "replace it.")
                                  .arg(feedback.refusedPath()));
            return Refused;
        }
    } catch (const RunError& e) {
        printLine(stderr, errorBoxText(e.message()));
        return RunFailed;
    } catch (const std::bad_alloc&) {
        printLine(stderr, errorBoxText(QStringLiteral("Out of memory")));
        return RunFailed;
    } catch (const std::exception& e) {
        // As the window's error box shows it: whatever failed, the run ends with its text.
        printLine(stderr, errorBoxText(QString::fromUtf8(e.what())));
        return RunFailed;
    }
    return RunFailed;
}
