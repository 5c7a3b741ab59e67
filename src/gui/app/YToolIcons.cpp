#include "gui/app/YToolIcons.h"

#include "gui/app/YCommandIds.h"

#include <QPainter>
#include <QPainterPath>
#include <array>
#include <functional>
#include <map>

namespace {

// Class colours of the diagram's bands (松土 … 坚石), so a class button matches its band.
const std::array<QColor, 6> ClassColours = {QColor(0, 181, 0),   QColor(0, 128, 0),
                                            QColor(0, 128, 112), QColor(128, 80, 0),
                                            QColor(128, 0, 0),   QColor(128, 0, 128)};
const QColor Ink(40, 40, 40);
const QColor Earth(150, 100, 40);
const QColor Stone(120, 120, 130);

void DrawPage(QPainter& p) {
    QPainterPath page;
    page.moveTo(3.5, 1.5);
    page.lineTo(9.5, 1.5);
    page.lineTo(12.5, 4.5);
    page.lineTo(12.5, 13.5);
    page.lineTo(3.5, 13.5);
    page.closeSubpath();
    p.setPen(Ink);
    p.setBrush(Qt::white);
    p.drawPath(page);
    p.drawLine(QPointF(9.5, 1.5), QPointF(9.5, 4.5));
    p.drawLine(QPointF(9.5, 4.5), QPointF(12.5, 4.5));
}

void DrawOpen(QPainter& p) {
    p.setPen(Ink);
    p.setBrush(QColor(230, 190, 90));
    p.drawRect(QRectF(1.5, 4.5, 11, 8));
    p.drawRect(QRectF(1.5, 3.5, 4, 1));
    p.setBrush(QColor(250, 220, 120));
    const QPointF flap[] = {{3.5, 7.5}, {14.5, 7.5}, {12.5, 12.5}, {1.5, 12.5}};
    p.drawPolygon(flap, 4);
}

void DrawSaveAs(QPainter& p) {
    p.setPen(Ink);
    p.setBrush(QColor(60, 90, 170));
    p.drawRect(QRectF(1.5, 1.5, 11, 11));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(3.5, 1.5, 7, 4));
    p.setBrush(QColor(200, 200, 200));
    p.drawRect(QRectF(4.5, 8.5, 5, 4));
    // a pencil: "under another name"
    p.setPen(QPen(QColor(200, 60, 40), 2));
    p.drawLine(QPointF(9, 13), QPointF(14.5, 7.5));
}

void DrawArrow(QPainter& p, bool bBack) {
    QPainterPath arc;
    if (bBack) {
        arc.moveTo(12.5, 11.5);
        arc.cubicTo(12.5, 4.5, 7.5, 4.5, 3.5, 6.5);
    } else {
        arc.moveTo(3.5, 11.5);
        arc.cubicTo(3.5, 4.5, 8.5, 4.5, 12.5, 6.5);
    }
    p.setPen(QPen(QColor(30, 80, 160), 2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(arc);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 80, 160));
    const double x = bBack ? 1.0 : 15.0;
    const double d = bBack ? 5.0 : -5.0;
    const QPointF head[] = {{x, 6.5}, {x + d, 2.5}, {x + d, 10.5}};
    p.drawPolygon(head, 3);
}

void DrawSelectRect(QPainter& p) {
    QPen pen(Ink);
    pen.setStyle(Qt::DashLine);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(1.5, 2.5, 12, 10));
}

// A mound of cut material in the given colour.
void DrawMound(QPainter& p, const QColor& colour) {
    p.setPen(Ink);
    p.setBrush(colour);
    const QPointF mound[] = {{1.5, 12.5}, {5.5, 4.5}, {10.5, 3.5}, {14.5, 12.5}};
    p.drawPolygon(mound, 4);
}

void DrawFill(QPainter& p) {
    // a trench below the ground line, to be filled
    p.setPen(Ink);
    p.drawLine(QPointF(0.5, 4.5), QPointF(15.5, 4.5));
    p.setBrush(QColor(106, 105, 107));
    const QPointF trench[] = {{3.5, 4.5}, {12.5, 4.5}, {10.5, 12.5}, {5.5, 12.5}};
    p.drawPolygon(trench, 4);
}

// One class: its band colour, with as many pips as the class number.
void DrawClass(QPainter& p, int k) {
    p.setPen(Ink);
    p.setBrush(ClassColours[size_t(k - 1)]);
    p.drawRect(QRectF(1.5, 1.5, 13, 12));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    for (int i = 0; i < k; ++i) {
        const int col = i % 3;
        const int row = i / 3;
        p.drawRect(QRectF(3.5 + 3.5 * col, 4 + 4.5 * row, 2, 2));
    }
}

void DrawAllocate(QPainter& p) {
    p.setPen(Ink);
    p.setBrush(Earth);
    const QPointF mound[] = {{0.5, 8.5}, {3.5, 3.5}, {6.5, 8.5}};
    p.drawPolygon(mound, 3);
    p.setBrush(QColor(106, 105, 107));
    p.drawRect(QRectF(10.5, 9.5, 4, 4));
    p.setPen(QPen(QColor(200, 40, 40), 1.5));
    p.setBrush(Qt::NoBrush);
    QPainterPath haul;
    haul.moveTo(4, 3);
    haul.quadTo(9, -1, 12.5, 7.5);
    p.drawPath(haul);
    p.drawLine(QPointF(12.5, 7.5), QPointF(10, 6));
    p.drawLine(QPointF(12.5, 7.5), QPointF(13.5, 5));
}

