#pragma once

#include "draw/YUint.h"

#include <QPainter>

class YStationNumbering;

// The rulers (标尺) along the top and the left edge of the diagram: ticks at the minor,
// middle and major steps of the window's YUint, station labels along x, area labels along y.
namespace YRulerPainter {
// r: the ruler's rectangle; nOffset: where the diagram's client column (row) 0 lies in the
// ruler's coordinates.
void DrawHorizontal(QPainter& p, const QRect& r, const YUint& u, int nOffset,
                    const YStationNumbering& numbering, const QColor& face);
void DrawVertical(QPainter& p, const QRect& r, const YUint& u, int nOffset, const QColor& face);
// A station label for the ruler: the display text without trailing zero decimals.
QString StationLabel(const YStationNumbering& numbering, double x);
} // namespace YRulerPainter
