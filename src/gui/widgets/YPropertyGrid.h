#pragma once

#include <QTreeWidget>
#include <map>
#include <memory>

class CPropertyItem;

// A grid of items in named categories: one row per item with its label and an editor of the
// item's kind (check box, number, text, list). Items are found by their numeric id, can be
// enabled and disabled one by one, and a change made by the user is reported by id.
class YPropertyGrid : public QTreeWidget {
    Q_OBJECT
  public:
    explicit YPropertyGrid(QWidget* parent = nullptr);
    ~YPropertyGrid() override;

    // Appends a category row; returns its index for AddItem.
    int AddCategory(const QString& title);
    // Appends an item below a category; the grid owns it. Ids are unique within a grid.
    CPropertyItem* AddItem(int category, std::unique_ptr<CPropertyItem> item);
    // Removes every category and item.
    void RemoveAll();

    CPropertyItem* Item(int id) const;
    QWidget* Editor(int id) const;
    QVariant Value(int id) const;
    // Sets a value and shows it; no change is reported.
    void SetValue(int id, const QVariant& value);
    void EnableItem(int id, bool bEnabled);
    bool IsItemEnabled(int id) const;
    // Shows every item's value and enabled state again.
    void Redraw();

  signals:
    // The user changed the item's value (it is already stored in the item).
    void ItemChanged(int id);

  private:
    struct Row {
        std::unique_ptr<CPropertyItem> item;
        QTreeWidgetItem* row = nullptr;
        QWidget* editor = nullptr;
    };
    void OnEdited(int id);
    void ShowRow(const Row& row) const;
    const Row* Find(int id) const;

    std::map<int, Row> m_rows;
};
