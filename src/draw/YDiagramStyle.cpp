#include "draw/YDiagramStyle.h"

#include <QFontDatabase>
#include <QPainter>
#include <QPolygon>

namespace {
// Normal and selected colours of the usable classes 1..6 (松土 … 坚石).
const QColor kUsable[6] = {{0, 181, 0},  {0, 128, 0}, {0, 128, 112},
                           {128, 80, 0}, {128, 0, 0}, {128, 0, 128}};
const QColor kUsableSelected[6] = {{223, 255, 0}, {0, 255, 0}, {0, 255, 223},
                                   {255, 159, 0}, {255, 0, 0}, {255, 0, 255}};
const QColor kFill(106, 105, 107);
const QColor kFillSelected(180, 180, 180);

QFont DiagramFont(int pointSize) {
    // Chinese labels need a CJK family; fontconfig falls back, but pick one explicitly so the
    // look does not depend on the desktop's default.
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setFamilies(
        {QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Noto Sans CJK SC"), font.family()});
    font.setPointSize(pointSize);
    return font;
}

// A pit on the 26×16 icon: a trapezoid pit with an arrow out of it (borrow) or into it (waste).
QImage PitIcon(bool bBorrow) {
    QImage icon(26, 16, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    QPainter p(&icon);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor earth = bBorrow ? QColor(214, 160, 60) : QColor(150, 110, 80);
    p.setPen(QPen(QColor(230, 230, 230), 1));
    p.setBrush(earth);
    p.drawPolygon(QPolygon({QPoint(2, 8), QPoint(24, 8), QPoint(19, 15), QPoint(7, 15)}));
    p.setPen(QPen(bBorrow ? QColor(255, 255, 0) : QColor(0, 220, 255), 2));
    const int tip = bBorrow ? 1 : 11;
    const int tail = bBorrow ? 11 : 1;
    p.drawLine(13, tail, 13, tip);
    const int barb = bBorrow ? tip + 4 : tip - 4;
    p.drawLine(13, tip, 9, barb);
    p.drawLine(13, tip, 17, barb);
    return icon;
}
} // namespace

const YDiagramStyle& YDiagramStyle::Instance() {
    static const YDiagramStyle style;
    return style;
}

QColor YDiagramStyle::UsableColour(int nClass) {
    return kUsable[nClass - 1];
}

QImage YDiagramStyle::Pattern(QColor background, QColor line, bool bRising) {
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(background);
    for (int i = 0; i < 8; ++i) {
        image.setPixelColor(i, bRising ? 7 - i : i, line);
    }
    return image;
}

YDiagramStyle::YDiagramStyle()
    : m_borrowIcon(PitIcon(true)), m_wasteIcon(PitIcon(false)), m_font(DiagramFont(9)),
      m_smallFont(DiagramFont(7)) {
    m_normal[0] = QBrush(kFill);
    m_selected[0] = QBrush(Pattern(kFillSelected, QColor(0, 0, 255), true));
    for (int k = 0; k < 6; ++k) {
        m_normal[size_t(k + 1)] = QBrush(kUsable[k]);
        m_selected[size_t(k + 1)] = QBrush(Pattern(kUsableSelected[k], QColor(0, 0, 128), true));
        // Unusable material keeps its class colour under a dark hatch and never shows as
        // selected: it can only be wasted.
        const QColor hatch = k == 0 ? QColor(0, 0, 0) : QColor(0, 64, 0);
        m_normal[size_t(k + 7)] = QBrush(Pattern(kUsable[k], hatch, false));
        m_selected[size_t(k + 7)] = m_normal[size_t(k + 7)];
    }
}

const QBrush& YDiagramStyle::Brush(int nBand, bool bSelected) const {
    return bSelected ? m_selected[size_t(nBand + 1)] : m_normal[size_t(nBand + 1)];
}
