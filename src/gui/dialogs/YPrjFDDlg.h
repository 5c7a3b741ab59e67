#pragma once

#include "gui/dialogs/YGridDlg.h"

// "项目分段设置": the project's segments by number and end station. OK makes the segment of
// the row the grid stands on the current segment.
class YPrjFDDlg : public YGridDlg {
    Q_OBJECT
  public:
    YPrjFDDlg(CDalvexDoc& doc, YFileChooser& chooser, QWidget* parent = nullptr);

  protected:
    [[nodiscard]] bool OnOk() override;
};
