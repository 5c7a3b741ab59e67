#pragma once

#include "gui/diagram/YTool.h"

#include <QPointF>

// 平移: dragging moves the diagram with the mouse; Esc puts it back.
class YPanTool : public YTool {
  public:
    YPanTool() : YTool(TF_DRAG | TF_LIVE) {}
    bool BeginDrag() override;
    bool Track(Qt::KeyboardModifiers mods, const QPoint& pt) override;
    void CancelDrag() override;
    void OnClick(Qt::KeyboardModifiers mods) override;
    QCursor GetCursor() const override;

  private:
    // The origin when the drag began: a cancelled drag restores it exactly, even when the
    // drag ran into the extent's edge on the way.
    QPointF m_orgStart;
};
