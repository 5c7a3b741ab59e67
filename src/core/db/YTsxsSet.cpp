#include "core/db/YTsxsSet.h"

void YTsxsSet::DoFieldExchange(YFieldExchange& fx) {
    fx.Doubles(u"土方%1", m_dCoef, 3);
    fx.Doubles(u"石方%1", m_dCoef + 3, 3);
}
