#include "gui/widgets/CPropertyItemInt.h"

bool CPropertyItemInt::Parse(const QString& text) {
    bool ok = false;
    const int n = text.toInt(&ok);
    if (!ok) {
        return false;
    }
    m_nValue = n;
    return true;
}
