#include "core/compute/YDocPreprocess.h"

#include "core/db/YDpSet.h"
#include "core/db/YGchSet.h"
#include "core/db/YTdpSet.h"
#include "core/db/YTsjsSet.h"
#include "core/db/YZjTsjsSet.h"
#include "core/db/YZzmjSet.h"
#include "core/document/CDalvexDoc.h"
#include "core/platform/YUserIO.h"

YPreprocessor::Result YDocPreprocess::Run(CDalvexDoc& doc, const YPreprocessOptions& options) {
    YWaitScope wait(doc.UserIO());
    YPreprocessor pre(doc.GetDatabase(), doc.UserIO());
    const YPreprocessor::Result result = pre.Run(options);
    if (!result.Ok()) {
        return result; // stopped with its message, declined or rolled back: tables as before
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
