#pragma once

#include "core/db/DpTransfer.h"

#include <array>
#include <variant>

class YTFItem;
class YQutukItem;
class YQitukItem;
class YNearPrjItem;

// One end of a process: the item the material comes from or goes to. Which alternative is
// used follows from the kind (segment, borrow pit, waste pit, neighbour link).
using DpEnd = std::variant<std::monostate, YTFItem*, YQutukItem*, YQitukItem*, YNearPrjItem*>;

// 调配过程 (allocation process): one movement of material, filled by a strategy and handed to
// the recorder: the quantities moved and the items they come from and go to.
struct DpProcess : DpTransfer {
    DpEnd source;
    DpEnd destination;

    DpProcess() = default;
    DpProcess(DpKind k, int s, int q, DpEnd src, DpEnd dst, int p = -1)
        : source(src), destination(dst) {
        kind = k;
        step = s;
        seq = q;
        pit = p;
    }

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
