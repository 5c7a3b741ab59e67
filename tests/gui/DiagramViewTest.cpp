// The allocation diagram in the desktop program, driven by synthetic mouse and key events on
// a real view (offscreen): tools, selection, readout, rulers and the overview.
#include "GuiTestSupport.h"
#include "core/document/CDalvexDoc.h"
#include "core/document/YDiagramTexts.h"
#include "gui/app/CDalvexApp.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/YCommandIds.h"
#include "gui/diagram/CDalvexView.h"
#include "gui/diagram/CRulerBar.h"
#include "gui/diagram/YEyeWnd.h"
#include "gui/diagram/YTool.h"
#include "support/ProjectFixture.h"

#include <QAction>
#include <QStatusBar>
#include <QTest>
#include <gtest/gtest.h>

using namespace dalvex::test;

namespace {

class DiagramViewTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const QString path = h.Dir().Path(QStringLiteral("road.dvx"));
        {
            YRecordingUserIO io;
            TestProject project(path, io);
            project.AddLine(0.0, 20.0, TestProject::Road(60)); // cut, fill, cut, … of 20 m
            project.AddBorrowPit(300, 0, 600, {100}, 5000, 0);
        }
        view = StartAllocating(h, path);
        ASSERT_NE(view, nullptr);
        frame = h.App().MainFrame();
        ASSERT_GT(view->Document().GetSegmentCount(), 0);
    }
    void TearDown() override {
        g_nClassFilter = YClassFilter::Initial;
        YToolState::SetCurrentTool(nullptr);
    }
    void Use(int command) { frame->Action(command)->trigger(); }
    QWidget* Client() const { return view->viewport(); }
    void Send(QEvent::Type type, QPoint pt, Qt::MouseButton button, Qt::MouseButtons buttons) {
        SendMouse(Client(), type, pt, button, buttons);
    }
    void Drag(QPoint from, QPoint to, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        DragOn(Client(), from, to, mods);
    }
    void Click(QPoint pt, Qt::KeyboardModifiers mods = Qt::NoModifier) { Drag(pt, pt, mods); }
    // The device point of a diagram point in the view.
    QPoint At(double x, double y) const { return view->Uint().ToDevice({x, y}); }
    QString Status() const { return frame->statusBar()->currentMessage(); }

    AppHarness h;
    CMainFrame* frame = nullptr;
    CDalvexView* view = nullptr;
};

TEST_F(DiagramViewTest, ZoomInStopsAtTheLowerLimitAfterEightStepsAndRulersRepaintOnce) {
    Use(YCmd::ToolZoomIn);
    ASSERT_TRUE(frame->Action(YCmd::ToolZoomIn)->isChecked());
    const QPoint centre = Client()->rect().center();
    // The first readout fixes the status panes' widths (a relayout): get it out of the way.
    Send(QEvent::MouseMove, centre, Qt::NoButton, Qt::NoButton);
    Settle();
    CRulerBar* rulerH = nullptr;
    CRulerBar* rulerV = nullptr;
    for (CRulerBar* r : frame->findChildren<CRulerBar*>()) {
        (r->Orientation() == Qt::Horizontal ? rulerH : rulerV) = r;
    }
    ASSERT_TRUE(rulerH && rulerV);
    const int h0 = rulerH->PaintCount();
    const int v0 = rulerV->PaintCount();
    Click(centre);
    Settle();
    EXPECT_EQ(rulerH->PaintCount() - h0, 1);
    EXPECT_EQ(rulerV->PaintCount() - v0, 1);
    for (int i = 2; i <= 10; ++i) {
        Click(centre);
        if (i == 7) {
            EXPECT_GT(view->Uint().m_dScaleX, YUint::MinScale);
        }
    }
    EXPECT_DOUBLE_EQ(view->Uint().m_dScaleX, YUint::MinScale);
    EXPECT_DOUBLE_EQ(view->Uint().m_dScaleY, YUint::MinScale);
    // Right button ends the zoom tool; nothing was current before it.
    Send(QEvent::MouseButtonPress, centre, Qt::RightButton, Qt::RightButton);
    EXPECT_EQ(YToolState::Current(), nullptr);
}

TEST_F(DiagramViewTest, EscapeDuringAPanRestoresTheExactOrigin) {
    view->Uint().m_dOrgX = 333.3;
    view->Uint().m_dOrgY = 1.7;
    Use(YCmd::ToolPan);
    Send(QEvent::MouseButtonPress, QPoint(400, 200), Qt::LeftButton, Qt::LeftButton);
    // Far enough left to run into the start of the road on the way.
    Send(QEvent::MouseMove, QPoint(700, 260), Qt::NoButton, Qt::LeftButton);
    Send(QEvent::MouseMove, QPoint(900, 300), Qt::NoButton, Qt::LeftButton);
    EXPECT_NE(view->Uint().m_dOrgX, 333.3);
    QTest::keyClick(view, Qt::Key_Escape);
    EXPECT_EQ(view->Uint().m_dOrgX, 333.3);
    EXPECT_EQ(view->Uint().m_dOrgY, 1.7);
    // A drag that ends normally keeps the diagram point under the cursor.
    const QPointF before = view->Uint().ToDiagram(QPoint(400, 200));
    Drag(QPoint(400, 200), QPoint(350, 200));
    const QPointF after = view->Uint().ToDiagram(QPoint(350, 200));
    EXPECT_NEAR(after.x(), before.x(), 1e-9);
    EXPECT_NEAR(after.y(), before.y(), 1e-9);
}

