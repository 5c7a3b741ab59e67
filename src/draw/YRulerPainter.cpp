#include "draw/YRulerPainter.h"

#include "core/station/YStationNumbering.h"
#include "draw/YDiagramStyle.h"

#include <QFontMetrics>
#include <cmath>

namespace {
// Tick length for a value: the longer the step it is a multiple of.
int TickLength(double v, const double steps[3], int thickness) {
    auto multiple = [v](double step) {
        const double q = v / step;
        return std::fabs(q - std::round(q)) < 1e-6;
    };
    if (multiple(steps[2])) {
        return thickness - 2;
    }
    return multiple(steps[1]) ? thickness / 2 : thickness / 4 + 1;
}

void Frame(QPainter& p, const QRect& r, const QColor& face) {
    p.fillRect(r, face);
    p.setPen(face.lighter(130));
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.setPen(face.darker(160));
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
}

// A number text without the zeros (and point) that end its decimals.
QString WithoutTrailingZeros(QString text) {
    while (text.contains(QLatin1Char('.')) &&
           (text.endsWith(QLatin1Char('0')) || text.endsWith(QLatin1Char('.')))) {
        text.chop(1);
    }
    return text;
}

QString AreaLabel(double v) {
    const QString text = WithoutTrailingZeros(QString::number(v, 'f', 4));
    return text == QLatin1String("-0") ? QStringLiteral("0") : text;
}
} // namespace

QString YRulerPainter::StationLabel(const YStationNumbering& numbering, double x) {
    return WithoutTrailingZeros(numbering.Text(x));
}

void YRulerPainter::DrawHorizontal(QPainter& p, const QRect& r, const YUint& u, int nOffset,
                                   const YStationNumbering& numbering, const QColor& face) {
    p.save();
    p.setClipRect(r);
    Frame(p, r, face);
    p.setFont(YDiagramStyle::Instance().SmallFont());
    const QFontMetrics fm(p.font());
    // The view's column 0 lies at r.left() + nOffset.
    const double first = u.DiagramX(-nOffset);
    const double last = u.DiagramX(r.width() - nOffset);
    const double minor = u.m_dStepX[0];
    // Labels go on major ticks, skipping some when they would overlap.
    const double majorPx = u.m_dStepX[2] / u.m_dScaleX;
    const int labelWidth = fm.horizontalAdvance(StationLabel(numbering, last)) + 6;
    const int every = std::max(1, int(std::ceil(labelWidth / std::max(1.0, majorPx))));
    p.setPen(Qt::black);
    for (long long k = std::llround(std::ceil(first / minor)); k * minor <= last; ++k) {
        const double v = double(k) * minor;
        const int x = r.left() + nOffset + u.DeviceX(v);
        const int len = TickLength(v, u.m_dStepX, r.height());
        p.drawLine(x, r.bottom(), x, r.bottom() - len + 1);
        const double major = std::round(v / u.m_dStepX[2]);
        const QString label = StationLabel(numbering, v);
        if (len == r.height() - 2 && std::fmod(std::fabs(major), every) < 0.5 &&
            x + 2 + fm.horizontalAdvance(label) <= r.right()) {
            p.drawText(QPoint(x + 2, r.top() + fm.ascent()), label);
        }
    }
    p.restore();
}

void YRulerPainter::DrawVertical(QPainter& p, const QRect& r, const YUint& u, int nOffset,
                                 const QColor& face) {
    p.save();
    p.setClipRect(r);
    Frame(p, r, face);
    p.setFont(YDiagramStyle::Instance().SmallFont());
    const QFontMetrics fm(p.font());
    // The view's row 0 lies at r.top() + nOffset.
    const double top = u.DiagramY(-nOffset);
    const double bottom = u.DiagramY(r.height() - nOffset);
    const double minor = u.m_dStepY[0];
    const double majorPx = u.m_dStepY[2] / u.m_dScaleY;
    const int labelWidth = fm.horizontalAdvance(AreaLabel(-top)) + 6;
    const int every = std::max(1, int(std::ceil(labelWidth / std::max(1.0, majorPx))));
    p.setPen(Qt::black);
    for (long long k = std::llround(std::ceil(bottom / minor)); k * minor <= top; ++k) {
        const double v = double(k) * minor;
        const int y = r.top() + nOffset + u.DeviceY(v);
        const int len = TickLength(v, u.m_dStepY, r.width());
        p.drawLine(r.right(), y, r.right() - len + 1, y);
        const double major = std::round(v / u.m_dStepY[2]);
        const QString label = AreaLabel(v);
        if (len == r.width() - 2 && std::fmod(std::fabs(major), every) < 0.5 &&
            y - 2 - fm.horizontalAdvance(label) >= r.top()) {
            // The label runs upwards from the tick.
            p.save();
            p.translate(r.left() + fm.ascent(), y - 2);
            p.rotate(-90);
            p.drawText(QPoint(0, 0), label);
            p.restore();
        }
    }
    p.restore();
}
