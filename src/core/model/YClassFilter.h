#pragma once

#include <QtGlobal>

// Soil/rock classes and the program-wide class filter.
//
// Six classes, numbered 1..6: 松土, 普通土, 硬土 (soil) and 软石, 次坚石, 坚石 (rock). Class k is
// the bit 1 << (k - 1) in every mask; arrays by class have six elements, index 0 for class 1.
namespace YClass {
constexpr int Count = 6;
constexpr qint32 SoilMask = 7;  // classes 1..3
constexpr qint32 RockMask = 56; // classes 4..6
constexpr qint32 AllMask = 63;
constexpr qint32 FillBit = 64;  // in a segment mask: its fill is selected as a destination
constexpr qint32 LowBits = 127; // the selection bits that UpdateSel recomputes

// A quantity (m³) counts as present when strictly greater than this.
constexpr double Present = 1e-5;

constexpr qint32 Bit(int k) {
    return qint32(1) << (k - 1);
}
} // namespace YClass

// Bits of g_nClassFilter beyond the class bits 0..5 and the fill bit 6.
namespace YClassFilter {
constexpr quint32 SoilAllowed = 128;
constexpr quint32 RockAllowed = 256;
constexpr quint32 DisplayFlag = 512; // drawn-only flag of the diagram
constexpr quint32 Initial = 0xFFFFFBFF;
} // namespace YClassFilter

// What material may be selected at all, for every open project: bit 7 soil, bit 8 rock, bits
// 0..5 the single classes, bit 6 fill. It outlives documents; the diagram's toolbar toggles it
// through CDalvexDoc::ToggleClassFilter.
extern quint32 g_nClassFilter;
