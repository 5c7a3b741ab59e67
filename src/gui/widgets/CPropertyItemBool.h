#pragma once

#include "gui/widgets/CPropertyItem.h"

// A check box item (an on/off flag).
class CPropertyItemBool : public CPropertyItem {
  public:
    CPropertyItemBool(int id, QString label, bool bValue = false)
        : CPropertyItem(id, std::move(label)), m_bValue(bValue) {}

    bool Checked() const { return m_bValue; }

    QVariant Value() const override { return m_bValue; }
    void SetValue(const QVariant& value) override { m_bValue = value.toBool(); }
    QWidget* CreateEditor(QWidget* parent, std::function<void()> edited) override;
    void ShowValue(QWidget* editor) const override;
    [[nodiscard]] bool TakeValue(QWidget* editor) override;

  private:
    bool m_bValue;
};
