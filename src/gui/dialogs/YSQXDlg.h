#pragma once

#include "gui/dialogs/YGridDlg.h"

// "纵坡数据录入": the vertical intersection points. OK makes each row's numeric station
// follow its text and stops at a repeated station text.
class YSQXDlg : public YGridDlg {
    Q_OBJECT
  public:
    YSQXDlg(CDalvexDoc& doc, YFileChooser& chooser, QWidget* parent = nullptr);

  protected:
    [[nodiscard]] bool OnOk() override;
};
