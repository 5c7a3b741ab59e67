#pragma once

#include "core/process/YStretchStats.h"

#include <vector>

class CDalvexDoc;

// Writes the statistics tables of a finished allocation for the current segment: [土石计算2],
// [统计扩展] and [土方调配扩展记录], one row per row of [土石计算中间表] (the rules are in
// docs/statistics.md). The figures a stretch has of its own (cut, fill made, local reuse,
// deficit) are copied by SQLite itself from the intermediate table in one statement per table;
// the movements (haul, borrow, waste, out, in) are then set on the rows of the stretches that
// have any. Writing 20 000 wide rows value by value through Qt's parameter binding would take
// seconds; this takes a small part of that. The caller holds the transaction.
class YStatsTables {
  public:
    [[nodiscard]] static bool Write(CDalvexDoc& doc, const std::vector<YStretchStats>& stretches);
};
