#pragma once

#include <QStyledItemDelegate>

// Editors of the data-entry grids: a line for texts and numbers (what is typed into a number
// cell goes to the model, which refuses anything but a number in the column's range and says
// why) and a list for the flag column.
class YGridDelegate : public QStyledItemDelegate {
    Q_OBJECT
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;
};
