#pragma once

#include "gui/dialogs/YGridDlg.h"

// "取土坑": borrow pits with their class percentages and remaining soil and rock. OK requires
// every pit's six percentages to add up to 100.
class YQutkDlg : public YGridDlg {
    Q_OBJECT
  public:
    YQutkDlg(CDalvexDoc& doc, YFileChooser& chooser, QWidget* parent = nullptr);
    ~YQutkDlg() override;

  protected:
    [[nodiscard]] bool OnOk() override;
};
