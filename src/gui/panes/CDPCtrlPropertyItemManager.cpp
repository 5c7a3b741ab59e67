#include "gui/panes/CDPCtrlPropertyItemManager.h"

#include "core/allocation/YDPSettingsModel.h"
#include "gui/panes/CDPCtrlPropertyItem.h"
#include "gui/widgets/CPropertyItemBool.h"
#include "gui/widgets/CPropertyItemDouble.h"
#include "gui/widgets/YPropertyGrid.h"

#include <map>

CDPCtrlPropertyItemManager::CDPCtrlPropertyItemManager(YPropertyGrid& grid, YDPSettingsModel& model,
                                                       QObject* parent)
    : QObject(parent), m_grid(grid), m_model(model) {
    connect(&m_grid, &YPropertyGrid::ItemChanged, this, &CDPCtrlPropertyItemManager::OnItemChanged);
    connect(&m_model, &YDPSettingsModel::ValueChanged, this,
            &CDPCtrlPropertyItemManager::OnValueChanged);
    connect(&m_model, &YDPSettingsModel::EnableChanged, this,
            &CDPCtrlPropertyItemManager::ApplyEnableRules);
}

void CDPCtrlPropertyItemManager::CreateItems() {
    m_grid.RemoveAll();
    std::map<QString, int> categories;
    for (const YDPSettingsModel::Item& item : YDPSettingsModel::Items()) {
        auto found = categories.find(item.strCategory);
        if (found == categories.end()) {
            found =
                categories.emplace(item.strCategory, m_grid.AddCategory(item.strCategory)).first;
        }
        std::unique_ptr<CPropertyItem> row;
        switch (item.type) {
        case YDPSettingsModel::ItemType::List:
            row = std::make_unique<CDPCtrlPropertyItem>(item.nId, item.strLabel);
            break;
        case YDPSettingsModel::ItemType::Bool:
            row = std::make_unique<CPropertyItemBool>(item.nId, item.strLabel);
            break;
        case YDPSettingsModel::ItemType::Double:
            row = std::make_unique<CPropertyItemDouble>(item.nId, item.strLabel);
            break;
        }
        m_grid.AddItem(found->second, std::move(row));
    }
    FillFromValues();
}

void CDPCtrlPropertyItemManager::FillFromValues() {
    for (const YDPSettingsModel::Item& item : YDPSettingsModel::Items()) {
        m_grid.SetValue(item.nId, m_model.Value(item.nId));
    }
    ApplyEnableRules();
}

void CDPCtrlPropertyItemManager::ApplyEnableRules() {
    for (const YDPSettingsModel::Item& item : YDPSettingsModel::Items()) {
        m_grid.EnableItem(item.nId, m_model.IsEnabled(item.nId));
    }
    m_grid.Redraw();
}

void CDPCtrlPropertyItemManager::OnItemChanged(int id) {
    if (!m_model.SetValue(id, m_grid.Value(id))) {
        m_grid.SetValue(id, m_model.Value(id)); // not taken: show the value that holds
    }
}

void CDPCtrlPropertyItemManager::OnValueChanged(int id) {
    m_grid.SetValue(id, m_model.Value(id));
}
