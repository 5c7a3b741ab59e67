#include "core/process/YClearAll.h"

#include "core/db/YDpSet.h"
#include "core/db/YGchSet.h"
#include "core/db/YLogCodec.h"
#include "core/db/YTdpSet.h"
#include "core/db/YTransaction.h"
#include "core/db/YTsjsSet.h"
#include "core/db/YZjTsjsSet.h"
#include "core/document/CDalvexDoc.h"
#include "core/document/YLogPits.h"
#include "core/platform/YUserIO.h"
#include "core/process/YProcessLog.h"

bool YClearAll::ClearAll(CDalvexDoc& doc) {
    YProcessLog log(doc.GetTdpSet());
    std::vector<YProcessLog::Entry> entries;
    if (!log.Read(entries)) {
        return false;
    }
    for (const auto& e : entries) {
        if (DpKinds::IsCrossProject(YLogCodec::DecodeKind(e.pair.src, e.pair.dst))) {
            doc.UserIO().Warning(QStringLiteral("存在跨项目调配，不能清除调配过程!"));
            return false;
        }
    }
    if (!doc.UserIO().Ask(
            QStringLiteral("此操作将清除所有调配过程、预处理结果!\n\n是否确定要清除?"))) {
        return false;
    }
    YTransaction tr(doc.GetDatabase());
    if (!tr.IsActive() || !YLogPits::GiveBackAll(doc)) {
        return false;
    }
    if (!doc.GetTsjsSet().DeleteSegmentRows() || !doc.GetZjTsjsSet().DeleteSegmentRows() ||
        !doc.GetDpSet().DeleteSegmentRows() || !doc.GetTdpSet().DeleteSegmentRows() ||
        !doc.GetGchSet().DeleteSegmentRows() || !tr.Commit()) {
        return false;
    }
    doc.ClearSegments();
    doc.NotifyReset();
    doc.UpdateAllViews();
    return true;
}
