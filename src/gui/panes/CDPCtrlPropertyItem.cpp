#include "gui/panes/CDPCtrlPropertyItem.h"

#include "core/allocation/YDPSettingsModel.h"

CDPCtrlPropertyItem::CDPCtrlPropertyItem(int id, QString label)
    : CPropertyItemList(id, std::move(label), YDPSettingsModel::PrincipleEntries()) {}
