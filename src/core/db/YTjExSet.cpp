#include "core/db/YTjExSet.h"

void YTjExSet::DoFieldExchange(YFieldExchange& fx) {
    fx.Metres(u"起始桩号", m_staStart);
    fx.Metres(u"终止桩号", m_staEnd);
    fx.Loose(QStringLiteral("调"), m_haul);
    fx.Loose(QStringLiteral("借"), m_borrow);
    fx.Loose(QStringLiteral("弃"), m_waste);
    if (HasCrossProjectColumns()) {
        fx.Loose(QStringLiteral("调出"), m_out);
        fx.Loose(QStringLiteral("调入"), m_in);
    }
}
