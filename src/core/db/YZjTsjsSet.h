#pragma once

#include "core/db/YTsjsSet.h"

// [土石计算中间表]: the same columns as [土石计算], holding what is left of each computation
// segment while the allocation goes on: each recorded process lowers the source's surplus and
// the destination's fill here. Refilled from [土石计算] by
// "INSERT INTO [土石计算中间表] SELECT * FROM [土石计算] …", which relies on both tables having
// the same columns in the same order.
class YZjTsjsSet : public YTsjsSet {
  public:
    using YTsjsSet::YTsjsSet;

    QString TableName() const override { return QStringLiteral("土石计算中间表"); }
};
