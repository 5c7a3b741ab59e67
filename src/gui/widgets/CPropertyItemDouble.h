#pragma once

#include "gui/widgets/CPropertyItemEdit.h"

// A number item holding a double (shown with up to 10 significant digits).
class CPropertyItemDouble : public CPropertyItemEdit {
  public:
    CPropertyItemDouble(int id, QString label, double dValue = 0.0)
        : CPropertyItemEdit(id, std::move(label)), m_dValue(dValue) {}

    double Number() const { return m_dValue; }

    QVariant Value() const override { return m_dValue; }
    void SetValue(const QVariant& value) override { m_dValue = value.toDouble(); }

  protected:
    QString Text() const override { return QString::number(m_dValue, 'g', 10); }
    [[nodiscard]] bool Parse(const QString& text) override;

  private:
    double m_dValue;
};
