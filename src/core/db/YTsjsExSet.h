#pragma once

#include "core/db/YLooseClasses.h"
#include "core/db/YRecordset.h"
#include "core/station/YStation.h"

// [土方调配扩展记录]: the loose-volume companion of the [土石计算] rows, read by the earthwork
// calculation table. Per segment, sorted by start station, 45 columns.
class YTsjsExSet : public YRecordset {
  public:
    using YRecordset::YRecordset;

    QString TableName() const override { return QStringLiteral("土方调配扩展记录"); }
    QString DefaultSort() const override { return QStringLiteral("[起始桩号]"); }
    int ColumnCount(int) const override { return 45; }

    YStation m_staStart;        // 起始桩号
    YStation m_staEnd;          // 终止桩号
    double m_dFillTotalL = 0.0; // 填方总量松
    YLooseClasses m_fill;       // 填土量松, 填石量松, 填松1 … 填松6, 填1 … 填6
    YLooseClasses m_local;      // 利…: local reuse
    YLooseClasses m_need;       // 缺…: fill deficit

  protected:
    void DoFieldExchange(YFieldExchange& fx) override;
};
