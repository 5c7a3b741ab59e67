#include "GuiTestSupport.h"

#include "core/document/CDalvexDoc.h"
#include "core/document/YDocManager.h"
#include "gui/app/CChildFrame.h"
#include "gui/app/CDalvexApp.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/YCommandIds.h"
#include "gui/app/YMDIClientWnd.h"
#include "gui/app/YToolIcons.h"
#include "gui/panes/YDPCtrlBar.h"
#include "gui/widgets/YControlBar.h"
#include "support/ProjectFixture.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QProcess>
#include <QStatusBar>
#include <QToolBar>
#include <gtest/gtest.h>

using namespace dalvex::test;

namespace {

TEST(MainFrame, StartsWithoutProjectOnTheNoProjectMenu) {
    AppHarness h;
    ASSERT_TRUE(h.Start());
    CMainFrame& frame = *h.App().MainFrame();
    EXPECT_TRUE(frame.isMaximized());
    EXPECT_EQ(frame.windowTitle(), QStringLiteral("土石方调配"));
    EXPECT_EQ(frame.CurrentMenu(), CMainFrame::NoProjectMenu);
    EXPECT_EQ(h.App().DocManager().DocumentCount(), 0);
    EXPECT_TRUE(frame.Frames().isEmpty());
    // Accelerators live on the frame, whichever menu is up.
    EXPECT_TRUE(frame.actions().contains(frame.Action(YCmd::EditUndo)));
    EXPECT_TRUE(h.IO().Messages().empty());
}

// Every button of the tool bar has a picture with something drawn on it, and no two are alike.
TEST(MainFrame, ToolBarButtonsHaveDistinctDrawnIcons) {
    CMainFrame frame;
    QList<QImage> seen;
    for (QAction* action : frame.ToolBar()->actions()) {
        if (action->isSeparator()) {
            continue;
        }
        const int id = action->data().toInt();
        SCOPED_TRACE(id);
        const QImage image = YToolIcons::Pixmap(id).toImage();
        ASSERT_EQ(image.size(), frame.ToolBar()->iconSize());
        int painted = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                painted += qAlpha(image.pixel(x, y)) > 0 ? 1 : 0;
            }
        }
        EXPECT_GT(painted, 20);
        EXPECT_FALSE(seen.contains(image));
        seen << image;
    }
    EXPECT_GT(seen.size(), 10);
    EXPECT_TRUE(YToolIcons::Pixmap(12345).isNull());
}

TEST(MainFrame, StatusBarPanesAndCursorReadout) {
    CMainFrame frame;
    frame.show();
    Settle();
    EXPECT_EQ(static_cast<QLabel*>(frame.StatusPane(0))->text(), QStringLiteral("就绪"));
    const QFontMetrics metrics(frame.font());
    EXPECT_GE(frame.StatusPane(1)->minimumWidth(),
              metrics.horizontalAdvance(QStringLiteral("K0012+345.678")));
    EXPECT_GE(frame.StatusPane(2)->minimumWidth(),
              metrics.horizontalAdvance(QStringLiteral("填方面积:12345.567")));
    EXPECT_TRUE(frame.IsReadoutStretched());

    frame.CursorReadout(QStringLiteral("K1+020.000"), QStringLiteral("挖方面积:12.500"));
    EXPECT_FALSE(frame.IsReadoutStretched());
    EXPECT_EQ(static_cast<QLabel*>(frame.StatusPane(1))->text(), QStringLiteral("K1+020.000"));
    EXPECT_EQ(static_cast<QLabel*>(frame.StatusPane(2))->text(), QStringLiteral("挖方面积:12.500"));
    EXPECT_EQ(frame.StatusPane(1)->sizePolicy().horizontalPolicy(), QSizePolicy::Fixed);

    // The cursor entering any other part of the frame puts the panes back to stretching.
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(frame.ToolBar(), &enter);
    EXPECT_TRUE(frame.IsReadoutStretched());
    EXPECT_EQ(frame.StatusPane(1)->sizePolicy().horizontalPolicy(), QSizePolicy::Expanding);
    frame.CursorReadout(QStringLiteral("K1+020.000"), QString());
    frame.CursorReadout(QString(), QString());
    EXPECT_TRUE(frame.IsReadoutStretched());
}

