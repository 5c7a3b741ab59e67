// Allocating in the desktop program: the tool 调配 driven by synthetic mouse events on a real
// view (offscreen), the task and process panes, and the history commands.
#include "GuiTestSupport.h"
#include "core/allocation/YDPRule.h"
#include "core/document/CDalvexDoc.h"
#include "core/document/YDiagramTexts.h"
#include "core/process/YProcessList.h"
#include "core/process/YTaskList.h"
#include "gui/app/CDalvexApp.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/YAllocCommands.h"
#include "gui/app/YCommandIds.h"
#include "gui/diagram/CDalvexView.h"
#include "gui/diagram/YDPTool.h"
#include "gui/diagram/YTool.h"
#include "gui/dialogs/YDCDRSetDlg.h"
#include "gui/panes/YDpGcReactor.h"
#include "gui/panes/YDpGcView.h"
#include "gui/panes/YDpTaskView.h"
#include "gui/panes/YNearPrjListBox.h"
#include "gui/widgets/YControlBar.h"
#include "support/ProjectFixture.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QInputDialog>
#include <QLineEdit>
#include <QProcess>
#include <QTest>
#include <QUuid>
#include <gtest/gtest.h>
#include <set>

using namespace dalvex::test;

namespace {

const QString kConflict = QStringLiteral("你所选的调配原则发生冲突,请先选择合适的调配原则!");

// Twelve segments of 20 m, cut and fill in turn (cut 0–20, fill 20–40, …), a borrow pit and a
// waste pit.
void MakeProject(const QString& path) {
    YRecordingUserIO io;
    TestProject project(path, io);
    // Projects find each other by their GUIDs, as the program's own new projects have them.
    project.SetGuid(QUuid::createUuid().toString(), QFileInfo(path).baseName());
    project.AddLine(0.0, 20.0, TestProject::Road(12));
    project.AddBorrowPit(300, 0, 600, {100}, 5000, 0);
    project.AddWastePit(100, 0, 600, 10000);
}

class AllocationTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetDPSettings();
        path = h.Dir().Path(QStringLiteral("road.dvx"));
        MakeProject(path);
        view = StartAllocating(h, path);
        ASSERT_NE(view, nullptr);
        frame = h.App().MainFrame();
        ASSERT_GT(view->Document().GetSegmentCount(), 0);
        gc = frame->findChild<YDpGcView*>();
        tasks = frame->findChild<YDpTaskView*>();
        ASSERT_TRUE(gc && tasks);
    }
    void TearDown() override {
        YToolState::SetCurrentTool(nullptr);
        ResetDPSettings();
    }
    CDalvexDoc& Doc() const { return view->Document(); }
    // The tool 调配 under this rule.
    void UseTool(int rule = DPR_SOIL_FIRST) {
        g_nDPRule = rule;
        frame->Action(YCmd::ToolDP)->trigger();
    }
    YDPTool* Tool() const { return dynamic_cast<YDPTool*>(YToolState::Current()); }
    void Click(QPoint pt) { ClickOn(view->viewport(), pt); }
    void Move(QPoint pt) {
        SendMouse(view->viewport(), QEvent::MouseMove, pt, Qt::NoButton, Qt::NoButton);
    }
    QPoint At(double x, double y) const { return view->Uint().ToDevice({x, y}); }
    // A click on the pit strip above the diagram where the pit with this tip id is drawn.
    void ClickPit(quint32 tipId) {
        QWidget* strip = nullptr;
        const QRect vp = view->viewport()->geometry();
        for (QWidget* w : view->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (w->isVisible() && w->geometry().bottom() < vp.top() && w->width() == vp.width()) {
                strip = w;
            }
        }
        ASSERT_NE(strip, nullptr);
        for (int x = 0; x < vp.width(); ++x) {
            if (view->TipIdAt(QPoint(x, -5)) == tipId) {
                ClickOn(strip, QPoint(x, strip->height() - 5));
                return;
            }
        }
        FAIL() << "pit not shown in the strip";
    }
    // A pick in a project's window, brought to the front first as the user would (its layout,
    // and with it the point's place, may change when it comes up).
    void PickIn(CDalvexDoc& doc, QPointF w) {
        h.App().ActivateDocument(doc);
        Settle();
        CDalvexView* v = frame->ActiveView();
        ASSERT_EQ(&v->Document(), &doc);
        ClickOn(v->viewport(), v->Uint().ToDevice(w));
        Settle(); // the panes follow at the next idle moment
    }
    void ClickRow(int row) { dalvex::test::ClickRow(*gc, row); }
    // A second project "next.dvx" like the first, open and started; its view is active.
    CDalvexView* OpenNext() {
        MakeProject(h.Dir().Path(QStringLiteral("next.dvx")));
        EXPECT_NE(h.App().OpenDocumentFile(h.Dir().Path(QStringLiteral("next.dvx"))), nullptr);
        TriggerAndSettle(frame->Action(YCmd::StartDP));
        EXPECT_NE(frame->ActiveView(), view);
        return frame->ActiveView();
    }
    // The next port dialog makes a pair from the end of this road to the start of the next;
    // its title and the number of ports it offers go where asked.
    static void AnswerNewPort(QString* title = nullptr, int* offered = nullptr) {
        OnNextModal([title, offered](QWidget* w) {
            auto* dlg = qobject_cast<YDCDRSetDlg*>(w);
            ASSERT_NE(dlg, nullptr);
            if (title != nullptr) {
                *title = dlg->windowTitle();
            }
            if (offered != nullptr) {
                *offered = dlg->PortCombo()->count();
            }
            dlg->ExitEdit()->setText(QStringLiteral("K0+240.000"));
            dlg->DistEdit()->setText(QStringLiteral("50"));
            dlg->EntryEdit()->setText(QStringLiteral("K0+000.000"));
            dlg->accept();
        });
    }
    QAbstractItemModel& GcModel() const { return *gc->model(); }
    QAbstractItemModel& TaskModel() const { return *tasks->model(); }

    AppHarness h;
    QString path;
    CMainFrame* frame = nullptr;
    CDalvexView* view = nullptr;
    YDpGcView* gc = nullptr;
    YDpTaskView* tasks = nullptr;
};

