#include "gui/diagram/YDPTool.h"

#include "core/allocation/YDPCalTool.h"
#include "core/allocation/YDPCommand.h"
#include "core/allocation/YDPRule.h"
#include "core/document/CDalvexDoc.h"
#include "core/document/YDiagramTexts.h"
#include "core/platform/YUserIO.h"
#include "draw/YDiagramPainter.h"
#include "gui/diagram/CDalvexView.h"

#include <QPainter>
#include <QPixmap>
#include <cstdlib>

namespace {

// A press that moves less than this in both directions is a click, pixels.
constexpr int kClickSlop = 4;
// The hover follows the dragged rectangle once it exceeds this in both directions, pixels.
constexpr int kDragHover = 3;

YDPTool::PortChooser& Chooser() {
    static YDPTool::PortChooser chooser;
    return chooser;
}

bool HasMaterial(const YTFItem& item, YSelectMode mode) {
    return mode == YSelectMode::Cut ? item.RemainingSurplus() > YClass::Present
                                    : item.m_dRemFill > YClass::Present;
}

// The two cursors of the tool, drawn once for the program: a cross with an arrow pointing up
// (take from a cut) or down (put into a fill).
QCursor MakeCursor(bool bDest) {
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setPen(QPen(Qt::black, 1));
    p.drawLine(0, 8, 16, 8);
    p.drawLine(8, 0, 8, 16);
    p.setPen(QPen(Qt::white, 1));
    p.drawLine(0, 9, 16, 9);
    p.drawLine(9, 0, 9, 16);
    const QColor fill = bDest ? QColor(0, 128, 0) : QColor(192, 0, 0);
    p.setBrush(fill);
    p.setPen(Qt::black);
    const int x = 22;
    const QPolygon arrow = bDest ? QPolygon({QPoint(x - 6, 14), QPoint(x + 6, 14), QPoint(x, 26)})
                                 : QPolygon({QPoint(x - 6, 26), QPoint(x + 6, 26), QPoint(x, 14)});
    p.drawPolygon(arrow);
    return QCursor(pm, 8, 8);
}

} // namespace

void YDPTool::SetPortChooser(PortChooser chooser) {
    Chooser() = std::move(chooser);
}

bool YDPTool::LocalMode() const {
    return (g_nDPRule & DPR_LOCAL) != 0;
}

YSelectMode YDPTool::ModeAt(const QPointF& w) const {
    if (LocalMode()) {
        return w.y() < 0.0 ? YSelectMode::Fill : YSelectMode::Cut;
    }
    return (m_nFlags & DP_WAITDEST) ? YSelectMode::Fill : YSelectMode::Cut;
}

CDalvexDoc* YDPTool::PendingSource() const {
    return (m_nFlags & DP_WAITDEST) ? m_sel.pCutDoc : nullptr;
}

bool YDPTool::SetPorts(CDalvexDoc* src, int nExit, CDalvexDoc* dst, int nEntry) {
    if (src == nullptr || PendingSource() != src) {
        return false;
    }
    if (dst != m_sel.pFillDoc) {
        // Another destination project: its earlier pick no longer holds.
        m_sel.nFillFirst = m_sel.nFillLast = -1;
        m_nFlags &= ~quint32(DP_DSTPIT);
    }
    m_sel.pFillDoc = dst;
    m_sel.nOutPort = nExit;
    m_sel.nInPort = nEntry;
    return true;
}

bool YDPTool::CanTakePart(const CDalvexDoc& doc) const {
    const CDalvexDoc* src = PendingSource();
    if ((m_nFlags & DP_SRCPIT) && src != nullptr && src != &doc) {
        return false;
    }
    if (doc.GetSegmentCount() == 0) {
        return false;
    }
    if (src == nullptr || src == &doc) {
        return true;
    }
    return src->GetVersion() >= 6 && doc.GetVersion() >= 6;
}

// ---------------------------------------------------------------- gestures

bool YDPTool::BeginDrag() {
    if (m_pView == nullptr) {
        return false;
    }
    if (m_ptStart.y() < 0) {
        PressInStrip();
        return false; // the press is consumed; OnClick applies what it picked
    }
    return CanTakePart(m_pView->Document());
}

