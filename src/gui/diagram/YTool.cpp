#include "gui/diagram/YTool.h"

#include "gui/diagram/CDalvexView.h"
#include "gui/diagram/YDPTool.h"
#include "gui/diagram/YPanTool.h"
#include "gui/diagram/YSelTool.h"
#include "gui/diagram/YZoomTools.h"

#include <memory>

namespace {
struct State {
    std::unique_ptr<YTool> current;
    std::unique_ptr<YTool> parked;
    // A tool that ended itself from inside one of its own handlers lives until the next change.
    std::unique_ptr<YTool> ended;
    CDalvexView* lastView = nullptr;
    std::function<CDalvexView*()> finder;
    std::function<void()> listener;
};

State& S() {
    static State state;
    return state;
}

void Changed() {
    if (CDalvexView* view = YToolState::ActiveView()) {
        view->UpdateCursor();
    }
    if (S().listener) {
        S().listener();
    }
}
} // namespace

YClassRecord& YTool::ClassRecord() {
    return YClassRegistry::Base(QStringLiteral("命令工具"));
}

// ---------------------------------------------------------------- the tool base

void YTool::Finish(bool bRevert) {
    CDalvexView* view = m_pView;
    if ((m_nFlags & TF_SHOWN) && view != nullptr) {
        m_nFlags &= ~TF_SHOWN;
        view->RepaintRect(OverlayRect());
    }
    m_nFlags &= ~(TF_SHOWN | TF_TRACKING);
    m_pView = nullptr;
    if (view != nullptr) {
        view->UpdateCursor();
    }
    if (bRevert && YToolState::Current() == this) {
        YToolState::Revert();
    }
}

void YTool::Attach(CDalvexView* pView) {
    if (pView == m_pView) {
        return;
    }
    if ((m_nFlags & TF_SHOWN) && m_pView != nullptr) {
        m_pView->RepaintRect(OverlayRect());
    }
    m_nFlags &= ~TF_SHOWN;
    m_pView = pView;
    if (m_pView != nullptr) {
        m_pView->UpdateCursor();
    }
}

void YTool::RefreshOverlay(const QRect& before) {
    if (m_pView != nullptr) {
        m_pView->RepaintRect(before);
        m_pView->RepaintRect(OverlayRect());
    }
}

void YTool::OnRButtonDown(Qt::KeyboardModifiers mods, const QPoint&) {
    if (m_nFlags & TF_TRACKING) {
        EndTracking(false, mods);
        return;
    }
    Finish(true);
}

void YTool::OnKeyDown(int nKey) {
    if (nKey != Qt::Key_Escape) {
        return;
    }
    if (m_nFlags & TF_TRACKING) {
        EndTracking(false, Qt::NoModifier);
        return;
    }
    Finish(true);
}

void YTool::OnCaptureLost() {
    if (m_nFlags & TF_TRACKING) {
        EndTracking(false, Qt::NoModifier);
    }
}

void YTool::OnMouseMove(Qt::KeyboardModifiers mods, const QPoint& pt) {
    if (m_nFlags & TF_TRACKING) {
        if (pt == m_ptCur) {
            return;
        }
        const QRect before = OverlayRect();
        Track(mods, pt);
        m_ptCur = pt;
        if (m_nFlags & TF_RUBBER) {
            m_nFlags |= TF_SHOWN;
            RefreshOverlay(before);
        }
        return;
    }
    if (!(m_nFlags & TF_HOVER)) {
        return;
    }
    if ((m_nFlags & TF_SHOWN) && pt == m_ptCur) {
        return;
    }
    const QRect before = (m_nFlags & TF_SHOWN) ? OverlayRect() : QRect();
    if (Track(mods, pt)) {
        m_ptStart = m_ptCur = pt;
        m_nFlags |= TF_SHOWN;
        RefreshOverlay(before);
    }
}

