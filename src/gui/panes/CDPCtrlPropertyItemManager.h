#pragma once

#include <QObject>

class YDPSettingsModel;
class YPropertyGrid;

// Keeps the property grid of the settings pane "调配设置" and the program-wide allocation
// settings in step: fills the grid with the settings' items and values, writes every change the
// user makes back at once, and re-applies the enable rules after a change of an option (ids
// below 100).
class CDPCtrlPropertyItemManager : public QObject {
    Q_OBJECT
  public:
    CDPCtrlPropertyItemManager(YPropertyGrid& grid, YDPSettingsModel& model,
                               QObject* parent = nullptr);

    // Creates the categories and items of the grid in display order.
    void CreateItems();
    // Shows every value and applies the enable rules.
    void FillFromValues();
    void ApplyEnableRules();

  private:
    void OnItemChanged(int id);
    void OnValueChanged(int id);

    YPropertyGrid& m_grid;
    YDPSettingsModel& m_model;
};
