#pragma once

#include <QStyledItemDelegate>

// Editors of the data-entry grids: a line for texts and numbers (a number cell takes only a
// decimal number; anything else leaves the cell as it was) and a list for the flag column.
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
