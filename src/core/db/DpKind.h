#pragma once

#include <QString>

// Kinds of allocation process (调配过程). The code is stored nowhere directly: the log keeps it
// in its description text and pit column, and the step reader decodes it back (YStepReader).
enum class DpKind : int {
    Haul = 0,               // 远运: segment cut -> another segment's fill
    Borrow = 1,             // 借: borrow pit -> segment fill
    Waste = 2,              // 弃: segment usable cut -> waste pit
    LocalBorrow = 3,        // 就地借: beside the line -> segment fill
    LocalWaste = 4,         // 就地弃: segment usable cut -> beside the line
    WasteUnusable = 5,      // 弃废: segment unusable cut -> waste pit
    LocalWasteUnusable = 6, // 就地弃废: segment unusable cut -> beside the line
    In = 7,                 // 从…调入: neighbouring project -> segment fill
    Out = 8,                // 调出到…: segment usable cut -> neighbouring project
    Reuse = 9,              // 利用: segment cut -> the same segment's fill
    Unknown = -1,
};

// What each kind of process moves, and the texts it shows under.
namespace DpKinds {

// The log's 坑 column of a cross-project row carries the partner step above this offset.
constexpr int PartnerOffset = 0x10000000;

inline bool IsBorrow(DpKind k) {
    return k == DpKind::Borrow;
}
inline bool IsWaste(DpKind k) {
    return k == DpKind::Waste || k == DpKind::WasteUnusable;
}
inline bool IsLocalBorrow(DpKind k) {
    return k == DpKind::LocalBorrow;
}
inline bool IsLocalWaste(DpKind k) {
    return k == DpKind::LocalWaste || k == DpKind::LocalWasteUnusable;
}
inline bool IsIn(DpKind k) {
    return k == DpKind::In;
}
inline bool IsOut(DpKind k) {
    return k == DpKind::Out;
}
inline bool IsCrossProject(DpKind k) {
    return k == DpKind::In || k == DpKind::Out;
}

// The source is a segment's cut (usable for 0, 2, 4, 8, 9; unusable for 5, 6).
inline bool HasSegmentSource(DpKind k) {
    return k == DpKind::Haul || k == DpKind::Waste || k == DpKind::LocalWaste || k == DpKind::Out ||
           k == DpKind::Reuse || k == DpKind::WasteUnusable || k == DpKind::LocalWasteUnusable;
}
inline bool TakesUnusable(DpKind k) {
    return k == DpKind::WasteUnusable || k == DpKind::LocalWasteUnusable;
}
// The destination is a segment's fill.
inline bool HasSegmentDestination(DpKind k) {
    return k == DpKind::Haul || k == DpKind::Borrow || k == DpKind::LocalBorrow ||
           k == DpKind::In || k == DpKind::Reuse;
}

// Description code written into 描述 of both rows (kind 3 adds its six numbers, see
// YLogCodec).
QString DescriptionCode(DpKind kind);

// Label of a step in the process list: "%d.远运" ...; kinds 7 and 8 name the neighbouring
// project.
QString Label(DpKind kind, int step, const QString& neighbourName = QString());

// Number under which the task list and the step summaries show a step: the step number,
// or -1 local waste, -2 local borrow, -3 out, -4 in.
int TaskNumber(DpKind kind, int step);

} // namespace DpKinds
