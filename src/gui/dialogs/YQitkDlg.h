#pragma once

#include "gui/dialogs/YGridDlg.h"

// "弃土坑": waste pits with their remaining capacity.
class YQitkDlg : public YGridDlg {
    Q_OBJECT
  public:
    YQitkDlg(CDalvexDoc& doc, YFileChooser& chooser, QWidget* parent = nullptr);
    ~YQitkDlg() override;

  protected:
    [[nodiscard]] bool OnOk() override;
};
