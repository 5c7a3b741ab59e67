#pragma once

#include "core/station/YStation.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <functional>
#include <optional>
#include <vector>

class CDalvexDoc;
struct YReportPicture;

// The choices of the earthwork calculation table, by the item ids of its property grid.
struct YCalcTableOptions {
    // Items 3-12 of "土方输出类型": true for 自然方 (natural), false for 压实方 (compacted).
    enum Item {
        RemSoil = 3,   // 挖余土方
        RemRock = 4,   // 挖余石方
        Local = 5,     // 弃方等: local borrow and waste totals
        FillTotal = 6, // 填方总量
        FillSoil = 7,  // 填方土方
        FillRock = 8,  // 填方石方
        ReuseSoil = 9, // 本桩利用土方
        ReuseRock = 10,
        NeedSoil = 11, // 填缺土方
        NeedRock = 12,
    };
    bool perKm = false;       // 1 输出每公里小计
    bool markCentres = false; // 2 标注调配起讫桩号（土体重心桩号）: for the diagram
    bool sixClass = false;    // 13 输出六类土石信息: template 510, 42 columns
    bool sixClassDiagram = false;   // 14 调配图中输出六类土石信息
    int qtyDecimals = 0;            // 15 调配图中数量小数位
    int distDecimals = 0;           // 16 调配图中运距小数位
    int staDecimals = 0;            // 17 调配图中桩号小数位
    std::array<bool, 13> natural{}; // by item id; see Defaults()
    int fromPage = 1;               // 1-based, inclusive
    int toPage = 0;                 // 0: the last page

    YCalcTableOptions();
    bool Natural(Item item) const { return natural[size_t(item)]; }
    // "压实方" / "自然方" as the grid shows them.
    static QString ChoiceText(bool bNatural);
    static QString ItemName(Item item);
};

// The boundary stations of the rows of one worksheet.
struct YTablePage {
    std::vector<YStation> stations;
};

// 土方计算表 (table 507, 26 columns) and 土石方分类计算详表 (table 510, 42 columns): one row per
// boundary station of the computed stretches of the current project segment, 26 stretches a
// page, with the local borrow and waste totals of the page and, on request, a subtotal row per
// kilometre. Read-only on the project.
class YCalcTable {
  public:
    static constexpr int StretchesPerPage = 26;
    static constexpr int FirstRow = 9;
    // Two rows a station: the station with the stretch that ends there, and a spacer. 27
    // stations then end on row 61, above the page total (row 64) and the local totals (67 on).
    static constexpr int RowPitch = 2;
    static constexpr int SubtotalRow = 64;

    explicit YCalcTable(CDalvexDoc& doc) : m_doc(doc) {}

    // Builds the pages. False (without a message, as the dialog then does not open) when
    // [过程] or [土石计算] has no rows.
    [[nodiscard]] bool Prepare(bool perKm);
    const std::vector<YTablePage>& Pages() const { return m_pages; }

    // Writes pages fromPage..toPage. False after a message naming the station or the reason
    // when the table could not be completed; no workbook is then written.
    [[nodiscard]] bool Output(const YCalcTableOptions& opt, const QString& outPath);

    // Draws the allocation diagram for the "调配图" sheet; unset, the sheet is left out.
    std::function<std::optional<YReportPicture>(const YCalcTableOptions&)> m_diagram;

  private:
    CDalvexDoc& m_doc;
    std::vector<YTablePage> m_pages;
};