TEST_F(AllocationTest, PanesAppearWithTheirColumnsAndTheRemainingWork) {
    // Every pane of 查看 is there, its command available and its check mark true.
    frame->UpdateCommandUI();
    for (const auto& [pane, command] : {std::pair{CMainFrame::ProcessPane, YCmd::PaneProcess},
                                        std::pair{CMainFrame::TaskPane, YCmd::PaneTasks},
                                        std::pair{CMainFrame::NeighboursPane, YCmd::PaneNeighbours},
                                        std::pair{CMainFrame::SettingsPane, YCmd::PaneSettings}}) {
        EXPECT_TRUE(frame->Pane(pane)->isVisible()) << command;
        EXPECT_TRUE(frame->Action(command)->isEnabled()) << command;
        EXPECT_TRUE(frame->Action(command)->isChecked()) << command;
    }
    EXPECT_EQ(Headers(TaskModel()),
              QStringList({"类型", "从", "到", "挖余土", "挖余石", "填缺", "废土", "废石"}));
    EXPECT_EQ(Headers(GcModel()), QStringList({"操作", "从", "到", "土", "石", "运距"}));
    // Runs of one segment each, surplus and fill in turn, numbered in the order they close.
    ASSERT_EQ(TaskModel().rowCount(), 12);
    // Classes 1–3 of the first cut are its surplus soil; a surplus row has no fill.
    EXPECT_EQ(RowTexts(TaskModel(), 0), QStringList({"1.挖余", "K0+000.000", "K0+020.000", "60.000",
                                                     "10.000", "", "3.000", "1.000"}));
    EXPECT_EQ(RowTexts(TaskModel(), 1),
              QStringList({"2.填缺", "K0+020.000", "K0+040.000", "", "", "99.000", "", ""}));
    ASSERT_EQ(GcModel().rowCount(), 1);
    EXPECT_EQ(GcModel().index(0, 0).data().toString(), QStringLiteral("开始调配"));
    EXPECT_FALSE(frame->Action(YCmd::EditUndo)->isEnabled());
    EXPECT_FALSE(frame->Action(YCmd::EditRedo)->isEnabled());
    // The six process columns share the list's width in their first proportions.
    const double w = gc->viewport()->width();
    EXPECT_NEAR(gc->columnWidth(1) / w, 150.0 / 595.0, 0.01);
    EXPECT_GE(frame->Pane(CMainFrame::ProcessPane)->width(), 580);
}

