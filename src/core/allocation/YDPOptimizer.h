#pragma once

#include "core/allocation/YDPCostModel.h"

#include <QString>

class CDalvexDoc;

// 最优调配: the allocation of least cost (YDPCostModel) of everything a project segment has
// left, found as a min-cost flow over the line and recorded as ordinary steps through the
// process recorder, so the diagram, the panes, undo/redo, finishing and the reports treat it
// as any other allocation.
//
// The network, in compacted m³ on a grid of 2^-20 m³ (the recorder's amount grid):
// - two lines of segment nodes (one carrying material to fills, one to waste pits), neighbours
//   joined both ways at their centre distance plus the detours of crossable structures in
//   between; no arc across a structure that may not be crossed. A line has nodes only where
//   something enters or leaves it and passes the others at the sum of their hops; the waste
//   line only where a waste pit is reached for less than the dump beside the segment (elsewhere
//   dumping costs no more, so the optimum is the same);
// - each segment's usable surplus enters either line or is dumped beside it; its unusable
//   surplus only the waste line or the dump; each fill takes its need from the fill line or
//   beside it; a borrow pit feeds, a waste pit drains, the segments on either side of its
//   access road (distance plus 支线长度, within its contents or capacity). A surplus with one
//   line sits on that line's node with a dump arc capped at the surplus, which allows exactly
//   the same flows as a node of its own.
// The optimal flow is split into source→destination transfers by one sweep along each line
// (nearest first), which keeps the optimal haul moment, and recorded as one step per balanced
// stretch (hauls, reuse and borrow), one per stretch of waste, then the local dumps and the
// local takes. The whole run is one action in the project file.
class YDPOptimizer {
  public:
    struct Options {
        YDPCostModel::Options cost;
        bool bFinish = true; // 结束调配 afterwards
    };
    struct Summary {
        bool bWritten = false;  // the plan reached the file
        bool bFinished = false; // finishing succeeded
        int nSteps = 0;
        int nProcesses = 0;
        double dPlanCost = 0.0; // the optimum of what was left, m³·m
    };
    // The figures for the desktop's dialog: the project priced before, after, and as the
    // default allocation (auto, on a scratch copy of the file) would leave it.
    struct Comparison {
        Summary run;
        YDPCostModel::Figures before;
        YDPCostModel::Figures after;
        YDPCostModel::Figures autoPlan;
        bool bAutoPriced = false;
    };

    // Refuses (with a message, nothing recorded) rules the model does not cover: the ratio and
    // thickness rules and 就地取弃.
    [[nodiscard]] static Summary Run(CDalvexDoc& doc, const Options& opt);

    // Run, with the cost of the project before and after, and the cost auto (reach = the
    // economic haul distance) reaches from the same state, allocated on a scratch copy of the
    // file that is deleted afterwards.
    [[nodiscard]] static Comparison RunAndCompare(CDalvexDoc& doc, const Options& opt);

    // Auto's cost from the document's present state, on a scratch copy (nothing of the
    // document changes); false when the copy could not be made or allocated.
    [[nodiscard]] static bool PriceAuto(CDalvexDoc& doc, const YDPCostModel::Options& cost,
                                        YDPCostModel::Figures& out);

    static const QString kRuleRefused;
};
