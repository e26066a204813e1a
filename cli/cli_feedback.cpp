// SPDX-License-Identifier: MIT
#include "cli_feedback.h"

#include "engine/io/native_file.h"

#include <QLocale>

#include <cstdio>

namespace urdiva::cli {

CliFeedback::CliFeedback(bool force, bool quiet, bool decimalComma)
    : m_force(force)
    , m_quiet(quiet)
    , m_terminal(native::isTerminal(2))
    , m_decimalComma(decimalComma)
{
}

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

void CliFeedback::showQuotedLookingLine(qint64 line)
{
    if (m_quiet)
        return;
    endProgressLine();
    std::fprintf(stderr,
                 "urdiva-cli: aviso: a linha %s parece ter campos entre aspas; use --quotes "
                 "para lê-los como tais.\n",
                 n(line).toUtf8().constData());
    std::fflush(stderr);
}

QStringList CliFeedback::summaryLines() const
{
    const RunSummary& s = m_summary;
    QStringList lines;
    if (s.weightsNotNumbers != 0)
        lines << QStringLiteral("urdiva-cli: aviso: %1 não %2 (o primeiro na linha %3); leitores "
                                "como igraph e networkx não os aceitam%4.")
                     .arg(counted(s.weightsNotNumbers, "peso", "pesos"),
                          s.weightsNotNumbers == 1 ? QStringLiteral("é número")
                                                   : QStringLiteral("são números"),
                          n(s.firstWeightNotNumber),
                          m_decimalComma ? QString() : QStringLiteral(" (veja --decimal-comma)"));
    if (s.namesChanged != 0 && s.inXml)
        lines << QStringLiteral("urdiva-cli: aviso: %1 com U+FFFD no lugar de caracteres que o "
                                "XML não aceita.")
                     .arg(counted(s.namesChanged, "nome gravado", "nomes gravados"));
    else if (s.namesChanged != 0)
        lines << QStringLiteral("urdiva-cli: aviso: %1 com apóstrofo (') no lugar de aspas (\") "
                                "ou espaço no lugar de quebra de linha.")
                     .arg(counted(s.namesChanged, "nome gravado", "nomes gravados"));
    if (s.namesEndingInBackslash != 0)
        lines << QStringLiteral("urdiva-cli: aviso: %1 em barra invertida (\\); o networkx não lê "
                                "um arquivo Pajek com um nome assim (o igraph lê).")
                     .arg(counted(s.namesEndingInBackslash, "nome termina", "nomes terminam"));
    const qint64 allVertices = s.firstModeVertices + s.secondModeVertices;
    QString vertices = counted(allVertices, "vértice", "vértices");
    if (s.twoMode)
        vertices +=
            QStringLiteral(" (%1 + %2)").arg(n(s.firstModeVertices), n(s.secondModeVertices));
    lines << QStringLiteral("urdiva-cli: %1, %2, %3 (%5), %4.")
                 .arg(
                     counted(s.records, "registro lido", "registros lidos"),
                     counted(s.edgeLines, "linha de ligação gravada", "linhas de ligação gravadas"),
                     counted(s.recordsWithoutLink, "registro sem ligação", "registros sem ligação"),
                     vertices,
                     s.listedNames ? QStringLiteral("nenhum par de nomes")
                                   : QStringLiteral("uma ponta em branco"));
    return lines;
}

CliFeedback::~CliFeedback()
{
    endProgressLine();
}

bool CliFeedback::confirmOverwrite(const QString&)
{
    return m_force;
}

void CliFeedback::showStage(const QString& text)
{
    if (m_quiet)
        return;
    endProgressLine();
    std::fprintf(stderr, "%s\n", text.trimmed().toUtf8().constData());
    std::fflush(stderr);
}

void CliFeedback::showRecordsRead(qint64 records)
{
    constexpr qint64 kRefreshMs = 250;
    if (m_quiet || !m_terminal ||
        (m_sinceProgress.isValid() && m_sinceProgress.elapsed() < kRefreshMs))
        return;
    m_sinceProgress.start();
    std::fprintf(stderr, "\r%s",
                 counted(records, "registro lido", "registros lidos").toUtf8().constData());
    std::fflush(stderr);
    m_progressShown = true;
}

// Clears the records line, so that what follows is printed in its place.
void CliFeedback::endProgressLine()
{
    if (!m_progressShown)
        return;
    std::fputs("\r\033[K", stderr);
    m_progressShown = false;
}

} // namespace urdiva::cli
