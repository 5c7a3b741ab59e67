#pragma once

class CDalvexDoc;

// "清除所有调配及处理": after the user's yes, gives the pits back what the applied processes
// took and deletes the preprocessing results and the whole allocation of the current segment
// ([土石计算], [土石计算中间表], [调配过程表], [Tmp调配过程表], [过程]). Refused for a log with
// cross-project processes. One transaction.
class YClearAll {
  public:
    [[nodiscard]] static bool ClearAll(CDalvexDoc& doc);
};
