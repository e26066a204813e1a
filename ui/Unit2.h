#pragma once

#include <QWidget>

namespace urdiva::ui {

// The Info window: help pages, the team and the reference to the program. Not modal; closing
// it only hides it.
class Tinfo : public QWidget {
    Q_OBJECT
public:
    explicit Tinfo(QWidget* parent = nullptr);
};

} // namespace urdiva::ui
