#include "core/model/YPitItem.h"

#include "core/db/YPitSet.h"

void YPitItem::Load(const YPitSet& row) {
    m_staRoad = row.m_staRoad;
    m_staEcoStart = row.m_staFront;
    m_staEcoEnd = row.m_staBack;
    m_dBranch = row.m_dBranch;
}
