#include "core/db/YTshlSet.h"

#include "core/db/YSchema.h"

void YTshlSet::DoFieldExchange(YFieldExchange& fx) {
    const QStringList names = YSchema::ClassNames();
    fx.StationText(u"桩号", m_strSta, m_sta);
    for (int k = 0; k < 6; ++k) {
        fx.Double(names[k], m_dShare[k]);
        if (HasUsableRates()) {
            fx.Double(names[k] + QStringLiteral("利用率"), m_dUsable[k]);
        }
    }
    fx.StationMirror(u"sta", m_sta);
}
