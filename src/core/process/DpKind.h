#pragma once

#include <QString>

// Kinds of allocation process (调配过程). The code is stored nowhere directly: the log keeps it
// in its description text and pit column, and the step reader decodes it back (YStepReader).
namespace DpKind {

constexpr int Haul = 0;               // 远运: segment cut -> another segment's fill
constexpr int Borrow = 1;             // 借: borrow pit -> segment fill
constexpr int Waste = 2;              // 弃: segment usable cut -> waste pit
constexpr int LocalBorrow = 3;        // 就地借: beside the line -> segment fill
constexpr int LocalWaste = 4;         // 就地弃: segment usable cut -> beside the line
constexpr int WasteUnusable = 5;      // 弃废: segment unusable cut -> waste pit
constexpr int LocalWasteUnusable = 6; // 就地弃废: segment unusable cut -> beside the line
constexpr int In = 7;                 // 从…调入: neighbouring project -> segment fill
constexpr int Out = 8;                // 调出到…: segment usable cut -> neighbouring project
constexpr int Reuse = 9;              // 利用: segment cut -> the same segment's fill
constexpr int Unknown = -1;

// The log's 坑 column of a cross-project row carries the partner step above this offset.
constexpr int PartnerOffset = 0x10000000;

inline bool IsBorrow(int k) {
    return k == Borrow;
}
inline bool IsWaste(int k) {
    return k == Waste || k == WasteUnusable;
}
inline bool IsLocalBorrow(int k) {
    return k == LocalBorrow;
}
inline bool IsLocalWaste(int k) {
    return k == LocalWaste || k == LocalWasteUnusable;
}
inline bool IsIn(int k) {
    return k == In;
}
inline bool IsOut(int k) {
    return k == Out;
}
inline bool IsCrossProject(int k) {
    return k == In || k == Out;
}

// The source is a segment's cut (usable for 0, 2, 4, 8, 9; unusable for 5, 6).
inline bool HasSegmentSource(int k) {
    return k == Haul || k == Waste || k == LocalWaste || k == Out || k == Reuse ||
           k == WasteUnusable || k == LocalWasteUnusable;
}
inline bool TakesUnusable(int k) {
    return k == WasteUnusable || k == LocalWasteUnusable;
}
// The destination is a segment's fill.
inline bool HasSegmentDestination(int k) {
    return k == Haul || k == Borrow || k == LocalBorrow || k == In || k == Reuse;
}

// Description code written into 描述 of both rows (kind 3 adds its six numbers, see
// YLogCodec).
QString DescriptionCode(int kind);

// Label of a step in the process list: "%d.远运" ...; kinds 7 and 8 name the neighbouring
// project.
QString Label(int kind, int step, const QString& neighbourName = QString());

// Number under which the task list and the step summaries show a step: the step number,
// or -1 local waste, -2 local borrow, -3 out, -4 in.
int TaskNumber(int kind, int step);

} // namespace DpKind
