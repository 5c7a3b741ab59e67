#include "gui/widgets/CPropertyItemDouble.h"

#include <cmath>

bool CPropertyItemDouble::Parse(const QString& text) {
    bool ok = false;
    const double d = text.toDouble(&ok);
    if (!ok || !std::isfinite(d)) {
        return false;
    }
    m_dValue = d;
    return true;
}
