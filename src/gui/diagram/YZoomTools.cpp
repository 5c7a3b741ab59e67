#include "gui/diagram/YZoomTools.h"

#include "gui/diagram/CDalvexView.h"

#include <QPainter>
#include <QPixmap>

namespace {
// A magnifier with a plus or a minus; the hot spot is the lens centre.
QCursor Magnifier(bool bPlus) {
    QPixmap pix(24, 24);
    pix.fill(Qt::transparent);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::white, 4));
    p.drawEllipse(QPointF(9, 9), 6.5, 6.5);
    p.drawLine(14, 14, 21, 21);
    p.setPen(QPen(Qt::black, 2));
    p.drawEllipse(QPointF(9, 9), 6.5, 6.5);
    p.drawLine(14, 14, 21, 21);
    p.drawLine(6, 9, 12, 9);
    if (bPlus) {
        p.drawLine(9, 6, 9, 12);
    }
    p.end();
    return QCursor(pix, 9, 9);
}
} // namespace

void YZoomClickTool::OnClick(Qt::KeyboardModifiers) {
    if (m_pView == nullptr) {
        return;
    }
    YUint& u = m_pView->Uint();
    const QPointF w = u.ToDiagram(m_ptCur);
    u.SetScale(u.m_dScaleX * m_dFactor, u.m_dScaleY * m_dFactor);
    const QRect client = m_pView->ClientRect();
    const QPoint c((client.left() + client.right() + 1) / 2,
                   (client.top() + client.bottom() + 1) / 2);
    const QPointF wc = u.ToDiagram(c);
    // The clicked point moves to the middle of the view.
    u.m_dOrgX -= wc.x() - w.x();
    u.m_dOrgY -= wc.y() - w.y();
    u.ClampOrigin();
    m_pView->SyncScrollBars();
    m_pView->ViewMoved();
}

QCursor YZoomATool::GetCursor() const {
    static const QCursor cursor = Magnifier(true);
    return cursor;
}

QCursor YZoomSTool::GetCursor() const {
    static const QCursor cursor = Magnifier(false);
    return cursor;
}

bool YZoomDragTool::BeginDrag() {
    if (m_pView == nullptr) {
        return false;
    }
    m_dScaleX0 = m_pView->Uint().m_dScaleX;
    m_dScaleY0 = m_pView->Uint().m_dScaleY;
    return true;
}

void YZoomDragTool::CancelDrag() {
    if (m_pView != nullptr) {
        m_pView->Uint().SetScale(m_dScaleX0, m_dScaleY0);
        m_pView->RepaintAll();
    }
}

void YZoomDragTool::OnClick(Qt::KeyboardModifiers) {
    if (m_pView != nullptr) {
        m_pView->SyncScrollBars();
        m_pView->ViewMoved();
    }
}

bool YZoomHVTool::Track(Qt::KeyboardModifiers, const QPoint& pt) {
    if (m_pView == nullptr) {
        return false;
    }
    const QPoint d = pt - m_ptStart;
    m_pView->Uint().SetScale(m_dScaleX0 * (1 + 0.01 * d.x()), m_dScaleY0 * (1 + 0.01 * d.y()));
    m_pView->RepaintAll();
    return true;
}

QCursor YZoomHVTool::GetCursor() const {
    return Qt::SizeAllCursor;
}

bool YZoomTool::Track(Qt::KeyboardModifiers, const QPoint& pt) {
    if (m_pView == nullptr) {
        return false;
    }
    const int dy = pt.y() - m_ptStart.y();
    m_pView->Uint().SetScale(m_dScaleX0 * (1 + 0.01 * dy), m_dScaleY0 * (1 + 0.01 * dy));
    m_pView->RepaintAll();
    return true;
}

QCursor YZoomTool::GetCursor() const {
    return Qt::SizeVerCursor;
}
