#pragma once

#include "core/db/YRecordset.h"
#include "core/station/YStation.h"

// [逐桩断面]: cross-section areas station by station, the input of the preprocessing.
// Project-wide, sorted by station.
class YZzmjSet : public YRecordset {
  public:
    using YRecordset::YRecordset;

    QString TableName() const override { return QStringLiteral("逐桩断面"); }
    QString DefaultSort() const override { return QStringLiteral("[sta]"); }
    bool IsPerSegment() const override { return false; }
    int ColumnCount(int) const override { return 7; }

    QString m_strSta;           // 桩号, display text
    YStation m_sta;             // 桩号 as a station; also written to sta
    double m_dCutArea = 0.0;    // 挖方面积, m²
    double m_dFillArea = 0.0;   // 填方面积, m²
    double m_dCenterFill = 0.0; // 中桩填挖, m: >= 0 fill at the centre line, < 0 cut
    double m_dCutArea1 = 0.0;   // 挖方面积1: cut area after the preprocessing's adjustments
    double m_dFillArea1 = 0.0;  // 填方面积1: fill area after the adjustments

  protected:
    void DoFieldExchange(YFieldExchange& fx) override;
};
