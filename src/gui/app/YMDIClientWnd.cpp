#include "gui/app/YMDIClientWnd.h"

#include "core/platform/YConf.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

YMDIClientWnd::YMDIClientWnd(QWidget* parent)
    : QMdiArea(parent), m_picture(MakePicture(YConf::Instance().Text(1000))) {
    setBackground(QColor(128, 128, 128));
}

void YMDIClientWnd::paintEvent(QPaintEvent* event) {
    QMdiArea::paintEvent(event); // the normal background first
    QPainter p(viewport());
    const QRect area = viewport()->rect();
    p.drawPixmap(area.center().x() - PictureWidth / 2, area.center().y() - PictureHeight / 2,
                 m_picture);
}

namespace {

// Ground and grade lines of the picture, in pixels of the 450 × 190 image.
double Ground(double x) {
    return 120.0 - 28.0 * std::sin(x / 55.0) - 10.0 * std::sin(x / 17.0 + 1.0);
}
double Grade(double x) {
    return 118.0 - 0.02 * x;
}

} // namespace

QPixmap YMDIClientWnd::MakePicture(const QString& title) {
    QPixmap pixmap(PictureWidth, PictureHeight);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, PictureHeight);
    sky.setColorAt(0, QColor(70, 110, 170));
    sky.setColorAt(1, QColor(190, 210, 235));
    p.fillRect(pixmap.rect(), sky);

    // Cut (ground above the grade) and fill (ground below it), column by column.
    for (int x = 10; x < PictureWidth - 10; ++x) {
        const double g = Ground(x);
        const double r = Grade(x);
        const QColor colour = g < r ? QColor(150, 100, 40) : QColor(106, 105, 107);
        p.setPen(colour);
        p.drawLine(QPointF(x, g), QPointF(x, r));
    }
    QPainterPath ground;
    QPainterPath grade;
    ground.moveTo(10, Ground(10));
    grade.moveTo(10, Grade(10));
    for (int x = 11; x < PictureWidth - 10; ++x) {
        ground.lineTo(x, Ground(x));
        grade.lineTo(x, Grade(x));
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(60, 40, 20), 1.5));
    p.drawPath(ground);
    p.setPen(QPen(QColor(230, 60, 40), 2.5));
    p.drawPath(grade);

    // A haul from the first cut to the first fill.
    p.setPen(QPen(Qt::yellow, 2, Qt::DashLine));
    QPainterPath haul;
    haul.moveTo(70, 95);
    haul.quadTo(170, 50, 250, 125);
    p.drawPath(haul);

    QFont font = p.font();
    font.setPixelSize(30);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 8, PictureWidth, 44), Qt::AlignCenter, title);
    font.setPixelSize(13);
    font.setBold(false);
    p.setFont(font);
    p.drawText(QRect(0, 150, PictureWidth, 34), Qt::AlignCenter,
               QStringLiteral("Dalvex · 土石方计算与调配"));
    p.setPen(QColor(40, 40, 40));
    p.setBrush(Qt::NoBrush);
    p.drawRect(pixmap.rect().adjusted(0, 0, -1, -1));
    return pixmap;
}
