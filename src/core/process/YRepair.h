#pragma once

class CDalvexDoc;

// "修复所有调配过程": rebuilds the allocation state of the current segment from the log. The
// pits get back everything the applied processes took, [土石计算中间表] is copied afresh from
// [土石计算], and the applied processes are replayed in log order; the undone tail is dropped.
// A borrow or waste process that its pit can no longer serve (the pit was edited smaller) is
// not replayed and its log rows are deleted, so log, pits and table agree afterwards. One
// transaction: it completes or changes nothing.
class YRepair {
  public:
    // False when nothing was repaired: an empty log, cross-project processes in the log
    // ("存在跨项目调配，不能修复调配过程!"), or a database failure.
    [[nodiscard]] static bool Repair(CDalvexDoc& doc);

    // Refills [土石计算中间表] of the current segment from [土石计算].
    [[nodiscard]] static bool ResetMidTable(CDalvexDoc& doc);
};
