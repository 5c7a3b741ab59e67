#pragma once

#include <QString>
#include <QStringList>
#include <cmath>

// The physical range of the numbers a road's input holds. A value outside it is a typing or
// export error, never a road: accepting it would make infinite or unreadable results later.
// Each check gives the reason a value is refused, empty when it is accepted.
namespace YInputLimits {

inline constexpr double MaxStation = 1e8; // m, either side of the origin
inline constexpr double MaxArea = 1e7;    // m², also volumes per metre
inline constexpr double MaxHeight = 1e4;  // m

inline QString CheckStation(double x) {
    return std::isfinite(x) && std::fabs(x) <= MaxStation
               ? QString()
               : QStringLiteral("桩号超出范围（-1e8～1e8 m）");
}

inline QString CheckArea(double a) {
    return std::isfinite(a) && std::fabs(a) < MaxArea
               ? QString()
               : QStringLiteral("面积超出范围（须小于1e7 m²）");
}

// Any other number of an input table (lengths, volumes, coefficients).
inline QString CheckNumber(double v) {
    return std::isfinite(v) && std::fabs(v) < MaxArea ? QString()
                                                      : QStringLiteral("数值超出范围（须小于1e7）");
}

inline QString CheckHeight(double h) {
    return std::isfinite(h) && std::fabs(h) <= MaxHeight
               ? QString()
               : QStringLiteral("高度超出范围（-1e4～1e4 m）");
}

inline QString CheckPercent(double p) {
    return std::isfinite(p) && p >= 0.0 && p <= 100.0 ? QString()
                                                      : QStringLiteral("百分比超出范围（0～100）");
}

// The range of a number column of the input tables, known by its name wherever it stands: the
// class contents and usable rates are percentages, the areas of a section areas, its centre-line
// fill or cut and a trough's depth heights; any other column a number of an input table.
inline QString CheckColumn(const QString& column, double v) {
    static const QStringList percentages = [] {
        QStringList names;
        for (const char* name : {"松土", "普通土", "硬土", "软石", "次坚石", "坚石"}) {
            names << QString::fromUtf8(name) << QString::fromUtf8(name) + QStringLiteral("利用率");
        }
        return names;
    }();
    if (percentages.contains(column)) {
        return CheckPercent(v);
    }
    if (column == QStringLiteral("挖方面积") || column == QStringLiteral("填方面积")) {
        return CheckArea(v);
    }
    if (column == QStringLiteral("中桩填挖") || column == QStringLiteral("高度")) {
        return CheckHeight(v);
    }
    return CheckNumber(v);
}

// Cross-sections run forward: a station equal to the one before makes a section of no length.
inline QString CheckAfter(double x, double previous) {
    return x > previous ? QString() : QStringLiteral("桩号不大于上一个断面的桩号");
}

} // namespace YInputLimits
