#pragma once

#include "core/db/YRecordset.h"

// [断链]: chain breaks "BACK=AHEAD", loaded into the station system in ID order.
// Project-wide.
class YDLSet : public YRecordset {
  public:
    using YRecordset::YRecordset;

    QString TableName() const override { return QStringLiteral("断链"); }
    QString DefaultSort() const override { return QStringLiteral("[ID]"); }
    bool IsPerSegment() const override { return false; }
    int ColumnCount(int) const override { return 2; }

    qint32 m_nID = 0;   // ID: order
    QString m_strBreak; // 断链: the chain-break text

  protected:
    void DoFieldExchange(YFieldExchange& fx) override;
};
