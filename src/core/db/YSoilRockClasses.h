#pragma once

#include <QStringList>

// Eight quantities of one kind in a statistics row: the soil total, the rock total, then
// classes I–VI (d[0] = class I 松土 … d[5] = class VI 坚石). Volumes in m³, or haul distances
// in m for the 运距 groups.
struct YSoilRockClasses {
    double dSoil = 0.0;
    double dRock = 0.0;
    double d[6] = {};

    // Column names of such a group: prefix + 土/石/1…6 + suffix, e.g. "填土压实", "填石压实",
    // "填1压实" … "填6压实".
    static QStringList ColumnNames(const QString& prefix, const QString& suffix) {
        QStringList names{prefix + u'土' + suffix, prefix + u'石' + suffix};
        for (int k = 1; k <= 6; ++k) {
            names << prefix + QString::number(k) + suffix;
        }
        return names;
    }
};
