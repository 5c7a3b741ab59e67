#pragma once

#include <QString>
#include <QtGlobal>

class CDalvexDoc;

// The texts the allocation diagram (调配图) shows about a project: balloon tips for segments
// and pits, the selection sums in the status bar and the area under the cursor. Lines are
// separated by "\r\n" as in every text of the program's tips.
namespace YDiagramTexts {
// Tip identifiers: a segment index as it is, borrow pit i and waste pit i offset by these.
constexpr quint32 BorrowTipBase = 0x10000000;
constexpr quint32 WasteTipBase = 0x20000000;

// Stations, length and the remaining quantities of segment i.
QString SegmentTip(const CDalvexDoc& doc, int i);
// Number, road station, economic stretch, then the pit's row of [取土坑] / [弃土坑].
QString BorrowPitTip(CDalvexDoc& doc, int i);
QString WastePitTip(CDalvexDoc& doc, int i);
// The tip of an identifier as above; empty when it names nothing.
QString TipText(CDalvexDoc& doc, quint32 nId);

// "当前选择-> 土方:…; 石方:…; 填方:…" over the selected segments, empty when nothing is
// selected (the status bar then shows its idle text).
QString SelectionSums(CDalvexDoc& doc);
// "挖方面积：…" for y >= 0, "填方面积：…" below the axis (y in m³/m).
QString AreaText(double y);
} // namespace YDiagramTexts