TEST(MainFrame, PanesStartHiddenThenDockAndTabTogether) {
    CMainFrame frame;
    frame.resize(1000, 700);
    frame.show();
    Settle();
    for (int id = 1; id <= 5; ++id) {
        SCOPED_TRACE(id);
        YControlBar* bar = frame.Pane(id);
        ASSERT_NE(bar, nullptr);
        // Hidden at first; shown flag set, toggle not yet available.
        EXPECT_FALSE(bar->isVisible());
        EXPECT_TRUE(bar->IsShown());
        EXPECT_FALSE(bar->IsToggleEnabled());
    }
    EXPECT_EQ(frame.PaneOfCommand(YCmd::PaneNeighbours), frame.Pane(CMainFrame::NeighboursPane));
    EXPECT_FALSE(frame.Action(YCmd::PaneNeighbours)->isEnabled());
    EXPECT_TRUE(frame.Action(YCmd::PaneNeighbours)->isChecked());
    EXPECT_TRUE(frame.Pane(1)->isFloating());
    for (int id = 1; id <= 5; ++id) {
        frame.Pane(id)->show();
    }
    Settle();
    EXPECT_EQ(frame.Pane(1)->pos(),
              QPoint(frame.frameGeometry().right() - 173, frame.frameGeometry().top() + 97));
    // Where the user puts the overview it stays, also after hiding and showing it again.
    const QPoint moved = frame.Pane(1)->pos() - QPoint(300, -40);
    frame.Pane(1)->move(moved);
    frame.Pane(1)->hide();
    Settle();
    frame.Pane(1)->show();
    Settle();
    EXPECT_EQ(frame.Pane(1)->pos(), moved);
    EXPECT_EQ(frame.dockWidgetArea(frame.Pane(2)), Qt::BottomDockWidgetArea);
    EXPECT_EQ(frame.tabifiedDockWidgets(frame.Pane(2)), QList<QDockWidget*>{frame.Pane(3)});
    EXPECT_EQ(frame.dockWidgetArea(frame.Pane(4)), Qt::RightDockWidgetArea);
    EXPECT_EQ(frame.tabifiedDockWidgets(frame.Pane(4)), QList<QDockWidget*>{frame.Pane(5)});
    EXPECT_GE(frame.DPCtrlBar()->widget()->minimumWidth(), 200);
    EXPECT_GE(frame.DPCtrlBar()->widget()->minimumHeight(), 150);
}

TEST(MainFrame, PaneToggleInvertsShownFlagOnceEnabled) {
    CMainFrame frame;
    frame.show();
    YControlBar* bar = frame.Pane(CMainFrame::TaskPane);
    bar->SetToggleEnabled(true);
    frame.UpdateCommandUI();
    QAction* toggle = frame.Action(YCmd::PaneTasks);
    ASSERT_TRUE(toggle->isEnabled());
    EXPECT_TRUE(toggle->isChecked());
    toggle->trigger();
    EXPECT_FALSE(bar->IsShown());
    EXPECT_FALSE(bar->isVisible());
    EXPECT_FALSE(toggle->isChecked());
    toggle->trigger();
    EXPECT_TRUE(bar->IsShown());
    EXPECT_TRUE(bar->isVisible());
    EXPECT_TRUE(toggle->isChecked());
    // A delayed hide while the toggle is enabled updates the flag too; disabled, it does not.
    bar->ShowBar(false);
    Settle();
    EXPECT_FALSE(bar->IsShown());
    bar->SetToggleEnabled(false);
    bar->ShowBar(true);
    Settle();
    EXPECT_TRUE(bar->isVisible());
    EXPECT_FALSE(bar->IsShown());
}

TEST(MainFrame, MdiBackgroundPictureIsCentred) {
    CMainFrame frame;
    frame.resize(900, 700);
    frame.show();
    Settle();
    EXPECT_EQ(frame.MdiArea()->Picture().size(), QSize(450, 190));
    const QImage shot = frame.MdiArea()->viewport()->grab().toImage();
    const QPoint centre = shot.rect().center();
    const QColor background = frame.MdiArea()->background().color();
    // The centre shows the picture, the corners the plain background.
    EXPECT_NE(shot.pixelColor(centre.x(), centre.y() - 60), background);
    EXPECT_EQ(shot.pixelColor(2, 2), background);
}

TEST(MainFrame, ProgramStartsAndQuitsOffscreenAndPrintsVersion) {
    QProcess version;
    version.start(QString::fromUtf8(DALVEX_APP_PATH), {QStringLiteral("--version")});
    ASSERT_TRUE(version.waitForFinished(60000));
    EXPECT_EQ(version.exitCode(), 0);
    EXPECT_TRUE(QString::fromUtf8(version.readAllStandardOutput()).contains(QStringLiteral("0.")));

    QProcess run;
    run.start(QString::fromUtf8(DALVEX_APP_PATH),
              {QStringLiteral("--quit-after"), QStringLiteral("300")});
    ASSERT_TRUE(run.waitForFinished(60000));
    EXPECT_EQ(run.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(run.exitCode(), 0);
}

TEST(MainFrame, CommandLineFileOpensAtStartUp) {
    AppHarness h;
    const QString path = h.Dir().Path(QStringLiteral("c.dvx"));
    {
        YRecordingUserIO io;
        TestProject project(path, io);
    }
    ASSERT_TRUE(h.Start({path}));
    CMainFrame& frame = *h.App().MainFrame();
    ASSERT_NE(frame.ActiveDocument(), nullptr);
    EXPECT_EQ(frame.ActiveDocument()->GetTitle(), QStringLiteral("c.dvx"));
    EXPECT_EQ(frame.CurrentMenu(), CMainFrame::ProjectMenu);
}

TEST(MainFrame, ProgramEndsWhenTheNamedFileCannotBeOpened) {
    AppHarness h;
    const QString missing = h.Dir().Path(QStringLiteral("missing.dvx"));
    EXPECT_FALSE(h.Start({missing}));
}

} // namespace
