#include "DPLedger.h"

#include "core/allocation/YDPCalLocal.h"
#include "core/allocation/YDPRule.h"
#include "core/model/YClassFilter.h"
#include "core/process/YHistory.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

using namespace dalvex::test;

constexpr std::array<double, 6> kEven = {10, 20, 20, 30, 10, 10}; // pit class shares, %

class DPPitLocalTest : public DPSettingsTest {
  protected:
    DPState Snapshot() { return ReadState(p.Doc()); }

    dalvex::test::ScratchDir dir;
    YRecordingUserIO io;
    TestProject p{dir.Path(QStringLiteral("a.dvx")), io};
};

// A class filter set to rock only: soil-first borrow takes no soil, quietly.
TEST_F(DPPitLocalTest, BorrowClassFilterRockOnly) {
    p.AddLine(0, 20, {{.fill = 30}});
    p.AddBorrowPit(10, 0, 20, kEven, 500, 500);
    p.Load();
    p.Select(0, 0);
    g_nClassFilter &= ~quint32(YClass::SoilMask);
    const DPState s1 =
        RunConserved(p.Doc(), DPR_SOIL_FIRST, YDPSelection::Borrow(&p.Doc(), 0, 0, 0));
    EXPECT_TRUE(io.Texts().isEmpty());
    EXPECT_EQ(s1.borrowSoil[0], 500.0);
    for (const LoggedProcess& lp : s1.Applied()) {
        EXPECT_EQ(lp.Moved(0), 0.0);
    }
    EXPECT_NEAR(s1.fill[0], 0.0, 1e-6);
}

// Waste into a pit whose capacity is exactly the nearest segment's surplus: that segment is
// emptied (factor 0), the pit ends at 0 and the next segment reports the pit full.
TEST_F(DPPitLocalTest, WastePitExactlyFull) {
    p.AddLine(0, 20, {{.use = {0, 30, 0, 0, 0, 0}}, {.use = {10, 0, 0, 15, 0, 0}}});
    p.AddWastePit(45, 0, 60, 25);
    p.Load();
    p.Select(0, 1);
    const DPState s1 =
        RunConserved(p.Doc(), DPR_SOIL_FIRST, YDPSelection::Waste(&p.Doc(), 0, 1, 0), "弃方");
    ASSERT_EQ(s1.Applied().size(), 1u);
    EXPECT_EQ(s1.Applied()[0].src1, 20.0);
    EXPECT_EQ(s1.wasteCapacity[0], 0.0);
    EXPECT_EQ(s1.usable[1][4], 0.0);
    EXPECT_EQ(s1.usable[1][7], 0.0);
    EXPECT_EQ(io.Texts(), QStringList{QStringLiteral("所选弃土场已满！")});
}

// Waste of unusable surplus leaves the usable surplus alone; local waste of both kinds.
TEST_F(DPPitLocalTest, UnusableWasteAndLocalWaste) {
    p.AddLine(0, 20,
              {{.use = {0, 30, 0, 0, 0, 0}, .unuse = {5, 0, 0, 0, 0, 7}},
               {.use = {0, 0, 0, 0, 0, 0}},
               {.use = {0, 8, 0, 0, 0, 0}, .unuse = {0, 0, 3, 0, 0, 0}}});
    p.AddWastePit(30, 0, 60, 1000);
    p.Load();
    p.Select(0, 2);
    const DPState s0 = Snapshot();
    const DPState s1 = RunConserved(p.Doc(), DPR_UNUSABLE | DPR_SOIL_FIRST,
                                    YDPSelection::Waste(&p.Doc(), 0, 2, 0));
    for (const LoggedProcess& lp : s1.Applied()) {
        EXPECT_EQ(lp.kind, DpKind::WasteUnusable);
    }
    EXPECT_EQ(s1.usable[0][5], 30.0);
    EXPECT_NEAR(s1.wasteCapacity[0], 1000 - 15, 1e-6);

    p.Select(0, 2);
    const DPState s2 = RunConserved(p.Doc(), DPR_LOCAL, YDPSelection::LocalCut(&p.Doc(), 0, 2));
    int step2 = 0;
    for (const LoggedProcess& lp : s2.Applied()) {
        if (lp.step == 2) {
            ++step2;
            EXPECT_EQ(lp.kind, DpKind::LocalWaste);
            EXPECT_EQ(lp.seq, step2); // segment 1 has nothing: numbers stay contiguous
        }
    }
    EXPECT_EQ(step2, 2);
    EXPECT_EQ(s2.usable[0][0], 0.0);
    EXPECT_EQ(s2.usable[2][5], 0.0);
    ASSERT_TRUE(YHistory::Undo(p.Doc(), 2, 1));
    ExpectSameQuantities(ReadState(p.Doc()), s0);
    ASSERT_TRUE(YHistory::Redo(p.Doc(), 1, 2));
    ExpectSameQuantities(ReadState(p.Doc()), s2);
}

