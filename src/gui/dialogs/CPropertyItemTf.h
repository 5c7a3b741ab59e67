#pragma once

#include "gui/widgets/CPropertyItemList.h"

// A quantity's output form in the earthwork calculation table: "压实方" (value 0, compacted) or
// "自然方" (value 1, natural).
class CPropertyItemTf : public CPropertyItemList {
  public:
    CPropertyItemTf(int id, QString label, bool bNatural)
        : CPropertyItemList(id, std::move(label),
                            {QStringLiteral("压实方"), QStringLiteral("自然方")}) {
        SetValue(bNatural ? 1 : 0);
    }
    bool IsNatural() const { return Index() == 1; }
};