bool YDPTool::PressInStrip() {
    if (LocalMode()) {
        return false;
    }
    CDalvexDoc& doc = m_pView->Document();
    const std::optional<quint32> id = m_pView->TipIdAt(m_ptStart);
    if (!id) {
        return false;
    }
    const bool bWaiting = m_nFlags & DP_WAITDEST;
    if (!bWaiting && *id >= YDiagramTexts::BorrowTipBase && *id < YDiagramTexts::WasteTipBase &&
        doc.GetSegmentCount() > 0) {
        StoreSource(doc, int(*id - YDiagramTexts::BorrowTipBase), -1, true);
        return true;
    }
    if (bWaiting && *id >= YDiagramTexts::WasteTipBase && !(m_nFlags & DP_SRCPIT) &&
        m_sel.pCutDoc == &doc) {
        StoreDest(doc, int(*id - YDiagramTexts::WasteTipBase), -1, true);
        return true;
    }
    return false;
}

bool YDPTool::IsClickGesture() const {
    const QPoint d = m_ptCur - m_ptStart;
    return std::abs(d.x()) < kClickSlop || std::abs(d.y()) < kClickSlop;
}

void YDPTool::EndDrag(Qt::KeyboardModifiers) {
    if (m_pView == nullptr) {
        return;
    }
    CDalvexDoc& doc = m_pView->Document();
    const YUint& u = m_pView->Uint();
    const QPointF w = u.ToDiagram(m_ptStart);
    const YSelectMode mode = ModeAt(w);
    const std::optional<YSegRun> run =
        IsClickGesture() ? doc.SelectRun(w, mode) : SelectRect(doc, mode);
    if (!run) {
        return;
    }
    if (mode == YSelectMode::Cut) {
        StoreSource(doc, run->nFirst, run->nLast, false);
    } else {
        StoreDest(doc, run->nFirst, run->nLast, false);
    }
}

std::optional<YSegRun> YDPTool::SelectRect(CDalvexDoc& doc, YSelectMode mode) {
    const QRect r = QRect(m_ptStart, m_ptCur).normalized();
    const YUint& u = m_pView->Uint();
    const QPointF p0 = u.ToDiagram(QPoint(r.left(), r.bottom()));
    const QPointF p1 = u.ToDiagram(QPoint(r.right(), r.top()));
    YSegmentModel& model = doc.Model();
    std::optional<YSegRun> run;
    const qint32 bits = mode == YSelectMode::Cut ? YClass::AllMask : YClass::FillBit;
    for (int i = 0; i < model.GetSegmentCount(); ++i) {
        YTFItem& item = model.m_arrTF[size_t(i)];
        if (!HasMaterial(item, mode) || !item.SelectHit(p0, p1)) {
            continue;
        }
        const qint32 nOld = item.m_nSel;
        item.UpdateSel(true);
        if (item.m_nSel != nOld) {
            model.m_backupSel.push_back({&item, nOld});
        }
        if ((item.m_nSel & bits) == 0) {
            continue; // the class filter lets nothing of it be picked
        }
        run = YSegRun{run ? run->nFirst : i, i};
    }
    doc.UpdateAllViews(1);
    return run;
}

void YDPTool::StoreSource(CDalvexDoc& doc, int first, int last, bool bPit) {
    m_sel.pCutDoc = &doc;
    m_sel.nCutFirst = first;
    m_sel.nCutLast = last;
    m_nFlags = bPit ? (m_nFlags | DP_SRCPIT) : (m_nFlags & ~quint32(DP_SRCPIT));
}

void YDPTool::StoreDest(CDalvexDoc& doc, int first, int last, bool bPit) {
    if (m_sel.pFillDoc != &doc) {
        m_sel.nInPort = m_sel.nOutPort = -1;
    }
    m_sel.pFillDoc = &doc;
    m_sel.nFillFirst = first;
    m_sel.nFillLast = last;
    m_nFlags = bPit ? (m_nFlags | DP_DSTPIT) : (m_nFlags & ~quint32(DP_DSTPIT));
}

// ---------------------------------------------------------------- apply

void YDPTool::OnClick(Qt::KeyboardModifiers) {
    Apply();
    if (m_pView != nullptr) {
        m_pView->UpdateCursor();
    }
}

