#include "draw/YMassHaulBand.h"

#include "core/process/YMassHaul.h"
#include "core/station/YStationNumbering.h"
#include "draw/YDiagramStyle.h"
#include "draw/YGradeBand.h"

#include <QFontMetrics>
#include <QLocale>
#include <cmath>

namespace {

const QColor kRise(0, 0, 255);
const QColor kFall(220, 0, 0);
const QColor kHaul(230, 140, 0);

// Pixel row of a curve height inside the band, with a margin of six pixels.
struct Heights {
    double top;
    double bottom;
    int y0;
    int y1;
    int Y(double m) const {
        const double span = top - bottom;
        return span > 0 ? y1 - int(std::lround((m - bottom) / span * (y1 - y0))) : (y0 + y1) / 2;
    }
};

void DrawCurve(QPainter& p, const YUint& u, const YMassHaul& mh, const Heights& h) {
    for (size_t i = 1; i < mh.curve.size(); ++i) {
        const YMassHaul::Point& a = mh.curve[i - 1];
        const YMassHaul::Point& b = mh.curve[i];
        p.setPen(QPen(b.m >= a.m ? kRise : kFall, 2));
        p.drawLine(u.DeviceX(a.x), h.Y(a.m), u.DeviceX(b.x), h.Y(b.m));
    }
}

void DrawHauls(QPainter& p, const YUint& u, const YMassHaul& mh, const Heights& h) {
    p.setPen(QPen(kHaul, 1));
    for (const YMassHaul::Haul& haul : mh.hauls) {
        const int y = h.Y(haul.level);
        const int x0 = u.DeviceX(haul.from);
        const int x1 = u.DeviceX(haul.to);
        p.drawLine(x0, y, x1, y);
        // A tick at the fill end says which way the earth went.
        p.drawLine(x1, y - 3, x1, y + 3);
    }
}

void DrawBalancePoints(QPainter& p, const QRect& band, const YUint& u, const YMassHaul& mh,
                       const Heights& h, const YStationNumbering& numbering) {
    const QFontMetrics fm(p.font());
    const int y = h.Y(0.0);
    int lastRight = band.left() - 1;
    for (double x : mh.balancePoints) {
        const int dx = u.DeviceX(x);
        p.setPen(Qt::NoPen);
        p.setBrush(kFall);
        p.drawPolygon(QPolygon({QPoint(dx, y), QPoint(dx - 4, y + 7), QPoint(dx + 4, y + 7)}));
        p.setBrush(Qt::NoBrush);
        const QString text = numbering.Text(x);
        const int w = fm.horizontalAdvance(text);
        // Labels that would overlap the previous one are left out; zooming in shows them.
        if (dx - w / 2 > lastRight + 4 && y + 8 + fm.height() < band.bottom()) {
            p.setPen(Qt::black);
            p.drawText(dx - w / 2, y + 8 + fm.ascent(), text);
            lastRight = dx + w / 2;
        }
    }
}

} // namespace

void YMassHaulBand::Draw(QPainter& p, const QRect& band, const YUint& u, const YMassHaul& mh,
                         const YStationNumbering& numbering, const QColor& face) {
    p.save();
    p.setClipRect(band);
    YGradeBand::DrawFrame(p, band, face);
    p.setFont(YDiagramStyle::Instance().SmallFont());
    p.setPen(Qt::black);
    p.drawText(QRect(band.left() + 2, band.top(), 14, band.height()), Qt::AlignCenter,
               QStringLiteral("土\n积"));
    const Heights h{mh.Top(), mh.Bottom(), band.top() + 6, band.bottom() - 6};
    p.setPen(QPen(Qt::darkGray, 1, Qt::DashLine));
    p.drawLine(band.left(), h.Y(0.0), band.right(), h.Y(0.0));
    DrawHauls(p, u, mh, h);
    DrawCurve(p, u, mh, h);
    DrawBalancePoints(p, band, u, mh, h, numbering);
    // The scale: the curve's extremes in m³.
    p.setPen(Qt::black);
    const QLocale c = QLocale::c();
    p.drawText(QRect(band.left() + 18, band.top() + 2, band.width() - 20, band.height() - 4),
               Qt::AlignLeft | Qt::AlignTop,
               QStringLiteral("最高 %1 m³  最低 %2 m³")
                   .arg(c.toString(h.top, 'f', 0), c.toString(h.bottom, 'f', 0)));
    p.restore();
}
