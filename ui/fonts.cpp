// SPDX-License-Identifier: MIT
#include "fonts.h"

#include <QFontDatabase>
#include <QStandardPaths>
#include <QStringList>

namespace urdiva::ui {
namespace {

// Where the system lacks "MS Sans Serif" or "Tahoma" (on Windows they are its own), the
// metric-compatible faces of Wine's fonts (Debian's fonts-wine) stand in; they lie outside the
// font path, in wine/fonts of a data folder (/usr/share, /usr/local/share), and the program adds
// them itself.
void loadWindowsFaces()
{
    static const bool loaded = [] {
        const QStringList families = QFontDatabase::families();
        if (families.contains(QStringLiteral("MS Sans Serif")) &&
            families.contains(QStringLiteral("Tahoma")))
            return true;
        for (const QString& folder : QStandardPaths::locateAll(QStandardPaths::GenericDataLocation,
                                                               QStringLiteral("wine/fonts"),
                                                               QStandardPaths::LocateDirectory)) {
            for (const char* file : {"ms_sans_serif.ttf", "tahoma.ttf", "tahomabd.ttf"})
                QFontDatabase::addApplicationFont(folder + u'/' + QLatin1StringView(file));
        }
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
