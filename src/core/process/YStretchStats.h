#pragma once

#include "core/process/YDpStep.h"

#include <array>
#include <vector>

class YHaulExtras;
class YTsjsSet;

// What one stretch (a row of [土石计算中间表]) contributed and received in a finished
// allocation: the rows of [土石计算2] and [统计扩展]. The rules are in docs/statistics.md.
// Groups of eight are soil, rock, classes I-VI. Compacted volumes are natural / coefficient;
// the loose (松方) figures are the natural volumes, as in the (松方) columns of the result
// tables (the project stores no swell factors); haul distances are in metres, weighted by the
// compacted amounts.
struct YStretchStats {
    using Group = std::array<double, 8>;

    // One kind of movement: what moved (compacted and loose) and the sum of compacted
    // amount × haul distance, from which the mean distance follows.
    struct Flow {
        Group compacted{};
        Group loose{};
        Group moment{};
        Group Distance() const;
        void Add(const YDpStep& pair, const YHaulExtras* extras);
    };

    YStation staStart;
    YStation staEnd;
    double dLength = 0.0;
    double dCutTotal = 0.0;
    Group cut{};             // natural, as dug
    double dFillTotal = 0.0; // compacted
    Group fillC{};
    Group fillL{};
    Group localC{};
    Group localL{};
    Flow haul;   // 调: hauled in from other stretches (kind 0), at the receiving stretch
    Flow borrow; // 借: from borrow pits and beside the line (kinds 1, 3), at the receiving stretch
    Flow waste;  // 弃: to waste pits and beside the line (kinds 2, 4, 5, 6), at the giving stretch
    Flow out;    // 调出: to a neighbouring project (kind 8), at the giving stretch
    Flow in;     // 调入: from a neighbouring project (kind 7), at the receiving stretch

    // The stretch's own figures from its finished row of [土石计算中间表].
    [[nodiscard]] static YStretchStats FromRow(const YTsjsSet& row);

    // Adds one logged process (a step of one pair) to the stretches it belongs to. Returns
    // false when its stretch is not among them.
    static bool AddPair(std::vector<YStretchStats>& stretches, const YDpStep& pair,
                        const YHaulExtras* extras);
};