TEST_F(AllocationTest, TwoPicksRecordAHaulFromTheCutToTheFill) {
    UseTool();
    ASSERT_NE(Tool(), nullptr);
    EXPECT_TRUE(frame->Action(YCmd::ToolDP)->isChecked());
    const QCursor sourceCursor = view->viewport()->cursor();

    // Hovering the first cut highlights its run, the fill beside it is not a source.
    Move(At(10, 0.5));
    ASSERT_TRUE(Tool()->HoverRun().has_value());
    EXPECT_EQ(Tool()->HoverRun()->nFirst, 0);
    Move(At(30, -0.5));
    EXPECT_FALSE(Tool()->HoverRun().has_value());

    Click(At(10, 0.5));
    EXPECT_EQ(Tool()->PendingSource(), &Doc());
    EXPECT_NE(Doc().GetSegment(0).m_nSel & YClass::AllMask, 0) << "the source is shown selected";
    EXPECT_NE(view->viewport()->cursor().pixmap().cacheKey(), sourceCursor.pixmap().cacheKey());
    Click(At(30, -0.5));
    Settle();
    EXPECT_EQ(Tool()->PendingSource(), nullptr);
    for (const YTFItem& seg : Doc().Segments()) {
        EXPECT_EQ(seg.m_nSel & YClass::LowBits, 0) << "selections are put back after the apply";
    }

    // The panes follow: the step, all of the cut's usable surplus hauled 20 m, is the current
    // row; the fill it served has left the tasks.
    ASSERT_EQ(GcModel().rowCount(), 2);
    EXPECT_EQ(RowTexts(GcModel(), 1),
              QStringList({"1.远运", "K0+000.000~K0+020.000", "K0+020.000~K0+040.000", "60.000",
                           "10.000", "20.000"}));
    EXPECT_EQ(gc->currentIndex().row(), 1);
    EXPECT_EQ(RowTexts(TaskModel(), 1)[2], QStringLiteral("K0+040.000")) << "the fill 20–40 is "
                                                                            "served";
    EXPECT_TRUE(frame->Action(YCmd::EditUndo)->isEnabled());
}

TEST_F(AllocationTest, AConflictingRuleShowsTheMessageAndRecordsNothing) {
    UseTool(DPR_SOIL_FIRST | DPR_TOGETHER); // two principles: no strategy takes them
    const auto before = TestProject(Doc()).MidTable();
    Click(At(10, 0.5));
    Click(At(30, -0.5));
    ASSERT_FALSE(h.IO().Texts().isEmpty());
    EXPECT_EQ(h.IO().Texts().last(), kConflict);
    EXPECT_EQ(TestProject(Doc()).MidTable(), before);
    EXPECT_EQ(GcModel().rowCount(), 1);
    EXPECT_EQ(Tool()->PendingSource(), nullptr) << "the tool waits for a new source";
    EXPECT_EQ(Doc().GetSegment(0).m_nSel & YClass::LowBits, 0);
}

TEST_F(AllocationTest, PitStripPicksBorrowAndWastePits) {
    UseTool();
    ClickPit(YDiagramTexts::BorrowTipBase);
    ASSERT_EQ(Tool()->PendingSource(), &Doc());
    EXPECT_TRUE(Tool()->Flags() & YDPTool::DP_SRCPIT);
    Click(At(30, -0.5));
    ASSERT_EQ(GcModel().rowCount(), 2);
    EXPECT_EQ(GcModel().index(1, 0).data().toString(), QStringLiteral("1.借"));
    EXPECT_EQ(GcModel().index(1, 1).data().toString(), QString()) << "a pit has no range";

    // A waste pit is a destination only after a cut was picked.
    ClickPit(YDiagramTexts::WasteTipBase);
    EXPECT_EQ(Tool()->PendingSource(), nullptr);
    Click(At(50, 0.5));
    ClickPit(YDiagramTexts::WasteTipBase);
    ASSERT_EQ(GcModel().rowCount(), 3);
    EXPECT_EQ(GcModel().index(2, 0).data().toString(), QStringLiteral("2.弃"));
}

