#pragma once

#include "core/model/YGZWItem.h"
#include "core/model/YNearPrjItem.h"
#include "core/model/YQitukItem.h"
#include "core/model/YQutukItem.h"
#include "core/model/YTFItem.h"

#include <QPointF>
#include <optional>
#include <vector>

// A mask a segment had before the current selection gesture.
struct BackupSel {
    YTFItem* pItem = nullptr;
    qint32 nSel = 0;
};

// Which kind of run a selection click picks.
enum class YSelectMode {
    Cut, // adjacent segments with remaining surplus; cut bits 0..5
    Fill // adjacent segments that still need fill; bit 6
};

// Index range of a selected run of segments (inclusive).
struct YSegRun {
    int nFirst = -1;
    int nLast = -1;
};

// The in-memory model of the open project segment (项目分段): computation segments (土石计算)
// in ascending station order (segment i + 1 starts where segment i ends), structures, pits and
// neighbour ports in the order of their tables. Pure data and algorithms; CDalvexDoc fills it
// from the database and tells views.
//
// Item addresses stay valid until the next Clear()/reload: the arrays never grow in between, and
// the selection backup is emptied whenever they are rebuilt.
class YSegmentModel {
  public:
    std::vector<YTFItem> m_arrTF;
    std::vector<YGZWItem> m_arrGZW;
    std::vector<YQutukItem> m_arrQutuk;
    std::vector<YQitukItem> m_arrQituk;
    std::vector<YNearPrjItem> m_arrNearPrj;
    // Largest 挖方平均面积 / 填方平均面积 of [土石计算] (m²), the diagram's vertical scale.
    double m_dMaxArea = 0.0;
    // Extent of the segment array (start of the first, end of the last segment), used to close
    // the economic stretches of the outermost pits.
    YStation m_staProjectStart;
    YStation m_staProjectEnd;
    std::vector<BackupSel> m_backupSel;

    int GetSegmentCount() const { return int(m_arrTF.size()); }

    // Empties every array and the selection backup.
    void Clear();
    // Empties the segment array (and, with it, the selection backup).
    void ClearSegments();

    // Binary search for the segment holding station x; -1 when there are no segments. On a
    // shared boundary the segment met first wins; before the first segment 0, beyond the last
    // the last index. Callers that need containment check the stations themselves.
    int FindSegment(double x) const;

    // Selection gesture of a diagram click at pt (x station m, y m³/m). Records changed masks
    // in the backup. Empty when nothing could be selected. bChanged reports whether a mask
    // changed (the caller redraws).
    std::optional<YSegRun> SelectRun(const QPointF& pt, YSelectMode mode, bool& bChanged);
    // Puts back every backed-up mask and empties the backup; false when it was empty.
    bool RestoreSelection();
    // Rectangle selection: segments under [p0, p1] get UpdateSel(true); others lose their low
    // seven bits unless bAdd.
    void SelectInRect(const QPointF& p0, const QPointF& p1, bool bAdd);
    // Clears the given filter bits when all are set, sets them otherwise; then every segment
    // mask keeps only the selection bits the filter still allows (a kind switched off takes
    // its class bits with it); bits above the seven selection bits are untouched.
    void ToggleClassFilter(quint32 bits);

    // First borrow pit (bBorrow) or waste pit whose economic stretch meets [a, b] (touching
    // counts); -1 when none.
    int FindPit(double a, double b, bool bBorrow) const;
    // First structure that may not be crossed and lies within [a, b] (a <= its start, its end
    // <= b); -1 when none.
    int FindBlockingStructure(const YStation& a, const YStation& b) const;

    // Sets the project extent from the segment array (only with more than one segment) and
    // closes the economic stretches of both pit lists.
    void ComputeEconomicStretches();
    // Index of the segment that starts at sta (FindSegment, then that one or the next), or -1.
    int FindSegmentStartingAt(const YStation& sta) const;

  private:
    void Backup(YTFItem& item, qint32 nOld);
};
