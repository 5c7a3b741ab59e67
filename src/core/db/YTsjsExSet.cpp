#include "core/db/YTsjsExSet.h"

void YTsjsExSet::DoFieldExchange(YFieldExchange& fx) {
    fx.Metres(u"起始桩号", m_staStart);
    fx.Metres(u"终止桩号", m_staEnd);
    fx.Double(u"填方总量松", m_dFillTotalL);
    fx.Loose(QStringLiteral("填"), m_fill);
    fx.Loose(QStringLiteral("利"), m_local);
    fx.Loose(QStringLiteral("缺"), m_need);
}
