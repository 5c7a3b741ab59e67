#pragma once

#include "gui/widgets/CPropertyItemEdit.h"

// A number item holding a whole number.
class CPropertyItemInt : public CPropertyItemEdit {
  public:
    CPropertyItemInt(int id, QString label, int nValue = 0)
        : CPropertyItemEdit(id, std::move(label)), m_nValue(nValue) {}

    int Number() const { return m_nValue; }

    QVariant Value() const override { return m_nValue; }
    void SetValue(const QVariant& value) override { m_nValue = value.toInt(); }

  protected:
    QString Text() const override { return QString::number(m_nValue); }
    [[nodiscard]] bool Parse(const QString& text) override;

  private:
    int m_nValue;
};
