#pragma once

#include "gui/widgets/CPropertyItemList.h"

// The "首要原则" list of the allocation settings: its five entries, by index, each choosing one
// family of strategies (优先使用土方, 土方石齐用, 单过程土石比例控制, 将填缺凑到土石比例,
// 就地取弃).
class CDPCtrlPropertyItem : public CPropertyItemList {
  public:
    CDPCtrlPropertyItem(int id, QString label);
};
