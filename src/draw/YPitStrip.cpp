#include "draw/YPitStrip.h"

#include "core/model/YSegmentModel.h"
#include "draw/YDiagramStyle.h"

#include <QFontMetrics>
#include <algorithm>
#include <numeric>

namespace {
template <class Pit>
void DrawKind(QPainter& p, const YUint& u, std::vector<Pit>& pits, const QImage& icon, double xl,
              double xr) {
    for (Pit& pit : pits) {
        pit.m_nStripPos = -1;
        const double ecoStart = pit.m_staEcoStart.Value();
        const double ecoEnd = pit.m_staEcoEnd.Value();
        if (ecoStart > xr || ecoEnd < xl) {
            continue;
        }
        const int c = u.DeviceX(std::clamp(pit.m_staRoad.Value(), xl, xr));
        const int f = u.DeviceX(std::max(xl, ecoStart));
        const int g = u.DeviceX(std::min(xr, ecoEnd));
        int left = c - 13;
        // Keep the icon within the visible part of the stretch when that part has room for it.
        if (g - f > 30) {
            left = std::clamp(left, f + 2, g - 28);
        }
        p.drawImage(left, 2, icon);
        p.drawLine(left - 2, 1, left - 2, 14);
        p.drawLine(left - 1, 0, left + 27, 0);
        p.drawLine(left + 27, 1, left + 27, 14);
        p.drawPolyline(QPolygon({QPoint(left - 2, 14), QPoint(f, 14), QPoint(f, 20)}));
        p.drawPolyline(QPolygon({QPoint(left + 27, 14), QPoint(g, 14), QPoint(g, 20)}));
        pit.m_nStripPos = left + 13;
    }
}

template <class Pit> int FindNear(const std::vector<Pit>& pits, double a, double b) {
    for (size_t i = 0; i < pits.size(); ++i) {
        if (pits[i].m_staEcoStart.Value() <= b && pits[i].m_staEcoEnd.Value() >= a) {
            return int(i);
        }
    }
    return -1;
}
} // namespace

void YPitStrip::DrawAtStations(QPainter& p, const YUint& u, YSegmentModel& model, int nWidth) {
    p.save();
    p.fillRect(0, 0, nWidth, Height - 1, Qt::black);
    p.fillRect(0, Height - 1, nWidth, 1, Qt::white);
    p.setPen(QPen(Qt::white, 1));
    const double xl = u.DiagramX(0);
    const double xr = u.DiagramX(nWidth);
    const YDiagramStyle& style = YDiagramStyle::Instance();
    DrawKind(p, u, model.m_arrQutuk, style.BorrowIcon(), xl, xr);
    DrawKind(p, u, model.m_arrQituk, style.WasteIcon(), xl, xr);
    p.restore();
}

int YPitStrip::PitNear(const YUint& u, const YSegmentModel& model, int x, bool bBorrow) {
    const double a = u.DiagramX(x - HitHalfWidth);
    const double b = u.DiagramX(x + HitHalfWidth);
    return bBorrow ? FindNear(model.m_arrQutuk, a, b) : FindNear(model.m_arrQituk, a, b);
}

// ---------------------------------------------------------------- fixed strips

void YPitScroll::Layout(const YSegmentModel& model, int nLeft, int nRight) {
    m_nLeft = nLeft;
    m_nRight = nRight;
    const size_t count = m_bBorrow ? model.m_arrQutuk.size() : model.m_arrQituk.size();
    const QFontMetrics fm(YDiagramStyle::Instance().SmallFont());
    m_widths.clear();
    for (size_t i = 0; i < count; ++i) {
        m_widths.push_back(fm.horizontalAdvance(QString::number(i + 1)) + IconWidth + 4);
    }
    const int total = std::accumulate(m_widths.begin(), m_widths.end(), 0);
    m_bButtons = total > nRight - nLeft;
    if (!m_bButtons) {
        m_nFirst = 0;
    }
    m_nFirst = std::clamp(m_nFirst, 0, std::max(0, int(count) - 1));
}

