#include "draw/YDiagramPainter.h"

#include "core/model/YSegmentModel.h"
#include "core/station/YStationNumbering.h"
#include "draw/YDiagramStyle.h"

#include <QFontMetrics>
#include <algorithm>
#include <cmath>
#include <numeric>
#include <vector>

namespace {
const int kStackUnusableFirst[12] = {6, 7, 8, 9, 10, 11, 0, 1, 2, 3, 4, 5};
const int kStackSwapped[12] = {11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0};
constexpr int kFillBand = -1;
constexpr double kPresent = 1e-5;
// Arrows mark remaining shares lower than this many pixels.
constexpr int kSmallMarkPixels = 5;

double SurplusPerMetre(const YTFItem& seg) {
    const double sum = std::accumulate(seg.m_dUse.begin(), seg.m_dUse.end(), 0.0) +
                       std::accumulate(seg.m_dUnuse.begin(), seg.m_dUnuse.end(), 0.0);
    return sum / seg.Length();
}

// Vertical outline pieces of narrow segments, merged per pixel column.
class ColumnOutlines {
  public:
    ColumnOutlines(int left, int right)
        : m_left(left), m_cols(size_t(std::max(0, right - left + 1))) {}
    void Add(int x, int yTop, int yBottom) {
        if (x < m_left || x >= m_left + int(m_cols.size())) {
            return;
        }
        Column& c = m_cols[size_t(x - m_left)];
        c.top = std::min(c.top, yTop);
        c.bottom = std::max(c.bottom, yBottom);
    }
    void Draw(QPainter& p) const {
        for (size_t i = 0; i < m_cols.size(); ++i) {
            if (m_cols[i].top <= m_cols[i].bottom) {
                const int x = m_left + int(i);
                p.drawLine(x, m_cols[i].top, x, m_cols[i].bottom);
            }
        }
    }

  private:
    struct Column {
        int top = INT_MAX;
        int bottom = INT_MIN;
    };
    int m_left;
    std::vector<Column> m_cols;
};
} // namespace

YDiagramPainter::YDiagramPainter(QPainter& painter, const YUint& uint, quint32 nClassFilter)
    : m_p(painter), m_u(uint), m_nFilter(nClassFilter) {}

double YDiagramPainter::FullQuantity(const YTFItem& seg, int nBand) {
    if (nBand == kFillBand) {
        return -seg.m_dFill;
    }
    return nBand < 6 ? seg.m_dUse[size_t(nBand)] : seg.m_dUnuse[size_t(nBand - 6)];
}

double YDiagramPainter::RemainingQuantity(const YTFItem& seg, int nBand) {
    if (nBand == kFillBand) {
        return -seg.m_dRemFill;
    }
    return nBand < 6 ? seg.m_dRemUse[size_t(nBand)] : seg.m_dRemUnuse[size_t(nBand - 6)];
}

QRectF YDiagramPainter::BarRect(const YTFItem& seg) {
    const double x0 = seg.m_staStart.Value();
    const double bottom = -seg.m_dFill / seg.Length();
    return {QPointF(x0, bottom), QPointF(seg.m_staEnd.Value(), SurplusPerMetre(seg))};
}

QRect YDiagramPainter::DeviceBarRect(const YTFItem& seg) const {
    const QRectF r = BarRect(seg);
    return QRect(m_u.ToDevice(r.topLeft()), m_u.ToDevice(r.bottomRight())).normalized();
}

bool YDiagramPainter::IsVisible(const YTFItem& seg, const QPointF& p0, const QPointF& p1) {
    const QRectF r = BarRect(seg);
    return r.left() <= p1.x() && r.right() >= p0.x() && r.top() <= p1.y() && r.bottom() >= p0.y();
}

const int* YDiagramPainter::StackOrder() const {
    return (m_nFilter & 512) ? kStackSwapped : kStackUnusableFirst;
}

bool YDiagramPainter::IsHidden(const YTFItem& seg, int nBand) const {
    if (nBand == kFillBand) {
        return false;
    }
    const bool soil = nBand % 6 < 3;
    const bool shown = (m_nFilter & (soil ? 128u : 256u)) != 0;
    // A hidden band takes no room in the stack.
    return !shown && std::fabs(FullQuantity(seg, nBand)) > kPresent;
}

void YDiagramPainter::CleanSelection(YTFItem& seg) {
    if ((seg.m_nSel & YClass::LowBits) != 0 && !seg.HasRemaining()) {
        seg.m_nSel &= ~YClass::LowBits;
    }
}

