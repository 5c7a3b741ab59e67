#pragma once

#include "core/db/YPitSet.h"

// [弃土坑]: waste pits. 5 columns from layout version 3, 3 before.
class YQitkSet : public YPitSet {
  public:
    using YPitSet::YPitSet;

    QString TableName() const override { return QStringLiteral("弃土坑"); }
    int ColumnCount(int version) const override { return version >= 3 ? 5 : 3; }

    double m_dCapacity = 0.0; // 总容量: remaining capacity, m³

  protected:
    void DoFieldExchange(YFieldExchange& fx) override;
};
