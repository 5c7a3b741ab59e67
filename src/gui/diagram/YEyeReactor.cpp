#include "gui/diagram/YEyeReactor.h"

#include "core/document/CDalvexDoc.h"
#include "gui/diagram/CDalvexView.h"
#include "gui/diagram/YEyeWnd.h"

bool YEyeReactor::HasSegments() const {
    return GetDocument() != nullptr && GetDocument()->GetSegmentCount() > 0;
}

void YEyeReactor::Changed() {
    m_wnd.IdleUpdate();
}

void YEyeReactor::TakeVisible(YDocView* pView) {
    auto* view = dynamic_cast<CDalvexView*>(pView);
    if (view == nullptr) {
        return;
    }
    const auto [p0, p1] = view->VisibleRect();
    if (p0 != m_p0 || p1 != m_p1) {
        m_p0 = p0;
        m_p1 = p1;
        m_nFlags |= EF_REPAINT;
    }
}

void YEyeReactor::OnReload() {
    if (!HasSegments()) {
        m_nFlags = (m_nFlags | EF_HIDE) & ~EF_SHOW;
        Changed();
        return;
    }
    m_nFlags = (m_nFlags | EF_SHOW | EF_REBUILD | EF_REPAINT | EF_REFIT) & ~EF_HIDE;
    TakeVisible(m_wnd.ActiveView());
    Changed();
}

void YEyeReactor::OnViewMoved(YDocView* pView) {
    if (!HasSegments()) {
        m_nFlags = (m_nFlags | EF_HIDE) & ~EF_SHOW;
    } else {
        TakeVisible(pView);
    }
    Changed();
}

void YEyeReactor::OnStepEnded(int) {
    m_nFlags |= EF_REBUILD;
    Changed();
}

void YEyeReactor::OnReset() {
    m_nFlags = (m_nFlags | EF_HIDE) & ~EF_SHOW;
    Changed();
}

void YEyeReactor::OnActivate(YDocView* pView) {
    if (HasSegments()) {
        m_nFlags = (m_nFlags | EF_SHOW | EF_REPAINT | EF_REFIT) & ~EF_HIDE;
        TakeVisible(pView);
    } else {
        m_nFlags = (m_nFlags | EF_HIDE) & ~EF_SHOW;
    }
    Changed();
}
