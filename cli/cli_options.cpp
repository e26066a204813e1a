// SPDX-License-Identifier: MIT
#include "cli_options.h"

#include "engine/conversion/settings_check.h"
#include "engine/core/choices.h"
#include "engine/core/messages.h"
#include "engine/io/data_file.h"
#include "engine/io/workbook.h"

#include <QCommandLineParser>

#include <algorithm>
#include <span>
#include <utility>

namespace urdiva::cli {
namespace {

// Whether the text is one or more ASCII digits.
bool isDigits(const QString& text)
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
    parsed.text = message + QStringLiteral("\nExperimente 'urdiva-cli --help'.");
    return parsed;
}

// The strip choices with their characters, "barra (/), ..." from the strip choices.
QString stripChoices()
{
    QStringList choices;
    for (const StripChoice& choice : kStripChoices) {
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
                                  QStringLiteral("Separador de colunas: um caractere, ou tab, "
                                                 "semicolon, comma (padrão: semicolon)."),
                                  QStringLiteral("C")};
    QCommandLineOption first {
        QStringLiteral("first"),
        QStringLiteral("Coluna da primeira ponta de cada ligação (padrão: 1)."),
        QStringLiteral("COL")};
    QCommandLineOption second {QStringLiteral("second"),
                               QStringLiteral("Coluna da segunda ponta de cada ligação "
                                              "(padrão: 2)."),
                               QStringLiteral("COL")};
    QCommandLineOption value {QStringLiteral("value"),
                              QStringLiteral("Coluna cujo texto é o peso da ligação (padrão: "
                                             "nenhuma). COL é um número de coluna a partir de "
                                             "1, ou um nome da primeira linha do arquivo."),
                              QStringLiteral("COL")};
    QCommandLineOption attribute {
        QStringLiteral("attribute"),
        QStringLiteral("Coluna cujo texto descreve o vértice da primeira coluna (o do primeiro "
                       "modo, com --two-mode): um atributo do vértice, gravado em GraphML e GEXF, "
                       "em Pajek como partição (NOME_atributo.clu) ou vetor (.vec) e no projeto "
                       "NOME.paj, e em CSV numa tabela NOME_vertices.csv; pode ser repetida. Um "
                       "vértice fica com o valor mais frequente que recebeu."),
        QStringLiteral("COL")};
    QCommandLineOption secondAttribute {
        QStringLiteral("second-attribute"),
        QStringLiteral("Como --attribute, para o vértice da segunda coluna."),
        QStringLiteral("COL")};
    QCommandLineOption time {
        QStringLiteral("time"),
        QStringLiteral("Coluna do ano (2021) ou da data (2021-03-04 ou 04/03/2021) de cada "
                       "registro: cada ligação leva os tempos dos seus registros (com --merge, "
                       "junta-se por tempo) e cada vértice existe do seu primeiro ao seu último "
                       "tempo (GEXF dinâmico, rede temporal do Pajek)."),
        QStringLiteral("COL")};
    QCommandLineOption twoMode {QStringLiteral("two-mode"),
                                QStringLiteral("A primeira coluna dá os vértices do primeiro modo "
                                               "e a segunda, os do segundo modo.")};
    QCommandLineOption directed {QStringLiteral("directed"),
                                 QStringLiteral("Escreve arcos em vez de arestas.")};
    QCommandLineOption header {
        QStringLiteral("header"),
        QStringLiteral("Ignora as primeiras N linhas, de 0 a %1 (padrão: 0); com --quotes, os "
                       "primeiros N registros (uma quebra de linha entre aspas não encerra um).")
            .arg(kMostHeaderLines),
        QStringLiteral("N")};
    QCommandLineOption caseSensitive {QStringLiteral("case-sensitive"),
                                      QStringLiteral("Maiúsculas e minúsculas distinguem os "
                                                     "nomes do segundo modo.")};
    QCommandLineOption sort {QStringLiteral("sort"),
                             QStringLiteral("Numera os vértices (do primeiro modo) em ordem "
                                            "alfabética.")};
    QCommandLineOption strip {
        QStringLiteral("strip"),
        QStringLiteral("Retira caracteres das colunas das pontas: %1.").arg(stripChoices()),
        QStringLiteral("CHOICE")};
    QCommandLineOption stripAt {QStringLiteral("strip-at"),
                                QStringLiteral("Onde retirar: inicio, fim, toda, separados por "
                                               "vírgulas (padrão: inicio,fim)."),
                                QStringLiteral("LIST")};
    QCommandLineOption report {QStringLiteral("report"),
                               QStringLiteral("Grava também Similaridade_<nome>.rtf, os pares de "
                                              "nomes de vértices do primeiro modo de grafia "
                                              "parecida.")};
    QCommandLineOption threshold {QStringLiteral("threshold"),
                                  QStringLiteral("Similaridade, em porcentagem, que o relatório "
                                                 "lista, de %1 a %2 (padrão: %3).")
                                      .arg(kLeastThreshold)
                                      .arg(kMostThreshold)
                                      .arg(kDefaultThreshold),
                                  QStringLiteral("N")};
    QCommandLineOption noBom {QStringLiteral("no-bom"),
                              QStringLiteral("Grava a rede sem a marca de ordem de bytes UTF-8, "
                                             "como a leem igraph e networkx.")};
    QCommandLineOption sheet {QStringLiteral("sheet"),
                              QStringLiteral("A planilha de uma pasta de trabalho (.xlsx, .ods) "
                                             "a ler: seu nome, ou seu número a partir de 1 "
                                             "(padrão: a primeira)."),
                              QStringLiteral("SHEET")};
    QCommandLineOption quotes {QStringLiteral("quotes"),
                               QStringLiteral("Lê campos entre aspas (RFC 4180): separadores, "
                                              "aspas duplicadas (\"\") e quebras de linha "
                                              "entre aspas são dados.")};
    QCommandLineOption decimalComma {QStringLiteral("decimal-comma"),
                                     QStringLiteral("Escreve os pesos com vírgula decimal e "
                                                    "pontos de milhar (1.234,5) com ponto "
                                                    "decimal (1234.5).")};
    QCommandLineOption merge {QStringLiteral("merge"),
                              QStringLiteral("Uma linha por ligação repetida, com o peso somado "
                                             "(sum), contado (count: o número de registros), o "
                                             "maior (max) ou o primeiro (first)."),
                              QStringLiteral("RULE")};
    QCommandLineOption cellSeparator {QStringLiteral("cell-separator"),
                                      QStringLiteral("Cada ponta pode listar vários nomes "
                                                     "separados por C (por exemplo ';'); um "
                                                     "registro liga cada nome da primeira ponta "
                                                     "a cada nome da segunda."),
                                      QStringLiteral("C")};
    QCommandLineOption cooccur {QStringLiteral("cooccur"),
                                QStringLiteral("Em vez de --first e --second: liga dois a dois os "
                                               "nomes listados na coluna COL de cada registro "
                                               "(rede de um modo, arestas; precisa de "
                                               "--cell-separator)."),
                                QStringLiteral("COL")};
    QCommandLineOption project {QStringLiteral("project"),
                                QStringLiteral("Rede de dois modos projetada em um modo (first "
                                               "ou second): dois vértices se ligam quando "
                                               "partilham vértices do outro modo, com o número "
                                               "partilhado como peso."),
                                QStringLiteral("MODE")};
    QCommandLineOption format {QStringLiteral("format"),
                               QStringLiteral("Formato da rede: pajek (.net), graphml (.graphml), "
                                              "gexf (.gexf) ou csv (.csv, lista de ligações por "
                                              "nome) (padrão: pajek)."),
                               QStringLiteral("FORMAT")};
    QCommandLineOption reportFormat {QStringLiteral("report-format"),
                                     QStringLiteral("Formato do relatório: rtf, csv ou html "
                                                    "(padrão: rtf). CSV e HTML listam os pares "
                                                    "grupo a grupo, com números de vértice e "
                                                    "contagens de registros."),
                                     QStringLiteral("FORMAT")};
    QCommandLineOption foldAccents {QStringLiteral("fold-accents"),
                                    QStringLiteral("O relatório compara os nomes sem acentos "
                                                   "(Luís Sá = Luis Sa).")};
    QCommandLineOption tokenSort {QStringLiteral("token-sort"),
                                  QStringLiteral("O relatório compara os nomes com as palavras "
                                                 "em ordem e sem pontuação (Silva, J. = "
                                                 "J. Silva).")};
    QCommandLineOption reportModes {QStringLiteral("report-modes"),
                                    QStringLiteral("Modos que o relatório compara: first ou both "
                                                   "(o segundo modo num arquivo "
                                                   "..._segundo_modo) (padrão: first)."),
                                    QStringLiteral("MODES")};
    QCommandLineOption suggestRenames {QStringLiteral("suggest-renames"),
                                       QStringLiteral("Grava em FILE uma tabela CSV "
                                                      "variant,canonical (e mode, em 2-Modos): "
                                                      "cada nome de um grupo do relatório e a "
                                                      "grafia mais frequente do grupo."),
                                       QStringLiteral("FILE")};
    QCommandLineOption rename {QStringLiteral("rename"),
                               QStringLiteral("Lê os nomes das pontas pela tabela "
                                              "variant,canonical[,mode] de FILE (por exemplo a "
                                              "de --suggest-renames, revista), depois da "
                                              "retirada de caracteres."),
                               QStringLiteral("FILE")};
    QCommandLineOption force {{QStringLiteral("f"), QStringLiteral("force")},
                              QStringLiteral("Substitui um arquivo de rede (ou a tabela de "
                                             "--suggest-renames) existente.")};
    QCommandLineOption quiet {{QStringLiteral("q"), QStringLiteral("quiet")},
                              QStringLiteral("Não mostra as etapas, o resumo, os avisos nem a "
                                             "mensagem final.")};
    QCommandLineOption help {{QStringLiteral("h"), QStringLiteral("help")},
                             QStringLiteral("Mostra esta ajuda.")};
    QCommandLineOption version {QStringLiteral("version"), QStringLiteral("Mostra a versão.")};

    void addTo(QCommandLineParser& parser) const
    {
        parser.addOptions({separator,       first,         second,    value,        attribute,
                           secondAttribute, time,          twoMode,   directed,     header,
                           caseSensitive,   sort,          strip,     stripAt,      report,
                           threshold,       noBom,         quotes,    decimalComma, sheet,
                           merge,           cellSeparator, cooccur,   project,      format,
                           reportFormat,    foldAccents,   tokenSort, reportModes,  suggestRenames,
                           rename,          force,         quiet,     help,         version});
    }
};

// One of the words an option accepts, or a problem naming them.
template <typename Value>
std::optional<Problem> parseWord(const QCommandLineParser& parser, const QCommandLineOption& option,
                                 std::span<const Choice<Value>> words, Value& value)
{
    const QString text = parser.value(option);
    if (const std::optional<Value> chosen = valueOfWord(words, text)) {
        value = *chosen;
        return std::nullopt;
    }
    QStringList accepted;
    for (const Choice<Value>& choice : words)
        accepted << QLatin1StringView(choice.word);
    return QStringLiteral("A opção '--%1' aceita %2, não '%3'.")
        .arg(option.names().constLast(), accepted.join(QStringLiteral(", ")), text);
}

// The two files, once no single-valued option is given twice: the error, or nothing.
std::optional<Problem> parseArguments(const QCommandLineParser& parser, const Options& o,
                                      CliRequest& request)
{
    for (const QCommandLineOption* option :
         {&o.separator, &o.first, &o.second, &o.value, &o.header, &o.strip, &o.stripAt,
          &o.threshold, &o.merge, &o.cellSeparator, &o.cooccur, &o.project, &o.format,
          &o.reportFormat, &o.reportModes, &o.suggestRenames, &o.rename, &o.sheet}) {
        if (parser.values(*option).size() > 1)
            return QStringLiteral("Opção '--%1' dada mais de uma vez.")
                .arg(option->names().constLast());
    }
    const QStringList positional = parser.positionalArguments();
    if (positional.size() != 2)
        return positional.size() < 2
                   ? QStringLiteral("Falta INPUT ou OUTPUT.")
                   : QStringLiteral("Argumento inesperado '%1'.").arg(positional.at(2));
    request.settings.inputPath = positional.at(0);
    request.settings.outputPath = positional.at(1);
    request.settings.toStandardOutput = request.settings.outputPath == u"-";
    return std::nullopt;
}

// The separator and the columns, as given (a name is found in the file later).
std::optional<Problem> parseColumnChoices(const QCommandLineParser& parser, const Options& o,
                                          CliRequest& request)
{
    if (parser.isSet(o.separator) &&
        !parseSeparator(parser.value(o.separator), request.settings.separator))
        return QStringLiteral("A opção '--separator' aceita um caractere ou tab, semicolon, "
                              "comma, não '%1'.")
            .arg(parser.value(o.separator));
    request.first = {parser.isSet(o.first) ? parser.value(o.first) : QStringLiteral("1"),
                     QStringLiteral("--first")};
    request.second = {parser.isSet(o.second) ? parser.value(o.second) : QStringLiteral("2"),
                      QStringLiteral("--second")};
    if (parser.isSet(o.value))
        request.value = ColumnChoice {parser.value(o.value), QStringLiteral("--value")};
    for (const ColumnChoice* choice : {&request.first, &request.second}) {
        if (choice->text.isEmpty())
            return QStringLiteral("A opção '%1' precisa de uma coluna.").arg(choice->option);
    }
    if (request.value && request.value->text.isEmpty())
        return QStringLiteral("A opção '--value' precisa de uma coluna.");
    if (parser.isSet(o.time)) {
        request.time = ColumnChoice {parser.value(o.time), QStringLiteral("--time")};
        if (request.time->text.isEmpty())
            return QStringLiteral("A opção '--time' precisa de uma coluna.");
    }
    for (const auto& [option, choices] :
         {std::pair(&o.attribute, &request.attributes),
          std::pair(&o.secondAttribute, &request.secondAttributes)}) {
        const QString name = QStringLiteral("--") + option->names().constFirst();
        for (const QString& text : parser.values(*option)) {
            if (text.isEmpty())
                return QStringLiteral("A opção '%1' precisa de uma coluna.").arg(name);
            choices->push_back({text, name});
        }
    }
    return std::nullopt;
}

// --header, --strip and --strip-at.
std::optional<Problem> parseHeaderAndStrip(const QCommandLineParser& parser, const Options& o,
                                           CliRequest& request)
{
    ConversionSettings& settings = request.settings;
    if (parser.isSet(o.header)) {
        const QString text = parser.value(o.header);
        const int lines = isDigits(text) && text.size() <= 2 ? text.toInt() : -1;
        if (lines < 0 || lines > kMostHeaderLines)
            return QStringLiteral("A opção '--header' aceita um número de 0 a %1, não '%2'.")
                .arg(kMostHeaderLines)
                .arg(text);
        settings.headerLines = lines;
    }
    if (parser.isSet(o.strip)) {
        const QString name = parser.value(o.strip);
        for (const StripChoice& choice : kStripChoices) {
            if (*choice.name != '\0' && name == QLatin1StringView(choice.name))
                settings.strip.characters = QStringView(choice.characters).toString();
        }
        if (settings.strip.characters.isEmpty())
            return QStringLiteral("A opção '--strip' aceita barra, barra-invertida, "
                                  "barra-vertical, chaves, colchetes, espaco, maior-menor, "
                                  "parenteses ou ponto, não '%1'.")
                .arg(name);
    }
    const QString places =
        parser.isSet(o.stripAt) ? parser.value(o.stripAt) : QStringLiteral("inicio,fim");
    for (const QString& place : places.split(u',')) {
        if (place == u"inicio")
            settings.strip.atStart = true;
        else if (place == u"fim")
            settings.strip.atEnd = true;
        else if (place == u"toda")
            settings.strip.everywhere = true;
        else
            return QStringLiteral("A opção '--strip-at' aceita inicio, fim e toda, separados por "
                                  "vírgulas, não '%1'.")
                .arg(places);
    }
    return std::nullopt;
}

// The switches, and --report with its --threshold.
std::optional<Problem> parseSimpleOptions(const QCommandLineParser& parser, const Options& o,
                                          CliRequest& request)
{
    ConversionSettings& settings = request.settings;
    settings.similarityReport = parser.isSet(o.report);
    if (parser.isSet(o.threshold)) {
        const QString text = parser.value(o.threshold);
        const int percent = isDigits(text) && text.size() <= 3 ? text.toInt() : -1;
        if (percent < kLeastThreshold || percent > kMostThreshold)
            return QStringLiteral("A opção '--threshold' aceita um número de %1 a %2, não '%3'.")
                .arg(kLeastThreshold)
                .arg(kMostThreshold)
                .arg(text);
        settings.similarityThreshold = percent;
    }
    settings.byteOrderMark = !parser.isSet(o.noBom);
    settings.quotedFields = parser.isSet(o.quotes);
    settings.decimalComma = parser.isSet(o.decimalComma);
    settings.mode = parser.isSet(o.twoMode) ? NetworkMode::TwoMode : NetworkMode::OneMode;
    settings.directed = parser.isSet(o.directed);
    settings.caseSensitive = parser.isSet(o.caseSensitive);
    settings.sortAscending = parser.isSet(o.sort);
    return std::nullopt;
}

// --merge, --cell-separator, --cooccur, --project and --format: the error in their values, or
// nothing. Which options go together is the engine's settings check.
std::optional<Problem> parseLinkOptions(const QCommandLineParser& parser, const Options& options,
                                        CliRequest& request)
{
    ConversionSettings& settings = request.settings;
    if (parser.isSet(options.merge)) {
        // Every rule but none, which is what leaving the option out means.
        const auto rules = std::span<const Choice<MergeRule>>(kMergeRules).subspan(1);
        if (std::optional<Problem> problem =
                parseWord(parser, options.merge, rules, settings.merge))
            return problem;
    }
    if (parser.isSet(options.cellSeparator)) {
        QChar c;
        if (!parseSeparator(parser.value(options.cellSeparator), c))
            return QStringLiteral("A opção '--cell-separator' aceita um caractere ou tab, "
                                  "semicolon, comma, não '%1'.")
                .arg(parser.value(options.cellSeparator));
        settings.cellSeparator = c;
    }
    if (parser.isSet(options.project)) {
        const auto modes = std::span<const Choice<Projection>>(kProjections).subspan(1);
        if (std::optional<Problem> problem =
                parseWord(parser, options.project, modes, settings.projection))
            return problem;
    }
    if (parser.isSet(options.format)) {
        if (std::optional<Problem> problem =
                parseWord(parser, options.format,
                          std::span<const Choice<NetworkFormat>>(kNetworkFormats), settings.format))
            return problem;
    }
    if (parser.isSet(options.cooccur)) {
        if (parser.isSet(options.first) || parser.isSet(options.second))
            return QStringLiteral("A opção '--cooccur' toma o lugar de '--first' e '--second'.");
        request.first = {parser.value(options.cooccur), QStringLiteral("--cooccur")};
        if (request.first.text.isEmpty())
            return QStringLiteral("A opção '--cooccur' precisa de uma coluna.");
        settings.cooccur = true;
    }
    return std::nullopt;
}

// The report's options: the error in their values, or nothing.
std::optional<Problem> parseReportOptions(const QCommandLineParser& parser, const Options& options,
                                          CliRequest& request)
{
    ConversionSettings& settings = request.settings;
    if (parser.isSet(options.reportFormat)) {
        if (std::optional<Problem> problem = parseWord(
                parser, options.reportFormat, std::span<const Choice<ReportFormat>>(kReportFormats),
                settings.reportFormat))
            return problem;
    }
    if (parser.isSet(options.reportModes)) {
        if (std::optional<Problem> problem =
                parseWord(parser, options.reportModes, std::span<const Choice<bool>>(kReportModes),
                          settings.reportBothModes))
            return problem;
    }
    settings.foldAccents = parser.isSet(options.foldAccents);
    settings.tokenSort = parser.isSet(options.tokenSort);
    settings.suggestRenamesPath = parser.value(options.suggestRenames);
    settings.renamePath = parser.value(options.rename);
    for (const QCommandLineOption* option : {&options.suggestRenames, &options.rename}) {
        if (parser.isSet(*option) && parser.value(*option).isEmpty())
            return QStringLiteral("A opção '--%1' precisa de um arquivo.")
                .arg(option->names().constLast());
    }
    return std::nullopt;
}

// A workbook's cells are its fields: the options that say how to cut and read text have no
// meaning for it, and --sheet has none for a text file.
std::optional<Problem> parseWorkbook(const QCommandLineParser& parser, const Options& options,
                                     CliRequest& request)
{
    ConversionSettings& settings = request.settings;
    if (!isWorkbookPath(settings.inputPath)) {
        if (parser.isSet(options.sheet))
            return QStringLiteral("A opção '--sheet' só vale para uma pasta de trabalho (.xlsx, "
                                  ".ods).");
        return std::nullopt;
    }
    for (const QCommandLineOption* option :
         {&options.separator, &options.quotes, &options.decimalComma}) {
        if (parser.isSet(*option))
            return messages::optionNotForWorkbook(QStringLiteral("--") +
                                                  option->names().constLast());
    }
    settings.sheet = parser.value(options.sheet);
    readWorkbookAsText(settings);
    return std::nullopt;
}

void describe(QCommandLineParser& parser)
{
    parser.setApplicationDescription(
        QStringLiteral("Transforma um arquivo de dados delimitado (um registro por linha) em um "
                       "arquivo de rede Pajek (ou GraphML, GEXF, CSV).\nINPUT - lê a entrada "
                       "padrão. OUTPUT ganha a extensão .net (ou a do --format), a menos que já "
                       "termine nela; OUTPUT - escreve a rede na saída padrão."));
    parser.addPositionalArgument(QStringLiteral("INPUT"), QStringLiteral("O arquivo de dados."));
    parser.addPositionalArgument(QStringLiteral("OUTPUT"), QStringLiteral("O arquivo de rede."));
}

} // namespace

