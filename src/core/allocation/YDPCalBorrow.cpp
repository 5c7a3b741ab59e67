#include "core/allocation/YDPCalBorrow.h"

#include "core/allocation/YDPRule.h"
#include "core/allocation/YDPStepRun.h"
#include "core/document/CDalvexDoc.h"
#include "core/model/YClassFilter.h"
#include "core/platform/YUserIO.h"

// ---- 借方土方优先 ----

bool YDPCalJTFFisrt::Accept(const YDPSelection& sel) {
    return YDPCalTool::Accept(sel) && MaskedRule() == DPR_SOIL_FIRST && IsBorrowShape();
}

bool YDPCalJTFFisrt::Compute() {
    return ComputeBorrow(false);
}

// ---- 借方土石齐用 ----

bool YDPCalJTFSF::Accept(const YDPSelection& sel) {
    return YDPCalTool::Accept(sel) && MaskedRule() == DPR_TOGETHER && IsBorrowShape();
}

bool YDPCalJTFSF::Compute() {
    return ComputeBorrow(true);
}

// ---- 借方比例 ----

bool YDPCalJWScale::Accept(const YDPSelection& sel) {
    return YDPCalTool::Accept(sel) && MaskedRule() == DPR_CUT_RATIO && IsBorrowShape();
}

bool YDPCalJWScale::Compute() {
    YQutukItem* pit = BorrowPit();
    if (pit == nullptr || !FillRangeValid()) {
        return false;
    }
    if (!ReadFillRatio(m_dSoilRatio, m_dRockRatio) || !CheckBorrowInterval(*pit)) {
        return false;
    }
    YDPStepRun run(*m_pFillDoc);
    if (!run.Begin()) {
        return false;
    }
    m_nPhase = YDPPass::Together;
    const double rs = m_dSoilRatio;
    const double rr = m_dRockRatio;
    const qint32 soilClasses = static_cast<qint32>(g_nClassFilter) & YClass::SoilMask;
    const qint32 rockClasses = static_cast<qint32>(g_nClassFilter) & YClass::RockMask;
    Segments& segs = m_pFillDoc->Segments();
    for (int fill = FindNearestFill(segs, pit->m_staRoad); fill >= 0;
         fill = FindNearestFill(segs, pit->m_staRoad)) {
        YTFItem& dst = segs[size_t(fill)];
        DpProcess p = run.Prepare(DpKind::Borrow, pit, &dst, m_nCutFirst);
        if (p.before[DpAmt::Soil] + p.before[DpAmt::Rock] < 0.0001) {
            IO().Warning(NoBorrowText(YDPPass::Together));
            break;
        }
        const double as = AfterCompacted(p, soilClasses);
        const double ar = AfterCompacted(p, rockClasses);
        const double ws = SoilNeed(dst);
        const double wr = RockNeed(dst);
        if (ws >= YClass::Present && as < YClass::Present) {
            IO().Warning(NoBorrowText(YDPPass::Soil));
            break;
        }
        if (wr >= YClass::Present && ar < YClass::Present) {
            IO().Warning(NoBorrowText(YDPPass::Rock));
            break;
        }
        // A pit short of one material lowers the other so that the transfer keeps the ratio.
        double ts = ws;
        double tr = wr;
        if (ws > as) {
            ts = as;
            tr = as * rr / rs;
        } else if (wr > ar) {
            tr = ar;
            ts = ar * rs / rr;
        }
        double shortfall = 0.0;
        const double movedSoil = TakeUpTo(p, soilClasses, ts, shortfall);
        const double movedRock = TakeUpTo(p, rockClasses, tr, shortfall);
        p.fillAfter = p.fillBefore - movedSoil - movedRock;
        RecomputeSums(p, YClass::AllMask);
        if (!run.Record(p)) {
            break;
        }
    }
    return run.Finish();
}

// ---- 借方填方比例 ----

bool YDPCalJTScale::Accept(const YDPSelection& sel) {
    return YDPCalTool::Accept(sel) && MaskedRule() == DPR_FILL_RATIO && IsBorrowShape();
}

bool YDPCalJTScale::Compute() {
    if (!ReadFillRatio(m_dSoilRatio, m_dRockRatio)) {
        return false;
    }
    return YDPCalJTFFisrt::Compute();
}