TEST_F(AllocationTest, LocalRuleAllocatesOnOneClickTheAxisSideDecides) {
    UseTool(DPR_LOCAL);
    Click(At(30, -0.5));
    ASSERT_EQ(GcModel().rowCount(), 2);
    EXPECT_EQ(GcModel().index(1, 0).data().toString(), QStringLiteral("1.就地借"));
    Click(At(50, 0.5));
    ASSERT_EQ(GcModel().rowCount(), 3);
    EXPECT_EQ(GcModel().index(2, 0).data().toString(), QStringLiteral("2.就地弃"));
    EXPECT_EQ(Tool()->PendingSource(), nullptr);
}

TEST_F(AllocationTest, RightClickDropsThePendingSourceAndKeepsTheTool) {
    UseTool();
    Click(At(10, 0.5));
    ASSERT_NE(Tool()->PendingSource(), nullptr);
    SendMouse(view->viewport(), QEvent::MouseButtonPress, At(10, 0.5), Qt::RightButton,
              Qt::RightButton);
    ASSERT_NE(Tool(), nullptr);
    EXPECT_EQ(Tool()->PendingSource(), nullptr);
    EXPECT_EQ(Doc().GetSegment(0).m_nSel & YClass::LowBits, 0);
    // A second right click leaves the tool.
    SendMouse(view->viewport(), QEvent::MouseButtonPress, At(10, 0.5), Qt::RightButton,
              Qt::RightButton);
    EXPECT_EQ(Tool(), nullptr);
}

TEST_F(AllocationTest, ProcessPaneRowsMoveTheHistory) {
    UseTool();
    const auto initial = TestProject(Doc()).MidTable();
    Click(At(10, 0.5));
    Click(At(30, -0.5));
    Click(At(50, 0.5));
    Click(At(70, -0.5));
    const auto done = TestProject(Doc()).MidTable();
    ASSERT_EQ(GcModel().rowCount(), 3);
    const int tasksDone = TaskModel().rowCount();

    ClickRow(0); // 开始调配: everything undone
    EXPECT_EQ(TestProject(Doc()).MidTable(), initial);
    EXPECT_EQ(gc->currentIndex().row(), 0);
    EXPECT_EQ(GcModel().rowCount(), 3) << "undone steps stay listed until a new step";
    EXPECT_EQ(TaskModel().rowCount(), 12);
    EXPECT_FALSE(frame->Action(YCmd::EditUndo)->isEnabled());
    EXPECT_TRUE(frame->Action(YCmd::EditRedo)->isEnabled());

    ClickRow(2); // the last row: both redone
    EXPECT_EQ(TestProject(Doc()).MidTable(), done);
    EXPECT_EQ(gc->currentIndex().row(), 2);
    EXPECT_EQ(TaskModel().rowCount(), tasksDone);

    frame->Action(YCmd::EditUndo)->trigger(); // 撤消: the current step goes
    EXPECT_EQ(gc->currentIndex().row(), 1);
    frame->Action(YCmd::EditRedo)->trigger();
    EXPECT_EQ(gc->currentIndex().row(), 2);

    // A new step after an undo purges the undone one.
    frame->Action(YCmd::EditUndo)->trigger();
    Click(At(90, 0.5));
    Click(At(110, -0.5));
    ASSERT_EQ(GcModel().rowCount(), 3);
    EXPECT_EQ(GcModel().index(2, 0).data().toString(), QStringLiteral("2.远运"));
    EXPECT_EQ(GcModel().index(2, 1).data().toString(), QStringLiteral("K0+080.000~K0+100.000"));
}

