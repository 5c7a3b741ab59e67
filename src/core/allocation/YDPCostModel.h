#pragma once

#include "core/db/DpKind.h"
#include "core/station/YStation.h"

class CDalvexDoc;
class YHaulExtras;

// The price of an allocation on one scale, whoever made it (the strategies, the interactive
// tool, auto or the optimiser): every quantity in compacted m³ (a natural volume q of class k
// counts q / c_k), every cost in equivalent haul metres per compacted m³, so that a cost reads
// as a haul moment in m³·m.
//
//   cost = Σ q × haul distance of every transfer (the log's rule: centres of gravity, pit access
//          roads, detours around crossable structures in the gap)
//        + borrow × borrowed + waste × wasted + local take × taken + local dump × dumped
class YDPCostModel {
  public:
    struct Options {
        double dHaulLimit = 1000.0; // 经济运距, m: a haul longer than this never pays
        double dBorrow = 0.0;       // per m³ borrowed from a pit, on top of its haul
        double dWaste = 0.0;        // per m³ wasted to a pit, on top of its haul
        double dLocalTake = 500.0;  // per m³ taken beside the line (就地取土)
        double dLocalDump = 500.0;  // per m³ dumped beside the line (就地弃方)

        // The defaults for an economic haul distance: local take and local dump half of it
        // each, so a haul pays only while it is shorter than the limit; pits cost their haul.
        [[nodiscard]] static Options ForLimit(double limit);
    };

    // Volumes in compacted m³, moments in m³·m.
    struct Figures {
        double dHaulMoment = 0.0; // Σ q × distance over every transfer (haul, borrow, waste)
        double dHauled = 0.0;     // cut reused in fill: hauls, reuse within a segment, ports
        double dBorrowed = 0.0;   // from borrow pits
        double dWasted = 0.0;     // to waste pits
        double dLocalTake = 0.0;  // taken beside the line
        double dLocalDump = 0.0;  // dumped beside the line
        double dTotal = 0.0;      // the cost, m³·m
    };

    // Prices the applied processes of the log of the document's current project segment.
    [[nodiscard]] static Figures Price(CDalvexDoc& doc, const Options& opt);

    // Adds one transfer of q compacted m³ of a kind, hauled dist metres, to the figures.
    static void Add(Figures& f, const Options& opt, DpKind kind, double q, double dist);

    // Haul distance between two ranges of the line (a pit is a range of one point) by the
    // log's rule: centre to centre plus the detours of the crossable structures in the gap.
    [[nodiscard]] static double Distance(const YHaulExtras& extras, YStation aStart, YStation aEnd,
                                         YStation bStart, YStation bEnd);
};
