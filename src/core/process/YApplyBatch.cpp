#include "core/process/YApplyBatch.h"

#include "core/db/YZjTsjsSet.h"
#include "core/document/CDalvexDoc.h"
#include "core/process/YMidRowOps.h"

bool YApplyBatch::Add(const DpLogRecord& r, int dir) {
    YZjTsjsSet& mid = m_doc.GetZjTsjsSet();
    if (DpKinds::HasSegmentSource(r.kind)) {
        if (!mid.FindByStation(r.srcStart)) {
            return false;
        }
        Op op;
        for (int i = 0; i < DpAmt::Count; ++i) {
            op.amount[i] = r.amount[i];
        }
        op.nDir = dir;
        op.bSource = true;
        op.bUnusable = DpKinds::TakesUnusable(r.kind);
        op.bReuse = r.kind == DpKind::Reuse;
        m_rows[mid.Position()].push_back(op);
    }
    if (DpKinds::HasSegmentDestination(r.kind)) {
        if (!mid.FindByStation(r.dstStart)) {
            return false;
        }
        Op op;
        op.dFill = r.FillAmount();
        op.amount[DpAmt::SoilC] = r.amount[DpAmt::SoilC];
        op.amount[DpAmt::RockC] = r.amount[DpAmt::RockC];
        op.nDir = dir;
        m_rows[mid.Position()].push_back(op);
    }
    return true;
}

bool YApplyBatch::Flush(bool bItems) {
    YZjTsjsSet& mid = m_doc.GetZjTsjsSet();
    for (const auto& [pos, ops] : m_rows) {
        if (!mid.SetPosition(pos) || !mid.Edit()) {
            return false;
        }
        for (const Op& op : ops) {
            if (op.bSource) {
                YMidRowOps::ApplySource(mid, op.amount, op.nDir, op.bUnusable, op.bReuse);
            } else {
                YMidRowOps::ApplyFill(mid, op.dFill, op.nDir);
            }
        }
        if (!mid.Update()) {
            return false;
        }
        const int i = bItems ? m_doc.Model().FindSegmentStartingAt(mid.m_staStart) : -1;
        if (i >= 0) {
            YTFItem& item = m_doc.GetSegment(i);
            item.LoadRemaining(mid);
            for (const Op& op : ops) {
                if (!op.bSource) {
                    item.m_dFillSoil += op.nDir * op.amount[DpAmt::SoilC];
                    item.m_dFillRock += op.nDir * op.amount[DpAmt::RockC];
                }
            }
        }
    }
    m_rows.clear();
    return true;
}
