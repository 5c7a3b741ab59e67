#pragma once

#include "core/allocation/YDPSelection.h"
#include "core/document/CDalvexDoc.h"
#include "support/YRecordingUserIO.h"

#include <QString>
#include <array>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

// A project file built for the strategy tests through the core's record sets, and an
// independent ledger read back with plain SQL to check what the strategies recorded.
namespace dptest {

using Amounts = std::array<double, 16>; // DpAmt order: soil, soil c., rock, rock c., 1-6, 1-6 c.

struct SegSpec {
    double start = 0.0;
    double end = 0.0;
    std::array<double, 6> use{};     // usable surplus by class, natural m³
    std::array<double, 6> unuse{};   // unusable surplus by class, natural m³
    double fill = 0.0;               // fill still needed, compacted m³
    std::array<double, 6> content{}; // class contents of the row, %
};

// Class coefficients used by every test project (natural / compacted).
inline constexpr std::array<double, 6> kCoef = {1.25, 1.16, 1.09, 0.92, 0.88, 0.84};

class DPProject {
  public:
    DPProject(const QString& path, YUserIO& io);
    // A project created through a document manager (which owns it), so that cross-project
    // undo can find it by its GUID.
    explicit DPProject(CDalvexDoc* managed);
    // Creates an empty project file carrying the GUID and name properties that other projects
    // find it by (a document reads them when it opens the file).
    static void CreateFile(const QString& path, YUserIO& io, const QString& guid,
                           const QString& name);
    CDalvexDoc& Doc() { return *m_pDoc; }
    CDalvexDoc* operator->() { return m_pDoc; }

    void AddSeg(const SegSpec& s);
    // Consecutive segments of length len from start, one per entry (stations overwritten).
    void AddLine(double start, double len, std::vector<SegSpec> specs);
    void AddBorrowPit(double road, double ecoStart, double ecoEnd,
                      const std::array<double, 6>& shares, double soil, double rock);
    void AddWastePit(double road, double ecoStart, double ecoEnd, double capacity);
    void AddStructure(double start, double end, const QString& name, bool cross);
    void AddLink(int no, double sta, double staNear, double dist, const DPProject& other);
    // Builds the model (as 开始调配 does).
    void Load();

    // Selection masks as the diagram's rectangle selection sets them (UpdateSel with the
    // class filter) on segments first..last; Clear drops every selection bit.
    void Select(int first, int last);
    void ClearSelection();

  private:
    void SetCoefficients();

    std::unique_ptr<CDalvexDoc> m_owned;
    CDalvexDoc* m_pDoc = nullptr;
};

// A test that starts from the default allocation settings and class filter and puts them back.
class DPSettingsTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
};

// One process as the log holds it (both rows).
struct LoggedProcess {
    int step = 0;
    int seq = 0;
    int kind = 0; // decoded from 描述 and 坑 independently of the process code
    QString desc;
    int srcPit = 0;
    int dstPit = 0;
    double src1 = 0, src2 = 0, dst1 = 0, dst2 = 0;
    Amounts before{};
    Amounts after{};
    double fillBefore = 0, fillAfter = 0;
    bool ok = true;
    double Moved(int i) const { return before[size_t(i)] - after[size_t(i)]; }
    double FillMoved() const { return fillBefore - fillAfter; }
};

// Everything a strategy may change, read straight from the file.
struct DPState {
    std::vector<double> segStart;
    std::vector<Amounts> usable;
    std::vector<Amounts> unusable;
    std::vector<Amounts> surplus; // 挖余土 … (usable + unusable)
    std::vector<double> fill;
    std::vector<double> borrowSoil, borrowRock, wasteCapacity; // table order
    std::vector<LoggedProcess> log;                            // applied and undone
    std::vector<LoggedProcess> Applied() const;
};

DPState ReadState(CDalvexDoc& doc);

// Checks that the change from s0 to s1 is exactly what the applied processes of s1 that are
// not applied in s0 moved: material leaving sources equals material reaching destinations,
// class by class, natural and compacted; nothing negative; the model matches the file.
void ExpectConserved(CDalvexDoc& doc, const DPState& s0, const DPState& s1);
// The file holds the same quantities as in s (log aside).
void ExpectSameQuantities(const DPState& a, const DPState& b);

// Runs FindStrategy and Compute as the interactive tool does; returns the rule name of the
// strategy ("-" when none accepted) and whether it recorded anything.
struct RunResult {
    QString strategy;
    bool recorded = false;
};
RunResult RunRule(int rule, const YDPSelection& sel);

} // namespace dptest
