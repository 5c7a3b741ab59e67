#include "core/db/YSQXSet.h"

void YSQXSet::DoFieldExchange(YFieldExchange& fx) {
    fx.Long(u"编号", m_nNo);
    fx.StationText(u"桩号", m_strSta, m_sta);
    fx.Double(u"高程", m_dElevation);
    fx.Double(u"半径", m_dRadius);
    fx.StationMirror(u"sta", m_sta);
}

std::vector<QPointF> YSQXSet::GradePoints() {
    std::vector<QPointF> points;
    if (!IsOpen()) {
        return points;
    }
    for (MoveFirst(); !IsEOF(); MoveNext()) {
        points.emplace_back(m_sta.Value(), m_dElevation);
    }
    MoveFirst();
    return points;
}