// The pane 相邻项目 with two open projects: switching by double click, a new pair of ports
// through it while a source is picked (its tab comes to the front and gives it back), and the
// ports it then offers for the next haul.
TEST_F(AllocationTest, NeighboursPaneSwitchesProjectsAndChoosesPorts) {
    ASSERT_NE(OpenNext(), nullptr);
    CDalvexDoc& a = Doc();
    CDalvexDoc& b = frame->ActiveView()->Document();
    YControlBar* pane = frame->Pane(CMainFrame::NeighboursPane);
    YControlBar* settings = frame->Pane(CMainFrame::SettingsPane);
    auto* list = pane->findChild<YNearPrjListBox*>();
    ASSERT_NE(list, nullptr);
    const auto lines = [list](int row) {
        return list->item(row)->data(Qt::DisplayRole).toString().split(QLatin1Char('\n'));
    };
    const auto doubleClick = [&](int row) {
        QListWidgetItem* item = list->item(row);
        ASSERT_NE(item, nullptr);
        const QPoint at = list->visualItemRect(item).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
        Settle();
    };
    const auto inFront = [](QWidget* w) { return w->isVisible() && !w->visibleRegion().isEmpty(); };

    // B is active: its pane lists A, and a double click brings A forward.
    ASSERT_TRUE(pane->isVisible());
    ASSERT_EQ(list->count(), 1);
    EXPECT_EQ(lines(0), (QStringList{QStringLiteral("相邻项目: %1").arg(a.GetProjectName()),
                                     QStringLiteral("双击切换到该项目")}));
    EXPECT_EQ(list->LineHeight(), 3 * list->fontMetrics().height() + 6);
    doubleClick(0);
    ASSERT_EQ(&frame->ActiveView()->Document(), &a);

    // A source picked in A: the pane comes in front of 调配设置 and offers a new exit.
    settings->raise();
    Settle();
    UseTool();
    PickIn(a, {10, 0.5});
    ASSERT_EQ(Tool()->PendingSource(), &a);
    EXPECT_TRUE(inFront(pane));
    EXPECT_EQ(lines(0), (QStringList{QStringLiteral("调到相邻项目: %1").arg(b.GetProjectName()),
                                     QStringLiteral("新建调出口...")}));
    AnswerNewPort();
    doubleClick(0);
    ASSERT_EQ(&frame->ActiveView()->Document(), &b);
    EXPECT_EQ(Tool()->DestDocument(), &b);
    ASSERT_EQ(b.Model().m_arrNearPrj.size(), 1u);
    EXPECT_EQ(Tool()->EntryPort(), 0);
    // B now shows only the chosen entry from A, marked.
    ASSERT_EQ(list->count(), 1);
    EXPECT_EQ(lines(0), (QStringList{QStringLiteral("<-从相邻项目调入: %1").arg(a.GetProjectName()),
                                     QStringLiteral("入口桩号: K0+000.000"),
                                     QStringLiteral("出口桩号: K0+240.000")}));
    PickIn(b, {30, -0.5});
    EXPECT_EQ(Tool()->PendingSource(), nullptr);
    ASSERT_EQ(YProcessList::Build(a).size(), 1u);
    EXPECT_TRUE(inFront(settings)) << "the tab in front before the pick is in front again";

    // The next haul from A leaves through the port the pane lists, without the dialog.
    PickIn(a, {50, 0.5});
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(lines(0), (QStringList{QStringLiteral("调到相邻项目: %1").arg(b.GetProjectName()),
                                     QStringLiteral("出口桩号: K0+240.000"),
                                     QStringLiteral("入口桩号: K0+000.000")}));
    doubleClick(0);
    ASSERT_EQ(&frame->ActiveView()->Document(), &b);
    EXPECT_EQ(Tool()->ExitPort(), 0);
    EXPECT_EQ(Tool()->EntryPort(), 0);
    PickIn(b, {70, -0.5});
    EXPECT_EQ(YProcessList::Build(a).size(), 2u);
    EXPECT_EQ(b.Model().m_arrNearPrj.size(), 1u) << "no new port";
}

