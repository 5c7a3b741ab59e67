#include "gui/dialogs/CPropertyCustomTF.h"

#include "core/import/TfFormat.h"

CPropertyCustomTF::CPropertyCustomTF(int id, QString label)
    : CPropertyItemList(id, std::move(label), {}, true) {}

QStringList CPropertyCustomTF::Entries() const {
    QStringList names;
    for (int slot = 0; slot < TfFormat::SlotCount; ++slot) {
        const QString name = TfFormat::SlotName(slot);
        if (!name.isEmpty()) {
            names << name;
        }
    }
    return names;
}

int CPropertyCustomTF::SlotOfName(const QString& name) {
    if (name.isEmpty()) {
        return -1;
    }
    for (int slot = 0; slot < TfFormat::SlotCount; ++slot) {
        if (TfFormat::SlotName(slot) == name) {
            return slot;
        }
    }
    return -1;
}
