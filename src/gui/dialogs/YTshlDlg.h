#pragma once

#include "gui/dialogs/YGridDlg.h"

// "土石含量": the share of each soil and rock class in the cut at a station, in percent (from
// layout version 3 each with its usable rate). OK requires every row's six shares to add up to
// 100.
class YTshlDlg : public YGridDlg {
    Q_OBJECT
  public:
    YTshlDlg(CDalvexDoc& doc, YFileChooser& chooser, QWidget* parent = nullptr);

  protected:
    [[nodiscard]] bool OnOk() override;
};
