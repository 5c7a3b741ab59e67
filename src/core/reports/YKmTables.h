#pragma once

#include <QString>

class CDalvexDoc;

// The per-kilometre tables (docs/reports.md):
// - 每公里土石方数量表: per whole displayed kilometre, the length, cut by class, fill, local
//   reuse, haul in and out, borrow, waste and the exchange with neighbouring projects;
// - 每公里运距表: per kilometre, the hauled, borrowed and wasted quantities with their average
//   haul distances and haul volumes.
// A stretch or a step summary belongs to the kilometre of its first station on this road.
// 30 kilometres a page.
class YKmTables {
  public:
    enum class Kind { Quantities, Haul };
    static constexpr int FirstRow = 7;
    static constexpr int RowsPerPage = 30;

    explicit YKmTables(CDalvexDoc& doc) : m_doc(doc) {}

    // False after a message when the project has nothing to show or the workbook cannot be
    // written.
    [[nodiscard]] bool Output(Kind kind, const QString& outPath);

    static QString TableName(Kind kind);

  private:
    CDalvexDoc& m_doc;
};
