#pragma once

class CDalvexDoc;

// "结束调配": checks that nothing is left to allocate in the current segment and writes what the
// reports read: the fill made in every stretch ([土石计算中间表] and [土方调配扩展记录]), the step
// summaries ([过程], [调配过程表]) and the statistics per stretch ([土石计算2], [统计扩展]). One
// transaction. The rules are in docs/statistics.md.
class YFinish {
  public:
    // False after "调配尚未完成!桩号%s" when a stretch still has surplus or needs fill, or on a
    // database failure; nothing is changed then.
    [[nodiscard]] static bool Finish(CDalvexDoc& doc);
};
