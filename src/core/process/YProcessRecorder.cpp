#include "core/process/YProcessRecorder.h"

#include "core/db/YDatabase.h"
#include "core/db/YLogCodec.h"
#include "core/db/YQitkSet.h"
#include "core/db/YQtkSet.h"
#include "core/db/YTdpSet.h"
#include "core/db/YTransaction.h"
#include "core/db/YTsxsSet.h"
#include "core/db/YZjTsjsSet.h"
#include "core/document/CDalvexDoc.h"
#include "core/model/YNearPrjItem.h"
#include "core/model/YQitukItem.h"
#include "core/model/YQutukItem.h"
#include "core/model/YTFItem.h"
#include "core/platform/YUserIO.h"
#include "core/process/YAmountGrid.h"
#include "core/process/YHistory.h"
#include "core/process/YMidRowOps.h"
#include "core/process/YProcessLog.h"

#include <algorithm>
#include <cassert>
#include <cmath>

namespace {

// The last applied step of the log and whether undone pairs follow it.
struct LogTail {
    int nLastApplied = 0;
    bool bUndoneTail = false;
};

LogTail ReadTail(YTdpSet& set) {
    LogTail t;
    for (int pos = set.RecordCount() - 1; pos >= 0; --pos) {
        if (!set.SetPosition(pos)) {
            break;
        }
        if (set.m_bSuccess) {
            t.nLastApplied = set.m_nGCID;
            break;
        }
        t.bUndoneTail = true;
    }
    return t;
}

void TakeBorrowPit(CDalvexDoc& doc, DpProcess& p) {
    YQtkSet& pits = doc.GetQtkSet();
    if (!pits.SetPosition(p.pit)) {
        return;
    }
    YTsxsSet& coef = doc.GetTsxsSet();
    coef.MoveFirst();
    const double* d = coef.m_dCoef;
    const double* s = pits.m_dShare;
    auto group = [&](int k0, double total, int natIdx, int compIdx) {
        const double shares = s[k0] + s[k0 + 1] + s[k0 + 2];
        double compacted = 0.0;
        for (int k = k0; k < k0 + 3; ++k) {
            const double nat = (shares != 0.0 && s[k] != 0.0) ? total * s[k] / shares : 0.0;
            const double c = d[k] > 0.0 ? nat / d[k] : 0.0;
            p.before[DpAmt::Cls(k + 1)] = nat;
            p.before[DpAmt::ClsC(k + 1)] = c;
            compacted += d[k] > 0.0 && shares != 0.0 ? s[k] / d[k] : 0.0;
        }
        p.before[natIdx] = total;
        p.before[compIdx] = shares != 0.0 ? compacted * total / shares : 0.0;
    };
    group(0, pits.m_dSoil, DpAmt::Soil, DpAmt::SoilC);
    group(3, pits.m_dRock, DpAmt::Rock, DpAmt::RockC);
}

YLogEnds Ends(const DpProcess& p) {
    YLogEnds e;
    if (const YTFItem* s = p.SourceSegment()) {
        e.srcSta1 = s->m_staStart.Value();
        e.srcSta2 = s->m_staEnd.Value();
    } else if (const YQutukItem* b = p.SourceBorrowPit()) {
        e.srcSta1 = e.srcSta2 = b->m_staRoad.Value();
    } else if (const YNearPrjItem* l = p.SourceLink()) {
        e.srcSta1 = e.srcSta2 = l->m_sta.Value();
        e.srcPit = l->m_nNo + 1;
    }
    if (p.kind == DpKind::Borrow) {
        e.srcPit = p.pit + 1;
    } else if (p.kind == DpKind::Out) {
        e.srcPit = p.partner + DpKinds::PartnerOffset;
    }
    if (const YTFItem* d = p.DestinationSegment()) {
        e.dstSta1 = d->m_staStart.Value();
        e.dstSta2 = d->m_staEnd.Value();
    } else if (const YQitukItem* w = p.DestinationWastePit()) {
        e.dstSta1 = e.dstSta2 = w->m_staRoad.Value();
        e.dstPit = p.pit + 1;
    } else if (const YNearPrjItem* l = p.DestinationLink()) {
        e.dstSta1 = e.dstSta2 = l->m_sta.Value();
        e.dstPit = l->m_nNo + 1;
    }
    if (p.kind == DpKind::In) {
        e.dstPit = p.partner + DpKinds::PartnerOffset;
    }
    return e;
}

// Whether the process names the items its kind needs.
bool HasEnds(const DpProcess& p) {
    const bool srcOk = DpKinds::HasSegmentSource(p.kind) || p.kind == DpKind::LocalBorrow
                           ? p.SourceSegment() != nullptr
                           : (p.kind == DpKind::Borrow ? p.SourceBorrowPit() != nullptr
                                                       : p.SourceLink() != nullptr);
    bool dstOk = true;
    if (DpKinds::HasSegmentDestination(p.kind)) {
        dstOk = p.DestinationSegment() != nullptr;
    } else if (DpKinds::IsWaste(p.kind)) {
        dstOk = p.DestinationWastePit() != nullptr;
    } else if (p.kind == DpKind::Out) {
        dstOk = p.DestinationLink() != nullptr;
    }
    return srcOk && dstOk;
}

// Whether the pit and the [土石计算中间表] rows a process writes are all there, looked up
// before anything is written so a missing row changes nothing.
bool RowsExist(CDalvexDoc& doc, const DpProcess& p) {
    if (p.kind == DpKind::Borrow && !doc.GetQtkSet().SetPosition(p.pit)) {
        return false;
    }
    if (DpKinds::IsWaste(p.kind) && !doc.GetQitkSet().SetPosition(p.pit)) {
        return false;
    }
    YZjTsjsSet& mid = doc.GetZjTsjsSet();
    if (DpKinds::HasSegmentSource(p.kind) && !mid.FindByStation(p.SourceSegment()->m_staStart)) {
        return false;
    }
    return !DpKinds::HasSegmentDestination(p.kind) ||
           mid.FindByStation(p.DestinationSegment()->m_staStart);
}

// A write of the process failed: its reason becomes the database's, which the step's commit
// reports.
bool Failed(CDalvexDoc& doc, const YRecordset& set) {
    doc.GetDatabase().SetLastError(set.LastError());
    return false;
}

} // namespace

