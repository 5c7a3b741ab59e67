#include "core/platform/YGuid.h"

namespace YGuid {

QString Format(const QUuid& u) {
    QString text = QString::number(u.data1, 16).rightJustified(8, QLatin1Char('0')).toUpper();
    text += QString::number(u.data2, 16).rightJustified(4, QLatin1Char('0')).toUpper();
    text += QString::number(u.data3, 16).rightJustified(4, QLatin1Char('0')).toLower();
    for (unsigned char byte : u.data4) {
        text += QString::number(byte, 16).rightJustified(2, QLatin1Char('0')).toUpper();
    }
    return text;
}

QString NewText() {
    return Format(QUuid::createUuid());
}

} // namespace YGuid
