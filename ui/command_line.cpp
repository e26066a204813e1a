// SPDX-License-Identifier: MIT
#include "command_line.h"

#include "engine/io/native_file.h"

#include <QDir>
#include <QFileInfo>

#include <cstdio>
#include <cstring>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace urdiva::ui {

std::optional<QString> terminalAnswer(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0)
            return QStringLiteral("urdiva " URDIVA_VERSION "\n");
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0)
            return QStringLiteral(
                "Uso: urdiva [ARQUIVO]\n"
                "Abre a janela do Urdiva, que transforma um arquivo de dados delimitado em uma "
                "rede Pajek;\ncom ARQUIVO, já escolhido como entrada.\n\n"
                "  -h, --help  Mostra esta ajuda.\n"
                "  --version   Mostra a versão.\n\n"
                "Sem janela: urdiva-cli --help.\n"
                "URDIVA_NO_UPDATE_CHECK=1 dispensa a verificação de atualização ao iniciar.\n");
    }
    return std::nullopt;
}

void printOnTerminal(const QString& answer)
{
#ifdef Q_OS_WIN
    if (GetFileType(GetStdHandle(STD_OUTPUT_HANDLE)) == FILE_TYPE_UNKNOWN &&
        AttachConsole(ATTACH_PARENT_PROCESS))
        std::freopen("CONOUT$", "w", stdout);
#endif
    native::useUtf8Console();
    native::useBinaryMode(1);
    std::fputs(answer.toUtf8().constData(), stdout);
    std::fflush(stdout);
}

std::optional<QString> fileArgument(const QStringList& arguments)
{
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (!arguments[i].startsWith(u'-'))
            return QDir::toNativeSeparators(QFileInfo(arguments[i]).absoluteFilePath());
    }
    return std::nullopt;
}

} // namespace urdiva::ui
