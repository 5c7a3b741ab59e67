#pragma once

#include "core/station/YStation.h"

#include <QString>
#include <vector>

class YTFItem;

// One line of the task list: a run of adjacent segments that still has surplus (type 0) or
// still needs fill (type 1). Volumes in m³: surplus natural, fill compacted.
struct YTask {
    int nType = 0;
    YStation staFrom;
    YStation staTo;
    double dUseSoil = 0.0;
    double dUseRock = 0.0;
    double dUnuseSoil = 0.0;
    double dUnuseRock = 0.0;
    double dFill = 0.0;

    // The row label: "%d.挖余" or "%d.填缺" with the row's position from 1.
    QString Label(int row) const;
};

// The task list (调配任务): the remaining work of the open segment, built from the segment
// items: surplus runs and fill runs, appended in the order they close (the surplus run first
// where both close at once).
class YTaskList {
  public:
    [[nodiscard]] static std::vector<YTask> Build(const std::vector<YTFItem>& segments);
};
