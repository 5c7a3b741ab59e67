#pragma once

#include "gui/diagram/YTool.h"

// The zoom family. 放大 and 缩小 halve or double both scales about the clicked point, which
// moves to the middle of the view; 纵横缩放 and 缩放 zoom while dragging: each pixel of drag
// changes a scale by 1 % of its value when the drag began.
class YZoomClickTool : public YTool {
  public:
    explicit YZoomClickTool(double dFactor) : m_dFactor(dFactor) {}
    void OnClick(Qt::KeyboardModifiers mods) override;

  private:
    double m_dFactor;
};

class YZoomATool : public YZoomClickTool {
  public:
    YZoomATool() : YZoomClickTool(0.5) {}
    QCursor GetCursor() const override;
};

class YZoomSTool : public YZoomClickTool {
  public:
    YZoomSTool() : YZoomClickTool(2.0) {}
    QCursor GetCursor() const override;
};

class YZoomDragTool : public YTool {
  public:
    YZoomDragTool() : YTool(TF_DRAG | TF_LIVE) {}
    bool BeginDrag() override;
    void CancelDrag() override;
    void OnClick(Qt::KeyboardModifiers mods) override;

  protected:
    double m_dScaleX0 = 1.0;
    double m_dScaleY0 = 1.0;
};

// Horizontal drag zooms along x, vertical drag along y.
class YZoomHVTool : public YZoomDragTool {
  public:
    bool Track(Qt::KeyboardModifiers mods, const QPoint& pt) override;
    QCursor GetCursor() const override;
};

// Only the vertical drag counts; both scales change together.
class YZoomTool : public YZoomDragTool {
  public:
    bool Track(Qt::KeyboardModifiers mods, const QPoint& pt) override;
    QCursor GetCursor() const override;
};
