#include "gui/dialogs/YRangeCheck.h"

#include "core/platform/YUserIO.h"

#include <QLineEdit>
#include <cmath>

QString YRangeCheck::NotNumberText() {
    return QStringLiteral("请输入一个数字。");
}

QString YRangeCheck::RangeText(double dMin, double dMax) {
    return QStringLiteral("请输入介于 %1 和 %2 之间的数字。").arg(dMin).arg(dMax);
}

std::optional<double> YRangeCheck::Read(QLineEdit& edit, double dMin, double dMax, YUserIO& io) {
    bool ok = false;
    const double d = edit.text().trimmed().toDouble(&ok);
    QString message;
    if (!ok || !std::isfinite(d)) {
        message = NotNumberText();
    } else if (d < dMin || d > dMax) {
        message = RangeText(dMin, dMax);
    } else {
        return d;
    }
    io.Warning(message);
    edit.setFocus();
    edit.selectAll();
    return std::nullopt;
}
