#pragma once

#include "gui/dialogs/YGridDlg.h"

// "构造物": structures such as bridges, with whether material may cross them ("可跨越" /
// "不可跨越") and the detour. Resizable. With results, their cells stay editable.
class YGzwDlg : public YGridDlg {
    Q_OBJECT
  public:
    YGzwDlg(CDalvexDoc& doc, YFileChooser& chooser, QWidget* parent = nullptr);

  protected:
    [[nodiscard]] bool OnOk() override;
};
