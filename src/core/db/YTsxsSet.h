#pragma once

#include "core/db/YRecordset.h"

// [土石系数]: the natural-to-compacted divisors of the six classes. One row; only the first
// is used. Project-wide, in file order.
class YTsxsSet : public YRecordset {
  public:
    using YRecordset::YRecordset;

    QString TableName() const override { return QStringLiteral("土石系数"); }
    bool IsPerSegment() const override { return false; }
    int ColumnCount(int) const override { return 6; }

    // 土方1, 土方2, 土方3, 石方1, 石方2, 石方3: classes I–VI (index 0 = I 松土).
    // compacted volume = natural volume / m_dCoef[k].
    double m_dCoef[6] = {};

  protected:
    void DoFieldExchange(YFieldExchange& fx) override;
};
