#pragma once

#include "gui/widgets/CPropertyItem.h"

// Base of the items edited as one line of text (numbers and texts). A change is taken when
// the user presses Enter or leaves the field; text that does not read as a value of the item's
// kind is put back to the value's text.
class CPropertyItemEdit : public CPropertyItem {
  public:
    using CPropertyItem::CPropertyItem;

    QWidget* CreateEditor(QWidget* parent, std::function<void()> edited) override;
    void ShowValue(QWidget* editor) const override;
    [[nodiscard]] bool TakeValue(QWidget* editor) override;

  protected:
    // The value as shown in the editor.
    virtual QString Text() const = 0;
    // Reads text into the value; false (value untouched) when the text is not readable.
    [[nodiscard]] virtual bool Parse(const QString& text) = 0;
};
