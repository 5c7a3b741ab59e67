#include "gui/diagram/YEyeWnd.h"

#include "core/document/CDalvexDoc.h"
#include "core/model/YClassFilter.h"
#include "draw/YDiagramPainter.h"
#include "gui/diagram/CDalvexView.h"
#include "gui/diagram/YEyeReactor.h"

#include <QMouseEvent>
#include <QPainter>

YEyeWnd::YEyeWnd(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("eyeWnd"));
    setMinimumSize(MinWidth, MinHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void YEyeWnd::SetActiveViewFinder(std::function<CDalvexView*()> finder) {
    m_finder = std::move(finder);
}

CDalvexView* YEyeWnd::ActiveView() const {
    return m_finder ? m_finder() : nullptr;
}

YEyeReactor* YEyeWnd::Reactor() const {
    return m_pDoc != nullptr ? m_pDoc->FindReactor<YEyeReactor>() : nullptr;
}

void YEyeWnd::SetDocument(CDalvexDoc* pDoc) {
    m_pDoc = pDoc;
    if (YEyeReactor* reactor = Reactor()) {
        reactor->m_nFlags |= YEyeReactor::EF_REFIT | YEyeReactor::EF_REBUILD;
    }
    IdleUpdate();
}

void YEyeWnd::IdleUpdate() {
    YEyeReactor* reactor = Reactor();
    if (reactor == nullptr) {
        emit ShowRequest(false);
        return;
    }
    if (m_bFollow) {
        if (reactor->m_nFlags & YEyeReactor::EF_SHOW) {
            emit ShowRequest(true);
        } else if (reactor->m_nFlags & YEyeReactor::EF_HIDE) {
            emit ShowRequest(false);
        }
    }
    if ((reactor->m_nFlags & (YEyeReactor::EF_REBUILD | YEyeReactor::EF_REPAINT)) ||
        reactor->m_size != size()) {
        update();
    }
}

void YEyeWnd::Refit() {
    if (m_pDoc == nullptr || !m_uint.TakeExtent(m_pDoc->Model())) {
        return;
    }
    // Too small a window keeps the previous scale.
    if (width() > 40 && height() > 30) {
        m_uint.m_nHalfHeight = YUint::R(height() * 0.5);
        m_uint.SetScale((m_uint.m_dXMax - m_uint.m_dXMin) / (width() - 10),
                        m_uint.m_dYRange / (height() - 20));
    }
}

void YEyeWnd::Render(YEyeReactor& reactor) {
    ++m_nRenders;
    reactor.m_miniature = QImage(size(), QImage::Format_RGB32);
    reactor.m_size = size();
    QPainter p(&reactor.m_miniature);
    YDiagramPainter painter(p, m_uint, g_nClassFilter);
    YDiagramPainter::Options options;
    options.bStructures = false;
    painter.DrawDiagram(m_pDoc->Model(), rect(), m_pDoc->Numbering(), options);
}

void YEyeWnd::paintEvent(QPaintEvent*) {
    QPainter p(this);
    YEyeReactor* reactor = Reactor();
    if (reactor == nullptr || m_pDoc->GetSegmentCount() == 0) {
        p.fillRect(rect(), Qt::black);
        return;
    }
    if (reactor->m_nFlags & YEyeReactor::EF_REFIT) {
        Refit();
    }
    if ((reactor->m_nFlags & YEyeReactor::EF_REBUILD) || reactor->m_size != size()) {
        Render(*reactor);
    }
    p.drawImage(0, 0, reactor->m_miniature);
    p.setPen(QPen(QColor(255, 255, 0), 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRect(m_uint.ToDevice(QPointF(reactor->m_p0.x(), reactor->m_p1.y())),
                     m_uint.ToDevice(QPointF(reactor->m_p1.x(), reactor->m_p0.y())))
                   .normalized());
    reactor->m_nFlags &= ~(YEyeReactor::EF_REBUILD | YEyeReactor::EF_REPAINT |
                           YEyeReactor::EF_REFIT | YEyeReactor::EF_SHOW | YEyeReactor::EF_HIDE);
}

void YEyeWnd::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Refit();
    update();
}

void YEyeWnd::mousePressEvent(QMouseEvent* event) {
    CDalvexView* view = ActiveView();
    if (view == nullptr || event->button() != Qt::LeftButton || Reactor() == nullptr) {
        return;
    }
    // Not clamped: the clicked station becomes the view's left edge, the clicked height its
    // middle; the next scroll clamps it back.
    view->SetOrigin(m_uint.ToDiagram(event->position().toPoint()));
}
