// Repair and clear: replay onto fresh preprocessing results, the undone tail, pit numbers,
// pits that refuse, and both refusing cross-project logs.
#include "ProcessTestBase.h"

#include "core/db/YDatabase.h"
#include "core/db/YQtkSet.h"
#include "core/db/YTdpSet.h"
#include "core/process/YClearAll.h"
#include "core/process/YHistory.h"
#include "core/process/YProcessLog.h"
#include "core/process/YProcessRecorder.h"
#include "core/process/YRepair.h"

namespace dalvex::test {
namespace {

class RepairTest : public ProcessTest {
  protected:
    void SetUp() override {
        ProcessTest::SetUp();
        ASSERT_NO_FATAL_FAILURE(LoadRoadWithPits(10));
    }
    void Record() {
        ASSERT_EQ(project->HaulStep(0, 1, 2, 0.3), 1);
        const int s = YProcessRecorder::NextStep(Doc());
        ASSERT_TRUE(project->Borrow(s, 1, 0, 3, 0.01));
        ASSERT_TRUE(project->Borrow(s, 2, 0, 5, 0.01));
        YProcessRecorder::EndStep(Doc(), s);
        const int w = YProcessRecorder::NextStep(Doc());
        ASSERT_TRUE(project->Waste(w, 1, 2, 0, 0.5));
        ASSERT_TRUE(project->LocalWaste(w + 0, 2, 4, true));
        YProcessRecorder::EndStep(Doc(), w);
        ASSERT_EQ(project->HaulStep(6, 7, 2, 0.5), 4);
    }
};

TEST_F(RepairTest, RepairReproducesTheStateAndDropsTheUndoneTail) {
    Record();
    ASSERT_TRUE(YHistory::Undo(Doc(), 4, 4));
    const auto mid = project->MidTable();
    const auto pits = project->Pits();
    const auto items = project->Items();
    const int rows = LogRows();
    reactor->events.clear();
    ASSERT_TRUE(YRepair::Repair(Doc()));
    EXPECT_TRUE(TablesNear(project->MidTable(), mid, 1e-9));
    EXPECT_TRUE(ValuesNear(project->Pits(), pits, 1e-9));
    EXPECT_TRUE(ValuesNear(project->Items(), items, 1e-9));
    EXPECT_EQ(LogRows(), rows - 4); // step 4's two pairs are gone
    EXPECT_EQ(io.ProgressTitles(), QStringList{QStringLiteral("修复所有操作…")});
}

TEST_F(RepairTest, RepairOfALogWithNothingAppliedGivesThePreprocessingResults) {
    Record();
    ASSERT_TRUE(YHistory::Undo(Doc(), 4, 1));
    ASSERT_TRUE(YRepair::Repair(Doc()));
    auto mid = project->MidTable();
    EXPECT_TRUE(TablesNear(mid, project->CalTable(), 1e-9));
    EXPECT_EQ(LogRows(), 0);
    EXPECT_FALSE(YRepair::Repair(Doc())); // an empty log: nothing to do
}

TEST_F(RepairTest, MissingPitNumbersAreFilledFromTheStepsFirstRow) {
    Record();
    ASSERT_TRUE(Doc().GetDatabase().Exec(QStringLiteral(
        "UPDATE [Tmp调配过程表] SET [坑] = 0 WHERE [GCID] = 2 AND [ID] = 2 AND [填挖] = 1")));
    ASSERT_TRUE(Doc().GetTdpSet().Requery());
    ASSERT_TRUE(YRepair::Repair(Doc()));
    std::vector<YProcessLog::Entry> log;
    ASSERT_TRUE(YProcessLog(Doc().GetTdpSet()).Read(log));
    int borrowRows = 0;
    for (const auto& e : log) {
        if (e.pair.src.gcid == 2) {
            EXPECT_EQ(e.pair.src.pit, 1);
            ++borrowRows;
        }
    }
    EXPECT_EQ(borrowRows, 2);
}

TEST_F(RepairTest, AProcessItsPitRefusesIsTakenOut) {
    Record();
    // The pit was edited down: after giving back it holds 30 m³ of soil, enough for the first
    // borrow (20) but not for the second.
    ASSERT_TRUE(Doc().GetDatabase().Exec(QStringLiteral("UPDATE [取土坑] SET [土方总量] = -10")));
    ASSERT_TRUE(Doc().GetQtkSet().Requery());
    const int rows = LogRows();
    io.Clear();
    ASSERT_TRUE(YRepair::Repair(Doc()));
    EXPECT_EQ(LogRows(), rows - 2);
    EXPECT_EQ(io.Texts().size(), 1);
    // The other borrow went through: the pit holds what was given back minus that one.
    const auto pits = project->Pits();
    EXPECT_LT(pits[0], 30);
    EXPECT_GT(pits[0], 0);
    // Log and table agree: a second repair changes nothing.
    const auto mid = project->MidTable();
    ASSERT_TRUE(YRepair::Repair(Doc()));
    EXPECT_TRUE(TablesNear(project->MidTable(), mid, 1e-9));
}

TEST_F(RepairTest, ClearAsksAndGivesThePitsBack) {
    const auto pits = project->Pits();
    Record();
    io.QueueAnswer(false);
    EXPECT_FALSE(YClearAll::ClearAll(Doc()));
    EXPECT_EQ(io.Questions(), QStringList{QStringLiteral(
                                  "此操作将清除所有调配过程、预处理结果!\n\n是否确定要清除?")});
    EXPECT_GT(LogRows(), 0);
    EXPECT_EQ(Doc().GetSegmentCount(), 10);

    reactor->events.clear();
    io.QueueAnswer(true);
    ASSERT_TRUE(YClearAll::ClearAll(Doc()));
    EXPECT_EQ(LogRows(), 0);
    EXPECT_TRUE(project->MidTable().empty());
    EXPECT_TRUE(project->CalTable().empty());
    EXPECT_EQ(Doc().GetSegmentCount(), 0);
    EXPECT_TRUE(ValuesNear(project->Pits(), pits, 1e-9));
    EXPECT_EQ(reactor->events, QStringList{QStringLiteral("reset")});
}

TEST_F(RepairTest, RepairAndClearRefuseCrossProjectLogs) {
    Record();
    // A cross-project step in the log, written as the exit half would be.
    const int rows = LogRows();
    ASSERT_TRUE(Doc().GetDatabase().Exec(
        QStringLiteral("UPDATE [Tmp调配过程表] SET [描述] = 'DC' WHERE [GCID] = 4 AND [ID] = 1")));
    ASSERT_TRUE(Doc().GetTdpSet().Requery());
    const auto mid = project->MidTable();
    io.Clear();
    EXPECT_FALSE(YRepair::Repair(Doc()));
    EXPECT_FALSE(YClearAll::ClearAll(Doc()));
    EXPECT_EQ(io.Texts(), (QStringList{QStringLiteral("存在跨项目调配，不能修复调配过程!"),
                                       QStringLiteral("存在跨项目调配，不能清除调配过程!")}));
    EXPECT_TRUE(io.Questions().isEmpty());
    EXPECT_EQ(project->MidTable(), mid);
    EXPECT_EQ(LogRows(), rows);
}

} // namespace
} // namespace dalvex::test
