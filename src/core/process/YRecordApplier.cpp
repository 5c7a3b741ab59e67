#include "core/process/YRecordApplier.h"

#include "core/db/YQitkSet.h"
#include "core/db/YQtkSet.h"
#include "core/db/YZjTsjsSet.h"
#include "core/document/CDalvexDoc.h"
#include "core/document/YLogPits.h"
#include "core/model/YClassFilter.h"
#include "core/process/YMidRowOps.h"

namespace {

DpBlock SourceAmounts(const DpLogRecord& r) {
    DpBlock a;
    for (int i = 0; i < DpAmt::Count; ++i) {
        a[i] = r.amount[i];
    }
    return a;
}

YTFItem* ItemStartingAt(CDalvexDoc& doc, const YStation& sta) {
    const int i = doc.Model().FindSegmentStartingAt(sta);
    return i >= 0 ? &doc.GetSegment(i) : nullptr;
}

} // namespace

bool YRecordApplier::ApplyPits(CDalvexDoc& doc, const DpLogRecord& r, int dir) {
    return YLogPits::Apply(doc, r, dir);
}

bool YRecordApplier::PitAccepts(CDalvexDoc& doc, const DpLogRecord& r) {
    if (r.kind == DpKind::Borrow) {
        YQtkSet& pits = doc.GetQtkSet();
        return pits.SetPosition(r.pit) && pits.m_dSoil + YClass::Present >= r.amount[DpAmt::Soil] &&
               pits.m_dRock + YClass::Present >= r.amount[DpAmt::Rock];
    }
    if (DpKinds::IsWaste(r.kind)) {
        YQitkSet& pits = doc.GetQitkSet();
        return pits.SetPosition(r.pit) && pits.m_dCapacity + YClass::Present >= r.FillAmount();
    }
    return true;
}

bool YRecordApplier::ApplyRows(CDalvexDoc& doc, const DpLogRecord& r, int dir, bool bItems) {
    YZjTsjsSet& mid = doc.GetZjTsjsSet();
    if (DpKinds::HasSegmentSource(r.kind)) {
        if (!mid.FindByStation(r.srcStart) || !mid.Edit()) {
            return false;
        }
        YMidRowOps::ApplySource(mid, SourceAmounts(r), dir, DpKinds::TakesUnusable(r.kind),
                                r.kind == DpKind::Reuse);
        if (!mid.Update()) {
            return false;
        }
        if (YTFItem* item = bItems ? ItemStartingAt(doc, r.srcStart) : nullptr) {
            item->LoadRemaining(mid);
        }
    }
    if (DpKinds::HasSegmentDestination(r.kind)) {
        if (!mid.FindByStation(r.dstStart) || !mid.Edit()) {
            return false;
        }
        YMidRowOps::ApplyFill(mid, r.FillAmount(), dir);
        if (!mid.Update()) {
            return false;
        }
        if (YTFItem* item = bItems ? ItemStartingAt(doc, r.dstStart) : nullptr) {
            item->LoadRemaining(mid);
            item->m_dFillSoil += dir * r.amount[DpAmt::SoilC];
            item->m_dFillRock += dir * r.amount[DpAmt::RockC];
        }
    }
    return true;
}

bool YRecordApplier::Apply(CDalvexDoc& doc, const DpLogRecord& r, int dir, bool bItems) {
    return ApplyPits(doc, r, dir) && ApplyRows(doc, r, dir, bItems);
}
