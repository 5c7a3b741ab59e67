#pragma once

#include "core/db/YRecordset.h"
#include "core/station/YStation.h"

// [土石含量]: share of each class in the cut at a station, with (from layout version 3) the
// usable rate of each class. Project-wide, sorted by station. 14 columns from version 3,
// 8 before (the old layout, without the rates).
class YTshlSet : public YRecordset {
  public:
    using YRecordset::YRecordset;

    QString TableName() const override { return QStringLiteral("土石含量"); }
    QString DefaultSort() const override { return QStringLiteral("[sta]"); }
    bool IsPerSegment() const override { return false; }
    int ColumnCount(int version) const override { return version >= 3 ? 14 : 8; }

    // Whether the open layout has the usable rates; without them m_dUsable stays 0.
    bool HasUsableRates() const { return OwnColumnCount() == 14; }

    QString m_strSta;        // 桩号
    YStation m_sta;          // 桩号 as a station; also written to sta
    double m_dShare[6] = {}; // 松土, 普通土, 硬土, 软石, 次坚石, 坚石: % of the cut
    double m_dUsable[6] = {}; // 松土利用率 … 坚石利用率: % of the class that may be reused

  protected:
    void DoFieldExchange(YFieldExchange& fx) override;
};
