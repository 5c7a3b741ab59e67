#include "core/db/YGchSet.h"

void YGchSet::DoFieldExchange(YFieldExchange& fx) {
    fx.Long(u"GCID", m_nGCID);
    fx.Metres(u"取土段S", m_staTakeStart);
    fx.Metres(u"取土段E", m_staTakeEnd);
    fx.Metres(u"弃土段S", m_staPutStart);
    fx.Metres(u"弃土段E", m_staPutEnd);
    fx.Double(u"用土", m_dSoil);
    fx.Double(u"用石", m_dRock);
    fx.Double(u"土方运距", m_dSoilDist);
    fx.Double(u"石方运距", m_dRockDist);
    fx.Long(u"坑", m_nPit);
    fx.Double(u"用土(压实)", m_dSoilC);
    fx.Double(u"用石(压实)", m_dRockC);
    if (HasClassColumns()) {
        // Classes I–III are soil (用土k), IV–VI rock (用石k).
        fx.Doubles(u"用土%1", m_dMoved, 3, 1);
        fx.Doubles(u"用石%1", m_dMoved + 3, 3, 4);
        fx.Doubles(u"土方%1运距", m_dDist, 3, 1);
        fx.Doubles(u"石方%1运距", m_dDist + 3, 3, 4);
        fx.Doubles(u"用土%1(压实)", m_dMovedC, 3, 1);
        fx.Doubles(u"用石%1(压实)", m_dMovedC + 3, 3, 4);
    }
}
