#pragma once

#include <QPoint>
#include <QPointF>

class YSegmentModel;

// Scale, origin and extent of one window showing the allocation diagram (图形单位).
//
// Diagram coordinates: x is a station in metres, y a volume per metre of line in m³/m (cut up,
// fill down). Device coordinates: pixels of the window's client area, y downwards; the diagram
// y m_dOrgY is shown on the row m_nHalfHeight, the station m_dOrgX on column 0.
class YUint {
  public:
    static constexpr double MinScale = 0.005; // m (or m³/m) per pixel
    static constexpr double MaxScale = 5000.0;
    // The virtual scroll bars run over this many positions (the page is 1000 more).
    static constexpr int ScrollPositions = 10000;

    double m_dStepX[3] = {10, 50, 100}; // minor, middle, major ruler steps along x, m
    double m_dStepY[3] = {10, 50, 100}; // the same along y, m³/m
    double m_dScaleX = 1.0;             // m per pixel
    double m_dScaleY = 1.0;             // m³/m per pixel
    double m_dFactorX = 10;             // step factors left by the last SetScale
    double m_dFactorY = 10;
    double m_dXMax = 10000;   // project end station
    double m_dXMin = 0;       // project start station
    double m_dYRange = 10000; // the view scrolls from −m_dYRange/2 to +m_dYRange/2
    double m_dXPerPos = 1.0;  // m per horizontal scroll position
    double m_dYPerPos = 1.0;  // m³/m per vertical scroll position
    double m_dOrgX = 0;       // station at the left edge
    double m_dOrgY = 0;       // diagram y at the vertical middle
    // Set by every SetScale. Each of the two rulers repaints once after a change: the first
    // turns 1 into −1, the second −1 into 0.
    int m_bChanged = 1;
    int m_nHalfHeight = 0; // half the client height in pixels, set before every paint

    // Rounds halves away from zero, then truncates.
    static int R(double v) { return int(v > 0 ? v + 0.5 : v - 0.5); }

    // Clamps both scales into [MinScale, MaxScale], chooses the ruler steps and the scroll
    // factors for the current extent.
    void SetScale(double dScaleX, double dScaleY);
    // The extent of the model's segments (x from the first start to the last end, y from its
    // largest area) with the origin at the start; false, unchanged, without segments.
    bool TakeExtent(const YSegmentModel& model);
    // Keeps the origin inside the extent (x within [m_dXMin, m_dXMax], y within ±m_dYRange/2).
    void ClampOrigin();

    int DeviceX(double x) const { return R((x - m_dOrgX) / m_dScaleX); }
    int DeviceY(double y) const { return m_nHalfHeight - R((y - m_dOrgY) / m_dScaleY); }
    QPoint ToDevice(const QPointF& p) const { return {DeviceX(p.x()), DeviceY(p.y())}; }
    // The inverse, without rounding: for mouse positions.
    double DiagramX(double dx) const { return dx * m_dScaleX + m_dOrgX; }
    double DiagramY(double dy) const { return (m_nHalfHeight - dy) * m_dScaleY + m_dOrgY; }
    QPointF ToDiagram(const QPoint& p) const { return {DiagramX(p.x()), DiagramY(p.y())}; }

    // The scroll positions that show the current origin.
    int ScrollPosX() const { return m_dXPerPos > 0 ? R((m_dOrgX - m_dXMin) / m_dXPerPos) : 0; }
    int ScrollPosY() const {
        return m_dYPerPos > 0 ? R(ScrollPositions / 2 - m_dOrgY / m_dYPerPos) : ScrollPositions / 2;
    }
};

// Every window that shows the diagram (the view and the overview) draws through its own YUint.
class YShowDPWnd {
  public:
    virtual ~YShowDPWnd() = default;
    YUint& Uint() { return m_uint; }
    const YUint& Uint() const { return m_uint; }

  protected:
    YUint m_uint;
};
