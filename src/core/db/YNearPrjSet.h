#pragma once

#include "core/db/YRecordset.h"
#include "core/station/YStation.h"

// [相邻项目] (layout version 6): links to neighbouring projects with which material is
// exchanged. Project-wide, sorted by number.
class YNearPrjSet : public YRecordset {
  public:
    using YRecordset::YRecordset;

    QString TableName() const override { return QStringLiteral("相邻项目"); }
    QString DefaultSort() const override { return QStringLiteral("[编号]"); }
    bool IsPerSegment() const override { return false; }
    int ColumnCount(int) const override { return 8; }

    qint32 m_nNo = 0;          // 编号: number of the link
    YStation m_sta;            // 桩号: connection station in this project, m
    YStation m_staNear;        // 相邻桩号: connection station in the other project, m
    double m_dDistance = 0.0;  // 距离: between the two, m
    QString m_strNearName;     // 相邻项目名称
    QString m_strNearPath;     // 相邻项目路径: relative to this file's folder when possible
    QString m_strNearGUID;     // 相邻项目GUID
    qint16 m_nNearSegment = 0; // 相邻项目分段

  protected:
    void DoFieldExchange(YFieldExchange& fx) override;
};
