#pragma once

#include <optional>
#include <vector>

// One point of a cross-section line: offset from the centre line (m, negative to the left)
// and elevation (m).
struct YOffsetPoint {
    double offset = 0.0;
    double elevation = 0.0;
};

// Cut and fill areas of one cross-section, m², both >= 0.
struct YCutFill {
    double cut = 0.0;
    double fill = 0.0;
};

// The areas between the existing ground and the design line of a cross-section, as design
// programs that export only the lines leave them to us. Both lines are polylines whose offsets
// never decrease from left to right (a vertical step is two points at one offset). Only the
// offsets both lines cover count: outside them one of the two is unknown. Where the ground lies
// above the design the material is cut, below it is fill; a segment on which the two lines
// cross is split at the crossing, so cut and fill never cancel.
class YCrossSectionArea {
  public:
    [[nodiscard]] static YCutFill Compute(const std::vector<YOffsetPoint>& ground,
                                          const std::vector<YOffsetPoint>& design);
    // Elevation of the line at an offset; empty outside its offsets. At a vertical step the
    // first point at that offset counts.
    [[nodiscard]] static std::optional<double> ElevationAt(const std::vector<YOffsetPoint>& line,
                                                           double offset);
};
