#pragma once

#include "core/db/YRecordset.h"
#include "core/station/YStation.h"

// [项目分段] (layout version 5 and later): the project's segments by their end stations,
// sorted by number. The row the document's set stands on is the current segment. The
// segment number 分段编号 is the base's m_nSegment: this project-wide set binds it as its own
// column.
class YPrjFDSet : public YRecordset {
  public:
    using YRecordset::YRecordset;

    QString TableName() const override { return QStringLiteral("项目分段"); }
    QString DefaultSort() const override { return QStringLiteral("[分段编号]"); }
    bool IsPerSegment() const override { return false; }
    int ColumnCount(int) const override { return 2; }

    QString m_strEnd;  // 结束桩号
    YStation m_staEnd; // 结束桩号 as a station

  protected:
    void DoFieldExchange(YFieldExchange& fx) override;
};
