#pragma once

#include "core/db/DpKind.h"
#include "core/db/YClassQuantities.h"

// 调配数量: what one allocation process moves, as the log stores it. The amount moved is
// before - after for each source value (DpAmt order) and fillBefore - fillAfter for the
// destination, in m³ (natural, compacted as DpAmt says).
struct DpTransfer {
    DpKind kind = DpKind::Haul;
    int step = 0;
    int seq = 0;
    int partner = 0; // kinds 7 and 8: the matching step in the neighbouring project
    DpBlock before{};
    DpBlock after{};
    double fillBefore = 0.0;
    double fillAfter = 0.0;
    int pit = -1; // borrow/waste pit index, or neighbour link index for kinds 7 and 8

    // What the process moves of source value i. For a local take (kind 3) the after block
    // carries contents and coefficients instead of amounts: its before values are the amounts.
    double Moved(int i) const {
        return kind == DpKind::LocalBorrow ? before[i] : before[i] - after[i];
    }
    double FillMoved() const { return fillBefore - fillAfter; }
};
