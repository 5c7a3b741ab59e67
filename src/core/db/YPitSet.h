#pragma once

#include "core/db/YRecordset.h"
#include "core/station/YStation.h"

// What the sets of [取土坑] (borrow pits) and [弃土坑] (waste pits) share: the station where
// the pit's haul road meets the line, the stretch the pit serves economically (stored from
// layout version 3; before, both ends are taken equal to 上路桩号) and the haul-road length.
// Sorted by the text of 上路桩号, so "K10+000" comes before "K9+000".
class YPitSet : public YRecordset {
  public:
    using YRecordset::YRecordset;

    QString DefaultSort() const override { return QStringLiteral("[上路桩号]"); }
    bool IsPerSegment() const override { return false; }

    // Whether the open layout stores the economic boundaries (version 3 and later).
    bool HasBoundaries() const { return OwnColumnCount() == ColumnCount(3); }

    QString m_strRoad;  // 上路桩号
    YStation m_staRoad; // 上路桩号 as a station
    QString m_strFront; // 前经济分界点桩号 (= 上路桩号 before version 3)
    YStation m_staFront;
    QString m_strBack; // 后经济分界点桩号 (= 上路桩号 before version 3)
    YStation m_staBack;
    double m_dBranch = 0.0; // 支线长度: haul-road length, m

  protected:
    // Binds 上路桩号, the boundaries where the layout has them, and 支线长度.
    void ExchangePitColumns(YFieldExchange& fx);
    void OnRowLoaded() override;
};
