// SPDX-License-Identifier: MIT
#include "engine/io/paths.h"

namespace urdiva {
namespace {

qsizetype lastSeparator(QStringView path, const PathRules& rules)
{
    for (qsizetype i = path.size() - 1; i >= 0; --i) {
        if (rules.separators.contains(path[i]))
            return i;
    }
    return -1;
}

QStringView fileNamePart(QStringView path, const PathRules& rules)
{
    return path.sliced(lastSeparator(path, rules) + 1);
}

} // namespace

PathRules PathRules::windows()
{
    return {u"\\/:", u'\\'};
}

PathRules PathRules::posix()
{
    return {u"/", u'/'};
}

PathRules PathRules::host()
{
#ifdef Q_OS_WIN
    return windows();
#else
    return posix();
#endif
}

QString withoutExtension(QStringView path, const PathRules& rules)
{
    const QStringView name = fileNamePart(path, rules);
    const qsizetype dot = name.lastIndexOf(u'.');
    return (dot < 0 ? name : name.first(dot)).toString();
}

QString extensionOf(QStringView path, const PathRules& rules)
{
    const QStringView name = fileNamePart(path, rules);
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot < 0 ? QString() : name.sliced(dot).toString();
}

QString folderOf(QStringView path, const PathRules& rules)
{
    const qsizetype k = lastSeparator(path, rules);
    if (k < 0)
        return {};
    // A drive's colon stays: C:rede.csv is in the folder C:, not C.
    if (path[k] != u':' && k > 0 && !rules.separators.contains(path[k - 1]))
        return path.first(k).toString();
    return path.first(k + 1).toString();
}

QString defaultOutputName(const QString& inputPath, const QDateTime& when, const PathRules& rules)
{
    return folderOf(inputPath, rules) + rules.folderSeparator + withoutExtension(inputPath, rules) +
           QStringLiteral(" - ") + when.toString(QStringLiteral("ddMMyyyy_HHmmss")) +
           QStringLiteral(".net");
}

QString finalOutputPath(const QString& outputPath, const PathRules& rules, QStringView extension)
{
    if (extensionOf(outputPath, rules) == extension)
        return outputPath;
    return outputPath + extension.toString();
}

} // namespace urdiva
