#include "core/allocation/YDPCalCross.h"

#include "core/allocation/YDPRule.h"
#include "core/allocation/YDPStepRun.h"
#include "core/document/CDalvexDoc.h"
#include "core/platform/YUserIO.h"

#include <algorithm>

namespace {
constexpr int kThickness = DPR_THICKNESS;
} // namespace

bool YDPCalTFFisrtX::Accept(const YDPSelection& sel) {
    return YDPCalTool::Accept(sel) && MaskedRule() == DPR_SOIL_FIRST && IsCrossShape();
}

bool YDPCalTFSFX::Accept(const YDPSelection& sel) {
    return YDPCalTool::Accept(sel) && MaskedRule() == DPR_TOGETHER && IsCrossShape();
}

// ---- 跨项目挖方比例 ----

bool YDPCalWScaleX::Accept(const YDPSelection& sel) {
    return YDPCalTool::Accept(sel) && MaskedRule() == DPR_CUT_RATIO && IsCrossShape();
}

bool YDPCalWScaleX::Compute() {
    if (!CutRangeValid() || !FillRangeValid() || OutPort() == nullptr || InPort() == nullptr) {
        return false;
    }
    double qs = 0.0;
    double qr = 0.0;
    if (!CutRatioQuotas(qs, qr) || !CheckCrossSelection()) {
        return false;
    }
    YDPStepRun out(*m_pCutDoc);
    YDPStepRun in(*m_pFillDoc);
    if (!out.Begin() || !in.Begin()) {
        return false;
    }
    Segments& cuts = m_pCutDoc->Segments();
    Segments& fills = m_pFillDoc->Segments();
    const YStation exitSta = OutPort()->m_sta;
    const YStation entrySta = InPort()->m_sta;
    m_nPhase = YDPPass::Together;
    for (int cut = FindNearestCut(cuts, exitSta); cut >= 0; cut = FindNearestCut(cuts, exitSta)) {
        const int fill = FindNearestFill(fills, entrySta);
        if (fill < 0) {
            break;
        }
        const YTFItem& dst = fills[size_t(fill)];
        const double ts = std::min(qs, SoilNeed(dst));
        const double tr = std::min(qr, RockNeed(dst));
        qs -= ts;
        qr -= tr;
        double ds = 0.0;
        double dr = 0.0;
        const qint32 sel = cuts[size_t(cut)].m_nSel;
        const int before = out.Recorded();
        CrossPair(out, in, cut, fill, [&](DpProcess& p) {
            const double moved = TakeUpTo(p, sel & YClass::SoilMask, ts, ds) +
                                 TakeUpTo(p, sel & YClass::RockMask, tr, dr);
            RecomputeSums(p, YClass::AllMask);
            return moved;
        });
        MakeUp(out, in, fill, YClass::SoilMask, YDPPass::Soil, ds);
        MakeUp(out, in, fill, YClass::RockMask, YDPPass::Rock, dr);
        if (out.Recorded() == before || !(qs > 0.0 || qr > 0.0)) {
            break;
        }
        m_nPhase = YDPPass::Together;
    }
    const bool recordedOut = out.Finish();
    const bool recordedIn = in.Finish();
    return recordedOut && recordedIn;
}

void YDPCalWScaleX::MakeUp(YDPStepRun& out, YDPStepRun& in, int fill, qint32 passMask,
                           YDPPass phase, double& shortfall) {
    Segments& cuts = out.Doc().Segments();
    const YStation exitSta = OutPort()->m_sta;
    while (shortfall > 0.0) {
        m_nPhase = phase;
        const int cut = FindNearestCut(cuts, exitSta);
        if (cut < 0) {
            break;
        }
        const qint32 classes = cuts[size_t(cut)].m_nSel & passMask;
        double rest = shortfall;
        const bool recorded = CrossPair(out, in, cut, fill, [&](DpProcess& p) {
            const double moved = TakeUpTo(p, classes, shortfall, rest);
            RecomputeSums(p, passMask);
            return moved;
        });
        if (!recorded) {
            break;
        }
        shortfall = rest;
    }
}

// ---- 跨项目填方比例 ----

bool YDPCalTScaleX::Accept(const YDPSelection& sel) {
    return YDPCalTool::Accept(sel) && MaskedRule() == DPR_FILL_RATIO && IsCrossShape();
}

bool YDPCalTScaleX::Compute() {
    return ReadFillRatio(m_dSoilRatio, m_dRockRatio) && YDPCalTFFisrtX::Compute();
}

// ---- Thickness variants ----

bool YDPCalTFFisrtXHD::Accept(const YDPSelection& sel) {
    return YDPCalTool::Accept(sel) && MaskedRule() == (DPR_SOIL_FIRST | kThickness) &&
           IsCrossShape();
}

bool YDPCalTFFisrtXHD::Compute() {
    return ReadFillPerMetre() && YDPCalTFFisrtX::Compute();
}

bool YDPCalTFSFXHD::Accept(const YDPSelection& sel) {
    return YDPCalTool::Accept(sel) && MaskedRule() == (DPR_TOGETHER | kThickness) && IsCrossShape();
}

bool YDPCalTFSFXHD::Compute() {
    return ReadFillPerMetre() && YDPCalTFSFX::Compute();
}

bool YDPCalWScaleXHD::Accept(const YDPSelection& sel) {
    return YDPCalTool::Accept(sel) && MaskedRule() == (DPR_CUT_RATIO | kThickness) &&
           IsCrossShape();
}

bool YDPCalWScaleXHD::Compute() {
    return ReadFillPerMetre() && YDPCalWScaleX::Compute();
}

bool YDPCalTScaleXHD::Accept(const YDPSelection& sel) {
    return YDPCalTool::Accept(sel) && MaskedRule() == (DPR_FILL_RATIO | kThickness) &&
           IsCrossShape();
}

bool YDPCalTScaleXHD::Compute() {
    return ReadFillPerMetre() && ReadFillRatio(m_dSoilRatio, m_dRockRatio) &&
           YDPCalTScaleX::Compute();
}
