#include "cli_options.h"

#include <QCommandLineParser>

namespace urdiva::cli {
namespace {

bool isNumber(const QString& text)
{
    if (text.isEmpty())
        return false;
    for (QChar c : text) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return true;
}

bool parseSeparator(const QString& text, QChar& separator)
{
    if (text == u"tab")
        separator = u'\t';
    else if (text == u"semicolon")
        separator = u';';
    else if (text == u"comma")
        separator = u',';
    else if (text.size() == 1)
        separator = text.front();
    else
        return false;
    return true;
}

ParsedCommandLine usageError(const QString& message)
{
    ParsedCommandLine parsed;
    parsed.kind = ParsedCommandLine::Kind::UsageError;
    parsed.text = message + QStringLiteral("\nTry 'urdiva-cli --help'.");
    return parsed;
}

} // namespace

QString usageText()
{
    return QStringLiteral(
        "Usage: urdiva-cli [options] INPUT OUTPUT\n"
        "Turns a delimited data file (one record per line) into a Pajek network file.\n"
        "INPUT - reads standard input. OUTPUT gains the extension .net unless it already\n"
        "ends in .net.\n"
        "\n"
        "Options:\n"
        "  -s, --separator C   column separator: one character, or tab, semicolon, comma\n"
        "                      (default: semicolon)\n"
        "      --first COL     column of the first end of each link (default: 1)\n"
        "      --second COL    column of the second end of each link (default: 2)\n"
        "      --value COL     column whose text becomes the link's weight (default: none)\n"
        "                      COL is a column number from 1, or a column name taken from\n"
        "                      the file's first line\n"
        "      --two-mode      the first column names first-mode vertices and the second\n"
        "                      column second-mode vertices\n"
        "      --directed      write arcs instead of edges\n"
        "      --header N      ignore the first N lines, 0 to 5 (default: 0)\n"
        "      --case-sensitive  letter case tells second-mode names apart\n"
        "      --sort          number the (first-mode) vertices in alphabetical order\n"
        "      --strip CHOICE  strip characters from the two end columns: barra (/),\n"
        "                      barra-invertida (\\), barra-vertical (|), chaves ({}),\n"
        "                      colchetes ([]), espaco (space), maior-menor (<>),\n"
        "                      parenteses (()), ponto (.)\n"
        "      --strip-at LIST where to strip: inicio, fim, toda, separated by commas\n"
        "                      (default: inicio,fim)\n"
        "      --report        also write Similaridade_<name>.rtf, the pairs of first-mode\n"
        "                      vertex names that are spelled alike\n"
        "      --threshold N   similarity in percent that the report lists, 0 to 100\n"
        "                      (default: 80)\n"
        "  -f, --force         replace an existing network file\n"
        "  -q, --quiet         do not print the stages of the run\n"
        "  -h, --help          show this help\n"
        "      --version       show the version\n"
        "\n"
        "Exit status: 0 written; 1 the run stopped with an error; 2 bad usage;\n"
        "3 refused (no file name, or the file exists and --force was not given).\n");
}

ParsedCommandLine parseCommandLine(const QStringList& arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption separator({QStringLiteral("s"), QStringLiteral("separator")},
                                       QString(), QStringLiteral("C"));
    const QCommandLineOption first(QStringLiteral("first"), QString(), QStringLiteral("COL"));
    const QCommandLineOption second(QStringLiteral("second"), QString(), QStringLiteral("COL"));
    const QCommandLineOption value(QStringLiteral("value"), QString(), QStringLiteral("COL"));
    const QCommandLineOption twoMode(QStringLiteral("two-mode"));
    const QCommandLineOption directed(QStringLiteral("directed"));
    const QCommandLineOption header(QStringLiteral("header"), QString(), QStringLiteral("N"));
    const QCommandLineOption caseSensitive(QStringLiteral("case-sensitive"));
    const QCommandLineOption sort(QStringLiteral("sort"));
    const QCommandLineOption strip(QStringLiteral("strip"), QString(), QStringLiteral("CHOICE"));
    const QCommandLineOption stripAt(QStringLiteral("strip-at"), QString(), QStringLiteral("LIST"));
    const QCommandLineOption report(QStringLiteral("report"));
    const QCommandLineOption threshold(QStringLiteral("threshold"), QString(), QStringLiteral("N"));
    const QCommandLineOption force(QStringList {QStringLiteral("f"), QStringLiteral("force")});
    const QCommandLineOption quiet(QStringList {QStringLiteral("q"), QStringLiteral("quiet")});
    const QCommandLineOption help(QStringList {QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringLiteral("version"));
    parser.addOptions({separator, first, second, value, twoMode, directed, header, caseSensitive,
                       sort, strip, stripAt, report, threshold, force, quiet, help, version});

    if (!parser.parse(arguments))
        return usageError(parser.errorText());

    ParsedCommandLine parsed;
    if (parser.isSet(help)) {
        parsed.kind = ParsedCommandLine::Kind::Help;
        parsed.text = usageText();
        return parsed;
    }
    if (parser.isSet(version)) {
        parsed.kind = ParsedCommandLine::Kind::Version;
        parsed.text = QStringLiteral("urdiva-cli " URDIVA_VERSION "\n");
        return parsed;
    }

    // Every single-valued option given twice is a mistake worth naming.
    for (const QCommandLineOption* option :
         {&separator, &first, &second, &value, &header, &strip, &stripAt, &threshold}) {
        if (parser.values(*option).size() > 1)
            return usageError(QStringLiteral("Option '--%1' given more than once.")
                                  .arg(option->names().constLast()));
    }

    const QStringList positional = parser.positionalArguments();
    if (positional.size() != 2) {
        return usageError(positional.size() < 2
                              ? QStringLiteral("Missing INPUT or OUTPUT.")
                              : QStringLiteral("Unexpected argument '%1'.").arg(positional.at(2)));
    }

    CliRequest& request = parsed.request;
    ConversionSettings& settings = request.settings;
    settings.inputPath = positional.at(0);
    settings.outputPath = positional.at(1);

    if (parser.isSet(separator) && !parseSeparator(parser.value(separator), settings.separator)) {
        return usageError(QStringLiteral("Option '--separator' takes one character or tab, "
                                         "semicolon, comma, not '%1'.")
                              .arg(parser.value(separator)));
    }
    request.first = {parser.isSet(first) ? parser.value(first) : QStringLiteral("1"),
                     QStringLiteral("--first")};
    request.second = {parser.isSet(second) ? parser.value(second) : QStringLiteral("2"),
                      QStringLiteral("--second")};
    if (parser.isSet(value))
        request.value = ColumnChoice {parser.value(value), QStringLiteral("--value")};
    for (const ColumnChoice* choice : {&request.first, &request.second}) {
        if (choice->text.isEmpty())
            return usageError(QStringLiteral("Option '%1' needs a column.").arg(choice->option));
    }
    if (request.value && request.value->text.isEmpty())
        return usageError(QStringLiteral("Option '--value' needs a column."));

    if (parser.isSet(header)) {
        const QString text = parser.value(header);
        bool ok = isNumber(text) && text.size() <= 2;
        const int lines = ok ? text.toInt() : -1;
        if (!ok || lines > 5) {
            return usageError(
                QStringLiteral("Option '--header' takes a number from 0 to 5, not '%1'.")
                    .arg(text));
        }
        settings.headerLines = lines;
    }
    if (parser.isSet(strip)) {
        const QString name = parser.value(strip);
        for (const SuppressionChoice& choice : kSuppressionChoices) {
            if (*choice.name != '\0' && name == QLatin1StringView(choice.name))
                settings.suppression.characters = QStringView(choice.characters).toString();
        }
        if (settings.suppression.characters.isEmpty()) {
            return usageError(QStringLiteral("Option '--strip' takes barra, barra-invertida, "
                                             "barra-vertical, chaves, colchetes, espaco, "
                                             "maior-menor, parenteses or ponto, not '%1'.")
                                  .arg(name));
        }
    }
    const QString places =
        parser.isSet(stripAt) ? parser.value(stripAt) : QStringLiteral("inicio,fim");
    for (const QString& place : places.split(u',')) {
        if (place == u"inicio")
            settings.suppression.atStart = true;
        else if (place == u"fim")
            settings.suppression.atEnd = true;
        else if (place == u"toda")
            settings.suppression.everywhere = true;
        else
            return usageError(QStringLiteral("Option '--strip-at' takes inicio, fim and toda, "
                                             "separated by commas, not '%1'.")
                                  .arg(places));
    }
    settings.similarityReport = parser.isSet(report);
    if (parser.isSet(threshold)) {
        const QString text = parser.value(threshold);
        const int percent = isNumber(text) && text.size() <= 3 ? text.toInt() : -1;
        if (percent < 0 || percent > 100) {
            return usageError(
                QStringLiteral("Option '--threshold' takes a number from 0 to 100, not '%1'.")
                    .arg(text));
        }
        settings.similarityThreshold = percent;
    }
    settings.mode = parser.isSet(twoMode) ? NetworkMode::TwoMode : NetworkMode::OneMode;
    settings.directed = parser.isSet(directed);
    settings.caseSensitive = parser.isSet(caseSensitive);
    settings.sortAscending = parser.isSet(sort);
    request.force = parser.isSet(force);
    request.quiet = parser.isSet(quiet);
    parsed.kind = ParsedCommandLine::Kind::Run;
    return parsed;
}

bool CliRequest::needsColumnNames() const
{
    return !isNumber(first.text) || !isNumber(second.text) || (value && !isNumber(value->text));
}

qint32 resolveColumn(const ColumnChoice& choice, const QStringList& names, QString& error)
{
    if (isNumber(choice.text)) {
        bool ok = false;
        const qint32 number = choice.text.toInt(&ok);
        if (ok && number >= 1)
            return number - 1;
        error = QStringLiteral("Option '%1' takes a column number from 1 or a column name, not "
                               "'%2'.")
                    .arg(choice.option, choice.text);
        return -1;
    }
    const qsizetype index = names.indexOf(choice.text);
    if (index >= 0)
        return qint32(index);
    error = QStringLiteral("Option '%1': no column named '%2' in the first line of the file.")
                .arg(choice.option, choice.text);
    return -1;
}

} // namespace urdiva::cli
