#pragma once

#include "core/db/YDatabase.h"
#include "core/document/CDalvexDoc.h"
#include "core/process/DpProcess.h"
#include "support/TestSupport.h"
#include "support/YRecordingUserIO.h"

#include <QString>
#include <QStringList>
#include <QVariantList>
#include <array>
#include <memory>
#include <optional>
#include <vector>

class YDocManager;

// Project files built for the tests through the core's own document and record sets (never by
// copying files): segment rows, pits, structures, links, properties, log rows; and transfers
// recorded the way the strategies record them, without the strategies.
namespace dalvex::test {

// A project file of a layout version in dir, open in db without a document, as the import,
// preprocessing and record-set layers use it. Layouts before 6 get the detour column that the
// load sequence adds, so [构造物] opens.
void CreateDatabase(YDatabase& db, const ScratchDir& dir, int version,
                    const QString& name = QStringLiteral("p.dvx"));

// A scratch folder holding one such project file, with helpers for statements and queries.
class TestDatabase {
  public:
    explicit TestDatabase(int version = 6);

    void Exec(const QString& sql, const QVariantList& params = {});
    double Value(const QString& sql);
    int Count(const QString& table);
    // Every row of a query, columns joined by "|".
    QStringList Rows(const QString& sql);

    ScratchDir dir;
    YDatabase db;
    YRecordingUserIO io;
    int version;
};

// Class coefficients (natural / compacted) of every project the fixture creates.
inline constexpr std::array<double, 6> kCoef = {1.25, 1.16, 1.09, 0.92, 0.88, 0.84};

// One computation segment: surplus by class (natural m³), fill still needed after local reuse
// (compacted m³). Written alike to [土石计算] and [土石计算中间表] unless a second spec gives
// what is left of it.
struct SegSpec {
    double start = 0.0;
    double end = 0.0;
    std::array<double, 6> use{};     // usable surplus by class
    std::array<double, 6> unuse{};   // unusable surplus by class
    double fill = 0.0;               // compacted m³
    std::array<double, 6> content{}; // class contents, %; from the cut when all are zero
    int segment = -1;                // 分段编号; -1: the current one
    std::optional<double> cutArea{}; // mean areas, m²; cut or fill over the length when unset
    std::optional<double> fillArea{};
};

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

class TestProject {
  public:
    // A new project file at path of a layout version, owned by this object.
    TestProject(const QString& path, YUserIO& io, int version = 6);
    // A new (or, with open, an existing) project file in the manager, which owns the document.
    TestProject(YDocManager& manager, const QString& path, bool open = false);
    // The builder over a document someone else owns.
    explicit TestProject(CDalvexDoc& doc) : m_pDoc(&doc) {}

    // A closed project file carrying the GUID and name that other projects find it by.
    static void CreateFile(const QString& path, YUserIO& io, const QString& guid,
                           const QString& name);
    // Opens a project as a new document; null when opening fails.
    static std::unique_ptr<CDalvexDoc> Open(const QString& path, YUserIO& io);

    CDalvexDoc& Doc() const { return *m_pDoc; }
    CDalvexDoc& operator*() const { return *m_pDoc; }
    CDalvexDoc* operator->() const { return m_pDoc; }
    bool IsOpen() const { return m_pDoc != nullptr; }
    // Closes the document in the manager and opens the file again (GUID and links are read on
    // opening); false when it fails.
    bool Reopen(YDocManager& manager);

    void SetProperty(const QString& name, const QString& value);
    void SetGuid(const QString& guid, const QString& name);
    void AddProjectSegment(int number, const QString& endText);
    void AddChainBreak(int id, const QString& text);

    void AddSeg(const SegSpec& s) { AddSeg(s, s); }
    void AddSeg(const SegSpec& computed, const SegSpec& remaining);
    // Every spec in one transaction.
    void AddSegs(const std::vector<SegSpec>& specs);
    // Consecutive segments of length len from start, one per spec (stations overwritten).
    void AddLine(double start, double len, std::vector<SegSpec> specs);
    // A road of n segments of 20 m: even segments cut (soil and rock), odd ones fill.
    static std::vector<SegSpec> Road(int n, double scale = 1.0);

    void AddBorrowPit(double road, double front, double back, const std::array<double, 6>& shares,
                      double soil, double rock, double branch = 0.0);
    void AddWastePit(double road, double front, double back, double capacity, double branch = 0.0);
    void AddStructure(double start, double end, const QString& name, bool cross);
    void AddLink(int no, double sta, double staNear, double dist, const QString& name,
                 const QString& path, const QString& guid, int nearSegment = -1);
    // A link to another open project, by its name, relative path, GUID and segment.
    void AddLink(int no, double sta, double staNear, double dist, const TestProject& other);
    void AddLogRow(const LogRow& row);
    // Runs one statement on the project file (a table dropped or rebuilt to damage it).
    void Exec(const QString& sql);
    // Builds the model from the file (as 开始调配 does).
    bool Load();

    // Selection masks as the diagram's rectangle selection sets them (UpdateSel with the
    // class filter) on segments first..last; ClearSelection drops every selection bit.
    void Select(int first, int last);
    void ClearSelection();

    // Transfers like the strategies make them; fraction of the selected source classes moved.
    // Each returns whether the process was recorded.
    bool Haul(int step, int seq, int cut, int fill, double fraction);
    bool Reuse(int step, int seq, int seg, double fraction);
    bool Borrow(int step, int seq, int pit, int fill, double fraction);
    bool Waste(int step, int seq, int cut, int pit, double fraction, bool bUnusable = false);
    bool LocalWaste(int step, int seq, int cut, bool bUnusable = false);
    bool LocalTake(int step, int seq, int fill);
    // A transfer of `compacted` m³ of class k (1..6) from src to dst, the natural amount
    // following the source's own natural/compacted ratio.
    bool Transfer(DpKind kind, int step, int seq, DpEnd src, DpEnd dst, int pit, int k,
                  double compacted);
    // The two halves of a cross-project haul from from's cut into to's fill.
    static bool Cross(TestProject& from, int outStep, int cut, int outPort, TestProject& to,
                      int inStep, int fill, int inPort, double fraction);
    // A whole step: NextStep, n hauls from cut into fill, EndStep. Returns the step.
    int HaulStep(int cut, int fill, int n, double fraction);

    // Every value of [土石计算中间表] (current segment), by row, in column order.
    std::vector<std::vector<double>> MidTable() const;
    // [土石计算] the same way.
    std::vector<std::vector<double>> CalTable() const;
    // Soil, rock of every borrow pit, then the capacity of every waste pit.
    std::vector<double> Pits() const;
    // The remaining and delivered values of every segment item.
    std::vector<double> Items() const;

  private:
    void SetCoefficients();
    DpProcess Begin(DpKind kind, int step, int seq, DpEnd src, DpEnd dst, int pit = -1,
                    int partner = 0);
    bool MoveFromSegment(DpProcess& p, double fraction);
    std::vector<std::vector<double>> Table(const QString& name) const;

    std::unique_ptr<CDalvexDoc> m_owned;
    CDalvexDoc* m_pDoc = nullptr;
    QString m_strPath;
};

} // namespace dalvex::test
