#pragma once

#include "core/db/YDpLogRow.h"
#include "core/process/DpProcess.h"

class CDalvexDoc;

// Recording of allocation processes (调配过程) in one document: step numbers, the quantities a
// process starts from, and applying and logging it. Strategies call these in this order:
// NextStep once, then per transfer TakeBefore, lower the after values, RecordProcess; finally
// EndStep when anything was recorded.
class YProcessRecorder {
  public:
    // The number for a new step: one more than the last applied step of the log (1 when none).
    // Undone steps are purged first; when that fails "清理多余调配过程失败！" is shown and -1
    // returned. Every reactor is told the new number.
    [[nodiscard]] static int NextStep(CDalvexDoc& doc);

    // Fills the before values (and equal after values, fillAfter = fillBefore) of a process
    // from the pit tables and [土石计算中间表], by kind. A local take (kind 3) gets the
    // destination's class contents in after 1-6 and coefficients in after 7-12.
    static void TakeBefore(CDalvexDoc& doc, DpProcess& p);

    // Applies a process to the pits, [土石计算中间表] and the model items, and appends its two
    // log rows, all in one transaction; then tells the reactors. Before and after values are
    // re-based on the stored values, so the amounts moved are kept even from stale records.
    // False, with nothing changed, when a row of the process cannot be found or written.
    [[nodiscard]] static bool RecordProcess(CDalvexDoc& doc, DpProcess& p);

    // The row pair RecordProcess logs for p: observers keep their lists from it without
    // reading the log back.
    [[nodiscard]] static YDpLogPair LogPair(const DpProcess& p);

    // Redraws the views and tells every reactor that the step is complete.
    static void EndStep(CDalvexDoc& doc, int step);
};
