#include "gui/diagram/CDalvexView.h"

#include "core/db/YSQXSet.h"
#include "core/document/CDalvexDoc.h"
#include "core/document/YDiagramTexts.h"
#include "core/process/YMassHaul.h"
#include "draw/YDiagramPainter.h"
#include "draw/YGradeBand.h"
#include "draw/YMassHaulBand.h"
#include "gui/diagram/CRulerBar.h"
#include "gui/diagram/YTool.h"

#include <QApplication>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRubberBand>
#include <QScrollBar>
#include <QTimer>
#include <QToolTip>

namespace {
// The gap between the client area and the grade band, pixels.
constexpr int kBottomGap = 2;
// The grade band's top edge answers a resize drag within this many pixels.
constexpr int kResizeGrip = 4;
// A held strip button repeats its step this often, ms.
constexpr int kRepeatMs = 200;

YTool* ToolFor(CDalvexView* view) {
    YTool* tool = YToolState::Current();
    if (tool != nullptr) {
        tool->Attach(view);
    }
    return tool;
}
} // namespace

// ---------------------------------------------------------------- the pit strip above

class CDalvexView::PitStrip : public QWidget {
  public:
    explicit PitStrip(CDalvexView& view) : QWidget(&view), m_view(view) {
        m_repeat.setInterval(kRepeatMs);
        connect(&m_repeat, &QTimer::timeout, this, [this] { Repeat(); });
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        YSegmentModel& model = m_view.Document().Model();
        if (m_view.m_bFixedPits) {
            m_view.m_borrowScroll.Draw(p, model);
            m_view.m_wasteScroll.Draw(p, model);
        } else {
            YPitStrip::DrawAtStations(p, m_view.Uint(), model, width());
        }
    }
    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() != Qt::LeftButton) {
            return;
        }
        const int x = event->position().toPoint().x();
        for (YPitScroll* scroll : {&m_view.m_borrowScroll, &m_view.m_wasteScroll}) {
            const YPitScroll::Button button =
                m_view.m_bFixedPits ? scroll->ButtonAt(x) : YPitScroll::Button::None;
            if (button != YPitScroll::Button::None) {
                m_pScroll = scroll;
                m_button = button;
                Repeat();
                m_repeat.start();
                return;
            }
        }
        // Elsewhere the press picks a pit: it goes to the tool at negative view y.
        if (YTool* tool = ToolFor(&m_view)) {
            tool->OnLButtonDown(event->modifiers(), ToView(event));
            m_view.UpdateCursor();
        }
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        m_repeat.stop();
        const bool bScrolling = m_pScroll != nullptr;
        m_pScroll = nullptr;
        YTool* tool = YToolState::Current();
        if (!bScrolling && tool != nullptr && tool->View() == &m_view &&
            event->button() == Qt::LeftButton) {
            tool->OnLButtonUp(event->modifiers(), ToView(event));
        }
    }
    bool event(QEvent* event) override {
        if (event->type() == QEvent::ToolTip) {
            auto* help = static_cast<QHelpEvent*>(event);
            // The strip lies above the client area: negative view y.
            m_view.ShowTip(QPoint(help->pos().x(), help->pos().y() - height()), help->globalPos());
            return true;
        }
        return QWidget::event(event);
    }

  private:
    QPoint ToView(const QMouseEvent* event) const {
        const QPoint pt = event->position().toPoint();
        return {pt.x(), pt.y() - height()};
    }
    void Repeat() {
        if (m_pScroll != nullptr && m_pScroll->Step(m_button)) {
            update();
        }
    }

    CDalvexView& m_view;
    QTimer m_repeat;
    YPitScroll* m_pScroll = nullptr;
    YPitScroll::Button m_button = YPitScroll::Button::None;
};

// ---------------------------------------------------------------- the grade band below

