#include "core/compute/YDocPreprocess.h"

#include "core/db/YDatabase.h"
#include "core/db/YDpSet.h"
#include "core/db/YGchSet.h"
#include "core/db/YTdpSet.h"
#include "core/db/YTransaction.h"
#include "core/db/YTsjsSet.h"
#include "core/db/YZjTsjsSet.h"
#include "core/db/YZzmjSet.h"
#include "core/document/CDalvexDoc.h"
#include "core/document/YLogPits.h"
#include "core/platform/YUserIO.h"

YPreprocessor::Result YDocPreprocess::Run(CDalvexDoc& doc, const YPreprocessOptions& options) {
    YWaitScope wait(doc.UserIO());
    // The run deletes the allocation log: the pits get back what it took in the same
    // transaction, or their capacities would stay reduced by processes no longer recorded.
    YTransaction tr(doc.GetDatabase());
    if (!tr.IsActive() || !YLogPits::GiveBackAll(doc)) {
        doc.UserIO().Error(doc.GetDatabase().LastError());
        return {YPreprocessor::Outcome::Stopped, 0, 0};
    }
    YPreprocessor pre(doc.GetDatabase(), doc.UserIO());
    YPreprocessor::Result result = pre.Run(options);
    if (!result.Ok()) {
        tr.Rollback();
        return result; // stopped with its message, declined or rolled back: tables as before
    }
    if (!tr.Commit()) {
        doc.UserIO().Error(doc.GetDatabase().LastError());
        return {YPreprocessor::Outcome::RolledBack, 0, 0};
    }
    // The document's sets see the new results (and the sections added at structure ends).
    for (YRecordset* set :
         {static_cast<YRecordset*>(&doc.GetZzmjSet()), static_cast<YRecordset*>(&doc.GetTsjsSet()),
          static_cast<YRecordset*>(&doc.GetZjTsjsSet()), static_cast<YRecordset*>(&doc.GetDpSet()),
          static_cast<YRecordset*>(&doc.GetTdpSet()), static_cast<YRecordset*>(&doc.GetGchSet())}) {
        if (set->IsOpen()) {
            (void)set->Requery();
        }
    }
    // A model loaded from the previous results would show (and let allocation change)
    // quantities that are no longer in the tables.
    if (doc.GetSegmentCount() > 0) {
        (void)doc.ReloadModel();
    }
    return result;
}