void YPitScroll::Draw(QPainter& p, YSegmentModel& model) const {
    p.save();
    p.setClipRect(QRect(m_nLeft, 0, m_nRight - m_nLeft, YPitStrip::Height));
    p.fillRect(QRect(m_nLeft, 0, m_nRight - m_nLeft, YPitStrip::Height - 1), Qt::black);
    p.fillRect(QRect(m_nLeft, YPitStrip::Height - 1, m_nRight - m_nLeft, 1), Qt::white);
    p.setFont(YDiagramStyle::Instance().SmallFont());
    const QImage& icon =
        m_bBorrow ? YDiagramStyle::Instance().BorrowIcon() : YDiagramStyle::Instance().WasteIcon();
    auto positions = [&](auto& pits) {
        for (auto& pit : pits) {
            pit.m_nStripPos = -1;
        }
        int x = ItemsLeft();
        for (size_t i = size_t(m_nFirst); i < pits.size() && x < ItemsRight(); ++i) {
            p.drawImage(x, 2, icon);
            p.setPen(Qt::white);
            p.drawText(QRect(x + IconWidth, 0, m_widths[i] - IconWidth, YPitStrip::Height - 1),
                       Qt::AlignVCenter | Qt::AlignLeft, QString::number(i + 1));
            pits[i].m_nStripPos = x + IconWidth / 2;
            x += m_widths[i];
        }
    };
    if (m_bBorrow) {
        positions(model.m_arrQutuk);
    } else {
        positions(model.m_arrQituk);
    }
    if (m_bButtons) {
        // ⏮ ◀ at the left end, ▶ ⏭ at the right end.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(200, 200, 200));
        auto arrow = [&](int x, bool bRight, bool bBar) {
            const int y = 10;
            const int dir = bRight ? 1 : -1;
            const int cx = x + ButtonWidth / 2;
            p.drawPolygon(QPolygon({QPoint(cx - 3 * dir, y - 5), QPoint(cx + 3 * dir, y),
                                    QPoint(cx - 3 * dir, y + 5)}));
            if (bBar) {
                p.drawRect(cx + 3 * dir - (bRight ? 0 : 1), y - 5, 1, 10);
            }
        };
        arrow(m_nLeft, false, true);
        arrow(m_nLeft + 11, false, false);
        arrow(m_nRight - 25, true, false);
        arrow(m_nRight - 13, true, true);
    }
    p.restore();
}

YPitScroll::Button YPitScroll::ButtonAt(int x) const {
    if (!m_bButtons || x < m_nLeft || x > m_nRight) {
        return Button::None;
    }
    if (x < m_nLeft + 10) {
        return Button::First;
    }
    if (x < m_nLeft + 22) {
        return Button::Prev;
    }
    if (x > m_nRight - 14) {
        return Button::Last;
    }
    if (x > m_nRight - 26) {
        return Button::Next;
    }
    return Button::None;
}

bool YPitScroll::Step(Button button) {
    const int last = std::max(0, int(m_widths.size()) - 1);
    const int old = m_nFirst;
    switch (button) {
    case Button::First:
        m_nFirst = 0;
        break;
    case Button::Prev:
        m_nFirst = std::max(0, m_nFirst - 1);
        break;
    case Button::Next:
        m_nFirst = std::min(last, m_nFirst + 1);
        break;
    case Button::Last:
        m_nFirst = last;
        break;
    case Button::None:
        break;
    }
    return m_nFirst != old;
}

int YPitScroll::PitAt(int x) const {
    int left = ItemsLeft();
    for (size_t i = size_t(m_nFirst); i < m_widths.size() && left < ItemsRight(); ++i) {
        const int right = left + m_widths[i];
        if (x + YPitStrip::HitHalfWidth >= left && x - YPitStrip::HitHalfWidth < right) {
            return int(i);
        }
        left = right;
    }
    return -1;
}
