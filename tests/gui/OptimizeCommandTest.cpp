// 最优调配 from the menu: the cost dialog, the plan recorded as ordinary steps and the summary
// that compares it with 自动调配.
#include "GuiTestSupport.h"

#include "core/db/YTdpSet.h"
#include "core/document/CDalvexDoc.h"
#include "gui/app/CDalvexApp.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/YCommandIds.h"
#include "gui/dialogs/YOptimizeDlg.h"

#include <QAction>
#include <QDoubleSpinBox>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace dalvex::test {
namespace {

TEST(OptimizeCommand, RecordsTheCheapestPlanAndComparesItWithAuto) {
    AppHarness h;
    ASSERT_NE(StartOnRoad(h, 12), nullptr);
    CMainFrame& frame = *h.App().MainFrame();
    WithDialog<YOptimizeDlg>(frame, YCmd::OptimizeDP, [](YOptimizeDlg& dlg) {
        const auto boxes = dlg.findChildren<QDoubleSpinBox*>();
        ASSERT_EQ(boxes.size(), 5);
        // The local costs follow the economic haul distance: half of it each.
        boxes[0]->setValue(600);
        EXPECT_DOUBLE_EQ(boxes[3]->value(), 300);
        EXPECT_DOUBLE_EQ(boxes[4]->value(), 300);
        EXPECT_DOUBLE_EQ(dlg.Options().dHaulLimit, 600);
        dlg.accept();
    });
    ASSERT_FALSE(h.IO().Texts().isEmpty());
    const QString summary = h.IO().Texts().last();
    const QRegularExpression form(QStringLiteral(
        "^最优调配完成：(\\d+) 步，\\d+ 个调配过程。\n调配前费用：0 m³·m\n调配后费用：(\\d+) m³·m\n"
        "自动调配的费用：(\\d+) m³·m（最优调配低 -?[\\d.]+%）$"));
    const QRegularExpressionMatch m = form.match(summary);
    ASSERT_TRUE(m.hasMatch()) << summary.toStdString();
    EXPECT_GT(m.captured(1).toInt(), 0);
    EXPECT_LE(m.captured(2).toLongLong(), m.captured(3).toLongLong());
    // The plan is ordinary steps of the log, which the process pane and undo work on.
    EXPECT_GT(frame.ActiveDocument()->GetTdpSet().RecordCount(), 0);
    EXPECT_TRUE(frame.Action(YCmd::EditUndo)->isEnabled());
}

} // namespace
} // namespace dalvex::test
