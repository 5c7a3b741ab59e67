#include "core/allocation/YDPCalTool.h"

#include "core/allocation/YDPRule.h"
#include "core/allocation/YDPStepRun.h"
#include "core/document/CDalvexDoc.h"
#include "core/model/YClassFilter.h"
#include "core/platform/YUserIO.h"

#include <algorithm>

// The recording loops of YDPCalTool that several strategy families share: haul passes, borrow
// passes, waste to a pit and local waste.

// ---- Haul along the line ----

bool YDPCalTool::CheckHaulInterval(CDalvexDoc& doc) const {
    const Segments& segs = doc.Segments();
    const YStation a =
        std::max(segs[size_t(m_nCutLast)].m_staEnd, segs[size_t(m_nFillLast)].m_staEnd);
    const YStation b =
        std::min(segs[size_t(m_nFillFirst)].m_staStart, segs[size_t(m_nCutFirst)].m_staStart);
    return doc.CheckStructures(b, a);
}

DpKind YDPCalTool::HaulKind(int cut, int fill) const {
    if (cut == fill) {
        return DpKind::Reuse;
    }
    return m_nLastKind == DpKind::Reuse ? DpKind::Unknown : DpKind::Haul;
}

int YDPCalTool::HaulPass(YDPStepRun& run, qint32 passMask, bool bRock) {
    Segments& segs = run.Doc().Segments();
    int recorded = 0;
    int cut = -1;
    int fill = -1;
    while (FindPair(segs, cut, fill)) {
        const DpKind kind = HaulKind(cut, fill);
        if (kind == DpKind::Unknown) {
            break;
        }
        YTFItem& src = segs[size_t(cut)];
        YTFItem& dst = segs[size_t(fill)];
        const double need = bRock ? RockNeed(dst) : SoilNeed(dst);
        DpProcess p = run.Prepare(kind, &src, &dst, -1);
        Transfer(p, src.m_nSel & passMask, need);
        if (!run.Record(p)) {
            break; // nothing could move: the same pair would come back forever
        }
        m_nLastKind = kind;
        ++recorded;
    }
    return recorded;
}

bool YDPCalTool::ComputeHaul(bool bTogether) {
    if (!CutRangeValid() || !FillRangeValid() || m_pCutDoc != m_pFillDoc) {
        return false;
    }
    CDalvexDoc& doc = *m_pCutDoc;
    // Checked before a step number is taken: a refused haul must not purge undone steps.
    if (!CheckHaulInterval(doc)) {
        return false;
    }
    YDPStepRun run(doc);
    if (!run.Begin()) {
        return false;
    }
    m_nLastKind = DpKind::Haul;
    if (bTogether) {
        m_nPhase = YDPPass::Together;
        HaulPass(run, YClass::AllMask, false);
    } else {
        m_nPhase = YDPPass::Soil;
        HaulPass(run, YClass::SoilMask, false);
        m_nPhase = YDPPass::Rock;
        HaulPass(run, YClass::RockMask, true);
    }
    return run.Finish();
}

bool YDPCalTool::CutRatioQuotas(double& qs, double& qr) {
    if (!ReadFillRatio(m_dSoilRatio, m_dRockRatio)) {
        return false;
    }
    SumSelectedCut(m_pCutDoc->Segments(), YDPStepRun::Coefficients(*m_pCutDoc), qs, qr);
    if (m_dSoilRatio > 0.0 && qs < YClass::Present) {
        IO().Warning(QStringLiteral("所选挖方段落没有土方!"));
        return false;
    }
    if (m_dRockRatio > 0.0 && qr < YClass::Present) {
        IO().Warning(QStringLiteral("所选挖方段落没有石方!"));
        return false;
    }
    BalanceQuotas(m_dSoilRatio, m_dRockRatio, qs, qr);
    return true;
}

// ---- Borrow pits ----

