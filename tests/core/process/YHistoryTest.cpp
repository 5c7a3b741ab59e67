// Undo, redo and purge: exact restoration, step walking, progress windows, purge before a new
// step, and undo across two open projects.
#include "ProcessTestBase.h"

#include "core/db/YGchSet.h"
#include "core/db/YTdpSet.h"
#include "core/process/YHistory.h"
#include "core/process/YProcessList.h"
#include "core/process/YProcessLog.h"
#include "core/process/YProcessRecorder.h"

namespace dalvex::test {
namespace {

class HistoryTest : public ProcessTest {
  protected:
    void SetUp() override {
        ProcessTest::SetUp();
        ASSERT_NO_FATAL_FAILURE(LoadRoadWithPits(12));
    }
    // Five steps of all kinds that touch the pits, the items and the intermediate table.
    void RecordFiveSteps() {
        ASSERT_EQ(project->HaulStep(0, 1, 3, 0.3), 1);
        int s = YProcessRecorder::NextStep(Doc());
        ASSERT_EQ(s, 2);
        ASSERT_TRUE(project->Borrow(s, 1, 0, 3, 0.01));
        ASSERT_TRUE(project->Borrow(s, 2, 0, 5, 0.015));
        YProcessRecorder::EndStep(Doc(), s);
        s = YProcessRecorder::NextStep(Doc());
        ASSERT_TRUE(project->Waste(s, 1, 2, 0, 0.4));
        ASSERT_TRUE(project->Waste(s, 2, 4, 0, 1.0, true));
        YProcessRecorder::EndStep(Doc(), s);
        ASSERT_EQ(project->HaulStep(6, 7, 2, 0.6), 4);
        s = YProcessRecorder::NextStep(Doc());
        ASSERT_TRUE(project->LocalWaste(s, 1, 8));
        ASSERT_TRUE(project->LocalTake(s + 0, 2, 9));
        YProcessRecorder::EndStep(Doc(), s);
    }
    struct State {
        std::vector<std::vector<double>> mid;
        std::vector<double> pits;
        std::vector<double> items;
    };
    State Snapshot() { return {project->MidTable(), project->Pits(), project->Items()}; }
    std::vector<YProcessLog::Entry> Log() {
        std::vector<YProcessLog::Entry> e;
        EXPECT_TRUE(YProcessLog(Doc().GetTdpSet()).Read(e));
        return e;
    }
};

// The log's own quick answer for the current and the first undone step, which the command
// line gives after every undo and redo, is the process list's answer in every state.
TEST_F(HistoryTest, TheLogsStepStateFollowsTheProcessList) {
    const auto expectSame = [this](const char* when) {
        const std::vector<YProcessEntry> list = YProcessList::Build(Doc());
        const YTdpSet::StepState state = Doc().GetTdpSet().Steps();
        EXPECT_EQ(state.nCurrent, YProcessList::CurrentStep(list)) << when;
        EXPECT_EQ(state.nFirstUndone, YProcessList::FirstUndoneStep(list)) << when;
    };
    expectSame("empty");
    RecordFiveSteps();
    expectSame("five steps");
    ASSERT_TRUE(YHistory::Undo(Doc(), 5, 3));
    expectSame("three undone");
    ASSERT_TRUE(YHistory::Redo(Doc(), 3, 4));
    expectSame("two redone");
    ASSERT_TRUE(YHistory::Undo(Doc(), 4, 1));
    expectSame("all undone");
    EXPECT_FALSE(Doc().GetTdpSet().FirstDamagedStep().has_value());
    // A process whose second row is missing ends the list there.
    ASSERT_TRUE(Doc().GetDatabase().Exec(QStringLiteral(
        "DELETE FROM [Tmp调配过程表] WHERE [GCID] = 3 AND [ID] = 2 AND NOT [填挖]")));
    ASSERT_TRUE(Doc().GetTdpSet().Requery());
    ASSERT_TRUE(YHistory::Redo(Doc(), 1, 2));
    expectSame("damaged");
    EXPECT_EQ(Doc().GetTdpSet().FirstDamagedStep(), 3);
}

TEST_F(HistoryTest, UndoThenRedoRestoresTablePitsAndItemsExactly) {
    const State s0 = Snapshot();
    RecordFiveSteps();
    const State s5 = Snapshot();
    ASSERT_NE(s5.mid, s0.mid);

    ASSERT_TRUE(YHistory::Undo(Doc(), 5, 1));
    const State undone = Snapshot();
    // A process that empties a class takes that class's exact value; the surplus total it is
    // also taken from can then only come back to within one unit of its last digit.
    EXPECT_TRUE(TablesNear(undone.mid, s0.mid, 1e-12));
    EXPECT_EQ(undone.pits, s0.pits);
    EXPECT_TRUE(ValuesNear(undone.items, s0.items, 1e-9));
    for (const auto& e : Log()) {
        EXPECT_FALSE(e.pair.src.ok || e.pair.dst.ok);
    }

    ASSERT_TRUE(YHistory::Redo(Doc(), 1, 5));
    // The last step undone and redone again and again drifts by no bit either.
    for (int round = 0; round < 3; ++round) {
        const State redone = Snapshot();
        EXPECT_EQ(redone.mid, s5.mid);
        EXPECT_EQ(redone.pits, s5.pits);
        EXPECT_EQ(redone.items, s5.items);
        ASSERT_TRUE(YHistory::Undo(Doc(), 5, 5));
        ASSERT_TRUE(YHistory::Redo(Doc(), 5, 5));
    }
}

TEST_F(HistoryTest, NotificationsPerProcessAndPerStep) {
    ASSERT_EQ(project->HaulStep(0, 1, 2, 0.2), 1);
    ASSERT_EQ(project->HaulStep(2, 3, 1, 0.2), 2);
    reactor->events.clear();
    ASSERT_TRUE(YHistory::Undo(Doc(), 2, 1));
    EXPECT_EQ(reactor->events, (QStringList{"undone 2.1", "step undone 2", "undone 1.2",
                                            "undone 1.1", "step undone 1"}));
    reactor->events.clear();
    ASSERT_TRUE(YHistory::Redo(Doc(), 1, 1));
    EXPECT_EQ(reactor->events, (QStringList{"redone 1.1", "redone 1.2", "step redone 1"}));
}

TEST_F(HistoryTest, ProgressOnlyForMoreThanOneStep) {
    RecordFiveSteps();
    io.Clear();
    ASSERT_TRUE(YHistory::Undo(Doc(), 5, 5));
    EXPECT_TRUE(io.ProgressTitles().isEmpty());
    ASSERT_TRUE(YHistory::Undo(Doc(), 4, 2));
    EXPECT_EQ(io.ProgressTitles(), QStringList{QStringLiteral("取消操作")});
    EXPECT_EQ(io.LastProgressTotal(), 3);
    EXPECT_FALSE(io.InProgress());
    io.Clear();
    ASSERT_TRUE(YHistory::Redo(Doc(), 2, 3));
    EXPECT_EQ(io.ProgressTitles(), QStringList{QStringLiteral("恢复操作")});
    EXPECT_EQ(io.LastProgressTotal(), 2);
}

TEST_F(HistoryTest, BadArgumentsDoNothing) {
    RecordFiveSteps();
    const State s5 = Snapshot();
    EXPECT_FALSE(YHistory::Undo(Doc(), 0, 1));
    EXPECT_FALSE(YHistory::Redo(Doc(), 1, 0));
    EXPECT_EQ(Snapshot().mid, s5.mid);
}

TEST_F(HistoryTest, NewStepAfterUndoPurgesTheUndoneSteps) {
    RecordFiveSteps();
    const int rowsBefore = LogRows();
    ASSERT_TRUE(YHistory::Undo(Doc(), 5, 4));
    EXPECT_EQ(LogRows(), rowsBefore); // undone pairs stay until the next step
    reactor->events.clear();
    const int step = YProcessRecorder::NextStep(Doc());
    EXPECT_EQ(step, 4);
    EXPECT_EQ(reactor->events, (QStringList{"deleted 5", "deleted 4", "new 4"}));
    for (const auto& e : Log()) {
        EXPECT_TRUE(e.pair.src.ok);
        EXPECT_LE(e.pair.src.gcid, 3);
    }
    EXPECT_EQ(LogRows(), rowsBefore - 2 * 4); // steps 4 and 5 had two pairs each
    // Redo has nothing left to do.
    const State s = Snapshot();
    ASSERT_TRUE(YHistory::Redo(Doc(), 4, 5));
    EXPECT_EQ(Snapshot().mid, s.mid);
}

TEST_F(HistoryTest, UndoAndRedoDropTheFinishedSummaries) {
    RecordFiveSteps();
    YGchSet& gch = Doc().GetGchSet();
    gch.AddNew();
    gch.m_nGCID = 1;
    ASSERT_TRUE(gch.Update());
    ASSERT_TRUE(gch.Requery());
    ASSERT_EQ(gch.RecordCount(), 1);
    ASSERT_TRUE(YHistory::Undo(Doc(), 5, 5));
    EXPECT_EQ(gch.RecordCount(), 0);
}

// Two open projects exchanging material through a port: A's cut fills B.
class PartnerTest : public HistoryTest {
  protected:
    void SetUp() override {
        HistoryTest::SetUp();
        other = std::make_unique<TestProject>(manager, dir.Path(QStringLiteral("b.dvx")));
        ASSERT_TRUE(other->IsOpen());
        project->SetGuid(QStringLiteral("AAAA"), QStringLiteral("甲段"));
        other->SetGuid(QStringLiteral("BBBB"), QStringLiteral("乙段"));
        project->AddLink(1, 240, 0, 300, QStringLiteral("乙段"), QStringLiteral("b.dvx"),
                         QStringLiteral("BBBB"));
        other->AddLink(1, 0, 240, 300, QStringLiteral("甲段"), QStringLiteral("p.dvx"),
                       QStringLiteral("AAAA"));
        ASSERT_TRUE(project->Reopen(manager));
        ASSERT_TRUE(other->Reopen(manager));
        other->AddSegs(TestProject::Road(6));
        ASSERT_TRUE(other->Load());
        ASSERT_TRUE(Doc().ReloadModel());
        ASSERT_EQ(Doc().Model().m_arrNearPrj.size(), 1u);
        ASSERT_EQ(other->Doc().Model().m_arrNearPrj.size(), 1u);
    }
    // A's step sa and B's step sb exchange one transfer.
    void Exchange(int cut, int fill, double fraction) {
        const int sa = YProcessRecorder::NextStep(Doc());
        const int sb = YProcessRecorder::NextStep(other->Doc());
        ASSERT_TRUE(TestProject::Cross(*project, sa, cut, 0, *other, sb, fill, 0, fraction));
        YProcessRecorder::EndStep(Doc(), sa);
        YProcessRecorder::EndStep(other->Doc(), sb);
    }
    std::unique_ptr<TestProject> other;
};

TEST_F(PartnerTest, UndoAndRedoFollowThePartnerProject) {
    const State a0 = Snapshot();
    const auto b0 = other->MidTable();
    ASSERT_EQ(project->HaulStep(0, 1, 1, 0.2), 1);
    Exchange(2, 1, 0.5);  // A step 2 <-> B step 1
    Exchange(4, 3, 0.25); // A step 3 <-> B step 2
    const State a3 = Snapshot();
    const auto b2 = other->MidTable();
    ASSERT_NE(b2, b0);

    ASSERT_TRUE(YHistory::Undo(Doc(), 3, 2)); // takes B back to before its step 1
    EXPECT_EQ(other->MidTable(), b0);
    EXPECT_NE(project->MidTable(), a0.mid); // A's step 1 stays
    ASSERT_TRUE(YHistory::Undo(Doc(), 1, 1));
    EXPECT_EQ(project->MidTable(), a0.mid);

    ASSERT_TRUE(YHistory::Redo(Doc(), 1, 3));
    EXPECT_EQ(project->MidTable(), a3.mid);
    EXPECT_EQ(other->MidTable(), b2);

    // Undo from B's side reaches A as well.
    ASSERT_TRUE(YHistory::Undo(other->Doc(), 2, 2));
    std::vector<YProcessLog::Entry> log;
    ASSERT_TRUE(YProcessLog(Doc().GetTdpSet()).Read(log));
    EXPECT_FALSE(log.back().pair.src.ok);         // A's step 3
    EXPECT_TRUE(log[log.size() - 2].pair.src.ok); // A's step 2
}

TEST_F(PartnerTest, MissingOrUnstartedPartnerStopsEverything) {
    Exchange(2, 1, 0.5);
    const auto a = project->MidTable();
    const auto b = other->MidTable();
    other->Doc().ClearSegments(); // open, but its allocation is not started
    io.Clear();
    EXPECT_FALSE(YHistory::Undo(Doc(), 1, 1));
    EXPECT_EQ(io.Texts(), QStringList{QStringLiteral("项目“乙段”没有开始调配")});
    EXPECT_EQ(project->MidTable(), a);
    EXPECT_EQ(other->MidTable(), b);

    manager.CloseDocument(&other->Doc());
    io.Clear();
    EXPECT_FALSE(YHistory::Undo(Doc(), 1, 1));
    EXPECT_EQ(io.Texts(), QStringList{QStringLiteral("没有打开调配文件:b.dvx")});
    EXPECT_EQ(project->MidTable(), a);
}

} // namespace
} // namespace dalvex::test
