#pragma once

#include "core/db/DpKind.h"
#include "core/db/YClassQuantities.h"
#include "core/station/YStation.h"

#include <array>

// A process (调配过程) read back from its row pair of the log [Tmp调配过程表], as undo, redo
// and repair apply it. Amounts are before - after of the log: the 16 source values (DpAmt
// order) and, at Fill, the destination's quantity.
struct DpLogRecord {
    static constexpr int Fill = DpAmt::Count;

    DpKind kind = DpKind::Unknown;
    int step = 0;
    int seq = 0;
    int partner = 0;
    int pit = -1; // pit index, or the neighbour link's 编号 for kinds 7 and 8; -1 none
    YStation srcStart;
    YStation srcEnd;
    YStation dstStart;
    YStation dstEnd;
    std::array<double, DpAmt::Count + 1> amount{};

    double Amount(int i) const { return amount[i]; }
    double FillAmount() const { return amount[Fill]; }
};