TEST_F(DiagramViewTest, ClicksSelectRunsCtrlAddsAndEmptyClicksClear) {
    Use(YCmd::ToolSelect);
    CDalvexDoc& doc = view->Document();
    // Segment 0 (0–20 m) and segment 2 (40–60 m) are cut.
    Click(At(10, 0.5));
    EXPECT_NE(doc.GetSegment(0).m_nSel & YClass::AllMask, 0);
    EXPECT_EQ(Status(), YDiagramTexts::SelectionSums(doc));
    EXPECT_TRUE(Status().startsWith(QStringLiteral("当前选择-> 土方:")));
    Click(At(50, 0.5));
    EXPECT_EQ(doc.GetSegment(0).m_nSel & YClass::LowBits, 0) << "a plain click replaces";
    EXPECT_NE(doc.GetSegment(2).m_nSel & YClass::AllMask, 0);
    Click(At(10, 0.5), Qt::ControlModifier);
    EXPECT_NE(doc.GetSegment(0).m_nSel & YClass::AllMask, 0) << "Ctrl adds";
    EXPECT_NE(doc.GetSegment(2).m_nSel & YClass::AllMask, 0);
    // Far above every bar: nothing is hit, everything is cleared.
    Click(QPoint(5, 2));
    EXPECT_EQ(Status(), QStringLiteral("就绪"));
}

TEST_F(DiagramViewTest, ARectangleWithRockHiddenSelectsNoRock) {
    Use(YCmd::ShowRock);
    ASSERT_FALSE(frame->Action(YCmd::ShowRock)->isChecked());
    Use(YCmd::ToolSelect);
    Drag(QPoint(1, 1), Client()->rect().bottomRight() - QPoint(1, 1));
    int soil = 0;
    for (const YTFItem& seg : view->Document().Segments()) {
        EXPECT_EQ(seg.m_nSel & YClass::RockMask, 0);
        soil += (seg.m_nSel & YClass::SoilMask) != 0 ? 1 : 0;
    }
    EXPECT_GT(soil, 0);
}

TEST_F(DiagramViewTest, CursorReadoutAndTipsNameWhatIsUnderTheMouse) {
    const int axis = view->Uint().m_nHalfHeight;
    Send(QEvent::MouseMove, QPoint(100, axis), Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(view->AreaText(), QStringLiteral("挖方面积：0.000"));
    EXPECT_EQ(view->StationText(), view->Document().Numbering().Text(view->Uint().DiagramX(100)));
    EXPECT_EQ(view->TipIdAt(At(30, -0.5)), std::optional<quint32>(1)) << "fill of segment 1";
    EXPECT_EQ(view->TipIdAt(QPoint(5, 5)), std::nullopt);
    // The fixed pit strip shows the borrow pit first at its left end.
    EXPECT_EQ(view->TipIdAt(QPoint(10, -5)), YDiagramTexts::BorrowTipBase);
    view->SetFixedPits(false);
    EXPECT_EQ(view->TipIdAt(QPoint(At(300, 0).x(), -5)), YDiagramTexts::BorrowTipBase);
}

TEST_F(DiagramViewTest, OverviewFollowsTheViewWithoutRenderingAgainUntilAStepEnds) {
    YEyeWnd* eye = frame->EyeWnd();
    Settle();
    ASSERT_TRUE(eye->isVisible());
    eye->repaint();
    const int renders = eye->RenderCount();
    view->ScrollBy(CDalvexView::ScrollRequest::PageDown, CDalvexView::ScrollRequest::None);
    Settle();
    eye->repaint();
    EXPECT_EQ(eye->RenderCount(), renders) << "scrolling only moves the frame";
    view->Document().NotifyStepEnded(1);
    Settle();
    eye->repaint();
    EXPECT_EQ(eye->RenderCount(), renders + 1);
    // A click near the right end puts the view's left edge there, unclamped.
    const QPoint near(eye->width() - 3, eye->height() / 2);
    QTest::mouseClick(eye, Qt::LeftButton, {}, near);
    EXPECT_NEAR(view->Uint().m_dOrgX, eye->Uint().DiagramX(near.x()), 1e-9);
    EXPECT_GT(view->Uint().m_dOrgX, view->Uint().m_dXMax - 20);
}

} // namespace
