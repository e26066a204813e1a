// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QSpinBox;
class QWidget;

namespace urdiva::ui {

// The windows' controls sit at fixed places, in pixels, as on the form they were drawn on; these
// make them, named for tests and the screenshots.
template <typename T>
T* make(QWidget* parent, const char* name, int x, int y, int w, int h)
{
    auto* widget = new T(parent);
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(x, y, w, h);
    return widget;
}

// The pale yellow of tooltips, which the window uses for its boxes and panes (a drop-down list
// draws its face in the button colour).
void tooltipColoured(QWidget* widget);
// A group with a bold caption whose contents keep the normal weight.
QGroupBox* group(QWidget* parent, const char* name, const QString& caption, int x, int y, int w,
                 int h);
QLabel* label(QWidget* parent, const char* name, const QString& text, int x, int y, int w = 150);
// A pick list with nothing picked.
QComboBox* pickList(QWidget* parent, const char* name, int x, int y, int w,
                    const QStringList& items);
QCheckBox* checkBox(QWidget* parent, const char* name, const QString& text, int x, int y, int w);
// A number box that the spinner alone changes.
QSpinBox* numberBox(QWidget* parent, const char* name, int x, int y, int w, int min, int max,
                    int value);

void setDialogFont(QWidget* widget);
// A control read by its label: the label's text is its accessible name, and the label its buddy.
void nameByLabel(QLabel* label, QWidget* control);

// A control inside a group, in the normal weight.
template <typename T>
T* inGroup(QWidget* box, const char* name, int x, int y, int w, int h)
{
    T* widget = make<T>(box, name, x, y, w, h);
    setDialogFont(widget);
    return widget;
}

} // namespace urdiva::ui
