#pragma once

#include "core/compute/YPreprocessor.h"

class CDalvexDoc;

// 数据预处理 of a document, the one both front ends call: runs on the project's database under
// a wait indication and, after a completed run, re-queries the document's record sets whose
// rows it replaced ([逐桩断面] and the result tables) and rebuilds the in-memory model when it
// held segments, so nothing shows quantities that are no longer in the tables.
class YDocPreprocess {
  public:
    [[nodiscard]] static YPreprocessor::Result Run(CDalvexDoc& doc,
                                                   const YPreprocessOptions& options);
};
