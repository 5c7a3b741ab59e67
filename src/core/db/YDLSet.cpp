#include "core/db/YDLSet.h"

void YDLSet::DoFieldExchange(YFieldExchange& fx) {
    fx.Long(u"ID", m_nID);
    fx.Text(u"断链", m_strBreak);
}
