#pragma once

#include "core/db/YColumnDef.h"
#include "core/db/YLayoutVersion.h"

#include <QStringList>
#include <vector>

class YDatabase;

// The layout of the project file "*.dvx": which tables exist at each layout version, their
// columns in order with their types, the indexes, and the rows a new file starts with.
// YSchema.cpp is the one place that documents the file format; the record sets bind the same
// columns by name (a test checks both agree for every table and version).
//
// Layout versions (the VER of the single row of [版本]):
//   1  oldest layout; files of versions 1 and 2 have no [版本] at all
//   2  compacted and per-class columns in the result tables
//   3  [版本]; usable / unusable surplus, pit economic boundaries, class usability rates
//   4  [土石计算2] with Chinese column names
//   5  project segments: [项目], [项目分段], 分段编号 first in every per-segment table
//   6  [相邻项目], cross-project columns, [构造物].[绕行距离]
class YSchema {
  public:
    static constexpr int OldestVersion = YLayoutVersion::Oldest;
    static constexpr int CurrentVersion = YLayoutVersion::Current;

    // Tables present in a file of this layout version, in creation order.
    static QStringList Tables(int version);
    // Every table any version knows, in creation order.
    static QStringList AllTables();
    static bool HasTable(const QString& table, int version);
    // Whether the table's rows belong to a project segment (分段编号 from version 5).
    static bool IsPerSegment(const QString& table);
    // The table's columns at this version in file order, 分段编号 first where it applies.
    // Empty when the table does not exist at that version.
    static std::vector<YColumnDef> Columns(const QString& table, int version);
    // The columns the table's record set sorts by (also the leading index columns).
    static QStringList SortColumns(const QString& table, int version);

    // Names of classes I–VI as columns of [土石含量] and [取土坑]: 松土 … 坚石.
    static QStringList ClassNames();

    static QString TypeName(YColType type);
    static QString CreateTableSql(const QString& table, int version);
    static QStringList CreateIndexSql(const QString& table, int version);

    // Creates every table and index of the version in an empty database and writes the rows a
    // new project starts with: [版本] (编号 1, VER = version, from version 3) and the one row of
    // [土石系数]. Runs in one transaction.
    [[nodiscard]] static bool CreateTables(YDatabase& db, int version);
    // A new project file of a layout version (OldestVersion … CurrentVersion), opened on db.
    [[nodiscard]] static bool CreateProject(YDatabase& db, const QString& path, int version);
    // Adds the indexes of this version that a file lacks (files written by other programs).
    [[nodiscard]] static bool EnsureIndexes(YDatabase& db, int version);
    // Adds [构造物].[绕行距离] to a file that lacks it (layouts before 6). Existing rows read
    // NULL there, which the structure set reports as "no detour". True when the column exists
    // afterwards.
    [[nodiscard]] static bool AddDetourColumn(YDatabase& db);
};
