#include "gui/diagram/CRulerBar.h"

#include "core/document/CDalvexDoc.h"
#include "draw/YRulerPainter.h"
#include "gui/diagram/CDalvexView.h"

#include <QPaintEvent>
#include <QPainter>

namespace {
constexpr int kThickness = 13;
constexpr int kMarkLength = 20;
} // namespace

CRulerBar::CRulerBar(Qt::Orientation orientation, QWidget* parent)
    : QWidget(parent), m_orientation(orientation) {
    setObjectName(orientation == Qt::Horizontal ? QStringLiteral("ruler5555")
                                                : QStringLiteral("ruler5556"));
    if (orientation == Qt::Horizontal) {
        setFixedHeight(kThickness);
    } else {
        setFixedWidth(kThickness);
    }
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CRulerBar::SetView(CDalvexView* pView) {
    m_pView = pView;
    update();
}

int CRulerBar::ViewOffset() const {
    if (m_pView == nullptr) {
        return 0;
    }
    const QPoint origin = mapFromGlobal(m_pView->viewport()->mapToGlobal(QPoint(0, 0)));
    return m_orientation == Qt::Horizontal ? origin.x() : origin.y();
}

void CRulerBar::IdleUpdate() {
    if (m_pView == nullptr) {
        return;
    }
    bool repaint = false;
    const int offset = ViewOffset();
    if (offset != m_nOffset) {
        m_nOffset = offset;
        repaint = true;
    }
    YUint& u = m_pView->Uint();
    const double org = m_orientation == Qt::Horizontal ? u.m_dOrgX : u.m_dOrgY;
    if (org != m_dLastOrg) {
        m_dLastOrg = org;
        repaint = true;
    }
    // A new scale repaints each of the two rulers once: the first turns 1 into −1, the
    // second −1 into 0.
    if (u.m_bChanged == 1) {
        u.m_bChanged = -1;
        repaint = true;
    } else if (u.m_bChanged == -1) {
        u.m_bChanged = 0;
        repaint = true;
    }
    if (repaint) {
        update();
    }
}

void CRulerBar::MouseMark(const QPoint& pt) {
    const int along = m_orientation == Qt::Horizontal ? pt.x() : pt.y();
    const std::optional<int> old = m_mark;
    m_mark = along;
    auto markRect = [this](int at) {
        const int pos = m_nOffset + at;
        return m_orientation == Qt::Horizontal ? QRect(pos, 0, 1, height())
                                               : QRect(0, pos, width(), 1);
    };
    if (old) {
        update(markRect(*old));
    }
    update(markRect(along));
}

void CRulerBar::paintEvent(QPaintEvent* event) {
    if (event->rect() == rect()) {
        ++m_nPaints; // the mouse mark alone repaints a one-pixel strip
    }
    QPainter p(this);
    const QColor face = palette().color(QPalette::Button);
    if (m_pView == nullptr) {
        p.fillRect(rect(), face);
        return;
    }
    m_nOffset = ViewOffset();
    const YUint& u = m_pView->Uint();
    if (m_orientation == Qt::Horizontal) {
        m_dLastOrg = u.m_dOrgX;
        YRulerPainter::DrawHorizontal(p, rect(), u, m_nOffset, m_pView->Document().Numbering(),
                                      face);
    } else {
        m_dLastOrg = u.m_dOrgY;
        YRulerPainter::DrawVertical(p, rect(), u, m_nOffset, face);
    }
    if (m_mark) {
        // The mark is drawn over the ticks, in the text colour.
        p.setPen(palette().color(QPalette::WindowText));
        const int pos = m_nOffset + *m_mark;
        if (m_orientation == Qt::Horizontal) {
            p.drawLine(pos, 0, pos, std::min(kMarkLength, height()));
        } else {
            p.drawLine(0, pos, std::min(kMarkLength, width()), pos);
        }
    }
}
