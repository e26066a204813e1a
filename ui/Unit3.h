#pragma once

#include <QDialog>

namespace urdiva::ui {

// The notice that a newer release of the program is available.
class TForm3 : public QDialog {
    Q_OBJECT
public:
    explicit TForm3(QWidget* parent = nullptr);
};

} // namespace urdiva::ui
