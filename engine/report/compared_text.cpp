// SPDX-License-Identifier: MIT
#include "engine/report/compared_text.h"

#include <QStringList>

#include <algorithm>

namespace urdiva {

QString comparedText(const QString& name, bool foldAccents, bool tokenSort)
{
    QString text = name;
    if (foldAccents) {
        text = text.normalized(QString::NormalizationForm_D);
        text.removeIf([](QChar c) { return c.isMark(); });
    }
    if (tokenSort) {
        for (QChar& c : text) {
            if (c.isPunct() || c.isSpace())
                c = u' ';
        }
        QStringList words = text.split(u' ', Qt::SkipEmptyParts);
        std::sort(words.begin(), words.end(), [](const QString& a, const QString& b) {
            const int order = a.compare(b, Qt::CaseInsensitive);
            return order != 0 ? order < 0 : a < b;
        });
        text = words.join(u' ');
    }
    return text;
}

} // namespace urdiva
