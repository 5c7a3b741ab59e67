#pragma once

#include "gui/diagram/YTool.h"

// 选择: a click or a rubber-band rectangle selects the runs under it (Ctrl adds to the
// selection) and shows the selected sums in the status bar.
class YSelTool : public YTool {
  public:
    YSelTool() : YTool(TF_DRAG | TF_RUBBER) {}
    void DrawOverlay(QPainter& p) const override;
    QRect OverlayRect() const override;
    void OnClick(Qt::KeyboardModifiers mods) override;
    QCursor GetCursor() const override;

  private:
    QRect Band() const { return QRect(m_ptStart, m_ptCur).normalized(); }
};
