#pragma once

#include "core/process/YDpgch.h"

#include <QString>
#include <vector>

class CDalvexDoc;
class YGchSet;

// 路基土石方运量统计表 (tables 508 and 509): every step summary of [过程] as one row, its soil
// split between manual work (a share) and one machine method chosen by the soil haul distance,
// its rock given whole to one clearing method chosen by the rock haul distance. 32 rows a page,
// rows grouped by kilometre in column 1.
struct YHaulTableOptions {
    // Method names as the headings show them (the blanks are part of the texts).
    QString manual = QStringLiteral("人   工   施   工");
    double manualShare = 5.0; // % of every row's soil
    QString bulldozer = QStringLiteral("推  土  机  施  工");
    double bulldozerLimit = 150.0; // m: soil distances below it
    QString scraper = QStringLiteral("铲  运  机  施  工");
    double scraperLimit = 500.0; // m
    QString excavator = QStringLiteral("挖掘机配合自卸汽车施工");
    QString rockBulldozer = QStringLiteral("推 土 机 清 运");
    double rockBulldozerLimit = 150.0; // m
    QString rockManual = QStringLiteral("人 工 清 运");
    double rockManualLimit = 500.0; // m
    QString dumpTruck = QStringLiteral("自 卸 车 清 运");
    // 0: second column of each method is the average haul distance (km), template 508;
    // 1: the haul volume (m³·km), template 509.
    int mode = 0;
};

// A page of the haul table: entries [first, last).
struct YGCPage {
    int first = 0;
    int last = 0;
};

class YHaulTable {
  public:
    static constexpr int RowsPerPage = 32;
    static constexpr int FirstRow = 8;

    explicit YHaulTable(CDalvexDoc& doc) : m_doc(doc) {}

    // Reads the entries from [过程], sorted by from station, and cuts them into pages. False,
    // after "调配未完成！不能输出表！", when there are none.
    [[nodiscard]] bool Prepare();
    const std::vector<YDpgch>& Entries() const { return m_entries; }
    const std::vector<YGCPage>& Pages() const { return m_pages; }

    // Writes the workbook. False after a message when it could not.
    [[nodiscard]] bool Output(const YHaulTableOptions& opt, const QString& outPath);

    // One summary row of [过程] as an entry: its kind and the stretch of this road it stands
    // for.
    static YDpgch EntryOf(const YGchSet& g);
    // The label printed for a kind in column 16.
    static QString KindLabel(int kind);

  private:
    CDalvexDoc& m_doc;
    std::vector<YDpgch> m_entries;
    std::vector<YGCPage> m_pages;
};
