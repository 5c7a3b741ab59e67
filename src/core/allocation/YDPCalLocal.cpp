#include "core/allocation/YDPCalLocal.h"

#include "core/allocation/YDPRule.h"
#include "core/allocation/YDPStepRun.h"
#include "core/document/CDalvexDoc.h"
#include "core/platform/YUserIO.h"

// ---- 就地弃除不可利用方 / 就地弃方 ----

bool YDPCalJDFF::Accept(const YDPSelection& sel) {
    return YDPCalTool::Accept(sel) && (g_nDPRule & DPR_LOCAL) != 0 &&
           (g_nDPRule & DPR_UNUSABLE) != 0 && IsLocalCutShape();
}

bool YDPCalJDFF::Compute() {
    return ComputeLocalWaste(DpKind::LocalWasteUnusable);
}

bool YDPCalJDQF::Accept(const YDPSelection& sel) {
    return YDPCalTool::Accept(sel) && (g_nDPRule & DPR_LOCAL) != 0 &&
           (g_nDPRule & DPR_UNUSABLE) == 0 && IsLocalCutShape();
}

bool YDPCalJDQF::Compute() {
    return ComputeLocalWaste(DpKind::LocalWaste);
}

// ---- 就地取土 ----

bool YDPCalJDJF::Accept(const YDPSelection& sel) {
    return YDPCalTool::Accept(sel) && (g_nDPRule & DPR_LOCAL) != 0 && IsLocalFillShape();
}

QString YDPCalJDJF::NoContentsText(const YTFItem& seg, const YStationNumbering& numbering) {
    return QStringLiteral("%1~%2 的填方土石含量全为0或土石系数无效,该段落不能就地取土,已跳过。")
        .arg(numbering.Text(seg.m_staStart), numbering.Text(seg.m_staEnd));
}

bool YDPCalJDJF::ApplyLocalTake(DpProcess& p, const std::array<double, 6>& c) {
    // Σ c/k over the classes: the compacted volume of one unit of the mix, per percent.
    double perCompacted = 0.0;
    for (size_t j = 0; j < 6; ++j) {
        const double k = p.after[6 + j];
        if (!(c[j] >= 0.0)) {
            return false;
        }
        if (c[j] > 0.0) {
            if (!(k > 0.0)) {
                return false;
            }
            perCompacted += c[j] / k;
        }
    }
    if (!(perCompacted > 0.0)) {
        return false;
    }
    // Natural amount of class j: c_j × N / Σ(c/k), so that the compacted amounts add up to the
    // need N exactly (for contents summing to 100 this is c_j × N × Σc / Σ(c/k) / 100).
    const double need = p.fillBefore;
    p.before.fill(0.0);
    for (int j = 1; j <= 6; ++j) {
        const size_t i = size_t(j - 1);
        const double natural = c[i] * need / perCompacted;
        const double compacted = c[i] > 0.0 ? natural / p.after[6 + i] : 0.0;
        p.before[size_t(DpAmt::Cls(j))] = natural;
        p.before[size_t(DpAmt::ClsC(j))] = compacted;
        (j <= 3 ? p.before[DpAmt::Soil] : p.before[DpAmt::Rock]) += natural;
        (j <= 3 ? p.before[DpAmt::SoilC] : p.before[DpAmt::RockC]) += compacted;
    }
    // The after block keeps the fill segment's own contents (TakeBefore put them there): the
    // log's 描述 records those, whichever contents the take used.
    p.fillAfter = 0.0;
    return true;
}

bool YDPCalJDJF::Compute() {
    if (!FillRangeValid()) {
        return false;
    }
    const bool ownContents = (g_nDPRule & DPR_FILL_CONTENTS) != 0;
    std::array<double, 6> contents{};
    // Checked before a step number is taken, so a refusal changes nothing.
    if (!ownContents && !ReadContents(contents)) {
        return false;
    }
    YDPStepRun run(*m_pFillDoc);
    if (!run.Begin()) {
        return false;
    }
    Segments& segs = m_pFillDoc->Segments();
    for (int i = m_nFillFirst; i <= m_nFillLast; ++i) {
        YTFItem& seg = segs[size_t(i)];
        if ((seg.m_nSel & YClass::FillBit) == 0 || !(seg.m_dRemFill > YClass::Present)) {
            continue;
        }
        DpProcess p = run.Prepare(DpKind::LocalBorrow, &seg, &seg, -1);
        if (ownContents) {
            std::copy(p.after.begin(), p.after.begin() + 6, contents.begin());
        }
        if (!ApplyLocalTake(p, contents)) {
            IO().Warning(NoContentsText(seg, m_pFillDoc->Numbering()));
            continue;
        }
        run.Record(p);
    }
    return run.Finish();
}