class CDalvexView::GradeBand : public QWidget {
  public:
    explicit GradeBand(CDalvexView& view) : QWidget(&view), m_view(view) { setMouseTracking(true); }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        YGradeBand::Draw(p, rect(), m_view.Uint(), m_view.m_gradePoints,
                         m_view.Document().Numbering(), palette().color(QPalette::Button));
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        const int y = event->position().toPoint().y();
        if (m_pLine != nullptr) {
            // The line stays 50 pixels inside the view at either end.
            const QPoint inView = mapTo(&m_view, QPoint(0, y));
            const int limited = std::clamp(inView.y(), 50, m_view.height() - 50);
            m_pLine->setGeometry(0, limited, m_view.width(), 1);
            return;
        }
        setCursor(y < kResizeGrip ? Qt::SizeVerCursor : Qt::ArrowCursor);
    }
    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton && event->position().y() < kResizeGrip) {
            m_pLine = new QRubberBand(QRubberBand::Line, &m_view);
            m_pLine->setGeometry(0, mapTo(&m_view, QPoint(0, 0)).y(), m_view.width(), 1);
            m_pLine->show();
        }
    }
    void mouseReleaseEvent(QMouseEvent*) override {
        if (m_pLine == nullptr) {
            return;
        }
        const int lineY = m_pLine->geometry().top();
        delete m_pLine;
        m_pLine = nullptr;
        m_view.SetProfileHeight(m_view.height() - lineY);
    }

  private:
    CDalvexView& m_view;
    QRubberBand* m_pLine = nullptr;
};

// ---------------------------------------------------------------- the mass-haul band below

class CDalvexView::MassHaulBand : public QWidget {
  public:
    explicit MassHaulBand(CDalvexView& view) : QWidget(&view), m_view(view) {
        setObjectName(QStringLiteral("massHaulBand"));
    }
    // The curve and the hauls are read again at the next paint.
    void Invalidate() {
        m_bStale = true;
        update();
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        if (m_bStale) {
            m_massHaul = YMassHaul::Build(m_view.Document());
            m_bStale = false;
        }
        QPainter p(this);
        YMassHaulBand::Draw(p, rect(), m_view.Uint(), m_massHaul, m_view.Document().Numbering(),
                            palette().color(QPalette::Base));
    }

  private:
    CDalvexView& m_view;
    YMassHaul m_massHaul;
    bool m_bStale = true;
};

// ---------------------------------------------------------------- the view

CDalvexView::CDalvexView(CDalvexDoc& doc, QScrollBar* pHorizontal, QWidget* parent)
    : QAbstractScrollArea(parent), m_pDoc(&doc), m_pHBar(pHorizontal) {
    setObjectName(QStringLiteral("dalvexView"));
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    viewport()->setMouseTracking(true);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    m_pPitStrip = new PitStrip(*this);
    m_pGradeBand = new GradeBand(*this);
    m_pGradeBand->hide();
    m_pMassHaulBand = new MassHaulBand(*this);
    m_pMassHaulBand->hide();
    // Both bars are virtual: 10000 positions and a page of 1000.
    for (QScrollBar* bar : {m_pHBar.data(), verticalScrollBar()}) {
        if (bar == nullptr) {
            continue;
        }
        bar->setRange(0, YUint::ScrollPositions);
        bar->setPageStep(1000);
        bar->setSingleStep(1);
        const Qt::Orientation orientation = bar->orientation();
        connect(bar, &QScrollBar::actionTriggered, this,
                [this, orientation](int action) { OnScrollAction(orientation, action); });
    }
    verticalScrollBar()->setValue(YUint::ScrollPositions / 2);
    ApplyMargins();
    connect(&doc, &CDalvexDoc::ViewsUpdate, this, &CDalvexView::OnUpdate);
    connect(&doc, &CDalvexDoc::GradeBandChanged, this, [this] {
        if (m_bShowProfile) {
            SetShowProfile(true);
        }
    });
    OnUpdate(0);
}

CDalvexView::~CDalvexView() {
    YToolState::ForgetView(this);
}

void CDalvexView::SetRulers(CRulerBar* pHorizontal, CRulerBar* pVertical) {
    m_pRulerH = pHorizontal;
    m_pRulerV = pVertical;
    for (CRulerBar* ruler : {pHorizontal, pVertical}) {
        if (ruler != nullptr) {
            ruler->SetView(this);
        }
    }
}

