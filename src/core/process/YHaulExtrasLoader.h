#pragma once

#include "core/process/YHaulExtras.h"

class CDalvexDoc;

// Reads what haul distances (运距) add (pit roads, port distances, structure detours) from a
// project's tables, so it serves also a document whose model is not loaded.
class YHaulExtrasLoader {
  public:
    [[nodiscard]] static YHaulExtras Load(CDalvexDoc& doc);
};
