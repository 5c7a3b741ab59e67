#pragma once

#include "gui/widgets/CPropertyItemEdit.h"

// A free text item.
class CPropertyItemString : public CPropertyItemEdit {
  public:
    CPropertyItemString(int id, QString label, QString value = {})
        : CPropertyItemEdit(id, std::move(label)), m_strValue(std::move(value)) {}

    const QString& String() const { return m_strValue; }

    QVariant Value() const override { return m_strValue; }
    void SetValue(const QVariant& value) override { m_strValue = value.toString(); }

  protected:
    QString Text() const override { return m_strValue; }
    [[nodiscard]] bool Parse(const QString& text) override {
        m_strValue = text;
        return true;
    }

  private:
    QString m_strValue;
};
