#include "core/allocation/YDPCalHaul.h"

#include "core/allocation/YDPRule.h"
#include "core/allocation/YDPStepRun.h"
#include "core/document/CDalvexDoc.h"
#include "core/platform/YUserIO.h"

#include <algorithm>

// ---- 远运利用土方优先 ----

bool YDPCalTFFisrt::Accept(const YDPSelection& sel) {
    return YDPCalTool::Accept(sel) && MaskedRule() == DPR_SOIL_FIRST && IsHaulShape();
}

bool YDPCalTFFisrt::Compute() {
    return ComputeHaul(false);
}

// ---- 远运利用土石齐用 ----

bool YDPCalTFSF::Accept(const YDPSelection& sel) {
    return YDPCalTool::Accept(sel) && MaskedRule() == DPR_TOGETHER && IsHaulShape();
}

bool YDPCalTFSF::Compute() {
    return ComputeHaul(true);
}

// ---- 远运利用挖方比例 ----

bool YDPCalWScale::Accept(const YDPSelection& sel) {
    return YDPCalTool::Accept(sel) && MaskedRule() == DPR_CUT_RATIO && IsHaulShape();
}

bool YDPCalWScale::Compute() {
    if (!CutRangeValid() || !FillRangeValid() || m_pCutDoc != m_pFillDoc) {
        return false;
    }
    CDalvexDoc& doc = *m_pCutDoc;
    double qs = 0.0;
    double qr = 0.0;
    if (!CutRatioQuotas(qs, qr) || !CheckHaulInterval(doc)) {
        return false;
    }
    YDPStepRun run(doc);
    if (!run.Begin()) {
        return false;
    }
    m_nLastKind = DpKind::Haul;
    m_nPhase = YDPPass::Together;
    Segments& segs = doc.Segments();
    int cut = -1;
    int fill = -1;
    while (FindPair(segs, cut, fill)) {
        const DpKind kind = HaulKind(cut, fill);
        if (kind == DpKind::Unknown) {
            break;
        }
        YTFItem& src = segs[size_t(cut)];
        YTFItem& dst = segs[size_t(fill)];
        const double ts = std::min(qs, SoilNeed(dst));
        const double tr = std::min(qr, RockNeed(dst));
        qs -= ts;
        qr -= tr;
        DpProcess p = run.Prepare(kind, &src, &dst, -1);
        double ds = 0.0;
        double dr = 0.0;
        const double movedSoil = TakeUpTo(p, src.m_nSel & YClass::SoilMask, ts, ds);
        const double movedRock = TakeUpTo(p, src.m_nSel & YClass::RockMask, tr, dr);
        RecomputeSums(p, YClass::AllMask);
        p.fillAfter -= movedSoil + movedRock;
        const int before = run.Recorded();
        if (run.Record(p)) {
            m_nLastKind = kind;
        }
        MakeUp(run, fill, YClass::SoilMask, YDPPass::Soil, ds);
        MakeUp(run, fill, YClass::RockMask, YDPPass::Rock, dr);
        if (run.Recorded() == before) {
            break; // nothing could move for this fill: the same pair would come back forever
        }
        if (qs <= YClass::Present && qr <= YClass::Present) {
            break;
        }
        m_nPhase = YDPPass::Together;
    }
    return run.Finish();
}

void YDPCalWScale::MakeUp(YDPStepRun& run, int fill, qint32 passMask, YDPPass phase,
                          double& shortfall) {
    Segments& segs = run.Doc().Segments();
    YTFItem& dst = segs[size_t(fill)];
    const YStation mid = (dst.m_staStart + dst.m_staEnd) / 2.0;
    while (shortfall > YClass::Present) {
        m_nPhase = phase;
        const int cut = FindNearestCut(segs, mid);
        if (cut < 0) {
            break;
        }
        const DpKind kind = HaulKind(cut, fill);
        if (kind == DpKind::Unknown) {
            break;
        }
        YTFItem& src = segs[size_t(cut)];
        DpProcess p = run.Prepare(kind, &src, &dst, -1);
        double rest = 0.0;
        const double moved = TakeUpTo(p, src.m_nSel & passMask, shortfall, rest);
        RecomputeSums(p, passMask);
        p.fillAfter -= moved;
        if (!run.Record(p)) {
            break;
        }
        m_nLastKind = kind;
        shortfall = rest;
    }
}

// ---- 远运利用填方比例 ----

bool YDPCalTScale::Accept(const YDPSelection& sel) {
    return YDPCalTool::Accept(sel) && MaskedRule() == DPR_FILL_RATIO && IsHaulShape();
}

bool YDPCalTScale::Compute() {
    if (!ReadFillRatio(m_dSoilRatio, m_dRockRatio)) {
        return false;
    }
    return YDPCalTFFisrt::Compute();
}
