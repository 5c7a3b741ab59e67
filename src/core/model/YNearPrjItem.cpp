#include "core/model/YNearPrjItem.h"

#include "core/db/YNearPrjSet.h"

void YNearPrjItem::Load(const YNearPrjSet& row) {
    m_nNo = row.m_nNo;
    m_sta = row.m_sta;
    m_staNear = row.m_staNear;
    m_dDist = row.m_dDistance;
    m_strName = row.m_strNearName;
    m_strPath = row.m_strNearPath;
    m_strGuid = row.m_strNearGUID;
    m_nNearSeg = row.m_nNearSegment;
}
