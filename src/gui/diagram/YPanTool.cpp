#include "gui/diagram/YPanTool.h"

#include "gui/diagram/CDalvexView.h"

bool YPanTool::BeginDrag() {
    if (m_pView == nullptr) {
        return false;
    }
    m_orgStart = QPointF(m_pView->Uint().m_dOrgX, m_pView->Uint().m_dOrgY);
    return true;
}

bool YPanTool::Track(Qt::KeyboardModifiers, const QPoint& pt) {
    if (m_pView == nullptr) {
        return false;
    }
    YUint& u = m_pView->Uint();
    const QPointF w0 = u.ToDiagram(m_ptCur);
    const QPointF w1 = u.ToDiagram(pt);
    // The diagram point under the cursor stays under it.
    u.m_dOrgX -= w1.x() - w0.x();
    u.m_dOrgY -= w1.y() - w0.y();
    u.ClampOrigin();
    m_pView->SyncScrollBars();
    m_pView->RepaintAll();
    return true;
}

void YPanTool::CancelDrag() {
    if (m_pView == nullptr) {
        return;
    }
    YUint& u = m_pView->Uint();
    u.m_dOrgX = m_orgStart.x();
    u.m_dOrgY = m_orgStart.y();
    m_pView->SyncScrollBars();
    m_pView->RepaintAll();
}

void YPanTool::OnClick(Qt::KeyboardModifiers) {
    if (m_pView != nullptr) {
        m_pView->ViewMoved();
    }
}

QCursor YPanTool::GetCursor() const {
    return (m_nFlags & TF_TRACKING) ? Qt::ClosedHandCursor : Qt::OpenHandCursor;
}
