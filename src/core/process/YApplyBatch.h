#pragma once

#include "core/db/DpLogRecord.h"

#include <map>
#include <vector>

class CDalvexDoc;

// Applies many logged processes to [土石计算中间表] (dir +1 take, -1 give back) writing each
// touched row once: the processes of a row are applied to it in the order they were added,
// with the same arithmetic as one by one, so the result is the same bit for bit. Undo, redo
// and repair of thousands of processes then cost one row write per segment, not two per
// process. Pits are not handled here (see YRecordApplier::ApplyPits).
class YApplyBatch {
  public:
    explicit YApplyBatch(CDalvexDoc& doc) : m_doc(doc) {}

    // Queues the row work of a process; false when its source or destination row is missing.
    [[nodiscard]] bool Add(const DpLogRecord& r, int dir);
    // Writes the rows; with bItems the segment items follow them.
    [[nodiscard]] bool Flush(bool bItems);

  private:
    struct Op {
        DpBlock amount{};
        double dFill = 0.0;
        int nDir = 1;
        bool bSource = false;
        bool bUnusable = false;
        bool bReuse = false;
    };

    CDalvexDoc& m_doc;
    std::map<int, std::vector<Op>> m_rows; // by position in the set
};
