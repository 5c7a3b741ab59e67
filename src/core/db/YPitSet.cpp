#include "core/db/YPitSet.h"

void YPitSet::ExchangePitColumns(YFieldExchange& fx) {
    fx.StationText(u"上路桩号", m_strRoad, m_staRoad);
    if (HasBoundaries()) {
        fx.StationText(u"前经济分界点桩号", m_strFront, m_staFront);
        fx.StationText(u"后经济分界点桩号", m_strBack, m_staBack);
    }
    fx.Double(u"支线长度", m_dBranch);
}

void YPitSet::OnRowLoaded() {
    if (!HasBoundaries()) {
        m_strFront = m_strBack = m_strRoad;
        m_staFront = m_staBack = m_staRoad;
    }
}
