// SPDX-License-Identifier: MIT
#include "engine/core/run_summary_text.h"

#include <QLocale>

namespace urdiva {
namespace {

// A count in Brazilian digits (1.234.567).
QString n(qint64 value)
{
    return QLocale(QLocale::Portuguese, QLocale::Brazil).toString(value);
}

// "1 peso", "2 pesos".
QString counted(qint64 value, const char* one, const char* many)
{
    return n(value) + u' ' + QString::fromUtf8(value == 1 ? one : many);
}

} // namespace

RunSummaryText runSummaryText(const RunSummary& s, const QString& decimalCommaOption)
{
    RunSummaryText text;
    if (s.weightsNotNumbers != 0)
        text.warnings << QStringLiteral("%1 não %2 (o primeiro na linha %3); leitores como "
                                        "igraph e networkx não os aceitam%4.")
                             .arg(counted(s.weightsNotNumbers, "peso", "pesos"),
                                  s.weightsNotNumbers == 1 ? QStringLiteral("é número")
                                                           : QStringLiteral("são números"),
                                  n(s.firstWeightNotNumber),
                                  decimalCommaOption.isEmpty()
                                      ? QString()
                                      : QStringLiteral(" (veja %1)").arg(decimalCommaOption));
    if (s.namesChanged != 0 && s.inXml)
        text.warnings << QStringLiteral(
                             "%1 com U+FFFD no lugar de caracteres que o XML não aceita.")
                             .arg(counted(s.namesChanged, "nome gravado", "nomes gravados"));
    else if (s.namesChanged != 0)
        text.warnings << QStringLiteral("%1 com apóstrofo (') no lugar de aspas (\") ou espaço no "
                                        "lugar de quebra de linha.")
                             .arg(counted(s.namesChanged, "nome gravado", "nomes gravados"));
    if (s.namesWithNul != 0)
        text.warnings << QStringLiteral("%1 com U+FFFD no lugar do caractere nulo (U+0000), que "
                                        "os leitores de rede não aceitam.")
                             .arg(counted(s.namesWithNul, "nome gravado", "nomes gravados"));
    if (s.ctrlZInside != 0)
        text.warnings << QStringLiteral("a linha %1 tem um Ctrl-Z (fim de arquivo do DOS) seguido "
                                        "de mais registros; eles foram lidos, e o Ctrl-Z, "
                                        "ignorado.")
                             .arg(n(s.ctrlZInside));
    if (s.errorCells != 0)
        text.warnings << QStringLiteral("células da planilha com erro (#N/A, #DIV/0!…) lidas "
                                        "como vazias: %1.")
                             .arg(n(s.errorCells));
    if (s.attributeConflicts != 0)
        text.warnings << QStringLiteral("vértices com mais de um valor num atributo (ficou o mais "
                                        "frequente): %1.")
                             .arg(n(s.attributeConflicts));
    if (s.recordsWithoutTime != 0)
        text.warnings << QStringLiteral("registros sem um ano ou uma data na coluna de tempo (suas "
                                        "ligações ficaram sem tempo): %1.")
                             .arg(n(s.recordsWithoutTime));
    if (s.headerLinesTookFile != 0)
        text.warnings << QStringLiteral("o arquivo não tem linhas além das %1 de cabeçalho "
                                        "ignoradas; a rede não tem registros.")
                             .arg(counted(s.headerLinesTookFile, "linha", "linhas"));
    if (s.namesLeftOutOfReport != 0)
        text.warnings << QStringLiteral("%1 de 100.000 caracteres %2 fora do relatório de "
                                        "similaridade (comparar nomes tão longos levaria "
                                        "minutos).")
                             .arg(
                                 counted(s.namesLeftOutOfReport, "nome com mais", "nomes com mais"),
                                 s.namesLeftOutOfReport == 1 ? QStringLiteral("ficou")
                                                             : QStringLiteral("ficaram"));
    if (s.namesEndingInBackslash != 0)
        text.warnings << QStringLiteral("%1 em barra invertida (\\); o networkx não lê um arquivo "
                                        "Pajek com um nome assim (o igraph lê).")
                             .arg(counted(s.namesEndingInBackslash, "nome termina",
                                          "nomes terminam"));
    const qint64 allVertices = s.firstModeVertices + s.secondModeVertices;
    QString vertices = counted(allVertices, "vértice", "vértices");
    if (s.twoMode)
        vertices +=
            QStringLiteral(" (%1 + %2)").arg(n(s.firstModeVertices), n(s.secondModeVertices));
    text.summary =
        QStringLiteral("%1, %2, %3 (%5), %4.")
            .arg(recordsReadText(s.records),
                 counted(s.edgeLines, "linha de ligação gravada", "linhas de ligação gravadas"),
                 counted(s.recordsWithoutLink, "registro sem ligação", "registros sem ligação"),
                 vertices,
                 s.listedNames ? QStringLiteral("nenhum par de nomes")
                               : QStringLiteral("uma ponta em branco"));
    return text;
}

QString recordsReadText(qint64 records)
{
    return counted(records, "registro lido", "registros lidos");
}

QString quotedLookingLineWarning(qint64 line, const QString& quotesOption)
{
    return QStringLiteral("a linha %1 parece ter campos entre aspas; use %2 para lê-los como tais.")
        .arg(n(line), quotesOption);
}

} // namespace urdiva
