#include "gui/diagram/YSelTool.h"

#include "core/document/CDalvexDoc.h"
#include "core/document/YDiagramTexts.h"
#include "gui/diagram/CDalvexView.h"

#include <QPainter>

void YSelTool::DrawOverlay(QPainter& p) const {
    const QRect r = Band();
    if (r.isEmpty()) {
        return;
    }
    // A white frame round a translucent blue-grey interior: the bars under it stay readable.
    p.save();
    p.setPen(QPen(Qt::white, 1));
    p.setBrush(QColor(64, 64, 128, 110));
    p.drawRect(r.adjusted(0, 0, -1, -1));
    p.restore();
}

QRect YSelTool::OverlayRect() const {
    return Band().adjusted(-1, -1, 1, 1);
}

void YSelTool::OnClick(Qt::KeyboardModifiers mods) {
    if (m_pView == nullptr) {
        return;
    }
    const QRect r = Band();
    const YUint& u = m_pView->Uint();
    // A plain click is a rectangle of no size: the same path selects under the point.
    const QPointF p0 = u.ToDiagram(QPoint(r.left(), r.bottom()));
    const QPointF p1 = u.ToDiagram(QPoint(r.right(), r.top()));
    CDalvexDoc& doc = m_pView->Document();
    doc.SelectInRect(p0, p1, mods.testFlag(Qt::ControlModifier));
    m_pView->ShowSelectionSums();
}

QCursor YSelTool::GetCursor() const {
    return Qt::CrossCursor;
}
