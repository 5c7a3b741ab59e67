#pragma once

#include "core/db/DpLogRecord.h"

class CDalvexDoc;

// Applies a logged process to the stores of its document once more (dir +1: redo, replay) or
// takes it back (dir -1: undo): the pits it took from or filled, the source and destination
// rows of [土石计算中间表] and, with bItems, the model's segment items. The caller holds the
// transaction.
class YRecordApplier {
  public:
    [[nodiscard]] static bool Apply(CDalvexDoc& doc, const DpLogRecord& r, int dir, bool bItems);
    // Only the pit part of Apply.
    [[nodiscard]] static bool ApplyPits(CDalvexDoc& doc, const DpLogRecord& r, int dir);
    // Whether the pit of a borrow or waste process still holds (or has room for) what the
    // process takes (within 1e-5 m³). Processes of other kinds are always accepted.
    [[nodiscard]] static bool PitAccepts(CDalvexDoc& doc, const DpLogRecord& r);
    // Only the [土石计算中间表] and item part of Apply.
    [[nodiscard]] static bool ApplyRows(CDalvexDoc& doc, const DpLogRecord& r, int dir,
                                        bool bItems);
};
