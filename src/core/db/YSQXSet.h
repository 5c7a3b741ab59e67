#pragma once

#include "core/db/YRecordset.h"
#include "core/station/YStation.h"

#include <QPointF>
#include <vector>

// [竖曲线]: vertical intersection points (optional input). Project-wide, sorted by station.
class YSQXSet : public YRecordset {
  public:
    using YRecordset::YRecordset;

    QString TableName() const override { return QStringLiteral("竖曲线"); }
    QString DefaultSort() const override { return QStringLiteral("[sta]"); }
    bool IsPerSegment() const override { return false; }
    int ColumnCount(int) const override { return 5; }

    qint32 m_nNo = 0;          // 编号
    QString m_strSta;          // 桩号
    YStation m_sta;            // 桩号 as a station; also written to sta
    double m_dElevation = 0.0; // 高程, m
    double m_dRadius = 0.0;    // 半径: vertical curve radius, m

    // Every row as (station m, elevation m) in station order, for the grade band of the
    // diagram; the set stands on its first row afterwards.
    std::vector<QPointF> GradePoints();

  protected:
    void DoFieldExchange(YFieldExchange& fx) override;
};
