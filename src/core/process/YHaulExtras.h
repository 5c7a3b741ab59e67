#pragma once

#include "core/station/YStation.h"

#include <map>
#include <optional>
#include <vector>

class YDpStep;

// What a haul distance (运距) adds to the pure centre-to-centre distance: the access road of a pit,
// half the crossing distance of a neighbour port, and the detours around crossable structures
// that lie between the source and the destination. Built once from a document's items, so a
// report over thousands of steps does not touch the database per step.
class YHaulExtras {
  public:
    struct Structure {
        YStation start;
        YStation end;
        bool bCross = true;
        std::optional<double> detour; // 绕行距离; none when NULL in the table
    };

    std::vector<double> borrowBranch;   // 支线长度 by borrow pit index
    std::vector<double> wasteBranch;    // 支线长度 by waste pit index
    std::map<int, double> linkDistance; // 距离 by the link's 编号
    std::vector<Structure> structures;  // in stored order (ascending start station)

    // Extra metres for a step: pit road, half the port distance, detours in the gap.
    double Extra(const YDpStep& step) const;
    // The detours of crossable structures wholly inside the gap between two ranges that do
    // not overlap; 0 when they overlap.
    double Detours(YStation aStart, YStation aEnd, YStation bStart, YStation bEnd) const;
};
