#pragma once

#include "core/station/YStation.h"

#include <QString>

class YGzwSet;

// One structure (bridge, culvert ...) of [构造物].
class YGZWItem {
  public:
    YStation m_staStart;    // 起始桩号
    YStation m_staEnd;      // 终止桩号
    QString m_strName;      // 名称
    double m_dSpan = 0.0;   // 跨径, m
    bool m_bCross = true;   // 能否跨越: material may be hauled across
    double m_dDetour = 0.0; // 绕行距离, m (NULL reads as 0)

    // Reads the current row of a [构造物] record set.
    void Load(const YGzwSet& row);
};
