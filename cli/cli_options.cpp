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

// The strip choices with their characters, "barra (/), ..." from the suppression table.
QString stripChoices()
{
    QStringList choices;
    for (const SuppressionChoice& choice : kSuppressionChoices) {
        if (*choice.name != '\0') {
            choices << QStringLiteral("%1 (%2)").arg(QLatin1StringView(choice.name),
                                                     QStringView(choice.characters));
        }
    }
    return choices.join(QStringLiteral(", "));
}

// Every option, once, with its description; the help is made from these.
struct Options {
    QCommandLineOption separator {{QStringLiteral("s"), QStringLiteral("separator")},
                                  QStringLiteral("Column separator: one character, or tab, "
                                                 "semicolon, comma (default: semicolon)."),
                                  QStringLiteral("C")};
    QCommandLineOption first {QStringLiteral("first"),
                              QStringLiteral("Column of the first end of each link (default: 1)."),
                              QStringLiteral("COL")};
    QCommandLineOption second {QStringLiteral("second"),
                               QStringLiteral("Column of the second end of each link "
                                              "(default: 2)."),
                               QStringLiteral("COL")};
    QCommandLineOption value {QStringLiteral("value"),
                              QStringLiteral("Column whose text becomes the link's weight "
                                             "(default: none). COL is a column number from 1, "
                                             "or a column name from the file's first line."),
                              QStringLiteral("COL")};
    QCommandLineOption twoMode {QStringLiteral("two-mode"),
                                QStringLiteral("The first column names first-mode vertices and "
                                               "the second column second-mode vertices.")};
    QCommandLineOption directed {QStringLiteral("directed"),
                                 QStringLiteral("Write arcs instead of edges.")};
    QCommandLineOption header {QStringLiteral("header"),
                               QStringLiteral("Ignore the first N lines, 0 to 5 (default: 0)."),
                               QStringLiteral("N")};
    QCommandLineOption caseSensitive {QStringLiteral("case-sensitive"),
                                      QStringLiteral("Letter case tells second-mode names "
                                                     "apart.")};
    QCommandLineOption sort {QStringLiteral("sort"),
                             QStringLiteral("Number the (first-mode) vertices in alphabetical "
                                            "order.")};
    QCommandLineOption strip {
        QStringLiteral("strip"),
        QStringLiteral("Strip characters from the two end columns: %1.").arg(stripChoices()),
        QStringLiteral("CHOICE")};
    QCommandLineOption stripAt {QStringLiteral("strip-at"),
                                QStringLiteral("Where to strip: inicio, fim, toda, separated by "
                                               "commas (default: inicio,fim)."),
                                QStringLiteral("LIST")};
    QCommandLineOption report {QStringLiteral("report"),
                               QStringLiteral("Also write Similaridade_<name>.rtf, the pairs of "
                                              "first-mode vertex names that are spelled "
                                              "alike.")};
    QCommandLineOption threshold {QStringLiteral("threshold"),
                                  QStringLiteral("Similarity in percent that the report lists, "
                                                 "0 to 100 (default: 80)."),
                                  QStringLiteral("N")};
    QCommandLineOption force {{QStringLiteral("f"), QStringLiteral("force")},
                              QStringLiteral("Replace an existing network file.")};
    QCommandLineOption quiet {{QStringLiteral("q"), QStringLiteral("quiet")},
                              QStringLiteral("Do not print the stages of the run.")};
    QCommandLineOption help {{QStringLiteral("h"), QStringLiteral("help")},
                             QStringLiteral("Show this help.")};
    QCommandLineOption version {QStringLiteral("version"), QStringLiteral("Show the version.")};

    void addTo(QCommandLineParser& parser) const
    {
        parser.addOptions({separator, first, second, value, twoMode, directed, header,
                           caseSensitive, sort, strip, stripAt, report, threshold, force, quiet,
                           help, version});
    }
};

void describe(QCommandLineParser& parser)
{
    parser.setApplicationDescription(
        QStringLiteral("Turns a delimited data file (one record per line) into a Pajek network "
                       "file.\nINPUT - reads standard input. OUTPUT gains the extension .net "
                       "unless it already ends in .net."));
    parser.addPositionalArgument(QStringLiteral("INPUT"), QStringLiteral("The data file."));
    parser.addPositionalArgument(QStringLiteral("OUTPUT"), QStringLiteral("The network file."));
}

} // namespace

QString usageText()
{
    QCommandLineParser parser;
    Options().addTo(parser);
    describe(parser);
    QString text = parser.helpText();
    // Qt names the program as it was started; the help speaks of the command users type.
    text.replace(0, text.indexOf(QStringLiteral(" [options]")),
                 QStringLiteral("Usage: urdiva-cli"));
    return text + QStringLiteral(
                      "\nExit status: 0 written; 1 the run stopped with an error; 2 bad usage;\n"
                      "3 refused (no file name, or a file is there and --force was not given).\n");
}

ParsedCommandLine parseCommandLine(const QStringList& arguments)
{
    QCommandLineParser parser;
    const Options options;
    options.addTo(parser);
    const auto& [separator, first, second, value, twoMode, directed, header, caseSensitive, sort,
                 strip, stripAt, report, threshold, force, quiet, help, version] = options;

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
