// SPDX-License-Identifier: MIT
#include "controls.h"

#include "fonts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QToolTip>

namespace urdiva::ui {

void tooltipColoured(QWidget* widget)
{
    QPalette palette = widget->palette();
    const QColor base = QToolTip::palette().color(QPalette::ToolTipBase);
    const QColor text = QToolTip::palette().color(QPalette::ToolTipText);
    // Enabled only: a disabled control keeps the style's greyed colours, so it looks disabled.
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Base, base);
        palette.setColor(group, QPalette::Text, text);
        if (qobject_cast<QComboBox*>(widget)) {
            palette.setColor(group, QPalette::Button, base);
            palette.setColor(group, QPalette::ButtonText, text);
        }
    }
    widget->setPalette(palette);
}

QGroupBox* group(QWidget* parent, const char* name, const QString& caption, int x, int y, int w,
                 int h)
{
    auto* box = make<QGroupBox>(parent, name, x, y, w, h);
    box->setTitle(caption);
    box->setFont(boldDialogFont());
    return box;
}

QLabel* label(QWidget* parent, const char* name, const QString& text, int x, int y, int w)
{
    auto* l = make<QLabel>(parent, name, x, y, w, 16);
    l->setTextFormat(Qt::PlainText);
    l->setText(text);
    return l;
}

QComboBox* pickList(QWidget* parent, const char* name, int x, int y, int w,
                    const QStringList& items)
{
    auto* combo = make<QComboBox>(parent, name, x, y, w, 21);
    combo->addItems(items);
    combo->setCurrentIndex(-1);
    tooltipColoured(combo);
    return combo;
}

QCheckBox* checkBox(QWidget* parent, const char* name, const QString& text, int x, int y, int w)
{
    auto* box = make<QCheckBox>(parent, name, x, y, w, 17);
    box->setText(text);
    return box;
}

QSpinBox* numberBox(QWidget* parent, const char* name, int x, int y, int w, int min, int max,
                    int value)
{
    auto* box = make<QSpinBox>(parent, name, x, y, w + 16, 21);
    box->setRange(min, max);
    box->setValue(value);
    box->findChild<QLineEdit*>()->setReadOnly(true);
    return box;
}

void nameByLabel(QLabel* label, QWidget* control)
{
    label->setBuddy(control);
    control->setAccessibleName(label->text());
}

void setDialogFont(QWidget* widget)
{
    widget->setFont(dialogFont());
}

} // namespace urdiva::ui