void YDPTool::Apply() {
    if (LocalMode()) {
        m_nFlags &= ~quint32(DP_WAITDEST);
        if (m_sel.nCutFirst >= 0 || m_sel.nFillFirst >= 0) {
            RunStrategy();
            Reset();
        }
        return;
    }
    if (!(m_nFlags & DP_WAITDEST)) {
        if (m_sel.nCutFirst >= 0) {
            m_nFlags |= DP_WAITDEST;
            m_sel.pCutDoc->NotifySourcePicked();
        }
        return;
    }
    if (m_sel.pFillDoc == nullptr || m_sel.nFillFirst < 0) {
        return;
    }
    m_nFlags &= ~quint32(DP_WAITDEST);
    bool bRun = true;
    if (m_sel.pCutDoc != m_sel.pFillDoc && (m_sel.nInPort < 0 || m_sel.nOutPort < 0)) {
        int nExit = -1;
        int nEntry = -1;
        bRun = Chooser() && Chooser()(*m_sel.pCutDoc, *m_sel.pFillDoc, nExit, nEntry);
        m_sel.nOutPort = nExit;
        m_sel.nInPort = nEntry;
    }
    if (bRun) {
        RunStrategy();
    }
    Reset();
}

void YDPTool::RunStrategy() {
    CDalvexDoc* doc = m_sel.pCutDoc != nullptr ? m_sel.pCutDoc : m_sel.pFillDoc;
    YUserIO& io = doc->UserIO();
    std::unique_ptr<YDPCalTool> strategy = YDPCommand::Strategy(m_sel, io);
    if (strategy) {
        YWaitScope wait(io);
        // What the strategy recorded is reported by the panes; when it records nothing its own
        // messages say why.
        (void)strategy->Compute();
    }
}

void YDPTool::Reset() {
    CDalvexDoc* src = m_sel.pCutDoc;
    CDalvexDoc* dst = m_sel.pFillDoc != src ? m_sel.pFillDoc : nullptr;
    m_sel = YDPSelection();
    m_nFlags &= ~quint32(DP_WAITDEST | DP_SRCPIT | DP_DSTPIT);
    for (CDalvexDoc* doc : {src, dst}) {
        if (doc != nullptr) {
            doc->RestoreSelection();
            doc->NotifyToolReset();
        }
    }
}

void YDPTool::Finish(bool bRevert) {
    const bool bPending = (m_nFlags & DP_WAITDEST) && !LocalMode();
    if (bPending || m_sel.pCutDoc != nullptr || m_sel.pFillDoc != nullptr) {
        Reset();
    }
    if (bPending && bRevert) {
        // Leaving with a source picked only drops the source; the tool stays.
        if (m_pView != nullptr) {
            m_pView->UpdateCursor();
        }
        return;
    }
    YTool::Finish(bRevert);
}

QCursor YDPTool::GetCursor() const {
    static const QCursor source = MakeCursor(false);
    static const QCursor dest = MakeCursor(true);
    return (m_nFlags & DP_WAITDEST) ? dest : source;
}

// ---------------------------------------------------------------- hover

