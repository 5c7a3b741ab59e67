#pragma once

#include "draw/YUint.h"

#include <QPainter>
#include <vector>

class YSegmentModel;

// The strip of borrow pits (取土坑) and waste pits (弃土坑) above the diagram, 21 pixels high,
// in the x coordinates of the diagram's client area.
namespace YPitStrip {
constexpr int Height = 21;
// Half the width of the search window around the cursor for pit tips, pixels.
constexpr int HitHalfWidth = 13;

// Pits at their stations: every pit whose economic stretch meets the visible range gets its
// icon in a frame whose arms reach out to the ends of the visible part of the stretch.
// Remembers each drawn icon's centre in m_nStripPos.
void DrawAtStations(QPainter& p, const YUint& u, YSegmentModel& model, int nWidth);
// The first pit (table order) whose economic stretch meets the stations under x ± 13 pixels.
int PitNear(const YUint& u, const YSegmentModel& model, int x, bool bBorrow);
} // namespace YPitStrip

// One fixed strip (取、弃土坑固定显示): the pits of one kind side by side as icon + number,
// scrolled by four arrow buttons when they do not fit.
class YPitScroll {
  public:
    enum class Button { None, First, Prev, Next, Last };
    static constexpr int ButtonWidth = 10;
    static constexpr int IconWidth = 26;

    explicit YPitScroll(bool bBorrow) : m_bBorrow(bBorrow) {}

    // Lays the pits of the model out between left and right (pixels).
    void Layout(const YSegmentModel& model, int nLeft, int nRight);
    void Draw(QPainter& p, YSegmentModel& model) const;
    // The button a press at x hits (None: the press is not the strip's).
    Button ButtonAt(int x) const;
    // Moves the first visible pit; false when it did not move.
    bool Step(Button button);
    // The pit whose icon or number lies under x ± 13 pixels, or −1.
    int PitAt(int x) const;
    int FirstVisible() const { return m_nFirst; }
    bool HasButtons() const { return m_bButtons; }

  private:
    // The pits lie between the two button pairs.
    int ItemsLeft() const { return m_bButtons ? m_nLeft + 22 : m_nLeft; }
    int ItemsRight() const { return m_bButtons ? m_nRight - 26 : m_nRight; }

    bool m_bBorrow;
    int m_nLeft = 0;
    int m_nRight = 0;
    int m_nFirst = 0;
    bool m_bButtons = false;
    std::vector<int> m_widths; // icon + number text, pixels
};
