#pragma once

#include "draw/YUint.h"

#include <QPainter>
#include <vector>

class YStationNumbering;

// The band of the road's longitudinal grades (路线纵坡) under the diagram: one section between
// each two vertical intersection points of [竖曲线], with its grade line, the grade in percent
// and the station of the point.
namespace YGradeBand {
constexpr int DefaultHeight = 100; // pixels
constexpr int MinHeight = 24;
// points: (station m, elevation m) in station order. band: the band's rectangle, whose x
// coordinates are those of the diagram's client area.
void Draw(QPainter& p, const QRect& band, const YUint& u, const std::vector<QPointF>& points,
          const YStationNumbering& numbering, const QColor& face);
// The sunken face every band under the diagram is drawn on.
void DrawFrame(QPainter& p, const QRect& band, const QColor& face);
} // namespace YGradeBand
