#pragma once

#include "core/station/YStation.h"

class YPitSet;

// What the model keeps of a borrow or waste pit; the per-class contents and capacities stay in
// the record sets of [取土坑] / [弃土坑] and are read from there.
class YPitItem {
  public:
    YStation m_staRoad;     // 上路桩号: where the pit's access road meets the line
    YStation m_staEcoStart; // 前经济分界点桩号: start of the stretch the pit serves
    YStation m_staEcoEnd;   // 后经济分界点桩号: end of that stretch
    double m_dBranch = 0.0; // 支线长度: access road length, m
    // Where the diagram last drew the pit's icon in its pit strip (pixels), −1 when it did not;
    // the allocation tool picks pits there.
    int m_nStripPos = -1;

    // Reads the current row of a pit record set. Below layout version 3 the boundaries are not
    // stored and both equal the road station.
    void Load(const YPitSet& row);
};