std::optional<YSegRun> YDPTool::RunUnder(const CDalvexDoc& doc, YSelectMode mode) const {
    const YSegmentModel& model = doc.Model();
    const int count = model.GetSegmentCount();
    const YUint& u = m_pView->Uint();
    if ((m_nFlags & TF_TRACKING) && !IsClickGesture()) {
        const QPoint d = m_ptCur - m_ptStart;
        if (std::abs(d.x()) > kDragHover && std::abs(d.y()) > kDragHover) {
            const QRect r = QRect(m_ptStart, m_ptCur).normalized();
            const QPointF p0 = u.ToDiagram(QPoint(r.left(), r.bottom()));
            const QPointF p1 = u.ToDiagram(QPoint(r.right(), r.top()));
            std::optional<YSegRun> run;
            for (int i = std::max(model.FindSegment(p0.x()), 0); i < count; ++i) {
                const YTFItem& item = model.m_arrTF[size_t(i)];
                if (item.m_staStart.Value() > p1.x()) {
                    break;
                }
                if (HasMaterial(item, mode) && item.SelectHit(p0, p1)) {
                    run = YSegRun{run ? run->nFirst : i, i};
                }
            }
            return run;
        }
    }
    const QPointF w = u.ToDiagram(m_ptCur);
    int anchor = -1;
    // As the selection does: on the line between two bars the one before is hit.
    for (int j = std::max(model.FindSegment(w.x()) - 1, 0); j < count; ++j) {
        const YTFItem& item = model.m_arrTF[size_t(j)];
        if (item.m_staStart.Value() > w.x()) {
            break;
        }
        if (HasMaterial(item, mode) && item.HitsBar(w)) {
            anchor = j;
            break;
        }
    }
    if (anchor < 0) {
        return std::nullopt;
    }
    YSegRun run{anchor, anchor};
    while (run.nFirst > 0 && HasMaterial(model.m_arrTF[size_t(run.nFirst - 1)], mode)) {
        --run.nFirst;
    }
    while (run.nLast + 1 < count && HasMaterial(model.m_arrTF[size_t(run.nLast + 1)], mode)) {
        ++run.nLast;
    }
    return run;
}

bool YDPTool::Track(Qt::KeyboardModifiers, const QPoint& pt) {
    if (m_pView == nullptr) {
        return false;
    }
    m_ptCur = pt;
    std::optional<YSegRun> run;
    if (pt.y() >= 0 && CanTakePart(m_pView->Document())) {
        run = RunUnder(m_pView->Document(), ModeAt(m_pView->Uint().ToDiagram(pt)));
    }
    const int first = run ? run->nFirst : -1;
    const int last = run ? run->nLast : -1;
    const bool bChanged = first != m_nHoverFirst || last != m_nHoverLast;
    m_nHoverFirst = first;
    m_nHoverLast = last;
    // While dragging the band moves anyway; without a button only a new run repaints.
    return bChanged || (m_nFlags & TF_TRACKING);
}

std::optional<YSegRun> YDPTool::HoverRun() const {
    if (m_nHoverFirst < 0) {
        return std::nullopt;
    }
    return YSegRun{m_nHoverFirst, m_nHoverLast};
}

QRect YDPTool::HoverDeviceRect() const {
    if (m_pView == nullptr || m_nHoverFirst < 0 ||
        m_nHoverLast >= m_pView->Document().GetSegmentCount()) {
        return {};
    }
    // Only the scale is needed: the painter is never begun.
    QPainter idle;
    const YDiagramPainter painter(idle, m_pView->Uint(), g_nClassFilter);
    QRect r;
    for (int i = m_nHoverFirst; i <= m_nHoverLast; ++i) {
        r |= painter.DeviceBarRect(m_pView->Document().Model().m_arrTF[size_t(i)]);
    }
    return r;
}

void YDPTool::DrawOverlay(QPainter& p) const {
    if (m_pView == nullptr) {
        return;
    }
    p.save();
    if (!HoverDeviceRect().isEmpty()) {
        // A translucent wash over each bar of the run, outlined so thin bars still show.
        const YDiagramPainter painter(p, m_pView->Uint(), g_nClassFilter);
        const QColor wash =
            (m_nFlags & DP_WAITDEST) ? QColor(0, 160, 0, 90) : QColor(255, 64, 0, 90);
        p.setPen(QPen(Qt::white, 1));
        p.setBrush(wash);
        for (int i = m_nHoverFirst; i <= m_nHoverLast; ++i) {
            const QRect r = painter.DeviceBarRect(m_pView->Document().Model().m_arrTF[size_t(i)]);
            p.drawRect(r.adjusted(0, 0, -1, -1));
        }
    }
    if ((m_nFlags & TF_TRACKING) && !IsClickGesture()) {
        p.setPen(QPen(Qt::white, 1, Qt::DashLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRect(m_ptStart, m_ptCur).normalized().adjusted(0, 0, -1, -1));
    }
    p.restore();
}

QRect YDPTool::OverlayRect() const {
    QRect r = HoverDeviceRect();
    if (m_nFlags & TF_TRACKING) {
        r |= QRect(m_ptStart, m_ptCur).normalized();
    }
    return r.adjusted(-2, -2, 2, 2);
}