void YTool::OnLButtonDown(Qt::KeyboardModifiers mods, const QPoint& pt) {
    m_ptStart = m_ptCur = pt;
    if ((m_nFlags & TF_DRAG) && BeginDrag()) {
        m_nFlags |= TF_TRACKING;
        return;
    }
    OnClick(mods);
}

void YTool::OnLButtonUp(Qt::KeyboardModifiers mods, const QPoint& pt) {
    if (m_nFlags & TF_TRACKING) {
        m_ptCur = pt;
        EndTracking(true, mods);
    }
}

void YTool::EndTracking(bool bSuccess, Qt::KeyboardModifiers mods) {
    m_nFlags &= ~TF_TRACKING;
    if ((m_nFlags & TF_RUBBER) && (m_nFlags & TF_SHOWN)) {
        // The overlay goes before the tool acts on it.
        const QRect before = OverlayRect();
        m_nFlags &= ~TF_SHOWN;
        if (m_pView != nullptr) {
            m_pView->RepaintRect(before);
        }
    }
    if (bSuccess) {
        EndDrag(mods);
        OnClick(mods);
    } else {
        CancelDrag();
    }
}

// ---------------------------------------------------------------- program-wide state

YTool* YToolState::Current() {
    return S().current.get();
}

YTool* YToolState::Parked() {
    return S().parked.get();
}

void YToolState::ParkCurrent() {
    State& s = S();
    if (!s.current) {
        return;
    }
    s.ended = std::move(s.parked);
    s.current->Finish(false);
    s.parked = std::move(s.current);
    Changed();
}

void YToolState::SetCurrentTool(const YClassRecord* pClass) {
    State& s = S();
    if (s.current && pClass != nullptr && s.current->ClassOf() == pClass) {
        return;
    }
    ParkCurrent();
    if (pClass == nullptr) {
        return;
    }
    std::unique_ptr<YObject> object = pClass->CreateObject();
    auto* tool = dynamic_cast<YTool*>(object.get());
    if (tool == nullptr) {
        return;
    }
    object.release();
    s.current.reset(tool);
    tool->m_pClass = pClass;
    tool->Attach(ActiveView());
    Changed();
}

void YToolState::Revert() {
    State& s = S();
    s.ended = std::move(s.current);
    s.current = std::move(s.parked);
    if (s.current) {
        s.current->Attach(ActiveView());
    }
    Changed();
}

void YToolState::SetActiveViewFinder(std::function<CDalvexView*()> finder) {
    S().finder = std::move(finder);
}

CDalvexView* YToolState::ActiveView() {
    return S().finder ? S().finder() : nullptr;
}

CDalvexView*& YToolState::LastView() {
    return S().lastView;
}

void YToolState::SetChangeListener(std::function<void()> listener) {
    S().listener = std::move(listener);
}

void YToolState::ForgetView(CDalvexView* pView) {
    State& s = S();
    for (YTool* tool : {s.current.get(), s.parked.get()}) {
        if (tool != nullptr && tool->View() == pView) {
            tool->Attach(nullptr);
        }
    }
    if (s.lastView == pView) {
        s.lastView = nullptr;
    }
}

void YToolState::Reset() {
    State& s = S();
    s.current.reset();
    s.parked.reset();
    s.ended.reset();
    s.lastView = nullptr;
}

// ---------------------------------------------------------------- registration

void YTool::RegisterTools() {
    YClassRecord& base = ClassRecord();
    YClassRegistry::Register<YSelTool>(base, QStringLiteral("选择"));
    YClassRegistry::Register<YPanTool>(base, QStringLiteral("平移"));
    YClassRegistry::Register<YZoomATool>(base, QStringLiteral("放大"));
    YClassRegistry::Register<YZoomSTool>(base, QStringLiteral("缩小"));
    YClassRegistry::Register<YZoomHVTool>(base, QStringLiteral("纵横缩放"));
    YClassRegistry::Register<YZoomTool>(base, QStringLiteral("缩放"));
    YClassRegistry::Register<YDPTool>(base, QStringLiteral("调配"));
}
