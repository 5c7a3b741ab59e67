#include "core/compute/YSegmentCalc.h"

#include <algorithm>
#include <cmath>

namespace {

using R = YTsjsRow;

constexpr unsigned SoilMask = 7;
constexpr unsigned RockMask = 56;

bool IsSoil(int k) {
    return k <= 3;
}

double Share(double used, double offered) {
    return offered > 0.0 ? used / offered : 0.0;
}

} // namespace

double YSegmentCalc::AverageArea(double a0, double a1, bool prismoidal) {
    if (!prismoidal) {
        return (a0 + a1) * 0.5;
    }
    if (a1 <= Tiny) {
        return (a0 + a1) / 3.0;
    }
    double r = a0 / a1;
    if (r > 1.0) {
        r = 1.0 / r;
    }
    // A negative area (typed in by hand) has no frustum; it counts as a pyramid end.
    r = std::max(r, 0.0);
    return (a0 + a1) / 3.0 * (1.0 + std::sqrt(r) / (1.0 + r));
}

double YSegmentCalc::Interpolate(double x0, double x1, double s0, double s1, double s) {
    return x0 + (x1 - x0) * (s - s0) / (s1 - s0);
}

YSegmentCalc::Areas YSegmentCalc::DeductTrough(Areas a, double h, const Trough& t, bool byDepth,
                                               bool toCut) {
    const bool isFill = byDepth ? h >= t.depth : h >= 0.0;
    if (!isFill) {
        a.cut += t.area;
        return a;
    }
    a.fill -= t.area;
    if (a.fill < 0.0) {
        if (toCut) {
            a.cut -= a.fill;
        }
        a.fill = 0.0;
    }
    return a;
}

void YSegmentCalc::Quantities(YTsjsRow& row, const Material& m) {
    row[R::LossSoil] = 1.0 - m.soilFactor;
    row[R::LossRock] = 1.0 - m.rockFactor;
    const double v = row[R::CutAvg] * row[R::Dist];
    row[R::CutTotal] = v;
    row[R::FillTotal] = row[R::FillAvg] * row[R::Dist];
    row[R::FillAfter] = row[R::FillTotal];
    for (int k = 1; k <= 6; ++k) {
        const size_t i = static_cast<size_t>(k - 1);
        const bool soil = IsSoil(k);
        const double q = m.content[i] * v / 100.0 * (soil ? m.soilFactor : m.rockFactor);
        const double qc = q / m.coef[i];
        const double u = m.usable[i];
        row.At(R::Content, k) = m.content[i];
        row.At(R::Coef, k) = m.coef[i];
        row.At(R::Ratio, k) = u;
        row.At(R::Qty, k) = q;
        row.At(R::QtyC, k) = qc;
        row.At(R::Rem, k) = q;
        row.At(R::RemC, k) = qc;
        row.At(R::Usable, k) = u * q;
        row.At(R::UsableC, k) = u * qc;
        row.At(R::Unusable, k) = (1.0 - u) * q;
        row.At(R::UnusableC, k) = (1.0 - u) * qc;
        const int off = soil ? 0 : 1; // soil and rock totals sit side by side
        row[R::RemSoil + off] += q;
        row[R::RemSoilC + off] += qc;
        row[R::UsableSoil + off] += u * q;
        row[R::UsableSoilC + off] += u * qc;
        row[R::UnusableSoil + off] += (1.0 - u) * q;
        row[R::UnusableSoilC + off] += (1.0 - u) * qc;
    }
}

YSegmentCalc::Split YSegmentCalc::SplitFill(YTsjsRow& row, double soilOffer, double rockOffer) {
    const double f = row[R::FillTotal];
    Split used;
    if (soilOffer + rockOffer <= f) {
        used = {soilOffer, rockOffer};
        row[R::FillAfter] = f - soilOffer - rockOffer;
    } else {
        used = f > soilOffer ? Split{soilOffer, f - soilOffer} : Split{f, 0.0};
        row[R::FillAfter] = 0.0;
    }
    row[R::UseSoil] = row[R::FillSoil] = used.soil;
    row[R::UseRock] = row[R::FillRock] = used.rock;
    return used;
}

void YSegmentCalc::LocalReuse(YTsjsRow& row, int version, unsigned reuseMask) {
    if (version < 2) {
        ReuseOldLayout(row, reuseMask);
    } else {
        ReuseByClass(row, version, reuseMask);
    }
}

void YSegmentCalc::ReuseByClass(YTsjsRow& row, int version, unsigned reuseMask) {
    // From version 3 only the usable part may be reused; version 2 knows no such split.
    const int natural = version >= 3 ? R::Usable : R::Rem;
    const int compacted = version >= 3 ? R::UsableC : R::RemC;
    std::array<double, 6> a{};
    std::array<double, 6> c{};
    double offer[2] = {0.0, 0.0}; // compacted soil, rock
    for (int k = 1; k <= 6; ++k) {
        if ((reuseMask & (1u << (k - 1))) != 0) {
            a[static_cast<size_t>(k - 1)] = row.At(natural, k);
            c[static_cast<size_t>(k - 1)] = row.At(compacted, k);
            offer[IsSoil(k) ? 0 : 1] += c[static_cast<size_t>(k - 1)];
        }
    }
    const Split used = SplitFill(row, offer[0], offer[1]);
    const double share[2] = {Share(used.soil, offer[0]), Share(used.rock, offer[1])};
    for (int k = 1; k <= 6; ++k) {
        const int side = IsSoil(k) ? 0 : 1;
        const double l = a[static_cast<size_t>(k - 1)] * share[side];
        const double lc = c[static_cast<size_t>(k - 1)] * share[side];
        row.At(R::Use, k) = row.At(R::Fill, k) = l;
        row.At(R::UseC, k) = row.At(R::FillC, k) = lc;
        row[R::UseSoilL + side] += l;
        row.At(R::Rem, k) -= l;
        row.At(R::RemC, k) -= lc;
        if (version >= 3) {
            row.At(R::Usable, k) -= l;
            row.At(R::UsableC, k) -= lc;
        }
    }
    const double usedC[2] = {used.soil, used.rock};
    for (int side = 0; side < 2; ++side) {
        row[R::FillSoilL + side] = row[R::UseSoilL + side];
        row[R::RemSoil + side] -= row[R::UseSoilL + side];
        row[R::RemSoilC + side] -= usedC[side];
        if (version >= 3) {
            row[R::UsableSoil + side] -= row[R::UseSoilL + side];
            row[R::UsableSoilC + side] -= usedC[side];
        }
    }
}

void YSegmentCalc::ReuseOldLayout(YTsjsRow& row, unsigned reuseMask) {
    const double soilOffer = (reuseMask & SoilMask) != 0 ? row[R::RemSoilC] : 0.0;
    const double rockOffer = (reuseMask & RockMask) != 0 ? row[R::RemRockC] : 0.0;
    const Split used = SplitFill(row, soilOffer, rockOffer);
    const double usedC[2] = {used.soil, used.rock};
    for (int side = 0; side < 2; ++side) {
        // Back from compacted to natural volume with the mix of the side's classes:
        // (Σ pk) · used / (Σ pk/dk).
        double percent = 0.0;
        double perCoef = 0.0;
        for (int k = 1 + 3 * side; k <= 3 + 3 * side; ++k) {
            percent += row.At(R::Content, k);
            perCoef += row.At(R::Content, k) / row.At(R::Coef, k);
        }
        const double natural = perCoef > 0.0 ? percent * usedC[side] / perCoef : 0.0;
        row[R::RemSoil + side] -= natural;
        row[R::RemSoilC + side] -= usedC[side];
    }
}