// With the windows tiled, a pick goes straight into the other project's window: the click that
// brings it forward lands where it was aimed. The haul goes through the port dialog: cancelled,
// nothing is allocated; accepted, a pair of ports is made and both logs get their half.
TEST_F(AllocationTest, ACrossProjectPickInATiledWindowLandsWhereAimed) {
    CDalvexView* viewB = OpenNext();
    ASSERT_NE(viewB, nullptr);
    CDalvexDoc& b = viewB->Document();
    TriggerAndSettle(frame->Action(YCmd::WindowTile));
    UseTool();
    const auto pick = [&](CDalvexView* v, QPointF w) {
        ClickOn(v->viewport(), v->Uint().ToDevice(w));
        Settle();
    };
    // A's window is not active: the source is picked in it directly, then the fill in B's.
    ASSERT_NE(frame->ActiveView(), view);
    pick(view, {10, 0.5});
    ASSERT_EQ(Tool()->PendingSource(), &Doc());
    OnNextModal([](QWidget* w) { static_cast<QDialog*>(w)->reject(); });
    pick(viewB, {30, -0.5});
    EXPECT_EQ(GcModel().rowCount(), 1);
    EXPECT_EQ(Tool()->PendingSource(), nullptr);

    ASSERT_NE(frame->ActiveView(), view);
    pick(view, {10, 0.5});
    ASSERT_EQ(Tool()->PendingSource(), &Doc());
    QString title;
    int offered = -1;
    AnswerNewPort(&title, &offered);
    pick(viewB, {30, -0.5});
    EXPECT_EQ(title, QStringLiteral("跨项目调配设置"));
    EXPECT_EQ(offered, 1) << "only 新建调出调入口 before the first pair";
    ASSERT_EQ(Doc().Model().m_arrNearPrj.size(), 1u);
    ASSERT_EQ(b.Model().m_arrNearPrj.size(), 1u);
    const std::vector<YProcessEntry> out = YProcessList::Build(Doc());
    const std::vector<YProcessEntry> in = YProcessList::Build(b);
    ASSERT_EQ(out.size(), 1u);
    ASSERT_EQ(in.size(), 1u);
    EXPECT_EQ(in[0].staDstStart.Value(), 20.0) << "the fill run under the click";
    EXPECT_EQ(out[0].staSrcStart.Value(), 0.0);
    // The panes follow the active project (the next one): its step as its log has it.
    ASSERT_EQ(GcModel().rowCount(), 2);
    EXPECT_EQ(GcModel().index(1, 0).data().toString(), in[0].Label());
    EXPECT_TRUE(in[0].Label().contains(QStringLiteral("调入")));
    EXPECT_EQ(GcModel().index(1, 5).data().toString(), QString::asprintf("%.3lf", in[0].dDistance));
}

TEST_F(AllocationTest, AutoAllocationLeavesTheSegmentUnfinishedForHandWork) {
    double offered = 0.0;
    WithDialog<QInputDialog>(frame->Action(YCmd::AutoDP), [&](QInputDialog& dlg) {
        offered = dlg.doubleValue();
        dlg.setDoubleValue(100.0);
        dlg.accept();
    });
    EXPECT_EQ(offered, 1000.0) << "the reach starts at the command line's default";
    EXPECT_EQ(YAllocCommands::AutoReach(), 100.0) << "and is remembered in the profile";
    EXPECT_TRUE(h.IO().ProgressTitles().contains(QStringLiteral("自动调配")));
    EXPECT_GT(GcModel().rowCount(), 2);
    EXPECT_EQ(TaskModel().rowCount(), 0) << "everything went somewhere";
    EXPECT_EQ(gc->currentIndex().row(), GcModel().rowCount() - 1);
    // Not finished: the steps can still be undone by hand.
    ClickRow(0);
    EXPECT_EQ(TaskModel().rowCount(), 12);
}

TEST_F(AllocationTest, FinishRefusesWhileWorkIsLeftAndClearAsksFirst) {
    frame->Action(YCmd::FinishDP)->trigger();
    ASSERT_FALSE(h.IO().Texts().isEmpty());
    EXPECT_EQ(h.IO().Texts().last(), QStringLiteral("调配尚未完成!桩号K0+000.000"));
    h.IO().QueueAnswer(false);
    frame->Action(YCmd::ClearDP)->trigger();
    EXPECT_EQ(h.IO().Questions().last(),
              QStringLiteral("此操作将清除所有调配过程、预处理结果!\n\n是否确定要清除?"));
    EXPECT_GT(Doc().GetSegmentCount(), 0) << "declined: nothing cleared";
}

} // namespace

