#pragma once

#include "gui/dialogs/YGridDlg.h"

// "逐桩面积": the cross-section areas station by station. Its import reads an earthwork text
// file through a format chosen in the format dialog; OK makes each row's numeric station follow
// its text and stops at a repeated station text.
class YZzmjDlg : public YGridDlg {
    Q_OBJECT
  public:
    YZzmjDlg(CDalvexDoc& doc, YFileChooser& chooser, QWidget* parent = nullptr);

  protected:
    [[nodiscard]] bool OnOk() override;
    void DoImport() override;
};
