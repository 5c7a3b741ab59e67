#pragma once

#include "core/document/YReactor.h"

#include <QImage>
#include <QPointF>
#include <QSize>

class YEyeWnd;

// The overview's state for one document: what the active view shows, the rendered miniature
// and what the next paint has to do.
class YEyeReactor : public YReactor {
  public:
    enum Flag : quint32 {
        EF_REBUILD = 1u << 0, // render the miniature again
        EF_REPAINT = 1u << 1, // the frame moved
        EF_REFIT = 1u << 2,   // fit the whole segment into the window again
        EF_SHOW = 1u << 24,
        EF_HIDE = 1u << 25
    };

    explicit YEyeReactor(YEyeWnd& wnd) : m_wnd(wnd) {}

    void OnReload() override;
    void OnViewMoved(YDocView* pView) override;
    void OnStepEnded(int nStep) override;
    void OnReset() override;
    void OnActivate(YDocView* pView) override;

    quint32 m_nFlags = 0;
    QPointF m_p0; // visible rectangle of the active view: bottom-left
    QPointF m_p1; // top-right
    QImage m_miniature;
    QSize m_size; // the client size the miniature was rendered for

  private:
    // Takes the visible rectangle of the view; EF_REPAINT when it changed.
    void TakeVisible(YDocView* pView);
    bool HasSegments() const;
    void Changed();

    YEyeWnd& m_wnd;
};
