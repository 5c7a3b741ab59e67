#pragma once

class YSegmentModel;
class YTsjsSet;
class YTdpSet;
class YGzwSet;
class YQtkSet;
class YQitkSet;
class YNearPrjSet;

// Fills the segment model from the open record sets of a project. Each step re-runs the
// set's query first, so rows written since it was opened are seen. CDalvexDoc::ReloadModel
// runs them in order and tells the views.
class YModelLoader {
  public:
    // Segments from [土石计算] (as computed) and [土石计算中间表] (what is left), walked in
    // step row by row; also m_dMaxArea. False, and the model untouched, when either table has
    // no rows (or cannot be queried).
    [[nodiscard]] static bool LoadSegments(YTsjsSet& computed, YTsjsSet& remaining,
                                           YSegmentModel& model);
    // Adds the compacted soil and rock that the applied processes of the log delivered into
    // segment fills to m_dFillSoil / m_dFillRock. Pairs whose destination is not a segment of
    // this project (pits, beside the line, a neighbouring project) or no segment starting at
    // the destination station add nothing.
    static void LoadDeliveredFill(YTdpSet& log, YSegmentModel& model);
    static void LoadStructures(YGzwSet& set, YSegmentModel& model);
    // Both pit lists, then their economic stretches.
    static void LoadPits(YQtkSet& borrow, YQitkSet& waste, YSegmentModel& model);
    static void LoadNearLinks(YNearPrjSet& set, YSegmentModel& model);
};
