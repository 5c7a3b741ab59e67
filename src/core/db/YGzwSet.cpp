#include "core/db/YGzwSet.h"

void YGzwSet::DoFieldExchange(YFieldExchange& fx) {
    fx.StationText(u"起始桩号", m_strStart, m_staStart);
    fx.StationText(u"终止桩号", m_strEnd, m_staEnd);
    fx.Text(u"名称", m_strName);
    fx.Double(u"跨径", m_dSpan);
    fx.Bool(u"能否跨越", m_bCrossable);
    fx.OptDouble(u"绕行距离", m_dDetour);
    fx.StationMirror(u"ssta", m_staStart);
}
