#pragma once

#include <QString>
#include <functional>
#include <vector>

class QMenu;

// The File menu's earthwork-format submenu ("其它 CAD 数据接口"): the defined formats in slot
// order up to the first undefined slot, then one item to define a new format in that slot
// (none when all ten slots are defined). Item ids are 33000 + slot.
namespace YFormatMenu {
struct Entry {
    int nId;
    QString strText;
};

// The entries for the stored format names; slotName(i) is the name of slot i, empty when the
// slot is not defined.
std::vector<Entry> Entries(const std::function<QString(int)>& slotName);
// The entries for the formats of the profile.
std::vector<Entry> ProfileEntries();
// Replaces the items 33000–33009 of the submenu by the entries, keeping other items; the
// actions carry their id as data and trigger onChosen(id).
void Rebuild(QMenu& menu, const std::function<void(int)>& onChosen);
} // namespace YFormatMenu
