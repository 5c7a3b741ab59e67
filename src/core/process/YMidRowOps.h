#pragma once

#include "core/process/DpProcess.h"

class YTsjsSet;

// The arithmetic of a process on a row of [土石计算中间表] (the members of the set standing on
// it). Natural volumes are in place, compacted volumes natural / coefficient; all m³. Which
// columns exist follows the open layout: classes from version 2, usable / unusable surplus
// from version 3.
namespace YMidRowOps {

// What a segment source offers: the usable surplus (or unusable for kinds 5, 6) from version
// 3, the whole surplus before; below version 2 the classes are split by content.
void TakeSurplus(const YTsjsSet& row, bool bUnusable, DpBlock& out);

// Takes amount (dir +1) from, or gives it back to (dir -1), the surplus of a source row: the
// surplus columns (挖余土 … 余6(压实)) and, from version 3, the usable (or, bUnusable, the
// unusable) columns. A reuse within the segment (bReuse) also moves the amounts into the local
// reuse columns. Returns the surplus columns before and after, in DpAmt order.
void ApplySource(YTsjsSet& row, const DpBlock& amount, int dir, bool bUnusable, bool bReuse,
                 DpBlock* pBefore = nullptr, DpBlock* pAfter = nullptr);

// Lowers (dir +1) or raises (dir -1) the fill still needed (利用后填方总量) by amount; returns
// the value before and after.
void ApplyFill(YTsjsSet& row, double amount, int dir, double* pBefore = nullptr,
               double* pAfter = nullptr);

} // namespace YMidRowOps
