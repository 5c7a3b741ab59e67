#pragma once

#include "gui/widgets/CPropertyItemList.h"

// The "文件类型" list of the format dialog: the names of the defined earthwork formats, asked
// for slot by slot (0–9) every time the list is shown; an undefined slot gives no entry. The
// list is editable so that a new format can be named.
class CPropertyCustomTF : public CPropertyItemList {
  public:
    CPropertyCustomTF(int id, QString label);

    QStringList Entries() const override;
    // The slot a listed name is stored in; -1 for a name that is no defined format.
    static int SlotOfName(const QString& name);
};