// ---- display switches

void CDalvexView::SetFixedPits(bool bOn) {
    m_bFixedPits = bOn;
    LayoutFixedPits();
    RepaintAll();
}

void CDalvexView::SetSmallMarks(bool bOn) {
    m_bSmallMarks = bOn;
    RepaintAll();
}

void CDalvexView::SetShowProfile(bool bOn) {
    m_bShowProfile = bOn;
    m_gradePoints.clear();
    if (bOn && m_pDoc != nullptr && m_pDoc->IsOpen() && m_pDoc->GetSQXSet().IsOpen()) {
        m_gradePoints = m_pDoc->GetSQXSet().GradePoints();
    }
    ApplyMargins();
    RepaintAll();
}

void CDalvexView::SetShowMassHaul(bool bOn) {
    m_bShowMassHaul = bOn;
    m_pMassHaulBand->Invalidate();
    ApplyMargins();
    RepaintAll();
}

void CDalvexView::SetProfileHeight(int nPixels) {
    m_nProfileHeight =
        std::clamp(nPixels, YGradeBand::MinHeight, std::max(YGradeBand::MinHeight, height() - 100));
    ApplyMargins();
}

void CDalvexView::ApplyMargins() {
    const int bottom = kBottomGap + (m_bShowProfile ? m_nProfileHeight : 0) +
                       (m_bShowMassHaul ? YMassHaulBand::DefaultHeight : 0);
    setViewportMargins(0, YPitStrip::Height, 0, bottom);
    m_pGradeBand->setVisible(m_bShowProfile);
    m_pMassHaulBand->setVisible(m_bShowMassHaul);
    QResizeEvent event(size(), size());
    resizeEvent(&event);
}

void CDalvexView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    const QRect vp = viewport()->geometry();
    m_pPitStrip->setGeometry(vp.left(), vp.top() - YPitStrip::Height, vp.width(),
                             YPitStrip::Height);
    m_pGradeBand->setGeometry(vp.left(), vp.bottom() + 1 + kBottomGap, vp.width(),
                              m_nProfileHeight);
    const int massTop = vp.bottom() + 1 + kBottomGap + (m_bShowProfile ? m_nProfileHeight : 0);
    m_pMassHaulBand->setGeometry(vp.left(), massTop, vp.width(), YMassHaulBand::DefaultHeight);
    m_uint.m_nHalfHeight = YUint::R(vp.height() * 0.5);
    LayoutFixedPits();
    if (m_pRulerH != nullptr) {
        m_pRulerH->IdleUpdate();
    }
    if (m_pRulerV != nullptr) {
        m_pRulerV->IdleUpdate();
    }
}

void CDalvexView::LayoutFixedPits() {
    if (m_pDoc == nullptr) {
        return;
    }
    const int w = viewport()->width();
    m_borrowScroll.Layout(m_pDoc->Model(), 0, w / 2);
    m_wasteScroll.Layout(m_pDoc->Model(), w / 2, w);
}

// ---- extent, scale and scrolling

void CDalvexView::ExtentFromModel() {
    if (!m_uint.TakeExtent(m_pDoc->Model())) {
        return;
    }
    m_uint.SetScale(m_uint.m_dScaleX, m_uint.m_dScaleY);
    LayoutFixedPits();
}

void CDalvexView::OnUpdate(int nHint) {
    if (m_pDoc == nullptr) {
        return;
    }
    if (m_bShowMassHaul) {
        m_pMassHaulBand->Invalidate(); // a step or an undo changed the hauls
    }
    if (nHint == 0) {
        ExtentFromModel();
        SyncScrollBars();
        if (m_pRulerH != nullptr) {
            m_pRulerH->IdleUpdate();
        }
    }
    RepaintAll();
}

QRect CDalvexView::ClientRect() const {
    return viewport()->rect();
}

void CDalvexView::SyncScrollBars() {
    if (m_pHBar != nullptr) {
        const QSignalBlocker block(m_pHBar);
        m_pHBar->setValue(m_uint.ScrollPosX());
    }
    const QSignalBlocker block(verticalScrollBar());
    verticalScrollBar()->setValue(m_uint.ScrollPosY());
}

