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
    if (result.Ok()) {
        for (YRecordset* set :
             {static_cast<YRecordset*>(&doc.GetZzmjSet()),
              static_cast<YRecordset*>(&doc.GetTsjsSet()),
              static_cast<YRecordset*>(&doc.GetZjTsjsSet()),
              static_cast<YRecordset*>(&doc.GetDpSet()), static_cast<YRecordset*>(&doc.GetTdpSet()),
              static_cast<YRecordset*>(&doc.GetGchSet())}) {
            if (set->IsOpen()) {
                (void)set->Requery();
            }
        }
    }
    return result;
}
