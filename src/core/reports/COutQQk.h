#pragma once

#include "core/station/YStation.h"

#include <QString>
#include <memory>
#include <vector>

class CDalvexDoc;
class YUserIO;

// One transfer through a pit: the road range it served or came from, soil and rock (m³) and
// the haul (m³·m: soil × soil distance + rock × rock distance).
struct CQQGCH {
    YStation start;
    YStation end;
    double soil = 0.0;
    double rock = 0.0;
    double haul = 0.0;
};

// One pit of the table: where its haul road meets the line, the haul-road length (m), its
// 1-based number in the order of the pit table, and its transfers ordered by start station.
struct CQQKTongji {
    YStation station;
    double branch = 0.0;
    int number = 0;
    std::vector<CQQGCH> entries;
};

// 取土弃土场表 (table 506): every borrow pit (JK…) and waste pit (QK…) with the road ranges it
// served and the quantities that went through it. Built from [取土坑], [弃土坑] and the step
// summaries of [过程] when constructed; Output writes the workbook.
//
// A summary names its pit by number in 坑 (pit number + 1 as the allocation recorded it,
// negated for waste), so two pits at one station each get their own transfers; only a number
// that names no pit falls back to the first pit at the summary's station.
class COutQQk {
  public:
    explicit COutQQk(CDalvexDoc& doc);

    const std::vector<std::unique_ptr<CQQKTongji>>& Borrow() const { return m_borrow; }
    const std::vector<std::unique_ptr<CQQKTongji>>& Waste() const { return m_waste; }

    // Writes the table to outPath. False, after telling the user why, when no template is
    // configured, the template cannot be opened, there is nothing to list, or the file cannot
    // be written.
    [[nodiscard]] bool Output(const QString& outPath);

    static constexpr int FirstRow = 5;
    static constexpr int LastRow = 32; // 28 rows a page

  private:
    CDalvexDoc& m_doc;
    std::vector<std::unique_ptr<CQQKTongji>> m_borrow;
    std::vector<std::unique_ptr<CQQKTongji>> m_waste;
};