YQutukItem* YDPCalTool::BorrowPit() const {
    if (m_pFillDoc == nullptr) {
        return nullptr;
    }
    auto& pits = m_pFillDoc->Model().m_arrQutuk;
    if (m_nCutFirst < 0 || m_nCutFirst >= static_cast<int>(pits.size())) {
        return nullptr;
    }
    return &pits[size_t(m_nCutFirst)];
}

bool YDPCalTool::CheckBorrowInterval(const YQutukItem& pit) const {
    const Segments& segs = m_pFillDoc->Segments();
    const YStation a = std::max(pit.m_staRoad, segs[size_t(m_nFillLast)].m_staEnd);
    const YStation b = std::min(segs[size_t(m_nFillFirst)].m_staStart, pit.m_staRoad);
    return m_pFillDoc->CheckStructures(b, a);
}

void YDPCalTool::BorrowPass(YDPStepRun& run, YQutukItem& pit, qint32 passMask, bool bRock,
                            const QString& emptyText) {
    Segments& segs = run.Doc().Segments();
    const qint32 classes = static_cast<qint32>(g_nClassFilter) & passMask;
    for (int fill = FindNearestFill(segs, pit.m_staRoad); fill >= 0;
         fill = FindNearestFill(segs, pit.m_staRoad)) {
        YTFItem& dst = segs[size_t(fill)];
        DpProcess p = run.Prepare(DpKind::Borrow, &pit, &dst, m_nCutFirst);
        double left = 0.0;
        if ((passMask & YClass::SoilMask) != 0) {
            left += p.before[DpAmt::Soil];
        }
        if ((passMask & YClass::RockMask) != 0) {
            left += p.before[DpAmt::Rock];
        }
        if (left < 0.0001) {
            IO().Warning(emptyText);
            break;
        }
        if (AfterCompacted(p, classes) <= YClass::Present) {
            break; // nothing of the allowed classes: the pass ends quietly
        }
        Transfer(p, classes, bRock ? RockNeed(dst) : SoilNeed(dst));
        if (!run.Record(p)) {
            break;
        }
    }
}

bool YDPCalTool::ComputeBorrow(bool bTogether) {
    YQutukItem* pit = BorrowPit();
    if (pit == nullptr || !FillRangeValid() || !CheckBorrowInterval(*pit)) {
        return false;
    }
    YDPStepRun run(*m_pFillDoc);
    if (!run.Begin()) {
        return false;
    }
    if (bTogether) {
        m_nPhase = YDPPass::Together;
        BorrowPass(run, *pit, YClass::AllMask, false, NoBorrowText(YDPPass::Together));
    } else {
        m_nPhase = YDPPass::Soil;
        BorrowPass(run, *pit, YClass::SoilMask, false, NoBorrowText(YDPPass::Soil));
        m_nPhase = YDPPass::Rock;
        BorrowPass(run, *pit, YClass::RockMask, true, NoBorrowText(YDPPass::Rock));
    }
    return run.Finish();
}

QString YDPCalTool::NoBorrowText(YDPPass phase) {
    switch (phase) {
    case YDPPass::Soil:
        return QStringLiteral("所选取土坑已经没有土方。");
    case YDPPass::Rock:
        return QStringLiteral("所选取土坑已经没有石方。");
    default:
        return QStringLiteral("所选取土坑已经没有土石方。");
    }
}

// ---- Waste ----