void DrawLens(QPainter& p) {
    p.setPen(QPen(Ink, 1));
    p.setBrush(QColor(220, 235, 255));
    p.drawEllipse(QRectF(1.5, 1.5, 9, 9));
    p.setPen(QPen(Ink, 2.5));
    p.drawLine(QPointF(9.5, 9.5), QPointF(14, 13.5));
}

void DrawZoom(QPainter& p, int nKind) {
    DrawLens(p);
    p.setPen(QPen(Ink, 1));
    switch (nKind) {
    case 0: // in: plus
        p.drawLine(QPointF(3.5, 6), QPointF(8.5, 6));
        p.drawLine(QPointF(6, 3.5), QPointF(6, 8.5));
        break;
    case 1: // out: minus
        p.drawLine(QPointF(3.5, 6), QPointF(8.5, 6));
        break;
    case 2: // drag zoom: a small frame
        p.drawRect(QRectF(4, 4, 4, 4));
        break;
    default: // horizontal / vertical
        p.drawLine(QPointF(3.5, 6), QPointF(8.5, 6));
        p.drawLine(QPointF(6, 3.5), QPointF(6, 8.5));
        p.drawLine(QPointF(3.5, 6), QPointF(4.5, 5));
        p.drawLine(QPointF(8.5, 6), QPointF(7.5, 5));
        break;
    }
}

void DrawPan(QPainter& p) {
    p.setPen(QPen(Ink, 1.5));
    p.drawLine(QPointF(8, 1), QPointF(8, 14));
    p.drawLine(QPointF(1, 7.5), QPointF(15, 7.5));
    p.setPen(Qt::NoPen);
    p.setBrush(Ink);
    const QPointF up[] = {{8, 0}, {5.5, 3}, {10.5, 3}};
    const QPointF down[] = {{8, 15}, {5.5, 12}, {10.5, 12}};
    const QPointF left[] = {{0, 7.5}, {3, 5}, {3, 10}};
    const QPointF right[] = {{16, 7.5}, {13, 5}, {13, 10}};
    p.drawPolygon(up, 3);
    p.drawPolygon(down, 3);
    p.drawPolygon(left, 3);
    p.drawPolygon(right, 3);
}

void DrawAbout(QPainter& p) {
    p.setPen(Ink);
    p.setBrush(QColor(255, 250, 200));
    p.drawEllipse(QRectF(1.5, 1, 12, 12));
    p.setPen(QPen(QColor(30, 80, 160), 2));
    p.drawLine(QPointF(7.5, 6), QPointF(7.5, 11));
    p.drawPoint(QPointF(7.5, 3.5));
}

using Painter = std::function<void(QPainter&)>;

const std::map<int, Painter>& Painters() {
    static const std::map<int, Painter> painters = {
        {YCmd::FileNew, DrawPage},
        {YCmd::FileOpen, DrawOpen},
        {YCmd::FileSaveAs, DrawSaveAs},
        {YCmd::EditUndo, [](QPainter& p) { DrawArrow(p, true); }},
        {YCmd::EditRedo, [](QPainter& p) { DrawArrow(p, false); }},
        {YCmd::ToolSelect, DrawSelectRect},
        {YCmd::SelectCutSoil, [](QPainter& p) { DrawMound(p, Earth); }},
        {YCmd::SelectCutRock, [](QPainter& p) { DrawMound(p, Stone); }},
        {YCmd::SelectFill, DrawFill},
        {YCmd::SelectClass1, [](QPainter& p) { DrawClass(p, 1); }},
        {YCmd::SelectClass2, [](QPainter& p) { DrawClass(p, 2); }},
        {YCmd::SelectClass3, [](QPainter& p) { DrawClass(p, 3); }},
        {YCmd::SelectClass4, [](QPainter& p) { DrawClass(p, 4); }},
        {YCmd::SelectClass5, [](QPainter& p) { DrawClass(p, 5); }},
        {YCmd::SelectClass6, [](QPainter& p) { DrawClass(p, 6); }},
        {YCmd::ToolDP, DrawAllocate},
        {YCmd::ToolZoomIn, [](QPainter& p) { DrawZoom(p, 0); }},
        {YCmd::ToolZoomOut, [](QPainter& p) { DrawZoom(p, 1); }},
        {YCmd::ToolZoom, [](QPainter& p) { DrawZoom(p, 2); }},
        {YCmd::ToolZoomHV, [](QPainter& p) { DrawZoom(p, 3); }},
        {YCmd::ToolPan, DrawPan},
        {YCmd::AppAbout, DrawAbout},
    };
    return painters;
}

} // namespace

QPixmap YToolIcons::Pixmap(int nCommandId) {
    const auto it = Painters().find(nCommandId);
    if (it == Painters().end()) {
        return {};
    }
    QPixmap pixmap(Width, Height);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    it->second(p);
    return pixmap;
}

QIcon YToolIcons::Icon(int nCommandId) {
    const QPixmap pixmap = Pixmap(nCommandId);
    return pixmap.isNull() ? QIcon() : QIcon(pixmap);
}
