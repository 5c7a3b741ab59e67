#pragma once

#include "gui/widgets/CPropertyItem.h"

#include <QStringList>

// A list item with named choices. The value is the index of the chosen entry. An editable list
// also takes a typed text that is none of its entries (index −1 then); its value is its text.
// Derived lists may supply their entries from elsewhere by overriding Entries(); the entries
// are asked for again every time the value is shown.
class CPropertyItemList : public CPropertyItem {
  public:
    CPropertyItemList(int id, QString label, QStringList entries = {}, bool bEditable = false);

    int Index() const { return m_nIndex; }
    QString Text() const;
    bool IsEditable() const { return m_bEditable; }
    void SetEntries(QStringList entries) { m_entries = std::move(entries); }
    virtual QStringList Entries() const { return m_entries; }

    // Index for an int; for a text, the entry of that text (editable lists keep any text).
    QVariant Value() const override;
    void SetValue(const QVariant& value) override;
    QWidget* CreateEditor(QWidget* parent, std::function<void()> edited) override;
    void ShowValue(QWidget* editor) const override;
    [[nodiscard]] bool TakeValue(QWidget* editor) override;

  private:
    QStringList m_entries;
    bool m_bEditable;
    int m_nIndex = 0;
    QString m_strText; // the typed text of an editable list when it is no entry
};
