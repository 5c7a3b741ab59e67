#pragma once

#include "core/platform/YClassRegistry.h"

#include <QCursor>
#include <QPoint>
#include <functional>

class CDalvexView;
class QPainter;

// 命令工具: what the mouse does on the allocation diagram. At most one tool is current for the
// whole program (not per window) and one more may be parked as the tool to return to. The
// view hands every mouse, key, cursor, paint-end and tip event to the current tool.
//
// Overlays (rubber bands, highlights) are drawn on top of the view's picture at each repaint
// while TF_SHOWN is set; moving one repaints the old and the new place, so it leaves no trace.
class YTool : public YObject {
  public:
    enum Flag : quint32 {
        TF_DRAG = 1u << 31,    // a left press starts a drag (if BeginDrag agrees)
        TF_RUBBER = 1u << 30,  // the drag shows an overlay
        TF_LIVE = 1u << 29,    // the drag redraws the view itself
        TF_HOVER = 1u << 28,   // without a button, moves call Track and the overlay follows
        TF_SHOWN = 1u << 25,   // the overlay is on the view
        TF_TRACKING = 1u << 24 // inside a drag
    };

    explicit YTool(quint32 nFlags = 0) : m_nFlags(nFlags) {}

    // The record all tool classes are registered under ("命令工具").
    static YClassRecord& ClassRecord();
    // Registers the navigation and selection tools (once).
    static void RegisterTools();

    // Parks (bRevert false) or ends the tool; ending brings the parked tool back and destroys
    // this one — do not touch the tool afterwards.
    virtual void Finish(bool bRevert);
    virtual bool BeginDrag() { return true; }
    virtual void EndDrag(Qt::KeyboardModifiers) {}
    virtual void CancelDrag() {}
    virtual bool Track(Qt::KeyboardModifiers, const QPoint&) { return true; }
    virtual void DrawOverlay(QPainter&) const {}
    virtual void OnClick(Qt::KeyboardModifiers) {}
    virtual QCursor GetCursor() const { return Qt::ArrowCursor; }
    virtual void OnViewPainted(CDalvexView*) {}
    virtual void Attach(CDalvexView* pView);
    virtual void OnRButtonDown(Qt::KeyboardModifiers, const QPoint&);
    virtual void OnMouseMove(Qt::KeyboardModifiers mods, const QPoint& pt);
    virtual void OnLButtonDown(Qt::KeyboardModifiers mods, const QPoint& pt);
    // The end of a drag (the loop of the press).
    virtual void OnLButtonUp(Qt::KeyboardModifiers mods, const QPoint& pt);
    virtual void OnKeyDown(int nKey);
    // The view lost the mouse (focus, hiding): a drag is cancelled.
    void OnCaptureLost();
    // Tip identifier under the point, −1 for none; the view asks the tool first.
    virtual qint64 ToolHitTest(const QPoint&) { return -1; }
    virtual bool GetToolTipText(qint64, QString&) { return false; }

    // The region the overlay covers (for repainting it), in view pixels.
    virtual QRect OverlayRect() const { return {}; }

    CDalvexView* View() const { return m_pView; }
    quint32 Flags() const { return m_nFlags; }
    QPoint StartPoint() const { return m_ptStart; }
    QPoint CurrentPoint() const { return m_ptCur; }
    // The class the tool was created from (null for a tool made directly).
    const YClassRecord* ClassOf() const { return m_pClass; }

  protected:
    // Repaints where the overlay was and where it is now.
    void RefreshOverlay(const QRect& before);
    void EndTracking(bool bSuccess, Qt::KeyboardModifiers mods);

    CDalvexView* m_pView = nullptr;
    quint32 m_nFlags;
    QPoint m_ptStart;
    QPoint m_ptCur;

  private:
    friend class YToolState;
    const YClassRecord* m_pClass = nullptr;
};

// The program-wide tool state: the current tool, the parked tool and the view the tool
// reactor saw activated last.
class YToolState {
  public:
    static YTool* Current();
    static YTool* Parked();
    // Creates a tool of the class and makes it current (nothing when the current tool already
    // is of that class); null parks the current tool and leaves none current.
    static void SetCurrentTool(const YClassRecord* pClass);
    // Ends the current tool: the parked one comes back.
    static void Revert();
    // Parks the current tool without a new one (a reset of the document).
    static void ParkCurrent();
    // The main frame's active diagram view, for attaching a newly current tool.
    static void SetActiveViewFinder(std::function<CDalvexView*()> finder);
    static CDalvexView* ActiveView();
    static CDalvexView*& LastView();
    // Called after the current tool changed (the frame updates its check marks).
    static void SetChangeListener(std::function<void()> listener);
    // A view is going away: no tool may keep pointing at it.
    static void ForgetView(CDalvexView* pView);
    // Drops every tool (end of the program, tests).
    static void Reset();
};
