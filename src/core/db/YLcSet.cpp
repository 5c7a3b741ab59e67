#include "core/db/YLcSet.h"

void YLcSet::DoFieldExchange(YFieldExchange& fx) {
    fx.StationText(u"桩号", m_strSta, m_sta);
    fx.Double(u"高度", m_dDepth);
    fx.Double(u"宽度", m_dWidth);
    fx.StationMirror(u"sta", m_sta);
}
