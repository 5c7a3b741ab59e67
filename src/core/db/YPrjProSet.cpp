#include "core/db/YPrjProSet.h"

void YPrjProSet::DoFieldExchange(YFieldExchange& fx) {
    fx.Text(u"属性名称", m_strName);
    fx.Text(u"属性值", m_strValue);
}
