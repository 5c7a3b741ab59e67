#pragma once

#include "draw/YUint.h"

#include <QPainter>
#include <QRect>

class YSegmentModel;
class YStationNumbering;
class YTFItem;
class YGZWItem;

// Draws the allocation diagram (调配图) of one project segment into any QPainter: the view, the
// overview, pictures for the command line and the report workbooks all use it.
//
// Each segment is a bar: its surplus cut per metre of line above the axis, stacked by class,
// its fill per metre below. The share still unallocated is filled with the band's brush, the
// share already allocated stays black inside the white outline. Bands are numbered −1 (fill),
// 0..5 (usable classes 1..6) and 6..11 (unusable classes 1..6).
class YDiagramPainter {
  public:
    // nClassFilter: the program's class filter word (bit 7 soil shown, bit 8 rock shown, bit 9
    // swapped stacking order).
    YDiagramPainter(QPainter& painter, const YUint& uint, quint32 nClassFilter);

    struct Options {
        bool bStructures = true;  // the view draws them, the overview does not
        bool bSmallMarks = false; // arrows on hard-to-see remaining shares
    };
    // Draws everything of the model that meets the device rectangle box onto a black
    // background. Segments that are one pixel wide or less show their outline only; their
    // outlines are merged per pixel column so a whole long road costs one pass.
    void DrawDiagram(YSegmentModel& model, const QRect& box, const YStationNumbering& numbering,
                     const Options& options);

    // One bar with its outline and bands. A segment with nothing left loses its selection.
    void DrawBar(YTFItem& seg);
    // The arrows that point at remaining shares less than five pixels high.
    void DrawSmallMarks(YTFItem& seg);
    void DrawStructure(const YGZWItem& gzw, const YStationNumbering& numbering);

    // The bar's rectangle in diagram coordinates: stations × [−fill/L, surplus/L].
    static QRectF BarRect(const YTFItem& seg);
    // The bar's rectangle on the device, normalized (for flashing the runs of a pick).
    QRect DeviceBarRect(const YTFItem& seg) const;
    static bool IsVisible(const YTFItem& seg, const QPointF& p0, const QPointF& p1);

    // The quantities of band b (m³; the fill negative).
    static double FullQuantity(const YTFItem& seg, int nBand);
    static double RemainingQuantity(const YTFItem& seg, int nBand);

  private:
    // Bands in stacking order (12 class bands) as the filter's swap bit says.
    const int* StackOrder() const;
    bool IsHidden(const YTFItem& seg, int nBand) const;
    double DrawBand(const YTFItem& seg, int nBand, double a, int x0, int x1);
    void DrawArrow(int x, int y, bool bDown);
    static void CleanSelection(YTFItem& seg);

    QPainter& m_p;
    const YUint& m_u;
    quint32 m_nFilter;
};