// The whole sample road allocated with the mouse, as a designer would: each fill run from the
// nearest run with usable surplus, what is left beside the line (就地取弃), then finished; the
// process pane then takes it back to the start and forward to the end.
TEST(SampleRoadByMouse, AllocatedUndoneRedoneAndFinished) {
    AppHarness h;
    const QString dir = h.Dir().Path(QStringLiteral("sample"));
    QProcess demo;
    demo.start(QStringLiteral(DALVEX_CLI_PATH), {QStringLiteral("demo"), dir});
    ASSERT_TRUE(demo.waitForFinished(60000) && demo.exitCode() == 0) << demo.readAll().data();
    CDalvexView* view =
        StartAllocating(h, QDir(dir).filePath(QStringLiteral("demo.dvx")), {1200, 800});
    ASSERT_NE(view, nullptr);
    CMainFrame* frame = h.App().MainFrame();
    CDalvexDoc& doc = view->Document();
    frame->Action(YCmd::ToolDP)->trigger();
    const auto clickAt = [&](double sta, double y) {
        // The station in view at 2 m per pixel, y zoomed so that the point is pixels off the
        // axis (a designer zooms in on a thin bar), then a click on the bar there.
        view->Uint().SetScale(2.0, std::min(view->Uint().m_dScaleY, std::abs(y) / 4));
        view->SetOrigin({sta - 200.0, 0.0});
        Settle();
        ClickOn(view->viewport(), view->Uint().ToDevice({sta, y}));
        Settle();
    };
    const auto mid = [](const YTask& t) { return (t.staFrom.Value() + t.staTo.Value()) / 2; };
    const auto usable = [](const YTask& t) { return t.nType == 0 && t.dUseSoil + t.dUseRock > 1; };

    // Hauls: each fill run from the nearest run with usable surplus it can reach (a bridge that
    // cannot be crossed refuses with its message, and the next nearest is tried).
    std::set<std::pair<double, double>> refused; // (cut run start, fill run start)
    for (int guard = 0; guard < 200; ++guard) {
        const std::vector<YTask> tasks = YTaskList::Build(doc.Segments());
        const YTask* cut = nullptr;
        const YTask* fill = nullptr;
        for (const YTask& f : tasks) {
            for (const YTask& c : tasks) {
                if (f.nType != 1 || !usable(c) ||
                    refused.count({c.staFrom.Value(), f.staFrom.Value()}) != 0) {
                    continue;
                }
                if (cut == nullptr ||
                    std::abs(mid(c) - mid(f)) < std::abs(mid(*cut) - mid(*fill))) {
                    cut = &c;
                    fill = &f;
                }
            }
        }
        if (cut == nullptr) {
            break;
        }
        g_nDPRule = DPR_SOIL_FIRST;
        const size_t before = YProcessList::Build(doc).size();
        clickAt(mid(*cut), 0.5);
        clickAt(mid(*fill), -0.5);
        if (YProcessList::Build(doc).size() == before) {
            refused.insert({cut->staFrom.Value(), fill->staFrom.Value()});
        }
    }
    // What is left goes beside the line: fill taken, surplus dumped (the unusable part with
    // 弃除不可利用方), one click each.
    for (int round = 0; round < 3 && !YTaskList::Build(doc.Segments()).empty(); ++round) {
        for (const YTask& t : YTaskList::Build(doc.Segments())) {
            g_nDPRule = DPR_LOCAL | (t.nType == 0 && !usable(t) ? DPR_UNUSABLE : 0);
            // Halfway up the bar, however thin it is.
            const double perMetre =
                (t.dFill + t.dUseSoil + t.dUseRock + t.dUnuseSoil + t.dUnuseRock) /
                std::max(t.staTo.Value() - t.staFrom.Value(), 1.0);
            const double y = std::min(0.5, perMetre / 2);
            clickAt(mid(t), t.nType == 1 ? -y : y);
        }
    }
    ASSERT_TRUE(YTaskList::Build(doc.Segments()).empty()) << "nothing left to allocate";
    auto* gc = frame->findChild<YDpGcView*>();
    ASSERT_NE(gc, nullptr);
    const int rows = gc->model()->rowCount();
    ASSERT_GT(rows, 5);

    // Back to the start and forward to the end through the pane's rows.
    ClickRow(*gc, 0);
    EXPECT_FALSE(YTaskList::Build(doc.Segments()).empty());
    ClickRow(*gc, rows - 1);
    EXPECT_TRUE(YTaskList::Build(doc.Segments()).empty());

    h.IO().Clear();
    TriggerAndSettle(frame->Action(YCmd::FinishDP));
    EXPECT_FALSE(h.IO().Texts().join(u'|').contains(QStringLiteral("调配尚未完成")))
        << h.IO().Texts().join(u'|').toStdString();
    const auto logged =
        doc.GetDatabase().QueryValue(QStringLiteral("SELECT COUNT(*) FROM [调配过程表]"));
    EXPECT_GT(logged.value_or(0).toInt(), 0) << "the finished log";
    ResetDPSettings(); // the rule chosen last would greet the next test's settings pane
}
