#include "core/process/DpKind.h"

namespace DpKind {

QString DescriptionCode(int kind) {
    switch (kind) {
    case LocalBorrow:
        return QStringLiteral("JDQT");
    case LocalWaste:
        return QStringLiteral("JDQF");
    case WasteUnusable:
        return QStringLiteral("QCFF");
    case LocalWasteUnusable:
        return QStringLiteral("JDFF");
    case In:
        return QStringLiteral("DR");
    case Out:
        return QStringLiteral("DC");
    default:
        return QString();
    }
}

QString Label(int kind, int step, const QString& neighbourName) {
    switch (kind) {
    case Haul:
        return QStringLiteral("%1.远运").arg(step);
    case Borrow:
        return QStringLiteral("%1.借").arg(step);
    case Waste:
        return QStringLiteral("%1.弃").arg(step);
    case LocalBorrow:
        return QStringLiteral("%1.就地借").arg(step);
    case LocalWaste:
        return QStringLiteral("%1.就地弃").arg(step);
    case WasteUnusable:
        return QStringLiteral("%1.弃废").arg(step);
    case LocalWasteUnusable:
        return QStringLiteral("%1.就地弃废").arg(step);
    case In:
        return QStringLiteral("%1.从%2调入").arg(QString::number(step), neighbourName);
    case Out:
        return QStringLiteral("%1.调出到%2").arg(QString::number(step), neighbourName);
    case Reuse:
        return QStringLiteral("%1.利用").arg(step);
    default:
        return QString::number(step);
    }
}

int TaskNumber(int kind, int step) {
    if (IsLocalWaste(kind)) {
        return -1;
    }
    if (IsLocalBorrow(kind)) {
        return -2;
    }
    if (IsOut(kind)) {
        return -3;
    }
    if (IsIn(kind)) {
        return -4;
    }
    return step;
}

} // namespace DpKind