double YDiagramPainter::DrawBand(const YTFItem& seg, int nBand, double a, int x0, int x1) {
    if (IsHidden(seg, nBand)) {
        return a;
    }
    const double len = seg.Length();
    const double h = FullQuantity(seg, nBand) / len;
    const int ya = m_u.DeviceY(a);
    const int yh = m_u.DeviceY(a + h);
    if (ya == yh) {
        return a + h;
    }
    m_p.drawLine(x0, yh, x1, yh);
    const double r = RemainingQuantity(seg, nBand);
    if (std::fabs(r) > kPresent) {
        const int yr = m_u.DeviceY(a + r / len);
        // The band's own top line and the bar's outline stay visible around the filled part.
        const int top = std::min(ya, yr) + 1;
        const int bottom = std::max(ya, yr);
        if (x1 - x0 - 1 > 0 && bottom - top > 0) {
            const int bit = nBand == kFillBand ? 6 : nBand;
            const bool selected = nBand < 6 && (seg.m_nSel & (1 << bit)) != 0;
            m_p.fillRect(QRect(x0 + 1, top, x1 - x0 - 1, bottom - top),
                         YDiagramStyle::Instance().Brush(nBand, selected));
        }
    }
    return a + h;
}

void YDiagramPainter::DrawBar(YTFItem& seg) {
    CleanSelection(seg);
    const int x0 = m_u.DeviceX(seg.m_staStart.Value());
    const int x1 = m_u.DeviceX(seg.m_staEnd.Value());
    const int yTop = m_u.DeviceY(SurplusPerMetre(seg));
    const int yBottom = m_u.DeviceY(-seg.m_dFill / seg.Length());
    const int yAxis = m_u.DeviceY(0.0);
    m_p.drawLine(x0, yTop, x0, yBottom);
    if (x1 > x0) {
        m_p.drawLine(x0, yAxis, x1, yAxis);
        m_p.drawLine(x1, yBottom, x1, yTop);
    }
    if (x1 > x0 + 1) {
        double a = 0.0;
        const int* order = StackOrder();
        for (int i = 0; i < 12; ++i) {
            a = DrawBand(seg, order[i], a, x0, x1);
        }
        DrawBand(seg, kFillBand, 0.0, x0, x1);
    }
}

void YDiagramPainter::DrawArrow(int x, int y, bool bDown) {
    // Pointing down onto a cut band from above, or up onto a fill band from below.
    const int s = bDown ? -1 : 1;
    m_p.drawLine(x, y, x, y + s * 15);
    m_p.drawLine(x, y, x - 3, y + s * 6);
    m_p.drawLine(x, y, x + 3, y + s * 6);
}

void YDiagramPainter::DrawSmallMarks(YTFItem& seg) {
    CleanSelection(seg);
    const int x0 = m_u.DeviceX(seg.m_staStart.Value());
    const int x1 = m_u.DeviceX(seg.m_staEnd.Value());
    const int m = (x0 + x1) / 2;
    const double len = seg.Length();
    auto mark = [&](int nBand, double a) {
        if (IsHidden(seg, nBand)) {
            return a;
        }
        const double r = RemainingQuantity(seg, nBand);
        if (std::fabs(r) > kPresent) {
            const int ya = m_u.DeviceY(a);
            const int yr = m_u.DeviceY(a + r / len);
            if (std::abs(ya - yr) < kSmallMarkPixels) {
                DrawArrow(m, yr, r > 0);
            }
        }
        return a + FullQuantity(seg, nBand) / len;
    };
    double a = 0.0;
    const int* order = StackOrder();
    for (int i = 0; i < 12; ++i) {
        a = mark(order[i], a);
    }
    mark(kFillBand, 0.0);
}

