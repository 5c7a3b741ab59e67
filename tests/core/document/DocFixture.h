#pragma once

#include "core/document/CDalvexDoc.h"
#include "support/YRecordingUserIO.h"

#include <QString>
#include <array>
#include <memory>

// Builds project files for the document and model tests through the core's own API (the
// document and its record sets), never by copying files.
namespace dalvex::test {

// One row pair of [土石计算] / [土石计算中间表], natural surplus by class and compacted fill.
struct SegRow {
    double start = 0.0;
    double end = 0.0;
    std::array<double, 6> use{};      // usable surplus by class, as computed
    std::array<double, 6> remUse{};   // what is left of it
    std::array<double, 6> unuse{};    // unusable surplus, as computed
    std::array<double, 6> remUnuse{}; // what is left of it
    double fill = 0.0;
    double remFill = 0.0;
    double cutArea = 0.0;
    double fillArea = 0.0;
    int segment = -1; // 分段编号; -1: the current one
};

// A new, open version-6 project at path.
std::unique_ptr<CDalvexDoc> NewProject(const QString& path, YUserIO& io);

void SetProperty(CDalvexDoc& doc, const QString& name, const QString& value);
void AddProjectSegment(CDalvexDoc& doc, int number, const QString& endText);
void AddSegmentRow(CDalvexDoc& doc, const SegRow& row);
void AddNeighbour(CDalvexDoc& doc, int no, double sta, double staNear, const QString& name,
                  const QString& path, const QString& guid, int nearSeg = -1);
void AddChainBreak(CDalvexDoc& doc, int id, const QString& text);
// One row of [Tmp调配过程表].
struct LogRow {
    int gcid = 1;
    int id = 1;
    QString desc;
    double sta1 = 0.0;
    double sta2 = 0.0;
    double soilCBefore = 0.0;
    double soilCAfter = 0.0;
    double rockCBefore = 0.0;
    double rockCAfter = 0.0;
    bool source = true;
    bool ok = true;
    int pit = 0;
};
void AddLogRow(CDalvexDoc& doc, const LogRow& row);
void AddStructure(CDalvexDoc& doc, double start, double end, const QString& name, bool cross);
void AddBorrowPit(CDalvexDoc& doc, const QString& road, const QString& front, const QString& back);
void AddWastePit(CDalvexDoc& doc, const QString& road, const QString& front, const QString& back);
// Runs one statement on the project file (a table dropped or rebuilt to damage it).
void Exec(CDalvexDoc& doc, const QString& sql);

// Opens a project as a new document; null when opening fails.
std::unique_ptr<CDalvexDoc> OpenProject(const QString& path, YUserIO& io);

} // namespace dalvex::test
