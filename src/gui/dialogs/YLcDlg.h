#pragma once

#include "gui/dialogs/YGridDlg.h"

// "路槽数据": the road-trough dimensions by station. OK makes each row's numeric station follow
// its text.
class YLcDlg : public YGridDlg {
    Q_OBJECT
  public:
    YLcDlg(CDalvexDoc& doc, YFileChooser& chooser, QWidget* parent = nullptr);

  protected:
    [[nodiscard]] bool OnOk() override;
};
