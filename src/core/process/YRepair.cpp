#include "core/process/YRepair.h"

#include "core/db/YDatabase.h"
#include "core/db/YGchSet.h"
#include "core/db/YLogCodec.h"
#include "core/db/YTdpSet.h"
#include "core/db/YTransaction.h"
#include "core/db/YZjTsjsSet.h"
#include "core/document/CDalvexDoc.h"
#include "core/platform/YUserIO.h"
#include "core/process/YApplyBatch.h"
#include "core/process/YProcessLog.h"
#include "core/process/YRecordApplier.h"

#include <algorithm>

namespace {

using Entries = std::vector<YProcessLog::Entry>;

bool HasCrossProject(const Entries& entries) {
    for (const auto& e : entries) {
        if (DpKinds::IsCrossProject(YLogCodec::DecodeKind(e.pair.src, e.pair.dst))) {
            return true;
        }
    }
    return false;
}

// Old logs carry the pit number only on the first source row of a borrow step: the other
// source rows of the step with an empty 描述 and 坑 0 get it. Only rows that stand on one station
// (a pit's road) are borrow rows; a haul row of the same step, which runs from a segment's start
// to its end, keeps its 0 and stays a haul.
bool FillPitNumbers(YProcessLog& log, Entries& entries) {
    int step = -1;
    int firstPit = 0;
    for (auto& e : entries) {
        YDpLogRow& src = e.pair.src;
        if (src.gcid != step) {
            step = src.gcid;
            firstPit = -1;
        }
        if (!src.desc.isEmpty()) {
            continue;
        }
        if (firstPit == -1) {
            firstPit = src.pit;
        } else if (src.pit == 0 && firstPit != 0 && YStation(src.sta1) == YStation(src.sta2)) {
            if (!log.SetSourcePit(e, firstPit)) {
                return false;
            }
            src.pit = firstPit;
        }
    }
    return true;
}

} // namespace

bool YRepair::ResetMidTable(CDalvexDoc& doc) {
    YZjTsjsSet& mid = doc.GetZjTsjsSet();
    if (!mid.DeleteSegmentRows()) {
        return false;
    }
    QString sql = QStringLiteral("INSERT INTO [土石计算中间表] SELECT * FROM [土石计算]");
    const int seg = doc.GetCurrentSegment();
    if (doc.GetVersion() >= 5 && seg >= 0) {
        sql += QStringLiteral(" WHERE [分段编号] = %1").arg(seg);
    }
    return doc.GetDatabase().Exec(sql) && mid.Requery();
}

bool YRepair::Repair(CDalvexDoc& doc) {
    YProcessLog log(doc.GetTdpSet());
    Entries entries;
    if (!log.Read(entries) || entries.empty()) {
        return false;
    }
    if (HasCrossProject(entries)) {
        doc.UserIO().Warning(QStringLiteral("存在跨项目调配，不能修复调配过程!"));
        return false;
    }
    YTransaction tr(doc.GetDatabase());
    if (!tr.IsActive() || !FillPitNumbers(log, entries)) {
        return false;
    }
    for (const auto& e : entries) {
        if (e.pair.src.ok && !YRecordApplier::ApplyPits(doc, YLogCodec::Decode(e.pair), -1)) {
            return false;
        }
    }
    if (!ResetMidTable(doc)) {
        return false;
    }
    Entries drop;
    YApplyBatch batch(doc);
    {
        YProgressScope progress(doc.UserIO(), QStringLiteral("修复所有操作…"),
                                entries.back().pair.src.gcid);
        size_t i = 0;
        for (; i < entries.size() && entries[i].pair.src.ok; ++i) {
            const DpLogRecord rec = YLogCodec::Decode(entries[i].pair);
            if (!YRecordApplier::PitAccepts(doc, rec)) {
                drop.push_back(entries[i]);
                continue;
            }
            if (!YRecordApplier::ApplyPits(doc, rec, +1) || !batch.Add(rec, +1)) {
                return false;
            }
            progress.Advance(rec.step);
        }
        drop.insert(drop.end(), entries.begin() + std::ptrdiff_t(i), entries.end());
    }
    if (!batch.Flush(false)) {
        return false;
    }
    const size_t refused =
        drop.size() - size_t(std::count_if(drop.begin(), drop.end(),
                                           [](const auto& e) { return !e.pair.src.ok; }));
    if (!log.Delete(drop) || !doc.GetGchSet().DeleteSegmentRows() || !tr.Commit()) {
        if (doc.GetSegmentCount() > 0) {
            (void)doc.ReloadModel();
        }
        return false;
    }
    if (refused > 0) {
        doc.UserIO().Warning(
            QStringLiteral("有%1个调配过程超出取土坑或弃土坑的现有数量，已从调配过程中删除!")
                .arg(refused));
    }
    if (doc.GetSegmentCount() > 0) {
        (void)doc.ReloadModel();
    }
    doc.UpdateAllViews();
    return true;
}