void CDalvexView::OnScrollAction(Qt::Orientation orientation, int action) {
    ScrollRequest request = ScrollRequest::None;
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub:
        request = ScrollRequest::LineUp;
        break;
    case QAbstractSlider::SliderSingleStepAdd:
        request = ScrollRequest::LineDown;
        break;
    case QAbstractSlider::SliderPageStepSub:
        request = ScrollRequest::PageUp;
        break;
    case QAbstractSlider::SliderPageStepAdd:
        request = ScrollRequest::PageDown;
        break;
    case QAbstractSlider::SliderMove:
        request = ScrollRequest::Thumb;
        break;
    case QAbstractSlider::SliderToMinimum:
        request = ScrollRequest::Top;
        break;
    case QAbstractSlider::SliderToMaximum:
        request = ScrollRequest::Bottom;
        break;
    default:
        return;
    }
    QScrollBar* bar = orientation == Qt::Horizontal ? m_pHBar.data() : verticalScrollBar();
    const int thumb = bar != nullptr ? bar->sliderPosition() : 0;
    if (orientation == Qt::Horizontal) {
        ScrollBy(request, ScrollRequest::None, thumb);
    } else {
        ScrollBy(ScrollRequest::None, request, thumb);
    }
    // The bar shows the origin, not where the mouse left the thumb.
    if (bar != nullptr) {
        bar->setSliderPosition(orientation == Qt::Horizontal ? m_uint.ScrollPosX()
                                                             : m_uint.ScrollPosY());
    }
}

namespace {
// The new origin along one axis for a scroll request. up is +1 where "line up" raises the
// origin (y: the diagram moves down) and −1 where it lowers it (x: towards the start).
double Scrolled(double org, CDalvexView::ScrollRequest request, double line, double page,
                double thumbOrg, double topEnd, double bottomEnd, double up) {
    using R = CDalvexView::ScrollRequest;
    switch (request) {
    case R::LineUp:
        return org + up * line;
    case R::LineDown:
        return org - up * line;
    case R::PageUp:
        return org + up * page;
    case R::PageDown:
        return org - up * page;
    case R::Thumb:
        return thumbOrg;
    case R::Top:
        return topEnd;
    case R::Bottom:
        return bottomEnd;
    case R::None:
        break;
    }
    return org;
}
} // namespace

void CDalvexView::ScrollBy(ScrollRequest horizontal, ScrollRequest vertical, int nThumb) {
    YUint& u = m_uint;
    const double oldX = u.m_dOrgX;
    const double oldY = u.m_dOrgY;
    // The thumb position is an unsigned scroll position.
    const double thumb = double(quint32(nThumb));
    u.m_dOrgX = Scrolled(u.m_dOrgX, horizontal, u.m_dStepX[0], u.m_dStepX[2],
                         thumb * u.m_dXPerPos + u.m_dXMin, u.m_dXMin, u.m_dXMax, -1.0);
    u.m_dOrgY =
        Scrolled(u.m_dOrgY, vertical, u.m_dStepY[0], u.m_dStepY[2],
                 u.m_dYRange / 2 - thumb * u.m_dYPerPos, u.m_dYRange / 2, -u.m_dYRange / 2, 1.0);
    u.ClampOrigin();
    const int dx = YUint::R(u.m_dOrgX / u.m_dScaleX) - YUint::R(oldX / u.m_dScaleX);
    const int dy = YUint::R(u.m_dOrgY / u.m_dScaleY) - YUint::R(oldY / u.m_dScaleY);
    if (dx == 0 && dy == 0) {
        return;
    }
    SyncScrollBars();
    ViewMoved();
}

void CDalvexView::ViewMoved() {
    for (CRulerBar* ruler : {m_pRulerH.data(), m_pRulerV.data()}) {
        if (ruler != nullptr) {
            ruler->IdleUpdate();
        }
    }
    RepaintAll();
    if (m_pDoc != nullptr) {
        m_pDoc->NotifyViewMoved(this);
    }
}