// Local take closes each fill with the class mix of the contents setting; the compacted
// amounts add up to the need exactly.
TEST_F(DPPitLocalTest, LocalTakeWithContentsSetting) {
    p.AddLine(0, 20,
              {{.fill = 40, .content = {10, 30, 0, 60, 0, 0}},
               {.use = {0, 3, 0, 0, 0, 0}},
               {.fill = 25}});
    p.Load();
    p.Select(0, 2);
    const DPState s1 =
        RunConserved(p.Doc(), DPR_LOCAL, YDPSelection::LocalFill(&p.Doc(), 0, 2), "就地取土");
    const auto log = s1.Applied();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].kind, DpKind::LocalBorrow);
    // 描述 holds the fill segment's own contents, not the setting's it was closed with.
    EXPECT_EQ(log[0].desc, QStringLiteral("JDQT,10.000,30.000,0.000,60.000,0.000,0.000"));
    // Natural class amounts in the content ratio 20:20:60 of the setting.
    EXPECT_NEAR(log[0].before[4] / log[0].before[6], 20.0 / 60.0, 1e-6);
    EXPECT_NEAR(s1.fill[0], 0.0, 1e-6);
    EXPECT_NEAR(s1.fill[2], 0.0, 1e-6);
}

// With 使用填方土石含量 each fill uses its own contents; a fill whose contents are all zero is
// skipped with a message instead of a division by zero. Without it, contents not summing to
// 100 are refused before anything is recorded.
TEST_F(DPPitLocalTest, LocalTakeOwnContentsAndZeroContents) {
    p.AddLine(0, 20, {{.fill = 40, .content = {0, 50, 0, 50, 0, 0}}, {.fill = 25}});
    p.Load();
    p.Select(0, 1);
    const DPState s1 = RunConserved(p.Doc(), DPR_LOCAL | DPR_FILL_CONTENTS,
                                    YDPSelection::LocalFill(&p.Doc(), 0, 1));
    ASSERT_EQ(s1.Applied().size(), 1u);
    EXPECT_NEAR(s1.Applied()[0].before[5], s1.Applied()[0].before[7], 1e-6); // 50:50
    EXPECT_NEAR(s1.fill[1], 25.0, 1e-9);
    EXPECT_EQ(io.Texts(),
              QStringList{YDPCalJDJF::NoContentsText(p->GetSegment(1), YStationNumbering())});

    io.Clear();
    g_dContent[0] = 30; // sum 110
    p.Select(0, 1);
    EXPECT_FALSE(RunRule(DPR_LOCAL, YDPSelection::LocalFill(&p.Doc(), 0, 1)).recorded);
    EXPECT_EQ(io.Texts(), QStringList{QStringLiteral("请先输入正确的土石含量!")});
    EXPECT_EQ(ReadState(p.Doc()).log.size(), s1.log.size());
}

// Borrow and waste check the structures between the pit and the run.
TEST_F(DPPitLocalTest, PitsBehindStructures) {
    p.AddLine(0, 20, {{.use = {0, 30, 0, 0, 0, 0}}, {.fill = 10}});
    p.AddWastePit(100, 0, 200, 1000);
    p.AddBorrowPit(-50, -100, 0, kEven, 100, 100);
    p.AddStructure(60, 80, QStringLiteral("隧道"), false);
    p.AddStructure(-30, -20, QStringLiteral("桥"), false);
    p.Load();
    p.Select(0, 1);
    EXPECT_FALSE(RunRule(DPR_SOIL_FIRST, YDPSelection::Waste(&p.Doc(), 0, 0, 0)).recorded);
    EXPECT_FALSE(RunRule(DPR_SOIL_FIRST, YDPSelection::Borrow(&p.Doc(), 0, 1, 1)).recorded);
    ASSERT_EQ(io.Texts().size(), 2);
    EXPECT_TRUE(io.Texts()[0].startsWith(QStringLiteral("不能跨越构造物 隧道(")));
    EXPECT_TRUE(io.Texts()[1].startsWith(QStringLiteral("不能跨越构造物 桥(")));
    EXPECT_TRUE(ReadState(p.Doc()).log.empty());
}

} // namespace
