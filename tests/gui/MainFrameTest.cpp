#include "GuiTestSupport.h"

#include "core/document/CDalvexDoc.h"
#include "core/document/YDocManager.h"
#include "core/platform/YConf.h"
#include "gui/app/CChildFrame.h"
#include "gui/app/CDalvexApp.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/YCommandIds.h"
#include "gui/app/YControlBar.h"
#include "gui/app/YMDIClientWnd.h"
#include "gui/app/YToolIcons.h"
#include "gui/panes/YDPCtrlBar.h"

#include <QAction>
#include <QApplication>
#include <QDropEvent>
#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QProcess>
#include <QStatusBar>
#include <QToolBar>
#include <QUrl>
#include <gtest/gtest.h>

using namespace dalvex::test;

namespace {

const QString Product = QStringLiteral("土石方调配");

// The texts of a menu's items, "-" for a separator, "[sub]" + title for a submenu.
QStringList ItemTexts(const QMenu* menu) {
    QStringList texts;
    for (QAction* action : menu->actions()) {
        if (action->isSeparator()) {
            texts << QStringLiteral("-");
        } else if (action->menu() != nullptr) {
            texts << QStringLiteral("[sub]") + action->text();
        } else if (action->isVisible()) {
            texts << action->text();
        }
    }
    return texts;
}

QMenu* TopMenu(CMainFrame& frame, const QString& title) {
    for (QAction* action : frame.menuBar()->actions()) {
        if (action->text() == title) {
            return action->menu();
        }
    }
    return nullptr;
}

QStringList TopTitles(CMainFrame& frame) {
    QStringList titles;
    for (QAction* action : frame.menuBar()->actions()) {
        titles << action->text();
    }
    return titles;
}

TEST(MainFrame, StartsWithoutProjectOnTheNoProjectMenu) {
    AppHarness h;
    ASSERT_TRUE(h.Start());
    CMainFrame& frame = *h.App().MainFrame();
    EXPECT_TRUE(frame.isMaximized());
    EXPECT_EQ(frame.windowTitle(), Product);
    EXPECT_EQ(frame.CurrentMenu(), CMainFrame::NoProjectMenu);
    EXPECT_EQ(h.App().DocManager().DocumentCount(), 0);
    EXPECT_TRUE(frame.Frames().isEmpty());
    EXPECT_EQ(TopTitles(frame), (QStringList{QStringLiteral("文件(&F)"), QStringLiteral("查看(&V)"),
                                             QStringLiteral("帮助(&H)")}));
    EXPECT_EQ(ItemTexts(TopMenu(frame, QStringLiteral("文件(&F)"))),
              (QStringList{QStringLiteral("新建"), QStringLiteral("打开"), QStringLiteral("-"),
                           QStringLiteral("-"), QStringLiteral("退出(&X)")}));
    EXPECT_EQ(
        ItemTexts(TopMenu(frame, QStringLiteral("查看(&V)"))),
        (QStringList{QStringLiteral("工具栏(&T)"), QStringLiteral("状态栏(&S)"),
                     QStringLiteral("-"), QStringLiteral("鹰眼"), QStringLiteral("调配过程")}));
    EXPECT_EQ(ItemTexts(TopMenu(frame, QStringLiteral("帮助(&H)"))),
              (QStringList{QStringLiteral("帮助"), QStringLiteral("-"),
                           QStringLiteral("关于 Dalvex(&A)...")}));
    EXPECT_TRUE(h.IO().Messages().empty());
}

TEST(MainFrame, CommandTextsIdsAndAccelerators) {
    CMainFrame frame;
    const struct {
        int id;
        const char* text;
        const char* keys;
    } rows[] = {
        {57600, "新建", "Ctrl+N"},
        {57601, "打开", "Ctrl+O"},
        {57664, "关于 Dalvex(&A)...", ""},
        {33000, "读入土方数据", ""},
        {32805, "读入Ravel道路项目\tCtrl+R", "Ctrl+R"},
        {32801, "土石方数量计算表", ""},
        {32803, "土石方运量统计表", ""},
        {32802, "每公里土石方数量表", ""},
        {32804, "结束调配", ""},
        {32850, "修复调配过程", ""},
        {57643, "撤消\tCtrl+U", "Ctrl+U"},
        {57644, "重新执行\tCtrl+I", "Ctrl+I"},
        {32869, "调配设置", ""},
        {32871, "相邻项目", ""},
        {32873, "调配任务", ""},
        {32856, "调配过程", ""},
        {32853, "鹰眼", ""},
        {57670, "帮助", ""},
        {32792, "调配", "Ctrl+D"},
        {32773, "矩形选择", "Ctrl+B"},
        {32785, "平移", "Ctrl+P"},
        {32777, "纵横缩放", "Alt+Z"},
        {32775, "放大", "Ctrl+A"},
        {32800, "缩放", "Ctrl+Z"},
        {32776, "缩小", "Ctrl+S"},
        {32858, "项目分段设置", ""},
        {32859, "选择调配段落", ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.id);
        QAction* action = frame.Action(row.id);
        ASSERT_NE(action, nullptr);
        EXPECT_EQ(action->text(), QString::fromUtf8(row.text));
        EXPECT_EQ(action->data().toInt(), row.id);
        EXPECT_EQ(action->shortcut(), QKeySequence(QString::fromLatin1(row.keys)));
    }
    // Accelerators live on the frame, whichever menu is up.
    EXPECT_TRUE(frame.actions().contains(frame.Action(YCmd::EditUndo)));
}

TEST(MainFrame, ToolBarStandardInItsOrderWithDrawnIcons) {
    CMainFrame frame;
    QToolBar* bar = frame.ToolBar();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->windowTitle(), QStringLiteral("标准"));
    EXPECT_EQ(bar->iconSize(), QSize(16, 15));
    EXPECT_EQ(bar->allowedAreas(), Qt::TopToolBarArea | Qt::LeftToolBarArea);
    QList<int> ids;
    for (QAction* action : bar->actions()) {
        ids << (action->isSeparator() ? 0 : action->data().toInt());
    }
    const QList<int> expected = {57600, 57601, 57604, 0,     57643, 57644, 0,
                                 32773, 32789, 32790, 32791, 0,     32831, 32838,
                                 32832, 32834, 32837, 32836, 0,     32792, 0,
                                 32775, 32776, 32800, 32777, 32785, 0,     57664};
    EXPECT_EQ(ids, expected);
    // Every button has a 16 × 15 picture with something drawn on it, and no two are alike.
    QList<QImage> seen;
    for (int id : expected) {
        if (id == 0) {
            continue;
        }
        SCOPED_TRACE(id);
        const QImage image = YToolIcons::Pixmap(id).toImage();
        ASSERT_EQ(image.size(), QSize(16, 15));
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
    EXPECT_TRUE(YToolIcons::Pixmap(12345).isNull());
}

TEST(MainFrame, StatusBarPanesAndCursorReadout) {
    CMainFrame frame;
    frame.show();
    Settle();
    EXPECT_EQ(static_cast<QLabel*>(frame.StatusPane(0))->text(), QStringLiteral("就绪"));
    const QStringList names = {QStringLiteral("messagePane"), QStringLiteral("stationPane"),
                               QStringLiteral("areaPane"),    QStringLiteral("capPane"),
                               QStringLiteral("numPane"),     QStringLiteral("scrollPane")};
    for (int i = 0; i < 6; ++i) {
        ASSERT_NE(frame.StatusPane(i), nullptr);
        EXPECT_EQ(frame.StatusPane(i)->objectName(), names.at(i));
    }
    EXPECT_EQ(frame.StatusPane(6), nullptr);
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

TEST(MainFrame, FivePanesWithCaptionsSidesSizesAndTabs) {
    CMainFrame frame;
    frame.resize(1000, 700);
    frame.show();
    Settle();
    const struct {
        int id;
        const char* caption;
        Qt::DockWidgetAreas areas;
        QSize size;
        int command;
    } rows[] = {
        {1, "鹰眼", Qt::RightDockWidgetArea | Qt::BottomDockWidgetArea, {150, 120}, 32853},
        {2, "调配过程", Qt::BottomDockWidgetArea, {580, 120}, 32856},
        {3, "调配任务", Qt::BottomDockWidgetArea, {580, 120}, 32873},
        {4, "调配设置", Qt::RightDockWidgetArea | Qt::BottomDockWidgetArea, {200, 150}, 32869},
        {5, "相邻项目", Qt::RightDockWidgetArea | Qt::BottomDockWidgetArea, {200, 150}, 32871},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.caption);
        YControlBar* bar = frame.Pane(row.id);
        ASSERT_NE(bar, nullptr);
        EXPECT_EQ(bar->windowTitle(), QString::fromUtf8(row.caption));
        EXPECT_EQ(bar->allowedAreas(), row.areas);
        EXPECT_EQ(bar->DefaultSize(), row.size);
        EXPECT_EQ(frame.PaneOfCommand(row.command), bar);
        // Hidden at first; shown flag set, toggle not yet available.
        EXPECT_FALSE(bar->isVisible());
        EXPECT_TRUE(bar->IsShown());
        EXPECT_FALSE(bar->IsToggleEnabled());
        EXPECT_FALSE(frame.Action(row.command)->isEnabled());
        EXPECT_TRUE(frame.Action(row.command)->isChecked());
    }
    EXPECT_TRUE(frame.Pane(1)->isFloating());
    for (int id = 1; id <= 5; ++id) {
        frame.Pane(id)->show();
    }
    Settle();
    EXPECT_EQ(frame.Pane(1)->pos(),
              QPoint(frame.frameGeometry().right() - 173, frame.frameGeometry().top() + 97));
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
    YControlBar* bar = frame.Pane(CMainFrame::NeighboursPane);
    bar->SetToggleEnabled(true);
    frame.UpdateCommandUI();
    QAction* toggle = frame.Action(YCmd::PaneNeighbours);
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

TEST(MainFrame, ProgramEndsWhenTheNamedFileCannotBeOpened) {
    AppHarness h;
    const QString missing = h.Dir().Path(QStringLiteral("missing.dvx"));
    EXPECT_FALSE(h.Start({missing}));
}

} // namespace
