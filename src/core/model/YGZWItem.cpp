#include "core/model/YGZWItem.h"

#include "core/db/YGzwSet.h"

void YGZWItem::Load(const YGzwSet& row) {
    m_staStart = row.m_staStart;
    m_staEnd = row.m_staEnd;
    m_strName = row.m_strName;
    m_dSpan = row.m_dSpan;
    m_bCross = row.m_bCrossable;
    m_dDetour = row.m_dDetour.value_or(0.0);
}