int YProcessRecorder::NextStep(CDalvexDoc& doc) {
    const LogTail tail = ReadTail(doc.GetTdpSet());
    if (tail.bUndoneTail && !YHistory::Purge(doc)) {
        doc.UserIO().Error(QStringLiteral("清理多余调配过程失败！"));
        return -1;
    }
    const int step = tail.nLastApplied + 1;
    doc.NotifyNewStep(step);
    return step;
}

void YProcessRecorder::TakeBefore(CDalvexDoc& doc, DpProcess& p) {
    if (p.kind == DpKind::Borrow) {
        TakeBorrowPit(doc, p);
    }
    if (DpKinds::IsWaste(p.kind) && doc.GetQitkSet().SetPosition(p.pit)) {
        p.fillBefore = doc.GetQitkSet().m_dCapacity;
    }
    YZjTsjsSet& mid = doc.GetZjTsjsSet();
    if (const YTFItem* s = p.SourceSegment();
        s && DpKinds::HasSegmentSource(p.kind) && mid.FindByStation(s->m_staStart)) {
        YMidRowOps::TakeSurplus(mid, DpKinds::TakesUnusable(p.kind), p.before);
    }
    p.after = p.before;
    if (const YTFItem* d = p.DestinationSegment();
        d && DpKinds::HasSegmentDestination(p.kind) && mid.FindByStation(d->m_staStart)) {
        p.fillBefore = mid.m_dFillAfterLocal;
        if (p.kind == DpKind::LocalBorrow) {
            for (int k = 0; k < 6; ++k) {
                p.after[k] = mid.m_dContent[k];
                p.after[6 + k] = mid.m_dCoef[k];
            }
        }
    }
    p.fillAfter = p.fillBefore;
}