bool YDPCalTool::ComputeWaste(DpKind kind) {
    if (!CutRangeValid()) {
        return false;
    }
    CDalvexDoc& doc = *m_pCutDoc;
    auto& pits = doc.Model().m_arrQituk;
    if (m_nFillFirst < 0 || m_nFillFirst >= static_cast<int>(pits.size())) {
        return false;
    }
    YQitukItem& pit = pits[size_t(m_nFillFirst)];
    Segments& segs = doc.Segments();
    const YStation a = std::max(segs[size_t(m_nCutLast)].m_staEnd, pit.m_staRoad);
    const YStation b = std::min(pit.m_staRoad, segs[size_t(m_nCutFirst)].m_staStart);
    if (!doc.CheckStructures(b, a)) {
        return false;
    }
    YDPStepRun run(doc);
    if (!run.Begin()) {
        return false;
    }
    for (int cut = FindNearestCut(segs, pit.m_staRoad); cut >= 0;
         cut = FindNearestCut(segs, pit.m_staRoad)) {
        YTFItem& src = segs[size_t(cut)];
        DpProcess p = run.Prepare(kind, &src, &pit, m_nFillFirst);
        const double capacity = p.fillBefore;
        if (capacity < 0.0001) {
            IO().Warning(QStringLiteral("所选弃土场已满！"));
            break;
        }
        const qint32 classes = src.m_nSel & YClass::AllMask;
        const double amount = AfterNatural(p, classes);
        if (capacity > amount) {
            ScaleClasses(p, classes, 0.0);
            p.fillAfter = capacity - amount;
        } else {
            ScaleClasses(p, classes, (amount - capacity) / amount);
            p.fillAfter = 0.0;
        }
        RecomputeSums(p, YClass::AllMask);
        if (!run.Record(p)) {
            break;
        }
    }
    return run.Finish();
}

bool YDPCalTool::ComputeLocalWaste(DpKind kind) {
    if (!CutRangeValid()) {
        return false;
    }
    YDPStepRun run(*m_pCutDoc);
    if (!run.Begin()) {
        return false;
    }
    const bool unusable = DpKinds::TakesUnusable(kind);
    Segments& segs = m_pCutDoc->Segments();
    for (int i = m_nCutFirst; i <= m_nCutLast; ++i) {
        YTFItem& seg = segs[size_t(i)];
        const YTFItem::ClassValues& rem = unusable ? seg.m_dRemUnuse : seg.m_dRemUse;
        bool any = false;
        for (int k = 1; k <= YClass::Count && !any; ++k) {
            any = (seg.m_nSel & YClass::Bit(k)) != 0 && rem[size_t(k - 1)] > YClass::Present;
        }
        if (!any) {
            continue;
        }
        DpProcess p = run.Prepare(kind, &seg, &seg, -1);
        ScaleClasses(p, seg.m_nSel & YClass::AllMask, 0.0);
        RecomputeSums(p, YClass::AllMask);
        run.Record(p);
    }
    return run.Finish();
}

// ---- Cross-project hauls ----

YNearPrjItem* YDPCalTool::OutPort() const {
    if (m_pCutDoc == nullptr) {
        return nullptr;
    }
    auto& links = m_pCutDoc->Model().m_arrNearPrj;
    if (m_nOutPort < 0 || m_nOutPort >= static_cast<int>(links.size())) {
        return nullptr;
    }
    return &links[size_t(m_nOutPort)];
}

YNearPrjItem* YDPCalTool::InPort() const {
    if (m_pFillDoc == nullptr) {
        return nullptr;
    }
    auto& links = m_pFillDoc->Model().m_arrNearPrj;
    if (m_nInPort < 0 || m_nInPort >= static_cast<int>(links.size())) {
        return nullptr;
    }
    return &links[size_t(m_nInPort)];
}

bool YDPCalTool::CheckCrossSelection() const {
    const YNearPrjItem* exitPort = OutPort();
    const YNearPrjItem* entryPort = InPort();
    if (!CutRangeValid() || !FillRangeValid() || exitPort == nullptr || entryPort == nullptr ||
        m_pCutDoc == m_pFillDoc) {
        return false;
    }
    const Segments& cuts = m_pCutDoc->Segments();
    const Segments& fills = m_pFillDoc->Segments();
    return m_pCutDoc->CheckStructures(
               std::min(exitPort->m_sta, cuts[size_t(m_nCutFirst)].m_staStart),
               std::max(exitPort->m_sta, cuts[size_t(m_nCutLast)].m_staEnd)) &&
           m_pFillDoc->CheckStructures(
               std::min(fills[size_t(m_nFillFirst)].m_staStart, entryPort->m_sta),
               std::max(entryPort->m_sta, fills[size_t(m_nFillLast)].m_staEnd));
}