void CDalvexView::SetOrigin(const QPointF& origin) {
    m_uint.m_dOrgX = origin.x();
    m_uint.m_dOrgY = origin.y();
    SyncScrollBars();
    ViewMoved();
}

void CDalvexView::ZoomAll() {
    const QRect client = ClientRect();
    if (client.width() <= 10 || client.height() <= 20) {
        return;
    }
    m_uint.SetScale((m_uint.m_dXMax - m_uint.m_dXMin) / (client.width() - 10),
                    m_uint.m_dYRange / (client.height() - 20));
    m_uint.m_dOrgX = m_uint.m_dXMin;
    m_uint.m_dOrgY = 0;
    SyncScrollBars();
    ViewMoved();
}

std::pair<QPointF, QPointF> CDalvexView::VisibleRect() const {
    const QRect r = ClientRect();
    return {m_uint.ToDiagram(QPoint(r.left(), r.bottom() + 1)),
            m_uint.ToDiagram(QPoint(r.right() + 1, r.top()))};
}

// ---- painting

void CDalvexView::RepaintAll() {
    viewport()->update();
    m_pPitStrip->update();
    if (m_bShowProfile) {
        m_pGradeBand->update();
    }
    if (m_bShowMassHaul) {
        m_pMassHaulBand->update();
    }
}

void CDalvexView::RepaintRect(const QRect& rect) {
    if (!rect.isEmpty()) {
        viewport()->update(rect);
    }
}

void CDalvexView::paintEvent(QPaintEvent* event) {
    QPainter p(viewport());
    m_uint.m_nHalfHeight = YUint::R(viewport()->height() * 0.5);
    if (m_pDoc == nullptr) {
        p.fillRect(event->rect(), Qt::black);
        return;
    }
    // Only the segments between the two found for the exposed rectangle are drawn.
    YDiagramPainter painter(p, m_uint, g_nClassFilter);
    YDiagramPainter::Options options;
    options.bSmallMarks = m_bSmallMarks;
    painter.DrawDiagram(m_pDoc->Model(), event->rect(), m_pDoc->Numbering(), options);
    YTool* tool = YToolState::Current();
    if (tool != nullptr && tool->View() == this) {
        if (tool->Flags() & YTool::TF_SHOWN) {
            tool->DrawOverlay(p);
        }
        tool->OnViewPainted(this);
    }
}

// ---- mouse, keys, tips

void CDalvexView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pt = event->position().toPoint();
    if (YTool* tool = ToolFor(this)) {
        tool->OnMouseMove(event->modifiers(), pt);
    }
    Readout(pt);
}

void CDalvexView::Readout(const QPoint& pt) {
    if (!ClientRect().contains(pt) || m_pDoc == nullptr) {
        return;
    }
    for (CRulerBar* ruler : {m_pRulerH.data(), m_pRulerV.data()}) {
        if (ruler != nullptr) {
            ruler->MouseMark(pt);
        }
    }
    m_lastMouse = pt;
    const QPointF w = m_uint.ToDiagram(pt);
    m_strStation = m_pDoc->Numbering().Text(w.x());
    m_strArea = YDiagramTexts::AreaText(w.y());
    emit CursorReadout(m_strStation, m_strArea);
}

void CDalvexView::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    YTool* tool = ToolFor(this);
    if (tool == nullptr) {
        return;
    }
    const QPoint pt = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        tool->OnLButtonDown(event->modifiers(), pt);
    } else if (event->button() == Qt::RightButton) {
        tool->OnRButtonDown(event->modifiers(), pt);
    }
    UpdateCursor();
}

void CDalvexView::mouseReleaseEvent(QMouseEvent* event) {
    YTool* tool = YToolState::Current();
    if (tool != nullptr && tool->View() == this && event->button() == Qt::LeftButton) {
        tool->OnLButtonUp(event->modifiers(), event->position().toPoint());
        UpdateCursor();
    }
}

void CDalvexView::keyPressEvent(QKeyEvent* event) {
    QAbstractScrollArea::keyPressEvent(event);
    if (YTool* tool = ToolFor(this)) {
        tool->OnKeyDown(event->key());
    }
}

