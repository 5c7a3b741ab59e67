#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <vector>

// Headless model of the allocation settings pane "调配设置": the items of the property grid with
// their ids, labels and categories, their values (read from and written to the program-wide
// g_nDPRule and its parameters at once) and the enable rules. The desktop pane binds a
// property grid to it; the command-line program and the tests drive it directly.
//
// Values by item type: List → int entry index, Bool → bool, Double → double.
class YDPSettingsModel : public QObject {
    Q_OBJECT
  public:
    enum ItemId : int {
        ID_PRINCIPLE = 1,        // 首要原则 (list)
        ID_THICKNESS = 6,        // 填到指定厚度, bit 4
        ID_UNUSABLE = 7,         // 弃除不可利用方, bit 16
        ID_FILL_CONTENTS = 8,    // 使用填方土石含量, bit 128
        ID_SOIL_RATIO = 101,     // 土方比例
        ID_ROCK_RATIO = 102,     // 石方比例
        ID_FILL_PER_METRE = 103, // 每米最大填方量
        ID_CONTENT_FIRST = 104,  // Ⅰ类土含量; 104 + k − 1 for class k
        ID_CONTENT_LAST = 109    // Ⅵ类石含量
    };
    enum class ItemType { List, Bool, Double };

    struct Item {
        int nId;
        QString strCategory; // "选项" or "参数"
        QString strLabel;
        ItemType type;
    };

    explicit YDPSettingsModel(QObject* parent = nullptr);

    // Every item in display order.
    static const std::vector<Item>& Items();
    static const Item* FindItem(int id);
    // The entries of the 首要原则 list, by index.
    static const QStringList& PrincipleEntries();

    // 首要原则 entry shown for a rule word: the word masked with 107 picks the entry
    // (1 → 0, 2 → 1, 8 → 2, 32 → 3, 64 → 4); any other combination shows entry 0.
    static int PrincipleIndexOf(int rule);
    // The rule word after choosing entry index: its bit set, the other 首要原则 bits cleared,
    // the flags 4, 16 and 128 kept. An index outside 0..4 leaves the word unchanged.
    static int ApplyPrinciple(int rule, int index);

    // The item's current value from the program-wide settings; invalid for an unknown id.
    QVariant Value(int id) const;
    // Writes the value to the program-wide settings. False, and nothing changed, for an unknown
    // id or a value that does not convert to the item's type. Any number is accepted: values are
    // validated only when a strategy reads them.
    bool SetValue(int id, const QVariant& value);
    // Whether the grid offers the item for editing under the current rule word.
    bool IsEnabled(int id) const;
    static bool IsEnabledFor(int id, int rule);

    // Tells the views that every value may have changed (settings reset or set elsewhere).
    void Refresh();

  signals:
    // One item's value was written.
    void ValueChanged(int id);
    // The enable states may have changed (after a change of an item with id below 100, or a
    // refresh): the grid re-applies IsEnabled and redraws.
    void EnableChanged();
};
