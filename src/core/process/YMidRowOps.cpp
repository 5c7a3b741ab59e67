#include "core/process/YMidRowOps.h"

#include "core/db/YTsjsSet.h"

namespace YMidRowOps {

namespace {

// Split of a total by the class contents of the row, for the oldest layout.
void SplitByContent(const YTsjsSet& row, DpBlock& out) {
    const double* c = row.m_dContent;
    const double soilShares = c[0] + c[1] + c[2];
    const double rockShares = c[3] + c[4] + c[5];
    for (int k = 1; k <= 6; ++k) {
        const bool soil = k <= 3;
        const double shares = soil ? soilShares : rockShares;
        const double f = shares != 0.0 ? c[k - 1] / shares : 0.0;
        out[DpAmt::Cls(k)] = (soil ? out[DpAmt::Soil] : out[DpAmt::Rock]) * f;
        out[DpAmt::ClsC(k)] = (soil ? out[DpAmt::SoilC] : out[DpAmt::RockC]) * f;
    }
}

void CopyOut(const YClassQuantities& q, DpBlock& out, int n = DpAmt::Count) {
    for (int i = 0; i < n; ++i) {
        out[i] = q[i];
    }
}

void AddTo(YClassQuantities& q, const DpBlock& amount, double f, bool bClasses) {
    const int n = bClasses ? DpAmt::Count : 4;
    for (int i = 0; i < n; ++i) {
        q[i] += f * amount[i];
    }
}

} // namespace

void TakeSurplus(const YTsjsSet& row, bool bUnusable, DpBlock& out) {
    if (row.HasUsableColumns()) {
        CopyOut(bUnusable ? row.m_unusable : row.m_usable, out);
        return;
    }
    out.fill(0.0);
    if (bUnusable) {
        return; // layouts before 3 keep no unusable surplus
    }
    CopyOut(row.m_rem, out);
    if (!row.HasClassColumns()) {
        SplitByContent(row, out);
    }
}

void ApplySource(YTsjsSet& row, const DpBlock& amount, int dir, bool bUnusable, bool bReuse,
                 DpBlock* pBefore, DpBlock* pAfter) {
    const bool classes = row.HasClassColumns();
    // The oldest layout has only the four totals: the class values of the record stay as
    // they are.
    const int n = classes ? DpAmt::Count : 4;
    if (pBefore) {
        CopyOut(row.m_rem, *pBefore, n);
    }
    AddTo(row.m_rem, amount, -dir, classes);
    if (row.HasUsableColumns()) {
        AddTo(bUnusable ? row.m_unusable : row.m_usable, amount, -dir, true);
    }
    if (bReuse) {
        row.m_dLocalSoil += dir * amount[DpAmt::SoilC];
        row.m_dLocalRock += dir * amount[DpAmt::RockC];
        if (classes) {
            row.m_dLocalSoilL += dir * amount[DpAmt::Soil];
            row.m_dLocalRockL += dir * amount[DpAmt::Rock];
            for (int k = 1; k <= 6; ++k) {
                row.m_dLocal[k - 1] += dir * amount[DpAmt::Cls(k)];
                row.m_dLocalC[k - 1] += dir * amount[DpAmt::ClsC(k)];
            }
        }
    }
    if (pAfter) {
        CopyOut(row.m_rem, *pAfter, n);
    }
}

void ApplyFill(YTsjsSet& row, double amount, int dir, double* pBefore, double* pAfter) {
    if (pBefore) {
        *pBefore = row.m_dFillAfterLocal;
    }
    row.m_dFillAfterLocal -= dir * amount;
    if (pAfter) {
        *pAfter = row.m_dFillAfterLocal;
    }
}

} // namespace YMidRowOps
