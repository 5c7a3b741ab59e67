#pragma once

#include "core/db/YPitSet.h"

// [取土坑]: borrow pits. 12 columns from layout version 3, 10 before.
class YQtkSet : public YPitSet {
  public:
    using YPitSet::YPitSet;

    QString TableName() const override { return QStringLiteral("取土坑"); }
    int ColumnCount(int version) const override { return version >= 3 ? 12 : 10; }

    double m_dShare[6] = {}; // 松土, 普通土, 硬土, 软石, 次坚石, 坚石: % of the pit's material
    double m_dSoil = 0.0; // 土方总量: soil still available, m³
    double m_dRock = 0.0; // 石方总量: rock still available, m³

  protected:
    void DoFieldExchange(YFieldExchange& fx) override;
};
