#pragma once

#include <QStringList>

// 松方 (loose volumes): fourteen quantities of one kind in an extension row ([统计扩展],
// [土方调配扩展记录]): loose soil and rock totals, loose volume per class I–VI, then natural
// volume per class I–VI (index 0 = class I 松土). m³.
struct YLooseClasses {
    double dSoilLoose = 0.0;
    double dRockLoose = 0.0;
    double dLoose[6] = {};
    double d[6] = {};

    // Column names: prefix + 土量松, 石量松, 松1…松6, 1…6, e.g. "调土量松", "调松1", "调1".
    static QStringList ColumnNames(const QString& prefix) {
        QStringList names{prefix + QStringLiteral("土量松"), prefix + QStringLiteral("石量松")};
        for (int k = 1; k <= 6; ++k) {
            names << prefix + u'松' + QString::number(k);
        }
        for (int k = 1; k <= 6; ++k) {
            names << prefix + QString::number(k);
        }
        return names;
    }
};