QString usageText()
{
    QCommandLineParser parser;
    Options().addTo(parser);
    describe(parser);
    QString text = parser.helpText();
    // Qt names the program as it was started; the help speaks of the command users type.
    text.replace(0, text.indexOf(u'\n'), QStringLiteral("Uso: urdiva-cli [opções] INPUT OUTPUT"));
    return text +
           QStringLiteral("\nCódigo de saída: 0 gravado; 1 a execução parou com um erro; 2 uso "
                          "incorreto;\n3 recusado (sem nome de arquivo, ou há um arquivo e "
                          "--force não foi dado).\n");
}

ParsedCommandLine parseCommandLine(const QStringList& arguments)
{
    QCommandLineParser parser;
    const Options options;
    options.addTo(parser);
    if (!parser.parse(arguments))
        return usageError(parser.errorText());

    ParsedCommandLine parsed;
    if (parser.isSet(options.help)) {
        parsed.kind = ParsedCommandLine::Kind::Help;
        parsed.text = usageText();
        return parsed;
    }
    if (parser.isSet(options.version)) {
        parsed.kind = ParsedCommandLine::Kind::Version;
        parsed.text = QStringLiteral("urdiva-cli " URDIVA_VERSION "\n");
        return parsed;
    }
    CliRequest& request = parsed.request;
    ConversionSettings& settings = request.settings;
    for (const auto& parse :
         {parseArguments, parseColumnChoices, parseHeaderAndStrip, parseSimpleOptions,
          parseLinkOptions, parseReportOptions, parseWorkbook}) {
        if (const std::optional<Problem> problem = parse(parser, options, request))
            return usageError(problem->text);
    }
    // A column given by name is found once the file is open: until then any index stands for it.
    if (request.value)
        settings.valueColumn = 0;
    if (request.time)
        settings.timeColumn = 0;
    if (const std::optional<Problem> problem = settingsProblem(settings))
        return usageError(problem->text);
    request.force = parser.isSet(options.force);
    request.quiet = parser.isSet(options.quiet);
    parsed.kind = ParsedCommandLine::Kind::Run;
    return parsed;
}

bool CliRequest::needsColumnNames() const
{
    const auto byName = [](const ColumnChoice& choice) { return !isDigits(choice.text); };
    return byName(first) || byName(second) || (value && byName(*value)) ||
           (time && byName(*time)) || std::any_of(attributes.begin(), attributes.end(), byName) ||
           std::any_of(secondAttributes.begin(), secondAttributes.end(), byName);
}

std::optional<Problem> resolveColumn(const ColumnChoice& choice, const QStringList& names,
                                     qint32& index)
{
    if (isDigits(choice.text)) {
        bool ok = false;
        const qint32 number = choice.text.toInt(&ok);
        if (!ok || number < 1)
            return QStringLiteral("A opção '%1' aceita um número de coluna a partir de 1 ou um "
                                  "nome de coluna, não '%2'.")
                .arg(choice.option, choice.text);
        index = number - 1;
        return std::nullopt;
    }
    const qsizetype found = names.indexOf(choice.text);
    if (found < 0)
        return QStringLiteral("Opção '%1': nenhuma coluna chamada '%2' na primeira linha do "
                              "arquivo.")
            .arg(choice.option, choice.text);
    index = qint32(found);
    return std::nullopt;
}

} // namespace urdiva::cli
