#include "gui/app/YMDIClientWnd.h"

#include "core/platform/YConf.h"

#include <QMdiSubWindow>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>
#include <algorithm>
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

int YMDIClientWnd::CascadeStep() const {
    return style()->pixelMetric(QStyle::PM_TitleBarHeight) + 4;
}

void YMDIClientWnd::Cascade() {
    m_bMaximised = false;
    // The active window takes the last place, in front, so every title bar shows.
    QList<QMdiSubWindow*> windows = subWindowList(QMdiArea::CreationOrder);
    if (QMdiSubWindow* active = activeSubWindow(); windows.removeOne(active)) {
        windows.append(active);
    }
    const QSize area = viewport()->size();
    const int step = CascadeStep();
    const int n = int(windows.size());
    const QSize size(std::max(area.width() * 2 / 3, area.width() - step * (n - 1)),
                     std::max(area.height() * 2 / 3, area.height() - step * (n - 1)));
    const int roomX = std::max(1, area.width() - size.width() + 1);
    const int roomY = std::max(1, area.height() - size.height() + 1);
    for (int i = 0; i < n; ++i) {
        QMdiSubWindow* window = windows[i];
        window->showNormal();
        window->setGeometry(QRect(QPoint((i * step) % roomX, (i * step) % roomY), size));
        window->raise();
    }
}

void YMDIClientWnd::Tile() {
    m_bMaximised = false;
    for (QMdiSubWindow* window : subWindowList()) {
        window->showNormal();
    }
    tileSubWindows();
}

void YMDIClientWnd::PlaceNew(QMdiSubWindow* window, QMdiSubWindow* besides) {
    const QSize area = viewport()->size();
    if (m_bMaximised || besides == nullptr) {
        // Restored later (another window comes forward, or the user restores it), it has a
        // size to work in rather than its tiny minimum.
        window->setGeometry(QRect(QPoint(0, 0), area * 2 / 3));
        return;
    }
    const QSize size = besides->size().expandedTo(area * 2 / 3).boundedTo(area);
    const int step = CascadeStep();
    QPoint at = besides->pos() + QPoint(step, step);
    if (at.x() + size.width() > area.width() || at.y() + size.height() > area.height()) {
        at = QPoint(0, 0);
    }
    window->showNormal();
    window->setGeometry(QRect(at, size));
}