void YDiagramPainter::DrawStructure(const YGZWItem& gzw, const YStationNumbering& numbering) {
    const QColor colour = gzw.m_bCross ? QColor(0, 255, 0) : QColor(255, 0, 0);
    const double s = gzw.m_staStart.Value();
    const double e = gzw.m_staEnd.Value();
    // Structures that may be crossed reach deeper, so the two kinds tell apart at a glance.
    const double depth = gzw.m_bCross ? -20.0 : -5.0;
    const int xs = m_u.DeviceX(s) + 1;
    const int xe = m_u.DeviceX(e) - 1;
    const int yd = m_u.DeviceY(depth);
    const int y0 = m_u.DeviceY(0.0);
    m_p.save();
    m_p.setPen(QPen(colour, 2));
    m_p.drawPolyline(QPolygon({QPoint(xs, yd), QPoint(xs, y0), QPoint(xe, y0), QPoint(xe, yd)}));
    const int piers = (int(e - s) + 5) / 10;
    if (piers > 1) {
        const int width = xe - xs;
        for (int j = 1; j < piers; ++j) {
            const int x = xs + width * j / piers;
            m_p.drawLine(x, yd, x, y0);
        }
    }
    // Label: a leader upwards from the axis at the middle, name on its left and the station
    // range on its right, both running upwards.
    const QString name = gzw.m_strName;
    const QString range = numbering.Text(s) + QStringLiteral("-") + numbering.Text(e);
    m_p.setFont(YDiagramStyle::Instance().Font());
    const QFontMetrics fm(m_p.font());
    const int textLen = std::max(fm.horizontalAdvance(name), fm.horizontalAdvance(range));
    const int leader = textLen + 2 * fm.height();
    const int xm = m_u.DeviceX((s + e) / 2);
    m_p.setPen(QPen(colour, 1));
    m_p.drawLine(xm, y0, xm, y0 - leader);
    m_p.translate(xm, y0);
    m_p.rotate(-90);
    m_p.drawText(QPointF((leader - fm.horizontalAdvance(name)) / 2.0, -fm.descent() - 1), name);
    m_p.drawText(QPointF((leader - fm.horizontalAdvance(range)) / 2.0, fm.ascent() + 1), range);
    m_p.restore();
}

void YDiagramPainter::DrawDiagram(YSegmentModel& model, const QRect& box,
                                  const YStationNumbering& numbering, const Options& options) {
    m_p.fillRect(box, Qt::black);
    if (model.m_arrTF.empty()) {
        return;
    }
    const QPointF p0 = m_u.ToDiagram(box.bottomLeft() + QPoint(0, 1));
    const QPointF p1 = m_u.ToDiagram(box.topRight() + QPoint(1, 0));
    const int i0 = model.FindSegment(p0.x());
    const int i1 = model.FindSegment(p1.x());
    m_p.save();
    m_p.setPen(QPen(Qt::white, 0));
    m_p.setRenderHint(QPainter::Antialiasing, false);
    ColumnOutlines narrow(box.left() - 1, box.right() + 1);
    int axisLeft = INT_MAX;
    int axisRight = INT_MIN;
    for (int i = i0; i <= i1; ++i) {
        YTFItem& seg = model.m_arrTF[size_t(i)];
        if (!IsVisible(seg, p0, p1)) {
            continue;
        }
        const int x0 = m_u.DeviceX(seg.m_staStart.Value());
        const int x1 = m_u.DeviceX(seg.m_staEnd.Value());
        axisLeft = std::min(axisLeft, x0);
        axisRight = std::max(axisRight, x1);
        if (x1 > x0 + 1) {
            DrawBar(seg);
            continue;
        }
        // Too narrow for bands: only the outline, which many segments share per column.
        CleanSelection(seg);
        const int yTop = m_u.DeviceY(SurplusPerMetre(seg));
        const int yBottom = m_u.DeviceY(-seg.m_dFill / seg.Length());
        narrow.Add(x0, yTop, yBottom);
        if (x1 > x0) {
            narrow.Add(x1, yTop, yBottom);
        }
    }
    narrow.Draw(m_p);
    if (axisLeft < axisRight) {
        const int yAxis = m_u.DeviceY(0.0);
        m_p.drawLine(std::max(axisLeft, box.left() - 1), yAxis,
                     std::min(axisRight, box.right() + 1), yAxis);
    }
    if (options.bStructures) {
        for (const YGZWItem& gzw : model.m_arrGZW) {
            if (gzw.m_staEnd.Value() >= p0.x() && gzw.m_staStart.Value() <= p1.x()) {
                DrawStructure(gzw, numbering);
            }
        }
    }
    if (options.bSmallMarks && m_u.m_dScaleX < 4.0) {
        m_p.setPen(QPen(QColor(255, 255, 0), 0));
        for (int i = i0; i <= i1; ++i) {
            YTFItem& seg = model.m_arrTF[size_t(i)];
            if (IsVisible(seg, p0, p1)) {
                DrawSmallMarks(seg);
            }
        }
    }
    m_p.restore();
}
