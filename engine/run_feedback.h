#pragma once

#include <QString>

#include <array>

namespace urdiva {

class NetworkText;

// What a run asks of its surroundings, in the order a successful run calls it.
class RunFeedback {
public:
    virtual ~RunFeedback() = default;

    // Asked once, only when a file already exists at the final output path.
    virtual bool confirmOverwrite(const QString& finalPath) = 0;
    // Whether a file that appears at the final output path while the run works may be replaced
    // by the network. Nobody agreed to that unless the front end says so.
    virtual bool replaceAppearingFile() const { return false; }
    // Called six times with the stage texts below; the first call opens the progress display.
    virtual void showStage(const QString& text) = 0;
    virtual void clearOutput() = 0;
    virtual void showOutput(const NetworkText& text) = 0;
    virtual void closeProgress() = 0;
    virtual void showMessage(const QString& text) = 0;
};

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

namespace messages {
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
inline QString savedNetworkAndReport()
{
    return QStringLiteral(
        "Arquivos gravados com sucesso! O arquivo com a extensão .net refere-se à rede no formato "
        "Pajek, enquanto o arquivo com a extensão .rtf contém o relatório de similaridade de "
        "vértices.");
}
} // namespace messages

} // namespace urdiva
