#include "core/db/YDpSet.h"

void YDpSet::DoFieldExchange(YFieldExchange& fx) {
    fx.Long(u"GCID", m_nGCID);
    fx.Long(u"ID", m_nID);
    fx.Text(u"描述", m_strDesc);
    fx.Metres(u"桩号1", m_sta1);
    fx.Metres(u"桩号2", m_sta2);
    fx.Double(u"调配前土数量", m_dSoilBefore);
    fx.Double(u"调配前石数量", m_dRockBefore);
    fx.Double(u"调配前总数量", m_dTotalBefore);
    fx.Double(u"调配后土数量", m_dSoilAfter);
    fx.Double(u"调配后石数量", m_dRockAfter);
    fx.Double(u"调配后总数量", m_dTotalAfter);
    fx.Double(u"调配前S土数量", m_dSSoilBefore);
    fx.Double(u"调配前S石数量", m_dSRockBefore);
    fx.Double(u"调配后S土数量", m_dSSoilAfter);
    fx.Double(u"调配后S石数量", m_dSRockAfter);
    fx.Bool(u"填挖", m_bCutFill);
    fx.Bool(u"成败", m_bSuccess);
    fx.Long(u"坑", m_nPit);
}
