#pragma once

#include "core/allocation/YDPSelection.h"
#include "core/db/DpKind.h"
#include "core/document/CDalvexDoc.h"
#include "support/ProjectFixture.h"

#include <QString>
#include <array>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

class YDocManager;

// An independent ledger of a project file, read back with plain SQL to check what the
// strategies recorded.
namespace dalvex::test {

using Amounts = std::array<double, 16>; // DpAmt order: soil, soil c., rock, rock c., 1-6, 1-6 c.

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
    DpKind kind = DpKind::Haul; // decoded from 描述 and 坑 independently of the process code
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
// RunRule on one project that must record and balance the ledger (and pick the strategy named,
// when one is); the state after.
DPState RunConserved(CDalvexDoc& doc, int rule, const YDPSelection& sel,
                     const char* strategy = nullptr);

// Two new project files 甲线 (a) and 乙线 (b) open in mgr, each with a road of 20 m segments from
// K0+000; port pair 1 leads from A's end to B's start, 15 m apart. Neither is loaded yet.
void OpenLinkedProjects(YDocManager& mgr, const ScratchDir& dir, YUserIO& io,
                        const std::vector<SegSpec>& roadA, const std::vector<SegSpec>& roadB,
                        std::unique_ptr<TestProject>& a, std::unique_ptr<TestProject>& b);

} // namespace dalvex::test
