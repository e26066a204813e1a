// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>
#include <QStringList>

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace urdiva::ui {

// "Atributos e tempo", opened from the "Avançado" tab: the file's columns to tick as attributes
// of the first column's vertices and of the second mode's, and the column of times ("Nenhuma":
// none). A change shows at once; the tab keeps the choices by the columns' names.
class AttributesDialog : public QDialog {
    Q_OBJECT
public:
    explicit AttributesDialog(QWidget* parent = nullptr);

    // The columns, by name, with those chosen ticked or picked; the second mode's list only in a
    // two-mode network.
    void showColumns(const QStringList& columns, const QStringList& attributes,
                     const QStringList& secondAttributes, const QString& time, bool twoMode);
    void setTwoMode(bool twoMode);
    QStringList attributes() const;
    QStringList secondAttributes() const;
    QString time() const; // empty for none

signals:
    void changed();

private:
    QLabel* m_attributesLabel;
    QListWidget* m_attributesList;
    QLabel* m_secondAttributesLabel;
    QListWidget* m_secondAttributesList;
    QLabel* m_timeLabel;
    QComboBox* m_timeList;
    QPushButton* m_closeButton;
};

} // namespace urdiva::ui
