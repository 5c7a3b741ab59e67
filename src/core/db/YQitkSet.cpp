#include "core/db/YQitkSet.h"

void YQitkSet::DoFieldExchange(YFieldExchange& fx) {
    ExchangePitColumns(fx);
    fx.Double(u"总容量", m_dCapacity);
}
