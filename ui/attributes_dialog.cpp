// SPDX-License-Identifier: MIT
#include "attributes_dialog.h"

#include "controls.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>

namespace urdiva::ui {
namespace {

void list(QListWidget* list, const QStringList& columns, const QStringList& ticked)
{
    const QSignalBlocker quiet(list);
    list->clear();
    for (const QString& column : columns) {
        auto* item = new QListWidgetItem(column, list);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(ticked.contains(column) ? Qt::Checked : Qt::Unchecked);
    }
}

QStringList ticked(const QListWidget* list)
{
    QStringList names;
    for (int i = 0; i < list->count(); ++i) {
        if (list->item(i)->checkState() == Qt::Checked)
            names << list->item(i)->text();
    }
    return names;
}

} // namespace

AttributesDialog::AttributesDialog(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("attributesDialog"));
    setWindowTitle(QStringLiteral("Atributos e tempo"));
    setFixedSize(300, 322);
    setDialogFont(this);
    m_attributesLabel =
        label(this, "attributesLabel", QStringLiteral("Atributos dos vértices:"), 10, 8, 280);
    m_attributesList = make<QListWidget>(this, "attributesList", 10, 26, 280, 100);
    m_secondAttributesLabel = label(this, "secondAttributesLabel",
                                    QStringLiteral("Atributos do segundo modo:"), 10, 132, 280);
    m_secondAttributesList = make<QListWidget>(this, "secondAttributesList", 10, 150, 280, 100);
    m_timeLabel = label(this, "timeLabel", QStringLiteral("Coluna de tempo:"), 10, 262, 100);
    m_timeList = pickList(this, "timeList", 110, 259, 180, QStringList());
    m_closeButton = make<QPushButton>(this, "closeButton", 210, 290, 80, 25);
    m_closeButton->setText(QStringLiteral("Fechar"));
    for (const auto& [label, control] :
         {std::pair<QLabel*, QWidget*>(m_attributesLabel, m_attributesList),
          std::pair<QLabel*, QWidget*>(m_secondAttributesLabel, m_secondAttributesList),
          std::pair<QLabel*, QWidget*>(m_timeLabel, m_timeList)})
        nameByLabel(label, control);
    for (QListWidget* list : {m_attributesList, m_secondAttributesList})
        connect(list, &QListWidget::itemChanged, this, [this] { emit changed(); });
    connect(m_timeList, &QComboBox::currentIndexChanged, this, [this] { emit changed(); });
    connect(m_closeButton, &QPushButton::clicked, this, &QDialog::close);
}

void AttributesDialog::showColumns(const QStringList& columns, const QStringList& attributes,
                                   const QStringList& secondAttributes, const QString& time,
                                   bool twoMode)
{
    list(m_attributesList, columns, attributes);
    list(m_secondAttributesList, columns, secondAttributes);
    {
        const QSignalBlocker quiet(m_timeList);
        m_timeList->clear();
        m_timeList->addItem(QStringLiteral("Nenhuma"));
        m_timeList->addItems(columns);
        m_timeList->setCurrentIndex(std::max(0, int(columns.indexOf(time)) + 1));
    }
    setTwoMode(twoMode);
    QDialog::show();
    raise();
    activateWindow();
}

void AttributesDialog::setTwoMode(bool twoMode)
{
    m_secondAttributesLabel->setEnabled(twoMode);
    m_secondAttributesList->setEnabled(twoMode);
}

QStringList AttributesDialog::attributes() const
{
    return ticked(m_attributesList);
}

QStringList AttributesDialog::secondAttributes() const
{
    return ticked(m_secondAttributesList);
}

QString AttributesDialog::time() const
{
    return m_timeList->currentIndex() > 0 ? m_timeList->currentText() : QString();
}

} // namespace urdiva::ui