bool YDPCalTool::CrossPair(YDPStepRun& out, YDPStepRun& in, int cut, int fill,
                           const std::function<double(DpProcess&)>& take) {
    YTFItem& src = out.Doc().Segments()[size_t(cut)];
    YTFItem& dst = in.Doc().Segments()[size_t(fill)];
    DpProcess exitRec = out.Prepare(DpKind::Out, &src, OutPort(), m_nOutPort);
    exitRec.partner = in.Step();
    const double moved = take(exitRec);
    if (!(moved > 0.0)) {
        return false;
    }
    exitRec.fillBefore = moved;
    exitRec.fillAfter = 0.0;

    DpProcess entryRec = in.Prepare(DpKind::In, InPort(), &dst, m_nInPort);
    entryRec.partner = out.Step();
    entryRec.before.fill(0.0);
    entryRec.after.fill(0.0);
    for (int k = 1; k <= YClass::Count; ++k) {
        for (const int i : {DpAmt::Cls(k), DpAmt::ClsC(k)}) {
            entryRec.before[size_t(i)] = exitRec.before[size_t(i)] - exitRec.after[size_t(i)];
        }
    }
    for (const int i : {DpAmt::Soil, DpAmt::SoilC, DpAmt::Rock, DpAmt::RockC}) {
        entryRec.before[size_t(i)] = exitRec.before[size_t(i)] - exitRec.after[size_t(i)];
    }
    entryRec.fillAfter = entryRec.fillBefore - moved;
    // Both halves or neither: the exit is recorded first, and the pass ends if the entry fails.
    return out.RecordAlways(exitRec) && in.RecordAlways(entryRec);
}

void YDPCalTool::CrossPass(YDPStepRun& out, YDPStepRun& in, qint32 passMask, bool bRock) {
    Segments& cuts = out.Doc().Segments();
    Segments& fills = in.Doc().Segments();
    const YStation exitSta = OutPort()->m_sta;
    const YStation entrySta = InPort()->m_sta;
    for (int cut = FindNearestCut(cuts, exitSta); cut >= 0; cut = FindNearestCut(cuts, exitSta)) {
        const int fill = FindNearestFill(fills, entrySta);
        if (fill < 0) {
            break;
        }
        const YTFItem& dst = fills[size_t(fill)];
        const double need = bRock ? RockNeed(dst) : SoilNeed(dst);
        const qint32 classes = cuts[size_t(cut)].m_nSel & passMask;
        if (!CrossPair(out, in, cut, fill,
                       [&](DpProcess& p) { return Transfer(p, classes, need); })) {
            break;
        }
    }
}

bool YDPCalTool::ComputeCross(bool bTogether) {
    if (!CheckCrossSelection()) {
        return false;
    }
    YDPStepRun out(*m_pCutDoc);
    YDPStepRun in(*m_pFillDoc);
    if (!out.Begin() || !in.Begin()) {
        return false;
    }
    if (bTogether) {
        m_nPhase = YDPPass::Together;
        CrossPass(out, in, YClass::AllMask, false);
    } else {
        m_nPhase = YDPPass::Soil;
        CrossPass(out, in, YClass::SoilMask, false);
        m_nPhase = YDPPass::Rock;
        CrossPass(out, in, YClass::RockMask, true);
    }
    const bool recordedOut = out.Finish();
    const bool recordedIn = in.Finish();
    return recordedOut && recordedIn;
}

// ---- Thickness ----

bool YDPCalTool::ReadFillPerMetre() {
    if (!(g_dFillPerMetre > 0.0)) {
        IO().Warning(QStringLiteral("请先输入正确的填方厚度!"));
        return false;
    }
    m_dFillPerMetre = g_dFillPerMetre;
    return true;
}
