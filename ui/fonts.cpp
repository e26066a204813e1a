// SPDX-License-Identifier: MIT
#include "fonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace urdiva::ui {
namespace {

// Debian's fonts-wine ships metric-compatible "MS Sans Serif" and "Tahoma" faces outside the
// font path; the program loads them itself.
void loadWindowsFaces()
{
    static const bool loaded = [] {
        for (const char* file : {"ms_sans_serif.ttf", "tahoma.ttf", "tahomabd.ttf"})
            QFontDatabase::addApplicationFont(QStringLiteral("/usr/share/wine/fonts/") +
                                              QLatin1StringView(file));
        return true;
    }();
    Q_UNUSED(loaded);
}

QFont firstAvailable(const QStringList& families, int points, QFontDatabase::SystemFont fallback)
{
    loadWindowsFaces();
    QFont font = QFontDatabase::systemFont(fallback);
    font.setFamilies(families + QStringList {font.family()});
    font.setPointSize(points);
    // Set, not inherited: a font given to a widget inside a bold group box stays regular.
    font.setWeight(QFont::Normal);
    return font;
}

} // namespace

QFont dialogFont(int points)
{
    return firstAvailable({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"),
                           QStringLiteral("Arial")},
                          points, QFontDatabase::GeneralFont);
}

QFont monospaceFont(int points)
{
    return firstAvailable({QStringLiteral("Courier New"), QStringLiteral("Liberation Mono")},
                          points, QFontDatabase::FixedFont);
}

QFont tahomaFont(int points)
{
    return firstAvailable({QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans"),
                           QStringLiteral("Liberation Sans")},
                          points, QFontDatabase::GeneralFont);
}

QFont boldDialogFont(int points)
{
    QFont font = firstAvailable({QStringLiteral("Liberation Sans"), QStringLiteral("Arial")},
                                points, QFontDatabase::GeneralFont);
    font.setBold(true);
    return font;
}

QFont boldTahomaFont(int points)
{
    // The stand-in Tahoma is drawn from DejaVu Sans, whose bold matches it.
    QFont font = firstAvailable({QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")},
                                points, QFontDatabase::GeneralFont);
    font.setBold(true);
    return font;
}

} // namespace urdiva::ui
