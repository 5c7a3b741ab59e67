#include "core/db/DpKind.h"

namespace DpKinds {

QString DescriptionCode(DpKind kind) {
    switch (kind) {
    case DpKind::LocalBorrow:
        return QStringLiteral("JDQT");
    case DpKind::LocalWaste:
        return QStringLiteral("JDQF");
    case DpKind::WasteUnusable:
        return QStringLiteral("QCFF");
    case DpKind::LocalWasteUnusable:
        return QStringLiteral("JDFF");
    case DpKind::In:
        return QStringLiteral("DR");
    case DpKind::Out:
        return QStringLiteral("DC");
    default:
        return QString();
    }
}

QString Label(DpKind kind, int step, const QString& neighbourName) {
    switch (kind) {
    case DpKind::Haul:
        return QStringLiteral("%1.远运").arg(step);
    case DpKind::Borrow:
        return QStringLiteral("%1.借").arg(step);
    case DpKind::Waste:
        return QStringLiteral("%1.弃").arg(step);
    case DpKind::LocalBorrow:
        return QStringLiteral("%1.就地借").arg(step);
    case DpKind::LocalWaste:
        return QStringLiteral("%1.就地弃").arg(step);
    case DpKind::WasteUnusable:
        return QStringLiteral("%1.弃废").arg(step);
    case DpKind::LocalWasteUnusable:
        return QStringLiteral("%1.就地弃废").arg(step);
    case DpKind::In:
        return QStringLiteral("%1.从%2调入").arg(QString::number(step), neighbourName);
    case DpKind::Out:
        return QStringLiteral("%1.调出到%2").arg(QString::number(step), neighbourName);
    case DpKind::Reuse:
        return QStringLiteral("%1.利用").arg(step);
    default:
        return QString::number(step);
    }
}

int TaskNumber(DpKind kind, int step) {
    if (DpKinds::IsLocalWaste(kind)) {
        return -1;
    }
    if (DpKinds::IsLocalBorrow(kind)) {
        return -2;
    }
    if (DpKinds::IsOut(kind)) {
        return -3;
    }
    if (DpKinds::IsIn(kind)) {
        return -4;
    }
    return step;
}

} // namespace DpKinds
