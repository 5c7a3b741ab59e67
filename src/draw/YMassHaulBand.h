#pragma once

#include "draw/YUint.h"

#include <QPainter>

class YStationNumbering;
struct YMassHaul;

// The mass-haul curve (土积曲线) as a band under the diagram, on the diagram's stations: the
// datum line, the curve (blue where it rises through cut, red where it falls through fill), the
// hauls as horizontal balance lines and the balance points on the datum with their stations.
namespace YMassHaulBand {
constexpr int DefaultHeight = 160; // pixels
constexpr int MinHeight = 40;
// band: the band's rectangle, whose x coordinates are those of the diagram's client area.
void Draw(QPainter& p, const QRect& band, const YUint& u, const YMassHaul& mh,
          const YStationNumbering& numbering, const QColor& face);
} // namespace YMassHaulBand
