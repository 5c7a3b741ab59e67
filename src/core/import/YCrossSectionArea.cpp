#include "core/import/YCrossSectionArea.h"

#include <algorithm>
#include <cmath>

namespace {

// Elevation on segment i of a line (points i and i + 1, offsets strictly increasing).
double OnSegment(const std::vector<YOffsetPoint>& line, size_t i, double x) {
    const YOffsetPoint& p = line[i];
    const YOffsetPoint& q = line[i + 1];
    return p.elevation + (q.elevation - p.elevation) * (x - p.offset) / (q.offset - p.offset);
}

// Adds the strip of width w between two offsets where ground minus design goes linearly from
// ha to hb (m): a trapezoid when the sign holds, two triangles split at the crossing otherwise.
void AddStrip(YCutFill& r, double ha, double hb, double w) {
    if (ha >= 0.0 && hb >= 0.0) {
        r.cut += (ha + hb) / 2.0 * w;
    } else if (ha <= 0.0 && hb <= 0.0) {
        r.fill -= (ha + hb) / 2.0 * w;
    } else {
        const double xc = w * ha / (ha - hb); // width up to the crossing
        const double before = std::abs(ha) * xc / 2.0;
        const double after = std::abs(hb) * (w - xc) / 2.0;
        (ha > 0.0 ? r.cut : r.fill) += before;
        (hb > 0.0 ? r.cut : r.fill) += after;
    }
}

} // namespace

YCutFill YCrossSectionArea::Compute(const std::vector<YOffsetPoint>& ground,
                                    const std::vector<YOffsetPoint>& design) {
    YCutFill r;
    if (ground.size() < 2 || design.size() < 2) {
        return r;
    }
    const double lo = std::max(ground.front().offset, design.front().offset);
    const double hi = std::min(ground.back().offset, design.back().offset);
    // Walk the strips between consecutive vertices of either line: on each strip both lines
    // are straight, so their difference is linear.
    size_t i = 0;
    size_t j = 0;
    for (double a = lo; a < hi;) {
        while (ground[i + 1].offset <= a) {
            ++i;
        }
        while (design[j + 1].offset <= a) {
            ++j;
        }
        const double b = std::min({ground[i + 1].offset, design[j + 1].offset, hi});
        AddStrip(r, OnSegment(ground, i, a) - OnSegment(design, j, a),
                 OnSegment(ground, i, b) - OnSegment(design, j, b), b - a);
        a = b;
    }
    return r;
}

std::optional<double> YCrossSectionArea::ElevationAt(const std::vector<YOffsetPoint>& line,
                                                     double offset) {
    if (line.empty() || offset < line.front().offset || offset > line.back().offset) {
        return std::nullopt;
    }
    const auto it = std::lower_bound(line.begin(), line.end(), offset,
                                     [](const YOffsetPoint& p, double x) { return p.offset < x; });
    if (it->offset == offset || it == line.begin()) {
        return it->elevation;
    }
    return OnSegment(line, size_t(it - line.begin()) - 1, offset);
}
