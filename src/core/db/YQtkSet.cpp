#include "core/db/YQtkSet.h"

#include "core/db/YSchema.h"

void YQtkSet::DoFieldExchange(YFieldExchange& fx) {
    ExchangePitColumns(fx);
    const QStringList names = YSchema::ClassNames();
    for (int k = 0; k < 6; ++k) {
        fx.Double(names[k], m_dShare[k]);
    }
    fx.Double(u"土方总量", m_dSoil);
    fx.Double(u"石方总量", m_dRock);
}
