// SPDX-License-Identifier: MIT
#include "settings_wording.h"

#include "engine/core/choices.h"

namespace urdiva::ui {
namespace {

// Said once after any problem with a value of the "Avançado" tab, which the user may have set
// long ago.
const QString kRemembered =
    QStringLiteral(" (As opções da aba Avançado são preferências lembradas de um uso para o outro; "
                   "\"Restaurar padrões\" as desfaz.)");

QString needsReport(const char* caption)
{
    return QStringLiteral("\"%1\" (aba Avançado) só vale com \"Gerar relatório de vértices "
                          "similares\" (aba Configurações).")
               .arg(QString::fromUtf8(caption)) +
           kRemembered;
}

} // namespace

QString windowText(const SettingsProblem& problem)
{
    using Kind = SettingsProblem::Kind;
    switch (problem.kind) {
    case Kind::MergeNeedsWeights:
        return QStringLiteral("\"Ligações repetidas: %1\" (aba Avançado) precisa de uma \"Coluna "
                              "de Valor\" (aba Saída).")
                   .arg(QString::fromUtf16(choiceOf(problem.merge).caption)) +
               kRemembered;
    case Kind::CellSeparatorIsColumnSeparator:
        return QStringLiteral("O separador de \"Vários nomes por célula\" (aba Avançado) precisa "
                              "ser diferente do separador de colunas.") +
               kRemembered;
    case Kind::ProjectionNeedsTwoModes:
        return QStringLiteral("A \"Projeção\" (aba Avançado) precisa do \"Modo da Rede\" "
                              "2-Modos (aba Saída).") +
               kRemembered;
    case Kind::ProjectionWithWeightsOrArcs:
        return QStringLiteral("A \"Projeção\" (aba Avançado) dá arestas pesadas pelo número de "
                              "vértices partilhados: não vai com uma \"Coluna de Valor\" nem com o "
                              "\"Tipo da Rede\" Dirigido (aba Saída), nem com \"Ligações "
                              "repetidas\" (aba Avançado).") +
               kRemembered;
    case Kind::CooccurrenceNeedsCellSeparator:
        return QStringLiteral("A \"Coocorrência\" (aba Avançado) precisa de um separador em "
                              "\"Vários nomes por célula, separados por:\".") +
               kRemembered;
    case Kind::CooccurrenceWithTwoModesOrArcs:
        return QStringLiteral("A \"Coocorrência\" (aba Avançado) dá uma rede de um modo, com "
                              "arestas: não vai com o \"Modo da Rede\" 2-Modos nem com o \"Tipo "
                              "da Rede\" Dirigido (aba Saída).") +
               kRemembered;
    case Kind::QuoteSeparates:
        return QStringLiteral("Com \"Campos entre aspas\" (aba Avançado), as aspas (\") abrem "
                              "campos: não podem separar colunas nem nomes.") +
               kRemembered;
    case Kind::AttributesWithCooccurrence:
        return QStringLiteral("Os \"Atributos dos vértices\" (aba Avançado, \"Atributos e "
                              "tempo...\") não vão com a \"Coocorrência\": a célula de um "
                              "registro lista vários nomes, e o valor não diria de qual deles é.") +
               kRemembered;
    case Kind::AttributeFilesOnStandardOutput:
        // The window always writes a file.
        return commandLineText(problem);
    case Kind::ReportFormatWithoutReport:
        return needsReport("Formato do relatório");
    case Kind::FoldAccentsWithoutReport:
        return needsReport("Relatório sem acentos");
    case Kind::TokenSortWithoutReport:
        return needsReport("Relatório com as palavras em ordem");
    case Kind::SecondModeReportWithoutReport:
        return needsReport("Relatório também do segundo modo");
    case Kind::SuggestedTableWithoutReport:
        return needsReport("Sugerir tabela de nomes");
    case Kind::ThresholdOutOfRange:
    case Kind::HeaderLinesOutOfRange:
    case Kind::ReportOnStandardOutput:
    case Kind::Files:
        break;
    case Kind::SecondModeReportNeedsTwoModes:
        return QStringLiteral("\"Relatório também do segundo modo\" (aba Avançado) precisa do "
                              "\"Modo da Rede\" 2-Modos (aba Saída).") +
               kRemembered;
    }
    return commandLineText(problem);
}

} // namespace urdiva::ui
