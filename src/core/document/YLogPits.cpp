#include "core/document/YLogPits.h"

#include "core/db/DpLogRecord.h"
#include "core/db/YLogCodec.h"
#include "core/db/YQitkSet.h"
#include "core/db/YQtkSet.h"
#include "core/db/YTdpSet.h"
#include "core/document/CDalvexDoc.h"
#include "core/platform/YUserIO.h"

namespace {

// A log naming a pit the project does not have cannot be undone, redone or repaired: say so.
bool MissingPit(CDalvexDoc& doc, const DpLogRecord& r, const QString& kind) {
    doc.UserIO().Error(QStringLiteral("调配过程已损坏：第%1步第%2个过程记录的%3%4不存在。")
                           .arg(r.step)
                           .arg(r.seq)
                           .arg(kind)
                           .arg(r.pit + 1));
    return false;
}

} // namespace

bool YLogPits::Apply(CDalvexDoc& doc, const DpLogRecord& r, int dir) {
    if (r.kind == DpKind::Borrow) {
        YQtkSet& pits = doc.GetQtkSet();
        if (!pits.SetPosition(r.pit)) {
            return MissingPit(doc, r, QStringLiteral("取土坑"));
        }
        if (!pits.Edit()) {
            return false;
        }
        pits.m_dSoil -= dir * r.amount[DpAmt::Soil];
        pits.m_dRock -= dir * r.amount[DpAmt::Rock];
        return pits.Update();
    }
    if (DpKinds::IsWaste(r.kind)) {
        YQitkSet& pits = doc.GetQitkSet();
        if (!pits.SetPosition(r.pit)) {
            return MissingPit(doc, r, QStringLiteral("弃土坑"));
        }
        if (!pits.Edit()) {
            return false;
        }
        pits.m_dCapacity -= dir * r.FillAmount();
        return pits.Update();
    }
    return true;
}

bool YLogPits::GiveBackAll(CDalvexDoc& doc) {
    YTdpSet& log = doc.GetTdpSet();
    // Read first: editing a pit set does not move the log, but decoding needs both rows.
    std::vector<DpLogRecord> applied;
    for (int i = 0; i + 1 < log.RecordCount(); i += 2) {
        YDpLogPair pair;
        bool paired = true;
        if (!log.ReadPair(i, pair, paired)) {
            return false;
        }
        if (!paired) {
            break; // a damaged tail takes nothing that repair could not rebuild
        }
        if (pair.src.ok) {
            applied.push_back(YLogCodec::Decode(pair));
        }
    }
    for (const DpLogRecord& r : applied) {
        if (!Apply(doc, r, -1)) {
            return false;
        }
    }
    return true;
}