bool YProcessRecorder::RecordProcess(CDalvexDoc& doc, DpProcess& p) {
    if (!HasEnds(p)) {
        return false;
    }
    // The amounts moved, on the exact grid (see YAmountGrid).
    // A local take or an entry from a neighbour takes from no stored value of this project:
    // its amounts are always put on the grid.
    const bool noStore = p.kind == DpKind::LocalBorrow || p.kind == DpKind::In;
    DpBlock amt;
    for (int i = 0; i < DpAmt::Count; ++i) {
        amt[i] = YAmountGrid::Round(p.Moved(i), noStore ? std::nan("") : p.before[i]);
    }
    const double fillAmt = YAmountGrid::Round(p.FillMoved(), p.fillBefore);
    assert(std::all_of(amt.begin(), amt.end(), [](double a) { return !(a < 0.0); }) &&
           !(fillAmt < 0.0) && "a transfer moves material forward only");

    if (!RowsExist(doc, p)) {
        return false;
    }
    // Inside a step's transaction the process takes no savepoint of its own: every row it
    // needs exists, so only a failed write can stop it halfway, and that fails the step.
    YTransaction tr(doc.GetDatabase(), YTransaction::Join);
    if (!tr.IsActive()) {
        return false;
    }
    if (p.kind == DpKind::Borrow) {
        YQtkSet& pits = doc.GetQtkSet();
        if (!pits.SetPosition(p.pit) || !pits.Edit()) {
            return false;
        }
        pits.m_dSoil -= amt[DpAmt::Soil];
        pits.m_dRock -= amt[DpAmt::Rock];
        if (!pits.Update()) {
            return Failed(doc, pits);
        }
    }
    bool fillDone = false;
    if (DpKinds::IsWaste(p.kind)) {
        YQitkSet& pits = doc.GetQitkSet();
        if (!pits.SetPosition(p.pit) || !pits.Edit()) {
            return false;
        }
        p.fillBefore = pits.m_dCapacity;
        pits.m_dCapacity -= fillAmt;
        p.fillAfter = pits.m_dCapacity;
        fillDone = true;
        if (!pits.Update()) {
            return Failed(doc, pits);
        }
    }
    YZjTsjsSet& mid = doc.GetZjTsjsSet();
    YTFItem* src = p.SourceSegment();
    if (DpKinds::HasSegmentSource(p.kind)) {
        if (!mid.FindByStation(src->m_staStart) || !mid.Edit()) {
            return false;
        }
        YMidRowOps::ApplySource(mid, amt, +1, DpKinds::TakesUnusable(p.kind),
                                p.kind == DpKind::Reuse, &p.before, &p.after);
        if (!mid.Update()) {
            return Failed(doc, mid);
        }
    } else if (p.kind == DpKind::LocalBorrow) {
        p.before = amt; // the after block keeps contents and coefficients for 描述
    } else {
        for (int i = 0; i < DpAmt::Count; ++i) {
            p.after[i] = p.before[i] - amt[i];
        }
    }
    if (YTFItem* dst = p.DestinationSegment(); DpKinds::HasSegmentDestination(p.kind)) {
        if (!mid.FindByStation(dst->m_staStart) || !mid.Edit()) {
            return false;
        }
        YMidRowOps::ApplyFill(mid, fillAmt, +1, &p.fillBefore, &p.fillAfter);
        if (!mid.Update()) {
            return Failed(doc, mid);
        }
    } else if (!fillDone) {
        p.fillAfter = p.fillBefore - fillAmt;
    }
    YProcessLog log(doc.GetTdpSet());
    if (!log.Append(LogPair(p))) {
        return Failed(doc, doc.GetTdpSet());
    }
    if (!tr.Commit()) {
        return false;
    }
    // The items follow the rows only once the rows are stored, so a failure above leaves
    // items and tables as they were.
    if (DpKinds::HasSegmentSource(p.kind) && mid.FindByStation(src->m_staStart)) {
        src->LoadRemaining(mid);
    }
    if (YTFItem* dst = p.DestinationSegment();
        DpKinds::HasSegmentDestination(p.kind) && mid.FindByStation(dst->m_staStart)) {
        dst->LoadRemaining(mid);
        dst->m_dFillSoil += amt[DpAmt::SoilC];
        dst->m_dFillRock += amt[DpAmt::RockC];
    }
    doc.NotifyProcessAdded(p);
    return true;
}

YDpLogPair YProcessRecorder::LogPair(const DpProcess& p) {
    return YLogCodec::Encode(p, Ends(p));
}

void YProcessRecorder::EndStep(CDalvexDoc& doc, int step) {
    doc.UpdateAllViews();
    doc.NotifyStepEnded(step);
}
