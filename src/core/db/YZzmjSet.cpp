#include "core/db/YZzmjSet.h"

void YZzmjSet::DoFieldExchange(YFieldExchange& fx) {
    fx.StationText(u"桩号", m_strSta, m_sta);
    fx.Double(u"挖方面积", m_dCutArea);
    fx.Double(u"填方面积", m_dFillArea);
    fx.Double(u"中桩填挖", m_dCenterFill);
    fx.StationMirror(u"sta", m_sta);
    fx.Double(u"挖方面积1", m_dCutArea1);
    fx.Double(u"填方面积1", m_dFillArea1);
}
