#pragma once

#include "core/db/YRecordset.h"
#include "core/station/YStation.h"

#include <optional>

// [构造物]: structures such as bridges. Project-wide, sorted by start station. Files before
// layout version 6 lack 绕行距离 until YSchema::AddDetourColumn adds it (the load sequence does,
// on every opening); rows from before then have no detour.
class YGzwSet : public YRecordset {
  public:
    using YRecordset::YRecordset;

    QString TableName() const override { return QStringLiteral("构造物"); }
    QString DefaultSort() const override { return QStringLiteral("[ssta]"); }
    bool IsPerSegment() const override { return false; }
    int ColumnCount(int) const override { return 7; }

    QString m_strStart;              // 起始桩号
    YStation m_staStart;             // 起始桩号 as a station; also written to ssta
    QString m_strEnd;                // 终止桩号
    YStation m_staEnd;               // 终止桩号 as a station
    QString m_strName;               // 名称
    double m_dSpan = 0.0;            // 跨径, m
    bool m_bCrossable = false;       // 能否跨越: material may be hauled across
    std::optional<double> m_dDetour; // 绕行距离, m; empty (NULL) = no detour

  protected:
    void DoFieldExchange(YFieldExchange& fx) override;
};
