#include "core/db/YPrjFDSet.h"

void YPrjFDSet::DoFieldExchange(YFieldExchange& fx) {
    fx.Int(u"分段编号", m_nSegment);
    fx.StationText(u"结束桩号", m_strEnd, m_staEnd);
}
