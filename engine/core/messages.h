// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <array>

// The texts the program shows its users, in one place: stage texts, questions, messages and the
// similar-vertex report's own lines. Error texts arise where their failures do.
namespace urdiva::messages {

inline constexpr std::array<const char16_t*, 6> kStageTexts = {
    u"    Aguarde o final do processamento!",
    u"    Iniciando geração de vértices!",
    u"    Limpando vértices em Branco!",
    u"    Gerando vértices definitivos!",
    u"    Gerando arestas!",
    u"    Salvando arquivo .net!",
};

// The text of stage 1 to 6.
inline QString stageText(int stage)
{
    return QStringView(kStageTexts.at(stage - 1)).toString();
}

// Stage 6 for a network file with the extension (".net", the text above, for Pajek), and for a
// network written to standard output.
inline QString savingStageText(QStringView extension)
{
    return QStringLiteral("    Salvando arquivo %1!").arg(extension);
}
// Shown while the similar-vertex report compares the names, before the files are saved.
inline QString reportStageText()
{
    return QStringLiteral("    Procurando vértices similares!");
}
inline QString writingToStandardOutput()
{
    return QStringLiteral("    Escrevendo a rede na saída padrão!");
}

inline QString overwriteQuestion()
{
    return QStringLiteral(
        "O arquivo que você está tentando criar já existe, deseja sobrescrevê-lo?");
}
inline QString overwriteCaption()
{
    return QStringLiteral("Confirmação");
}
inline QString noOutputFile()
{
    return QStringLiteral("O arquivo de saída não foi selecionado!");
}
inline QString savedNetwork()
{
    return QStringLiteral("Arquivo gravado com sucesso!");
}
// `extension` and `format` name the network file's kind, `reportExtension` the report's: ".net",
// "Pajek" and ".rtf" unless others were chosen.
inline QString savedNetworkAndReport(QStringView extension = u".net", QStringView format = u"Pajek",
                                     QStringView reportExtension = u".rtf")
{
    return QStringLiteral(
               "Arquivos gravados com sucesso! O arquivo com a extensão %1 refere-se à rede no "
               "formato %2, enquanto o arquivo com a extensão %3 contém o relatório de "
               "similaridade de vértices.")
        .arg(extension, format, reportExtension);
}

// A rename table whose first line is not its header, whose line is not a pair of names, or that
// gives a name two different names.
inline QString renameTableHeader()
{
    return QStringLiteral("A tabela de nomes deve começar pela linha \"variant,canonical\" ou "
                          "\"variant,canonical,mode\".");
}
inline QString renameTableLine()
{
    return QStringLiteral("A linha não é um par de nomes separados por vírgula.");
}
inline QString renameTableModeLine()
{
    return QStringLiteral(
        "A linha não é um par de nomes e o modo (1 ou 2), separados por vírgula.");
}
inline QString renameTableTwice(const QString& name)
{
    return QStringLiteral("O nome \"%1\" já tem outro nome canônico na tabela.").arg(name);
}
// A name that the table renames (on line `variantLine`) and gives as another's new name.
inline QString renameTableChain(const QString& name, qint64 variantLine, qint64 canonicalLine)
{
    return QStringLiteral("O nome \"%1\" é variante na linha %2 e nome canônico na linha %3; "
                          "a tabela não encadeia nomes.")
        .arg(name)
        .arg(variantLine)
        .arg(canonicalLine);
}

// A quoted field whose closing quotation mark never comes, or not within `lines` lines (or a
// mebibyte).
inline QString quoteNotClosed(qint64 line)
{
    return QStringLiteral("As aspas abertas na linha %1 não fecham.").arg(line);
}
inline QString quoteNotClosedWithin(qint64 line, qint64 lines)
{
    return QStringLiteral("As aspas abertas na linha %1 não fecham em %2 linhas nem em 1 MiB.")
        .arg(line)
        .arg(lines);
}

// A weight that has to be added or compared but is not a number.
inline QString weightNotNumber(const QString& weight)
{
    return QStringLiteral("O peso \"%1\" não é um número.").arg(weight);
}

// A weight written as a number but beyond the largest double, which cannot be added or compared.
inline QString weightTooLarge(const QString& weight)
{
    return QStringLiteral("O peso \"%1\" passa do maior número que se pode somar ou comparar.")
        .arg(weight);
}
// A weight written as a number but nearer to zero than the smallest double (without being zero),
// which network readers refuse or read as another number.
inline QString weightTooSmall(const QString& weight)
{
    return QStringLiteral("O peso \"%1\" é mais próximo de zero que o menor número que se pode "
                          "somar ou comparar.")
        .arg(weight);
}
// The merged weights of the link between vertices a and b add up beyond the largest double.
inline QString sumTooLarge(int a, int b)
{
    return QStringLiteral("A soma dos pesos da ligação %1 %2 passa do maior número que se pode "
                          "gravar.")
        .arg(a)
        .arg(b);
}

// A data file whose first bytes look like UTF-16 without its byte-order mark.
inline QString utf16WithoutMark()
{
    return QStringLiteral("O arquivo parece estar em UTF-16 sem a marca de ordem dos bytes (BOM); "
                          "salve-o em UTF-8 ou em UTF-16 com BOM.");
}
// A line without a line break in its first 256 MiB.
inline QString lineTooLong(qint64 line)
{
    return QStringLiteral("A linha %1 passa de 256 MiB; linhas tão longas não são lidas.")
        .arg(line);
}

// Workbooks (.xlsx, .ods).
inline QString workbookDamaged()
{
    return QStringLiteral("O arquivo não é uma planilha .xlsx ou .ods legível: está danificado ou "
                          "incompleto.");
}
// The name of an attribute column without a header line to name it: "coluna 3".
inline QString columnName(qint32 number)
{
    return QStringLiteral("coluna %1").arg(number);
}

inline QString workbookProtected()
{
    return QStringLiteral("A planilha está protegida por senha, ou é um .xls antigo: salve-a sem "
                          "senha como .xlsx ou .ods.");
}
// `sheets` already quoted and joined.
inline QString noSuchSheet(const QString& sheet, const QString& sheets)
{
    return QStringLiteral("A planilha \"%1\" não existe; as planilhas do arquivo são: %2.")
        .arg(sheet, sheets);
}
inline QString optionNotForWorkbook(const QString& option)
{
    return QStringLiteral("A opção '%1' não vale para uma planilha: suas células já são os campos.")
        .arg(option);
}

inline QString noInputFile()
{
    return QStringLiteral("O arquivo de entrada não existe ou não foi selecionado!");
}
inline QString referenceCopied()
{
    return QStringLiteral("Referência copiada!");
}

inline QString reportTitle()
{
    return QStringLiteral("Relatório de vértices Similares");
}
inline QString reportDashLine()
{
    return QString(105, u'-');
}
// The report's last line, for `count` pairs listed at the threshold.
inline QString reportClosingLine(qint64 count, int threshold)
{
    if (count > 0) {
        return QStringLiteral("Foram encontrados %1 vértices similares usando a taxa de "
                              "similaridade igual a %2%")
            .arg(count)
            .arg(threshold);
    }
    return QStringLiteral("Não foram encontrados vértices similares usando a taxa de similaridade "
                          "igual a %1%")
        .arg(threshold);
}

// Two failures keep the English texts they have had since the first versions, which users quote
// when they ask for help and their scripts look for: a record without one of the chosen columns,
// and an output that could not be written (with the system's reason, when it gave one).
inline QString listIndexOutOfBounds(qint32 index)
{
    return QStringLiteral("List index out of bounds (%1)").arg(index);
}
inline QString failedToSaveStream(const QString& reason = QString())
{
    return reason.isEmpty() ? QStringLiteral("Failed to Save Stream")
                            : QStringLiteral("Failed to Save Stream. %1").arg(reason);
}

} // namespace urdiva::messages
