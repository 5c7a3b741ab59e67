#pragma once

#include "core/model/YSegmentModel.h"

#include <optional>

class CDalvexDoc;

// Selections made without the diagram, the way its rectangle selection makes them: whole
// segments lying in a station range, their masks set by UpdateSel with the class filter.
class YDPRangeSelect {
  public:
    // First and last index of the segments lying wholly within [from, to] (m); empty when no
    // segment does.
    static std::optional<YSegRun> WholeSegments(const CDalvexDoc& doc, double from, double to);
    // UpdateSel(true) on every segment of the run; Deselect clears the run's selection bits.
    static void Select(CDalvexDoc& doc, const YSegRun& run);
    static void Deselect(CDalvexDoc& doc, const YSegRun& run);
    // Clears the selection bits of every segment.
    static void ClearAll(CDalvexDoc& doc);
    // Longest run of segments around index anchor (inclusive) lying within [from, to] that can
    // be reached from station road without crossing a structure that may not be crossed; empty
    // when none. Used to keep pit and haul selections inside what a strategy accepts.
    static std::optional<YSegRun> ReachableRun(const CDalvexDoc& doc, double road, double from,
                                               double to);
};
