#pragma once

#include "core/model/YClassFilter.h"
#include "core/station/YStation.h"

#include <QPointF>
#include <array>

class YTsjsSet;

// One computation segment of the open project segment: one row of [土石计算] (as first
// computed) paired with the same row of [土石计算中间表] (what allocation has left).
// Surplus values are natural (in place) volumes in m³, fill values compacted volumes in m³.
class YTFItem {
  public:
    using ClassValues = std::array<double, YClass::Count>;

    YStation m_staStart; // 起始桩号
    YStation m_staEnd;   // 终止桩号
    // Bits 0..5: the cut of that class is selected as a source; bit 6: the fill is selected as
    // a destination. Higher bits are carried unchanged through every selection update.
    qint32 m_nSel = 0;
    ClassValues m_dUse{};      // usable surplus by class, as first computed
    ClassValues m_dRemUse{};   // usable surplus by class still unallocated
    ClassValues m_dUnuse{};    // unusable surplus (waste only), as first computed
    ClassValues m_dRemUnuse{}; // unusable surplus still unallocated
    double m_dFill = 0.0;      // fill needed after local reuse, as first computed
    double m_dRemFill = 0.0;   // fill still needed now
    double m_dFillSoil = 0.0;  // soil delivered here by recorded processes (compacted)
    double m_dFillRock = 0.0;  // rock delivered here by recorded processes (compacted)

    // Segment length in metres (end − start).
    double Length() const { return m_staEnd.Value() - m_staStart.Value(); }

    // Sum of the six remaining usable and unusable surplus values plus the remaining fill is at
    // least 1e-5.
    bool HasRemaining() const;
    // Remaining usable + unusable surplus, all classes (m³).
    double RemainingSurplus() const;
    // First-computed usable + unusable surplus over the classes of mask (m³).
    double SurplusTotal(qint32 classMask = YClass::AllMask) const;

    // Reads the current row of [土石计算]: stations, m_dUse, m_dUnuse, m_dFill.
    void LoadComputed(const YTsjsSet& row);
    // Reads the current row of [土石计算中间表]: m_dRemUse, m_dRemUnuse, m_dRemFill.
    void LoadRemaining(const YTsjsSet& row);

    // Recomputes the seven low mask bits from the remaining quantities and g_nClassFilter;
    // with bEnable false only clears them.
    void UpdateSel(bool bEnable);
    // The low seven bits UpdateSel(true) would set, without storing them.
    qint32 SelectableBits() const;
    bool CanSelect() const { return SelectableBits() != 0; }

    // Diagram hit test of a rectangle given by two diagram points (x station in metres, y
    // volume per metre of line, m³/m): p0 bottom-left, p1 top-right.
    bool SelectHit(const QPointF& p0, const QPointF& p1) const;
    // Whether a click point lies on this segment's bar (start < x <= end, and y between
    // −m_dFill/length exclusive and the first-computed surplus per metre inclusive).
    bool HitsBar(const QPointF& pt) const;

    // The usable and unusable surplus by class (natural, m³) of the current row of [土石计算] or
    // [土石计算中间表], by the layout the set was opened with: shares of 挖余土 / 挖余石 by
    // the class contents (version 1), 余k (version 2, all usable), 可用余k / 不可用余k (from 3).
    static void ReadClassValues(const YTsjsSet& row, ClassValues& use, ClassValues& unuse);
};
