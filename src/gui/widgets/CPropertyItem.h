#pragma once

#include <QString>
#include <QVariant>
#include <functional>

class QWidget;

// One row of a property grid: a numeric id (the key by which the owner reads and writes the
// value), a label and a value shown in an editor widget of the item's kind. The grid owns the
// items and one editor per item for as long as the item lives.
class CPropertyItem {
  public:
    CPropertyItem(int id, QString label) : m_nId(id), m_strLabel(std::move(label)) {}
    virtual ~CPropertyItem() = default;
    CPropertyItem(const CPropertyItem&) = delete;
    CPropertyItem& operator=(const CPropertyItem&) = delete;

    int Id() const { return m_nId; }
    const QString& Label() const { return m_strLabel; }
    bool IsEnabled() const { return m_bEnabled; }
    void SetEnabled(bool bEnabled) { m_bEnabled = bEnabled; }

    virtual QVariant Value() const = 0;
    virtual void SetValue(const QVariant& value) = 0;

    // Creates the editor; it calls edited() whenever the user has finished a change in it.
    virtual QWidget* CreateEditor(QWidget* parent, std::function<void()> edited) = 0;
    // Shows the item's value in its editor.
    virtual void ShowValue(QWidget* editor) const = 0;
    // Takes the editor's content as the new value; false when it did not change it (an
    // unreadable number leaves the value as it was).
    [[nodiscard]] virtual bool TakeValue(QWidget* editor) = 0;

  private:
    int m_nId;
    QString m_strLabel;
    bool m_bEnabled = true;
};
