#include "core/db/YNearPrjSet.h"

void YNearPrjSet::DoFieldExchange(YFieldExchange& fx) {
    fx.Long(u"编号", m_nNo);
    fx.Metres(u"桩号", m_sta);
    fx.Metres(u"相邻桩号", m_staNear);
    fx.Double(u"距离", m_dDistance);
    fx.Text(u"相邻项目名称", m_strNearName);
    fx.Text(u"相邻项目路径", m_strNearPath);
    fx.Text(u"相邻项目GUID", m_strNearGUID);
    fx.Int(u"相邻项目分段", m_nNearSegment);
}
