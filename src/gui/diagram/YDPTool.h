#pragma once

#include "core/allocation/YDPSelection.h"
#include "core/model/YSegmentModel.h"
#include "gui/diagram/YTool.h"

#include <functional>
#include <optional>

class CDalvexDoc;

// 调配: the user picks a source (a run of cut segments, or a borrow pit in the pit strip) and
// then a destination (a run of fill segments, or a waste pit), possibly in another open
// project; the strategy the rule settings and the picks call for then runs. With 就地取弃 one
// pick is enough: below the axis it is a fill run, above it a cut run.
//
// The picks are held as the selection the strategies read (YDPSelection: source document and
// indices, destination document and indices, ports); the strategy is found and run through
// YDPCommand, as `dalvex-cli allocate` does.
class YDPTool : public YTool {
  public:
    // Own state bits in the low bits of m_nFlags.
    enum State : quint32 {
        DP_WAITDEST = 1, // a source is picked; the next pick is the destination
        DP_SRCPIT = 2,   // the source is a borrow pit
        DP_DSTPIT = 4    // the destination is a waste pit
    };

    // Chooses the exit and entry ports (link indices) for a haul from src into dst; false when
    // the user cancelled. The program sets the port dialog here.
    using PortChooser =
        std::function<bool(CDalvexDoc& src, CDalvexDoc& dst, int& nExit, int& nEntry)>;
    static void SetPortChooser(PortChooser chooser);

    YDPTool() : YTool(TF_DRAG | TF_RUBBER | TF_HOVER) {}

    bool BeginDrag() override;
    void EndDrag(Qt::KeyboardModifiers mods) override;
    bool Track(Qt::KeyboardModifiers mods, const QPoint& pt) override;
    void OnClick(Qt::KeyboardModifiers mods) override;
    void Finish(bool bRevert) override;
    QCursor GetCursor() const override;
    void DrawOverlay(QPainter& p) const override;
    QRect OverlayRect() const override;

    // Whether a pick in doc is possible now (borrow works within one project; a project
    // without segments cannot take part; two projects need layout version 6 or later).
    bool CanTakePart(const CDalvexDoc& doc) const;

    // ---- The neighbour pane's link ----
    // The source's project while a source is picked, else null.
    CDalvexDoc* PendingSource() const;
    CDalvexDoc* DestDocument() const { return m_sel.pFillDoc; }
    int EntryPort() const { return m_sel.nInPort; }
    int ExitPort() const { return m_sel.nOutPort; }
    // Sets the destination project and the ports; refused unless a source is picked in src.
    bool SetPorts(CDalvexDoc* src, int nExit, CDalvexDoc* dst, int nEntry);

    const YDPSelection& Selection() const { return m_sel; }
    // The run under the pointer (segment indices), empty when none.
    std::optional<YSegRun> HoverRun() const;

  private:
    bool LocalMode() const;
    // Cut mode while waiting for a source, fill mode after; with 就地取弃 the axis side of
    // the diagram point decides.
    YSelectMode ModeAt(const QPointF& w) const;
    bool PressInStrip();
    bool IsClickGesture() const;
    std::optional<YSegRun> RunUnder(const CDalvexDoc& doc, YSelectMode mode) const;
    // Selects the segments of the dragged rectangle that have material of the mode (their
    // old masks go into the document's selection backup).
    std::optional<YSegRun> SelectRect(CDalvexDoc& doc, YSelectMode mode);
    void StoreSource(CDalvexDoc& doc, int first, int last, bool bPit);
    void StoreDest(CDalvexDoc& doc, int first, int last, bool bPit);
    void Apply();
    void RunStrategy();
    // Restores the selection of both projects and forgets the picks.
    void Reset();
    QRect HoverDeviceRect() const;

    YDPSelection m_sel;
    int m_nHoverFirst = -1;
    int m_nHoverLast = -1;
};
