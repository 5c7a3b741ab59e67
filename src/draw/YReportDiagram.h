#pragma once

#include "core/reports/YTableOutput.h"

#include <optional>

class CDalvexDoc;

// The allocation diagram of the current segment as a PNG for the "调配图" sheet of the
// earthwork calculation table. Nothing when the segment has no computed stretches.
std::optional<YReportPicture> YReportDiagram(CDalvexDoc& doc);
