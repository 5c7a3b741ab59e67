#include "draw/YGradeBand.h"

#include "core/station/YStationNumbering.h"
#include "draw/YDiagramStyle.h"

#include <QFontMetrics>

void YGradeBand::DrawFrame(QPainter& p, const QRect& band, const QColor& face) {
    p.fillRect(band, face);
    p.setPen(face.darker(160));
    p.drawLine(band.topLeft(), band.topRight());
    p.drawLine(band.topLeft(), band.bottomLeft());
    p.setPen(face.lighter(130));
    p.drawLine(band.bottomLeft(), band.bottomRight());
    p.drawLine(band.topRight(), band.bottomRight());
}

void YGradeBand::Draw(QPainter& p, const QRect& band, const YUint& u,
                      const std::vector<QPointF>& points, const YStationNumbering& numbering,
                      const QColor& face) {
    p.save();
    p.setClipRect(band);
    DrawFrame(p, band, face);
    p.setFont(YDiagramStyle::Instance().SmallFont());
    const QFontMetrics fm(p.font());
    p.setPen(Qt::black);
    p.drawText(QRect(band.left() + 2, band.top(), 14, band.height()), Qt::AlignCenter,
               QStringLiteral("纵\n坡"));
    const int top = band.top() + 2;
    const int bottom = band.bottom() - 2;
    for (size_t i = 1; i < points.size(); ++i) {
        const QPointF& a = points[i - 1];
        const QPointF& b = points[i];
        const int xa = u.DeviceX(a.x());
        const int xb = u.DeviceX(b.x());
        if (xb <= band.left()) {
            continue;
        }
        if (xa > band.right()) {
            break;
        }
        p.setPen(QPen(QColor(0, 255, 0), 1, Qt::DotLine));
        p.drawLine(xb, band.top(), xb, band.bottom());
        const double run = b.x() - a.x();
        const double grade = run != 0.0 ? (b.y() - a.y()) / run * 100.0 : 0.0;
        if (grade > 0) {
            p.setPen(QPen(QColor(0, 0, 255), 2));
            p.drawLine(xa, bottom, xb, top);
        } else if (grade < 0) {
            p.setPen(QPen(QColor(255, 0, 255), 2));
            p.drawLine(xa, top, xb, bottom);
        } else {
            p.setPen(QPen(QColor(255, 0, 0), 2));
            p.drawLine(xa, (top + bottom) / 2, xb, (top + bottom) / 2);
        }
        p.setPen(Qt::black);
        const QString text = QString::asprintf("%.2lf", grade);
        if (fm.horizontalAdvance(text) < xb - xa) {
            p.drawText(QRect(xa, band.top(), xb - xa, band.height()), Qt::AlignCenter, text);
        }
        // The point's station runs up along its separator.
        p.save();
        p.translate(xb - 2, bottom);
        p.rotate(-90);
        p.drawText(QPointF(0, 0), numbering.Text(b.x()));
        p.restore();
    }
    p.restore();
}