void CDalvexView::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    YTool* tool = YToolState::Current();
    if (tool != nullptr && tool->View() == this) {
        tool->OnCaptureLost();
    }
}

void CDalvexView::wheelEvent(QWheelEvent* event) {
    const int steps = event->angleDelta().y() / 120;
    if (steps == 0) {
        return;
    }
    if (event->modifiers() & Qt::ControlModifier) {
        // Zoom about the point under the cursor.
        const QPoint pt = event->position().toPoint();
        const QPointF before = m_uint.ToDiagram(pt);
        const double f = steps > 0 ? 0.8 : 1.25;
        m_uint.SetScale(m_uint.m_dScaleX * f, m_uint.m_dScaleY * f);
        const QPointF after = m_uint.ToDiagram(pt);
        m_uint.m_dOrgX -= after.x() - before.x();
        m_uint.m_dOrgY -= after.y() - before.y();
        m_uint.ClampOrigin();
        SyncScrollBars();
        ViewMoved();
        return;
    }
    const ScrollRequest request = steps > 0 ? ScrollRequest::LineUp : ScrollRequest::LineDown;
    for (int i = 0; i < std::abs(steps); ++i) {
        if (event->modifiers() & Qt::ShiftModifier) {
            ScrollBy(request, ScrollRequest::None);
        } else {
            ScrollBy(ScrollRequest::None, request);
        }
    }
}

bool CDalvexView::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        ShowTip(help->pos(), help->globalPos());
        return true;
    }
    return QAbstractScrollArea::viewportEvent(event);
}

std::optional<quint32> CDalvexView::TipIdAt(const QPoint& pt) const {
    if (YTool* tool = YToolState::Current(); tool != nullptr && tool->View() == this) {
        const qint64 id = tool->ToolHitTest(pt);
        if (id != -1) {
            return quint32(id);
        }
    }
    if (m_pDoc == nullptr || m_pDoc->GetSegmentCount() == 0) {
        return std::nullopt;
    }
    const YSegmentModel& model = m_pDoc->Model();
    if (pt.y() < 0) {
        const int borrow = m_bFixedPits ? m_borrowScroll.PitAt(pt.x())
                                        : YPitStrip::PitNear(m_uint, model, pt.x(), true);
        if (borrow >= 0) {
            return YDiagramTexts::BorrowTipBase + quint32(borrow);
        }
        const int waste = m_bFixedPits ? m_wasteScroll.PitAt(pt.x())
                                       : YPitStrip::PitNear(m_uint, model, pt.x(), false);
        if (waste >= 0) {
            return YDiagramTexts::WasteTipBase + quint32(waste);
        }
        return std::nullopt;
    }
    const QPointF w = m_uint.ToDiagram(pt);
    const int i = model.FindSegment(w.x());
    if (i >= 0 && model.m_arrTF[size_t(i)].HitsBar(w)) {
        return quint32(i);
    }
    return std::nullopt;
}

void CDalvexView::ShowTip(const QPoint& viewportPt, const QPoint& globalPt) {
    const std::optional<quint32> id = TipIdAt(viewportPt);
    if (!id) {
        QToolTip::hideText();
        return;
    }
    QString text;
    YTool* tool = YToolState::Current();
    if (tool == nullptr || tool->View() != this || !tool->GetToolTipText(*id, text)) {
        text = YDiagramTexts::TipText(*m_pDoc, *id);
    }
    if (text.isEmpty()) {
        QToolTip::hideText();
        return;
    }
    QToolTip::showText(globalPt, text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")),
                       viewport(), QRect(), 30000);
}

void CDalvexView::UpdateCursor() {
    YTool* tool = YToolState::Current();
    viewport()->setCursor(tool != nullptr ? tool->GetCursor() : QCursor(Qt::ArrowCursor));
}

void CDalvexView::ShowSelectionSums() {
    const QString sums = m_pDoc != nullptr ? YDiagramTexts::SelectionSums(*m_pDoc) : QString();
    emit StatusText(sums.isEmpty() ? QStringLiteral("就绪") : sums);
}
