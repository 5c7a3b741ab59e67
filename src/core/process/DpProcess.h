#pragma once

#include "core/db/YClassQuantities.h"
#include "core/process/DpKind.h"

#include <array>
#include <variant>

class YTFItem;
class YQutukItem;
class YQitukItem;
class YNearPrjItem;

using DpBlock = std::array<double, DpAmt::Count>;

// One end of a process: the item the material comes from or goes to. Which alternative is
// used follows from the kind (segment, borrow pit, waste pit, neighbour link).
using DpEnd = std::variant<std::monostate, YTFItem*, YQutukItem*, YQitukItem*, YNearPrjItem*>;

// 调配过程 (allocation process): one movement of material, filled by a strategy and handed to
// the recorder. The amount moved is before - after for each source value and fillBefore -
// fillAfter for the destination.
struct DpProcess {
    DpKind kind = DpKind::Haul;
    int step = 0;
    int seq = 0;
    int partner = 0; // kinds 7 and 8: the matching step in the neighbouring project
    DpEnd source;
    DpEnd destination;
    DpBlock before{};
    DpBlock after{};
    double fillBefore = 0.0;
    double fillAfter = 0.0;
    int pit = -1; // borrow/waste pit index, or neighbour link index for kinds 7 and 8

    DpProcess() = default;
    DpProcess(DpKind k, int s, int q, DpEnd src, DpEnd dst, int p = -1)
        : kind(k), step(s), seq(q), source(src), destination(dst), pit(p) {}

    // What the process moves of source value i. For a local take (kind 3) the after block
    // carries contents and coefficients instead of amounts: its before values are the amounts.
    double Moved(int i) const {
        return kind == DpKind::LocalBorrow ? before[i] : before[i] - after[i];
    }
    double FillMoved() const { return fillBefore - fillAfter; }

    YTFItem* SourceSegment() const { return Get<YTFItem*>(source); }
    YTFItem* DestinationSegment() const { return Get<YTFItem*>(destination); }
    YQutukItem* SourceBorrowPit() const { return Get<YQutukItem*>(source); }
    YQitukItem* DestinationWastePit() const { return Get<YQitukItem*>(destination); }
    YNearPrjItem* SourceLink() const { return Get<YNearPrjItem*>(source); }
    YNearPrjItem* DestinationLink() const { return Get<YNearPrjItem*>(destination); }

  private:
    template <class T> static T Get(const DpEnd& e) {
        const T* p = std::get_if<T>(&e);
        return p ? *p : nullptr;
    }
};
