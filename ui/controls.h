// SPDX-License-Identifier: MIT
#pragma once

#include "engine/core/choices.h"

#include <QComboBox>
#include <QString>
#include <QStringList>

#include <optional>
#include <span>

class QCheckBox;
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
// A pick list of a choice's values, nothing picked: each item shows its caption and holds its
// word, by which it is read back (never by its place or its caption).
template <typename Value, size_t N>
QComboBox* pickList(QWidget* parent, const char* name, int x, int y, int w,
                    const Choice<Value> (&choices)[N])
{
    QComboBox* list = pickList(parent, name, x, y, w, QStringList());
    for (const Choice<Value>& choice : choices)
        list->addItem(QString::fromUtf16(choice.caption), QString::fromLatin1(choice.word));
    list->setCurrentIndex(-1);
    return list;
}
// The value picked in such a list; none when nothing is.
template <typename Value, size_t N>
std::optional<Value> chosen(const QComboBox* list, const Choice<Value> (&choices)[N])
{
    return valueOfWord(std::span<const Choice<Value>>(choices), list->currentData().toString());
}
template <typename Value, size_t N>
void selectChoice(QComboBox* list, const Choice<Value> (&choices)[N], Value value)
{
    const Choice<Value>& choice = choiceIn(std::span<const Choice<Value>>(choices), value);
    list->setCurrentIndex(list->findData(QString::fromLatin1(choice.word)));
}
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
