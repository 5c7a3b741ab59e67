// Recording processes: what a transfer does to [土石计算中间表], the pits, the items and the log.
#include "ProcessTestBase.h"

#include "core/db/YLogCodec.h"
#include "core/db/YQitkSet.h"
#include "core/db/YQtkSet.h"
#include "core/db/YTdpSet.h"
#include "core/db/YTransaction.h"
#include "core/db/YZjTsjsSet.h"
#include "core/process/YAmountGrid.h"
#include "core/process/YHistory.h"
#include "core/process/YProcessLog.h"
#include "core/process/YProcessRecorder.h"

namespace dalvex::test {
namespace {

class RecorderTest : public ProcessTest {
  protected:
    void SetUp() override {
        ProcessTest::SetUp();
        project->AddSegs(TestProject::Road(6));
        ASSERT_TRUE(project->Load());
    }
    std::vector<YDpLogPair> Pairs() {
        std::vector<YDpLogPair> pairs;
        EXPECT_TRUE(YProcessLog(Doc().GetTdpSet()).ReadPairs(pairs));
        return pairs;
    }
};

TEST_F(RecorderTest, HaulMovesUsableCutIntoFillAndLogsOnePair) {
    const YTFItem before0 = Doc().GetSegment(0);
    const YTFItem before1 = Doc().GetSegment(1);
    const int step = YProcessRecorder::NextStep(Doc());
    EXPECT_EQ(step, 1);
    ASSERT_TRUE(project->Haul(step, 1, 0, 1, 0.25));
    YProcessRecorder::EndStep(Doc(), step);

    const YTFItem& cut = Doc().GetSegment(0);
    const YTFItem& fill = Doc().GetSegment(1);
    double movedC = 0.0;
    for (int k = 0; k < 6; ++k) {
        EXPECT_NEAR(cut.m_dRemUse[k], before0.m_dRemUse[k] * 0.75, 1e-6) << k;
        EXPECT_DOUBLE_EQ(cut.m_dRemUnuse[k], before0.m_dRemUnuse[k]) << k; // untouched
        movedC += before0.m_dRemUse[k] * 0.25 / kCoef[k];
    }
    EXPECT_NEAR(fill.m_dRemFill, before1.m_dRemFill - movedC, 1e-5);
    EXPECT_NEAR(fill.m_dFillSoil + fill.m_dFillRock, movedC, 1e-5);

    // The intermediate table holds the same as the items; the surplus totals move too.
    YZjTsjsSet& mid = Doc().GetZjTsjsSet();
    ASSERT_TRUE(mid.FindByStation(cut.m_staStart));
    EXPECT_DOUBLE_EQ(mid.m_usable.d[1], cut.m_dRemUse[1]);
    EXPECT_NEAR(mid.m_rem.d[1], before0.m_dRemUse[1] * 0.75 + before0.m_dRemUnuse[1], 1e-6);
    ASSERT_TRUE(mid.FindByStation(fill.m_staStart));
    EXPECT_DOUBLE_EQ(mid.m_dFillAfterLocal, fill.m_dRemFill);

    const auto pairs = Pairs();
    ASSERT_EQ(pairs.size(), 1u);
    const YDpLogPair& p = pairs[0];
    EXPECT_TRUE(p.src.fillSide);
    EXPECT_FALSE(p.dst.fillSide);
    EXPECT_TRUE(p.src.ok && p.dst.ok);
    EXPECT_EQ(p.src.gcid, 1);
    EXPECT_EQ(p.dst.id, 1);
    EXPECT_DOUBLE_EQ(p.src.sta1, 0);
    EXPECT_DOUBLE_EQ(p.dst.sta2, 40);
    // Before and after were re-based on the surplus columns (usable + unusable).
    EXPECT_NEAR(p.src.before[DpAmt::Cls(1)], before0.m_dRemUse[0] + before0.m_dRemUnuse[0], 1e-9);
    EXPECT_NEAR(p.dst.totalBefore - p.dst.totalAfter, movedC, 1e-5);
    EXPECT_EQ(reactor->events, (QStringList{"new 1", "added 1.1", "ended 1"}));
}

TEST_F(RecorderTest, TakingAllOfAClassLeavesExactlyZeroAndNothingToSelect) {
    // Segment 0 holds about 63 m³ compacted of usable cut; segment 1 needs 99 m³.
    const int step = YProcessRecorder::NextStep(Doc());
    ASSERT_TRUE(project->Haul(step, 1, 0, 1, 1.0));
    const YTFItem& cut = Doc().GetSegment(0);
    YZjTsjsSet& mid = Doc().GetZjTsjsSet();
    ASSERT_TRUE(mid.FindByStation(cut.m_staStart));
    for (int k = 0; k < 6; ++k) {
        EXPECT_EQ(cut.m_dRemUse[size_t(k)], 0.0) << k;
        EXPECT_EQ(mid.m_usable.d[k], 0.0) << k;
        EXPECT_EQ(mid.m_usable.dC[k], 0.0) << k;
    }
    g_nClassFilter = YClassFilter::Initial;
    // Only the classes with unusable surplus (1, 2, 4) can still be picked.
    EXPECT_EQ(cut.SelectableBits() & YClass::AllMask,
              YClass::Bit(1) | YClass::Bit(2) | YClass::Bit(4));
}

// A transfer that leaves only arithmetic noise of each value (far below the amount grid):
// rounded to the grid, the amounts leave at most noise behind, never a negative remainder, and
// undo and redo still restore the tables.
TEST_F(RecorderTest, AmountsJustShortOfTheWholeLeaveNoNegativeRemainder) {
    const auto s0 = project->MidTable();
    const int step = YProcessRecorder::NextStep(Doc());
    DpProcess p(DpKind::Haul, step, 1, &Doc().GetSegment(0), &Doc().GetSegment(1));
    YProcessRecorder::TakeBefore(Doc(), p);
    for (int i = 0; i < DpAmt::Count; ++i) {
        p.after[i] = p.before[i] * 1e-13;
    }
    const double movedC = p.before[DpAmt::SoilC] - p.after[DpAmt::SoilC] + p.before[DpAmt::RockC] -
                          p.after[DpAmt::RockC];
    ASSERT_LT(movedC, p.fillBefore);
    p.fillAfter = p.fillBefore - movedC;
    ASSERT_TRUE(YProcessRecorder::RecordProcess(Doc(), p));
    YProcessRecorder::EndStep(Doc(), step);

    YZjTsjsSet& mid = Doc().GetZjTsjsSet();
    ASSERT_TRUE(mid.FindByStation(Doc().GetSegment(0).m_staStart));
    for (int i = 0; i < YClassQuantities::Count; ++i) {
        EXPECT_GE(mid.m_usable[i], 0.0) << i;
        EXPECT_LT(mid.m_usable[i], YAmountGrid::Step) << i;
        EXPECT_GE(mid.m_rem[i], 0.0) << i;
    }
    const auto s1 = project->MidTable();
    ASSERT_TRUE(YHistory::Undo(Doc(), step, step));
    EXPECT_TRUE(TablesNear(project->MidTable(), s0, 1e-12));
    ASSERT_TRUE(YHistory::Redo(Doc(), step, step));
    EXPECT_EQ(project->MidTable(), s1);
}

TEST_F(RecorderTest, StaleBeforeValuesStillMoveTheirAmounts) {
    const int step = YProcessRecorder::NextStep(Doc());
    DpProcess stale(DpKind::Haul, step, 1, &Doc().GetSegment(2), &Doc().GetSegment(3));
    YProcessRecorder::TakeBefore(Doc(), stale);
    ASSERT_TRUE(project->Haul(step, 1, 2, 3, 0.5)); // another process takes half first
    stale.seq = 2;
    stale.after[DpAmt::Cls(2)] -= 4.0;
    stale.after[DpAmt::ClsC(2)] -= 4.0 / 1.16;
    stale.after[DpAmt::Soil] -= 4.0;
    stale.after[DpAmt::SoilC] -= 4.0 / 1.16;
    stale.fillAfter -= 4.0 / 1.16;
    const double remBefore = Doc().GetSegment(2).m_dRemUse[1];
    ASSERT_TRUE(YProcessRecorder::RecordProcess(Doc(), stale));
    EXPECT_NEAR(Doc().GetSegment(2).m_dRemUse[1], remBefore - 4.0, 1e-6);
    const auto pairs = Pairs();
    ASSERT_EQ(pairs.size(), 2u);
    const DpLogRecord r = YLogCodec::Decode(pairs[1]);
    EXPECT_NEAR(r.amount[DpAmt::Cls(2)], 4.0, 1e-6);
    EXPECT_NEAR(r.FillAmount(), 4.0 / 1.16, 1e-6);
}

TEST_F(RecorderTest, BorrowPitTakeBeforeAndRecording) {
    project->AddBorrowPit(70, 70, 70, {20, 30, 50, 50, 50, 0}, 1000, 400, 35);
    ASSERT_TRUE(project->Load());
    DpProcess p(DpKind::Borrow, 1, 1, &Doc().Model().m_arrQutuk[0], &Doc().GetSegment(3), 0);
    YProcessRecorder::TakeBefore(Doc(), p);
    EXPECT_DOUBLE_EQ(p.before[DpAmt::Soil], 1000);
    EXPECT_DOUBLE_EQ(p.before[DpAmt::Rock], 400);
    EXPECT_NEAR(p.before[DpAmt::Cls(2)], 300, 1e-9);
    EXPECT_NEAR(p.before[DpAmt::Cls(5)], 200, 1e-9);
    EXPECT_DOUBLE_EQ(p.before[DpAmt::Cls(6)], 0);
    EXPECT_NEAR(p.before[DpAmt::SoilC], 200 / kCoef[0] + 300 / kCoef[1] + 500 / kCoef[2], 1e-9);
    EXPECT_NEAR(p.before[DpAmt::RockC], 200 / kCoef[3] + 200 / kCoef[4], 1e-9);
    EXPECT_EQ(p.after, p.before);
    EXPECT_DOUBLE_EQ(p.fillBefore, Doc().GetSegment(3).m_dRemFill);

    ASSERT_TRUE(project->Borrow(1, 1, 0, 3, 0.05));
    const auto pits = project->Pits();
    ASSERT_EQ(pits.size(), 2u);
    EXPECT_NEAR(pits[0], 950, 1e-6);
    EXPECT_NEAR(pits[1], 380, 1e-6);
    const auto pairs = Pairs();
    ASSERT_EQ(pairs.size(), 1u);
    EXPECT_EQ(pairs[0].src.pit, 1); // pit index + 1
    EXPECT_DOUBLE_EQ(pairs[0].src.sta1, 70);
    EXPECT_EQ(YLogCodec::Decode(pairs[0]).kind, DpKind::Borrow);
}

TEST_F(RecorderTest, WasteLowersThePitCapacityAndLogsThePit) {
    project->AddWastePit(55, 55, 55, 500, 12);
    project->AddWastePit(95, 95, 95, 800, 8);
    ASSERT_TRUE(project->Load());
    const double unusable0 = Doc().GetSegment(0).m_dRemUnuse[0];
    ASSERT_TRUE(project->Waste(1, 1, 0, 1, 0.5));
    ASSERT_TRUE(project->Waste(1, 2, 0, 1, 1.0, true));
    EXPECT_EQ(Doc().GetSegment(0).m_dRemUnuse[0], 0.0);
    const auto pits = project->Pits();
    ASSERT_EQ(pits.size(), 2u);
    EXPECT_DOUBLE_EQ(pits[0], 500);
    const auto pairs = Pairs();
    ASSERT_EQ(pairs.size(), 2u);
    EXPECT_EQ(pairs[0].dst.pit, 2);
    EXPECT_EQ(YLogCodec::Decode(pairs[0]).kind, DpKind::Waste);
    EXPECT_EQ(YLogCodec::Decode(pairs[1]).kind, DpKind::WasteUnusable);
    EXPECT_EQ(pairs[1].src.desc, QStringLiteral("QCFF"));
    const double wasted =
        YLogCodec::Decode(pairs[0]).FillAmount() + YLogCodec::Decode(pairs[1]).FillAmount();
    EXPECT_NEAR(pits[1], 800 - wasted, 1e-6);
    EXPECT_NEAR(YLogCodec::Decode(pairs[1]).amount[DpAmt::Cls(1)], unusable0, 1e-9);
}

TEST_F(RecorderTest, LocalKindsAndReuseDecodeBack) {
    ASSERT_TRUE(project->LocalWaste(1, 1, 0));
    ASSERT_TRUE(project->LocalWaste(1, 2, 2, true));
    ASSERT_TRUE(project->LocalTake(2, 1, 1));
    const auto pairs = Pairs();
    ASSERT_EQ(pairs.size(), 3u);
    EXPECT_EQ(YLogCodec::Decode(pairs[0]).kind, DpKind::LocalWaste);
    EXPECT_EQ(YLogCodec::Decode(pairs[1]).kind, DpKind::LocalWasteUnusable);
    EXPECT_EQ(YLogCodec::Decode(pairs[2]).kind, DpKind::LocalBorrow);
    EXPECT_TRUE(pairs[2].src.desc.startsWith(QStringLiteral("JDQT,20.000,20.000,60.000,")));
    EXPECT_NEAR(Doc().GetSegment(1).m_dRemFill, 0.0, 1e-9);
    // The local take delivered its own amounts, not the contents it carries in after.
    EXPECT_NEAR(Doc().GetSegment(1).m_dFillSoil, Doc().GetSegment(1).m_dFill, 1e-6);
}

TEST_F(RecorderTest, ReuseWithinASegmentFillsTheLocalReuseColumns) {
    project->AddSegs({SegSpec{200, 220, {10, 0, 0, 0, 0, 0}, {}, 5.0}});
    ASSERT_TRUE(project->Load());
    const int seg = Doc().GetSegmentCount() - 1;
    ASSERT_DOUBLE_EQ(Doc().GetSegment(seg).m_staStart.Value(), 200);
    ASSERT_TRUE(project->Reuse(1, 1, seg, 1.0));
    YZjTsjsSet& mid = Doc().GetZjTsjsSet();
    ASSERT_TRUE(mid.FindByStation(YStation(200)));
    EXPECT_NEAR(mid.m_dLocalSoil, 5.0, 1e-9);
    EXPECT_NEAR(mid.m_dLocalC[0], 5.0, 1e-9);
    EXPECT_NEAR(mid.m_dLocal[0], 5.0 * kCoef[0], 1e-6);
    EXPECT_NEAR(mid.m_dFillAfterLocal, 0.0, 1e-9);
    EXPECT_EQ(YLogCodec::Decode(Pairs()[0]).kind, DpKind::Reuse);
}

TEST_F(RecorderTest, AProcessWithoutItsRowRecordsNothing) {
    YTFItem ghost;
    ghost.m_staStart = 5000;
    ghost.m_staEnd = 5020;
    DpProcess p(DpKind::Haul, 1, 1, &ghost, &Doc().GetSegment(1));
    p.before[DpAmt::Soil] = 3;
    const auto mid = project->MidTable();
    EXPECT_FALSE(YProcessRecorder::RecordProcess(Doc(), p));
    EXPECT_EQ(project->MidTable(), mid);
    EXPECT_EQ(LogRows(), 0);
    DpProcess missing(DpKind::Borrow, 1, 1, &Doc().GetSegment(1), &Doc().GetSegment(1), 0);
    EXPECT_FALSE(YProcessRecorder::RecordProcess(Doc(), missing)); // no borrow pit item
}

// Inside a step the processes take no savepoints: a write that fails halfway through a process
// fails the whole step, so the file never keeps part of one.
TEST_F(RecorderTest, AWriteThatFailsHalfwayFailsTheWholeStep) {
    const auto mid = project->MidTable();
    YDatabase& db = Doc().GetDatabase();
    // The second process's log rows cannot be written, as on a full disk.
    ASSERT_TRUE(db.Exec(QStringLiteral("CREATE TRIGGER [full] BEFORE INSERT ON [Tmp调配过程表] "
                                       "WHEN NEW.[ID] = 2 BEGIN SELECT RAISE(ABORT, '磁盘已满'); "
                                       "END")));
    {
        YTransaction step(db);
        ASSERT_TRUE(project->Haul(1, 1, 0, 1, 0.25));
        EXPECT_FALSE(project->Haul(1, 2, 2, 3, 0.25)); // its table rows were already written
        EXPECT_FALSE(step.Commit());
    }
    EXPECT_EQ(project->MidTable(), mid);
    EXPECT_EQ(LogRows(), 0);
    // Alone, a process is its own transaction: the failed one leaves nothing either.
    EXPECT_FALSE(project->Haul(1, 2, 2, 3, 0.25));
    EXPECT_EQ(project->MidTable(), mid);
    ASSERT_TRUE(project->Haul(1, 1, 0, 1, 0.25));
    EXPECT_EQ(LogRows(), 2);
}

} // namespace
} // namespace dalvex::test
