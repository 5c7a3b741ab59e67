#pragma once

#include "core/compute/YPreprocessor.h"

class CDalvexDoc;

// The document's preprocessing command: runs on the project's database under a wait
// indication and, after a completed run, re-queries the document's record sets whose rows it
// replaced ([逐桩断面] and the result tables). It does not rebuild the in-memory model; the
// diagram's reload does that when allocation starts.
class YDocPreprocess {
  public:
    [[nodiscard]] static YPreprocessor::Result Run(CDalvexDoc& doc,
                                                   const YPreprocessOptions& options);
};
