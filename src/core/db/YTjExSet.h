#pragma once

#include "core/db/YLooseClasses.h"
#include "core/db/YRecordset.h"
#include "core/station/YStation.h"

// [统计扩展]: loose and class quantities per stretch, written when the allocation is
// finished. Per segment, sorted by start station. 72 columns from layout version 6, 44 before
// (no cross-project groups m_out, m_in).
class YTjExSet : public YRecordset {
  public:
    using YRecordset::YRecordset;

    QString TableName() const override { return QStringLiteral("统计扩展"); }
    QString DefaultSort() const override { return QStringLiteral("[起始桩号]"); }
    int ColumnCount(int version) const override { return version >= 6 ? 72 : 44; }

    bool HasCrossProjectColumns() const { return OwnColumnCount() == 72; }

    YStation m_staStart;    // 起始桩号
    YStation m_staEnd;      // 终止桩号
    YLooseClasses m_haul;   // 调土量松, 调石量松, 调松1 … 调松6, 调1 … 调6
    YLooseClasses m_borrow; // 借…
    YLooseClasses m_waste;  // 弃…
    YLooseClasses m_out;    // 调出… (v6)
    YLooseClasses m_in;     // 调入… (v6)

  protected:
    void DoFieldExchange(YFieldExchange& fx) override;
};
