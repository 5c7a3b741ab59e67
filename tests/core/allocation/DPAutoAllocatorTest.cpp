#include "DPLedger.h"

#include "core/allocation/YDPAutoAllocator.h"
#include "core/allocation/YDPRule.h"
#include "core/model/YClassFilter.h"
#include "support/TestSupport.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <vector>

namespace {

using namespace dalvex::test;

class DPAutoAllocatorTest : public DPSettingsTest {
  protected:
    dalvex::test::ScratchDir dir;
    YRecordingUserIO io;
    TestProject p{dir.Path(QStringLiteral("auto.dvx")), io};
};

// A road with cut and fill on both sides of a bridge that may not be crossed, one waste pit
// and one borrow pit: everything is disposed of or supplied, the ledger balances, the program
// settings come back unchanged, and the project finishes.
TEST_F(DPAutoAllocatorTest, WholeProjectBalancesAndFinishes) {
    p.AddLine(0, 20,
              {{.use = {0, 58, 0, 0, 0, 0}},
               {.fill = 20},
               {.use = {0, 116, 0, 0, 0, 0}, .unuse = {5, 0, 0, 0, 0, 0}},
               {.fill = 10},
               // bridge 80-100
               {},
               {.fill = 60},
               {.use = {0, 11.6, 0, 4.6, 0, 0}, .fill = 3},
               {.fill = 40}});
    p.AddStructure(82, 98, QStringLiteral("大桥"), false);
    p.AddWastePit(30, 0, 80, 60);
    p.AddBorrowPit(150, 100, 160, {0, 50, 50, 0, 0, 0}, 50, 0);
    p.Load();
    const DPState s0 = ReadState(p.Doc());
    g_nDPRule = DPR_CUT_RATIO | DPR_THICKNESS;
    const quint32 filter = g_nClassFilter &= ~quint32(YClass::Bit(6));

    const YDPAutoAllocator::Summary sum = YDPAutoAllocator::Run(p.Doc(), {.dReach = 200.0});
    EXPECT_EQ(g_nDPRule, DPR_CUT_RATIO | DPR_THICKNESS);
    EXPECT_EQ(g_nClassFilter, filter);
    EXPECT_TRUE(sum.bWritten);
    EXPECT_TRUE(sum.bFinished) << io.Texts().join(QLatin1Char('|')).toStdString();
    EXPECT_GT(sum.nHaulSteps, 0);
    EXPECT_GT(sum.nWasteSteps, 0);
    EXPECT_GT(sum.nBorrowSteps, 0);
    EXPECT_GT(sum.nLocalSteps, 0);

    const DPState s1 = ReadState(p.Doc());
    ExpectConserved(p.Doc(), s0, s1);
    for (size_t i = 0; i < s1.segStart.size(); ++i) {
        EXPECT_LE(s1.fill[i], 1e-5) << i;
        for (size_t k = 0; k < 6; ++k) {
            EXPECT_LE(s1.usable[i][4 + k], 1e-5) << i;
            EXPECT_LE(s1.unusable[i][4 + k], 1e-5) << i;
        }
    }
    // No haul crosses the bridge: every haul stays on one side.
    for (const LoggedProcess& lp : s1.Applied()) {
        if (lp.kind == DpKind::Haul) {
            EXPECT_EQ(lp.src1 < 82, lp.dst1 < 82) << lp.src1 << " -> " << lp.dst1;
        }
    }
    EXPECT_NEAR(s1.wasteCapacity[0], 0.0, 1e-6); // the pit took what it could hold
}

// A fill takes haul from the cuts within reach that it reaches, nearest first, even where the
// cut and the fill lie in different kilometres and different half-kilometres of the line; a
// cut just beyond the reach and a nearer cut behind a bridge that may not be crossed are not
// hauled, and what they leave goes to local waste while the fill's rest is borrowed locally.
TEST_F(DPAutoAllocatorTest, FillTakesHaulWithinReachNearestFirst) {
    std::vector<SegSpec> line(24);           // 100 m segments, 0-2400
    line[5] = {.use = {0, 30, 0, 0, 0, 0}};  // centre 550: 1100 m from the fill
    line[9] = {.use = {0, 100, 0, 0, 0, 0}}; // centre 950: 700 m
    line[13] = {.use = {0, 20, 0, 0, 0, 0}}; // centre 1350: 300 m
    line[16] = {.fill = 200};                // centre 1650
    line[20] = {.use = {0, 80, 0, 0, 0, 0}}; // centre 2050: 400 m, behind the bridge
    p.AddLine(0, 100, line);
    p.AddStructure(1810, 1890, QStringLiteral("大桥"), false);
    p.Load();
    const DPState s0 = ReadState(p.Doc());

    const YDPAutoAllocator::Summary sum = YDPAutoAllocator::Run(p.Doc(), {.dReach = 1000.0});
    ASSERT_TRUE(sum.bWritten);
    EXPECT_TRUE(sum.bFinished) << io.Texts().join(QLatin1Char('|')).toStdString();
    const DPState s1 = ReadState(p.Doc());
    ExpectConserved(p.Doc(), s0, s1);

    std::vector<double> sources; // cut start of each haul, in log order
    double hauled = 0.0;
    for (const LoggedProcess& lp : s1.Applied()) {
        if (lp.kind == DpKind::Haul) {
            EXPECT_EQ(lp.dst1, 1600.0);
            sources.push_back(lp.src1);
            hauled += lp.FillMoved();
        }
    }
    ASSERT_FALSE(sources.empty());
    EXPECT_EQ(sources.front(), 1300.0);                              // the nearest cut first
    EXPECT_GT(std::count(sources.begin(), sources.end(), 900.0), 0); // the farther one next
    for (const double src : sources) {
        EXPECT_TRUE(src == 1300.0 || src == 900.0) << src;
    }
    EXPECT_NEAR(hauled, 120.0 / kCoef[1], 1e-6); // all of both cuts in reach, compacted
    for (const size_t i : {size_t(5), size_t(20)}) {
        EXPECT_NEAR(s1.usable[i][4 + 1] + s1.unusable[i][4 + 1], 0.0, 1e-6) << i; // wasted
    }
    EXPECT_LE(s1.fill[16], 1e-5); // the rest borrowed locally
    EXPECT_GT(sum.nLocalSteps, 0);
}

// An empty model does nothing.
TEST_F(DPAutoAllocatorTest, NoSegmentsNothingDone) {
    const YDPAutoAllocator::Summary sum = YDPAutoAllocator::Run(p.Doc(), {});
    EXPECT_FALSE(sum.bWritten);
    EXPECT_EQ(sum.nHaulSteps + sum.nLocalSteps, 0);
}

} // namespace
