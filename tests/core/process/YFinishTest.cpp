// Finishing the allocation: the completeness check, the fill made per stretch, the step
// summaries with their merging rule and the statistics rows, on a small hand-checked project.
#include "ProcessTestBase.h"

#include "core/db/YDpSet.h"
#include "core/db/YGchSet.h"
#include "core/db/YTjExSet.h"
#include "core/db/YTjtsjSet.h"
#include "core/db/YTsjsExSet.h"
#include "core/db/YZjTsjsSet.h"
#include "core/process/YFinish.h"
#include "core/process/YHistory.h"
#include "core/process/YProcessRecorder.h"
#include "core/process/YStepSummary.h"

namespace dalvex::test {
namespace {

// Three stretches: 0-20 m cuts 58 m³ of class II (50 compacted, coefficient 1.16) and holds
// 9.2 m³ of unusable class IV (10 compacted); 20-40 needs 40 m³ of fill, 40-60 needs 30.
// A borrow pit of class III at 100 m with a 50 m road; a waste pit at 10 m with a 5 m road.
class FinishTest : public ProcessTest {
  protected:
    void SetUp() override {
        ProcessTest::SetUp();
        SegSpec cut{0, 20, {0, 58, 0, 0, 0, 0}, {0, 0, 0, 9.2, 0, 0}, 0};
        project->AddSegs({cut, SegSpec{20, 40, {}, {}, 40}, SegSpec{40, 60, {}, {}, 30}});
        project->AddBorrowPit(100, 100, 100, {0, 0, 100, 0, 0, 0}, 500, 0, 50);
        project->AddWastePit(10, 10, 10, 100, 5);
        ASSERT_TRUE(project->Load());
    }
    YTFItem* Seg(int i) { return &Doc().GetSegment(i); }
    void Allocate() {
        auto& m = Doc().Model();
        ASSERT_TRUE(project->Transfer(DpKind::Haul, 1, 1, Seg(0), Seg(1), -1, 2, 40));
        ASSERT_TRUE(project->Transfer(DpKind::Haul, 2, 1, Seg(0), Seg(2), -1, 2, 10));
        ASSERT_TRUE(project->Transfer(DpKind::Borrow, 3, 1, &m.m_arrQutuk[0], Seg(2), 0, 3, 20));
        ASSERT_TRUE(
            project->Transfer(DpKind::WasteUnusable, 4, 1, Seg(0), &m.m_arrQituk[0], 0, 4, 10));
    }
};

TEST_F(FinishTest, IncompleteAllocationIsReportedAndChangesNothing) {
    ASSERT_TRUE(project->Transfer(DpKind::Haul, 1, 1, Seg(0), Seg(1), -1, 2, 40));
    const auto mid = project->MidTable();
    io.Clear();
    EXPECT_FALSE(YFinish::Finish(Doc()));
    EXPECT_EQ(io.Texts(), QStringList{QStringLiteral("调配尚未完成!桩号K0+000.000")});
    EXPECT_EQ(project->MidTable(), mid);
    EXPECT_EQ(Doc().GetSegmentCount(), 3);
}

TEST_F(FinishTest, SummariesMergeAdjacentStepsOfOneKind) {
    Allocate();
    ASSERT_TRUE(YFinish::Finish(Doc()));
    EXPECT_EQ(Doc().GetSegmentCount(), 0);
    EXPECT_TRUE(reactor->events.contains(QStringLiteral("reset")));

    YGchSet& gch = Doc().GetGchSet();
    ASSERT_TRUE(gch.Requery());
    ASSERT_EQ(gch.RecordCount(), 3);
    // Steps 1 and 2 haul from the same stretch into touching stretches: one summary, numbered
    // by the later step, its haul distance weighted: (40 × 20 + 10 × 40) / 50 = 24 m.
    gch.MoveFirst();
    EXPECT_EQ(gch.m_nGCID, 2);
    EXPECT_DOUBLE_EQ(gch.m_staTakeStart.Value(), 0);
    EXPECT_DOUBLE_EQ(gch.m_staTakeEnd.Value(), 20);
    EXPECT_DOUBLE_EQ(gch.m_staPutStart.Value(), 20);
    EXPECT_DOUBLE_EQ(gch.m_staPutEnd.Value(), 60);
    EXPECT_NEAR(gch.m_dSoilC, 50, 1e-6);
    EXPECT_NEAR(gch.m_dSoil, 58, 1e-5);
    EXPECT_NEAR(gch.m_dSoilDist, 24, 1e-6);
    EXPECT_NEAR(gch.m_dMovedC[1], 50, 1e-6);
    EXPECT_NEAR(gch.m_dDist[1], 24, 1e-6);
    EXPECT_EQ(gch.m_nPit, 0);
    // The borrow: from the pit road (100) to the centre of 40-60, plus the 50 m road.
    gch.MoveNext();
    EXPECT_EQ(gch.m_nGCID, 3);
    EXPECT_EQ(gch.m_nPit, 1);
    EXPECT_NEAR(gch.m_dSoilC, 20, 1e-6);
    EXPECT_NEAR(gch.m_dSoil, 20 * 1.09, 1e-5);
    EXPECT_NEAR(gch.m_dSoilDist, 50 + 50, 1e-6);
    // The waste of unusable rock: to the pit road at 10 from the centre 10, plus 5 m.
    gch.MoveNext();
    EXPECT_EQ(gch.m_nGCID, 4);
    EXPECT_EQ(gch.m_nPit, 1); // only kind 2 is stored negated
    EXPECT_NEAR(gch.m_dRock, 9.2, 1e-6);
    EXPECT_NEAR(gch.m_dRockDist, 5, 1e-6);
    EXPECT_DOUBLE_EQ(gch.m_dSoilDist, 0);

    YDpSet& dp = Doc().GetDpSet();
    ASSERT_TRUE(dp.Requery());
    ASSERT_EQ(dp.RecordCount(), 3);
    dp.MoveFirst();
    EXPECT_EQ(dp.m_nGCID, 2);
    EXPECT_NEAR(dp.m_sta1.Value(), 10, 1e-9);
    EXPECT_NEAR(dp.m_sta2.Value(), (40 * 30 + 10 * 50) / 50.0, 1e-6);
}

TEST_F(FinishTest, FillMadeAndStatisticsPerStretch) {
    Allocate();
    ASSERT_TRUE(YFinish::Finish(Doc()));
    YZjTsjsSet& mid = Doc().GetZjTsjsSet();
    ASSERT_TRUE(mid.FindByStation(YStation(40)));
    EXPECT_NEAR(mid.m_dFillSoil, 30, 1e-6);
    EXPECT_NEAR(mid.m_dFillC[1], 10, 1e-6);
    EXPECT_NEAR(mid.m_dFillC[2], 20, 1e-6);
    EXPECT_NEAR(mid.m_dFillSoilL, 11.6 + 21.8, 1e-5);
    EXPECT_NEAR(mid.m_dFill[2], 21.8, 1e-5);
    for (mid.MoveFirst(); !mid.IsEOF(); mid.MoveNext()) {
        EXPECT_NEAR(mid.m_dFillSoil + mid.m_dFillRock, mid.m_dFillTotal, 1e-6);
    }

    YTjtsjSet& tj = Doc().GetTjtsjSet();
    ASSERT_TRUE(tj.Requery());
    ASSERT_EQ(tj.RecordCount(), 3);
    tj.MoveFirst(); // 0-20: the cut and the waste
    EXPECT_NEAR(tj.m_dCutTotal, 67.2, 1e-9);
    EXPECT_NEAR(tj.m_dCutSoil, 58, 1e-9);
    EXPECT_NEAR(tj.m_dCut[3], 9.2, 1e-9);
    EXPECT_NEAR(tj.m_wasteC.dRock, 10, 1e-6);
    EXPECT_NEAR(tj.m_wasteC.d[3], 10, 1e-6);
    EXPECT_NEAR(tj.m_wasteL.dRock, 9.2, 1e-6);
    EXPECT_NEAR(tj.m_wasteDist.dRock, 5, 1e-6);
    EXPECT_DOUBLE_EQ(tj.m_haulC.dSoil, 0); // hauled material counts where it arrives
    tj.MoveNext();                         // 20-40: 40 hauled in over 20 m
    EXPECT_NEAR(tj.m_dFillTotal, 40, 1e-9);
    EXPECT_NEAR(tj.m_fillC.dSoil, 40, 1e-6);
    EXPECT_NEAR(tj.m_haulC.dSoil, 40, 1e-6);
    EXPECT_NEAR(tj.m_haulL.d[1], 46.4, 1e-5);
    EXPECT_NEAR(tj.m_haulDist.dSoil, 20, 1e-6);
    tj.MoveNext(); // 40-60: 10 hauled over 40 m, 20 borrowed over 100 m
    EXPECT_NEAR(tj.m_haulC.dSoil, 10, 1e-6);
    EXPECT_NEAR(tj.m_haulDist.dSoil, 40, 1e-6);
    EXPECT_NEAR(tj.m_borrowC.d[2], 20, 1e-6);
    EXPECT_NEAR(tj.m_borrowL.dSoil, 21.8, 1e-5);
    EXPECT_NEAR(tj.m_borrowDist.dSoil, 100, 1e-6);
    EXPECT_NEAR(tj.m_fillL.dSoil, 33.4, 1e-5);

    YTjExSet& ex = Doc().GetTjExSet();
    ASSERT_TRUE(ex.IsOpen());
    ASSERT_TRUE(ex.Requery());
    ASSERT_EQ(ex.RecordCount(), 3);
    ex.SetPosition(2);
    EXPECT_NEAR(ex.m_borrow.dSoilLoose, 21.8, 1e-5);
    EXPECT_NEAR(ex.m_borrow.dLoose[2], 21.8, 1e-5);
    EXPECT_NEAR(ex.m_haul.d[1], 11.6, 1e-5);

    YTsjsExSet& ext = Doc().GetTsjsExSet();
    ASSERT_TRUE(ext.Requery());
    ASSERT_TRUE(ext.FindByStation(YStation(40)));
    EXPECT_NEAR(ext.m_dFillTotalL, 33.4, 1e-5);
    EXPECT_NEAR(ext.m_fill.dLoose[1], 11.6, 1e-5);
}

TEST_F(FinishTest, FinishingAgainAfterUndoAndRedoCountsNothingTwice) {
    Allocate();
    ASSERT_TRUE(YFinish::Finish(Doc()));
    const auto mid = project->MidTable();
    const auto cal = project->CalTable();
    ASSERT_TRUE(Doc().ReloadModel());
    ASSERT_TRUE(YHistory::Undo(Doc(), 4, 3));
    ASSERT_TRUE(YHistory::Redo(Doc(), 3, 4));
    ASSERT_TRUE(YFinish::Finish(Doc()));
    EXPECT_TRUE(TablesNear(project->MidTable(), mid, 1e-9));
    EXPECT_EQ(project->CalTable(), cal); // the preprocessing results are never touched
}

TEST(YStepSummaryTest, MergingRuleAndKilometres) {
    auto step = [](DpKind kind, int n, double s0, double s1, double d0, double d1) {
        YDpStep s;
        s.m_nKind = kind;
        s.m_nStep = n;
        s.m_staSrcStart = s0;
        s.m_staSrcEnd = s1;
        s.m_staDstStart = d0;
        s.m_staDstEnd = d1;
        s.m_dAmt[StepAmt::SoilC] = 1;
        return s;
    };
    const std::vector<YDpStep> steps{
        step(DpKind::Haul, 1, 0, 20, 100, 120),
        step(DpKind::Haul, 2, 0, 20, 120, 140),     // touches: merged
        step(DpKind::Haul, 3, 20, 40, 160, 180),    // destination apart: new
        step(DpKind::Reuse, 4, 160, 180, 160, 180), // not summarised, breaks merging
        step(DpKind::Haul, 5, 20, 40, 180, 200),    // after a reuse: new
        step(DpKind::Borrow, 6, 20, 40, 180, 200),  // other kind: new
        step(DpKind::Haul, 7, 900, 920, 980, 1000),
        step(DpKind::Haul, 8, 900, 920, 1000, 1020), // would join K0 and K1: new
        step(DpKind::LocalWaste, 9, 40, 60, 40, 60),
        step(DpKind::LocalWaste, 10, 60, 80, 60, 80), // merged, numbered -1
    };
    const auto sums = YStepSummary::Summarize(steps, YStationNumbering());
    std::vector<int> numbers;
    for (const auto& s : sums) {
        numbers.push_back(s.nGCID);
    }
    EXPECT_EQ(numbers, (std::vector<int>{2, 3, 5, 6, 7, 8, -1}));
    EXPECT_DOUBLE_EQ(sums[0].step.m_staDstEnd.Value(), 140);
    EXPECT_DOUBLE_EQ(sums[0].step.m_dAmt[StepAmt::SoilC], 2);
    EXPECT_DOUBLE_EQ(sums.back().step.m_staSrcEnd.Value(), 80);
}

} // namespace
} // namespace dalvex::test
