#pragma once

#include "core/db/YRecordset.h"
#include "core/station/YStation.h"

// [调配过程表]: the centres of gravity of the summarised steps, one row per row of [过程],
// written when the allocation is finished. Per segment, sorted by step.
class YDpSet : public YRecordset {
  public:
    using YRecordset::YRecordset;

    QString TableName() const override { return QStringLiteral("调配过程表"); }
    QString DefaultSort() const override { return QStringLiteral("[GCID]"); }
    int ColumnCount(int) const override { return 18; }

    qint32 m_nGCID = 0;          // GCID: step number
    qint32 m_nID = 0;            // ID
    QString m_strDesc;           // 描述
    YStation m_sta1;             // 桩号1: centre of gravity of the step's source
    YStation m_sta2;             // 桩号2: centre of gravity of its destination
    double m_dSoilBefore = 0.0;  // 调配前土数量
    double m_dRockBefore = 0.0;  // 调配前石数量
    double m_dTotalBefore = 0.0; // 调配前总数量
    double m_dSoilAfter = 0.0;   // 调配后土数量
    double m_dRockAfter = 0.0;   // 调配后石数量
    double m_dTotalAfter = 0.0;  // 调配后总数量
    double m_dSSoilBefore = 0.0; // 调配前S土数量
    double m_dSRockBefore = 0.0; // 调配前S石数量
    double m_dSSoilAfter = 0.0;  // 调配后S土数量
    double m_dSRockAfter = 0.0;  // 调配后S石数量
    bool m_bCutFill = false;     // 填挖
    bool m_bSuccess = false;     // 成败
    qint32 m_nPit = 0;           // 坑

  protected:
    void DoFieldExchange(YFieldExchange& fx) override;
};
