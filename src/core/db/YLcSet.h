#pragma once

#include "core/db/YRecordset.h"
#include "core/station/YStation.h"

// [路槽]: road-trough dimensions at stations, deducted from the fill. Project-wide.
class YLcSet : public YRecordset {
  public:
    using YRecordset::YRecordset;

    QString TableName() const override { return QStringLiteral("路槽"); }
    QString DefaultSort() const override { return QStringLiteral("[sta]"); }
    bool IsPerSegment() const override { return false; }
    int ColumnCount(int) const override { return 4; }

    QString m_strSta;      // 桩号
    YStation m_sta;        // 桩号 as a station; also written to sta
    double m_dDepth = 0.0; // 高度, m
    double m_dWidth = 0.0; // 宽度, m

  protected:
    void DoFieldExchange(YFieldExchange& fx) override;
};
