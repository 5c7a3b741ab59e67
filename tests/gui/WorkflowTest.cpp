// A road designer's session driven through the real windows: start without a project, create
// one, change a coefficient, define a format and import an earthwork file through it, enter
// the soil contents and the segments, preprocess, see the input turn read-only, start the
// allocation so the settings pane appears, toggle it, and switch to the other segment.
#include "GuiTestSupport.h"

#include "core/db/YTsjsSet.h"
#include "core/db/YTsxsSet.h"
#include "core/db/YZzmjSet.h"
#include "core/document/CDalvexDoc.h"
#include "core/model/YClassFilter.h"
#include "gui/app/CDalvexApp.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/YCommandIds.h"
#include "gui/dialogs/YGridDlg.h"
#include "gui/dialogs/YPreprocessDlg.h"
#include "gui/dialogs/YReadTfDlg.h"
#include "gui/dialogs/YSelDPFDDlg.h"
#include "gui/dialogs/YTsxsDlg.h"
#include "gui/panes/YDPCtrlBar.h"
#include "gui/widgets/YPropertyGrid.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <gtest/gtest.h>

using namespace dalvex::test;

namespace {

void WriteText(const QString& path, const QByteArray& text) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
}

// Eleven cross-sections every 20 m: station, centre height, cut area, fill area.
QByteArray EarthworkFile() {
    QByteArray text = "// 桩号 填挖高 挖方面积 填方面积\n";
    for (int i = 0; i <= 10; ++i) {
        const bool cut = i < 5;
        text += QByteArray::number(i * 20) + " " + (cut ? "-1.5 " : "2.0 ") +
                (cut ? "12.5 0\n" : "0 9.75\n");
    }
    return text;
}

// [土石含量]: contents and usable rates of the six classes at both ends of the road.
QByteArray ContentsFile() {
    QByteArray text;
    for (const char* station : {"K0+000.000", "K0+200.000"}) {
        text += QByteArray(station) +
                " \t20 \t100 \t30 \t100 \t50 \t90 \t0 \t100 \t0 \t100 \t0 \t100\r\n";
    }
    return text;
}

TEST(Workflow, FromEmptyProjectToPreprocessedSegmentsAndTheSettingsPane) {
    AppHarness h;
    ASSERT_TRUE(h.Start());
    CMainFrame& frame = *h.App().MainFrame();
    CDalvexDoc* doc = NewProject(h);
    ASSERT_NE(doc, nullptr);

    // The coefficient dialog: out of range first, then a value that is taken.
    WithDialog<YTsxsDlg>(frame, YCmd::EditTsxs, [&](YTsxsDlg& dlg) {
        EXPECT_EQ(dlg.Edit(1)->text(), QStringLiteral("1.23"));
        dlg.Edit(1)->setText(QStringLiteral("150"));
        dlg.accept();
        EXPECT_TRUE(dlg.isVisible());
        dlg.Edit(1)->setText(QStringLiteral("1.25"));
        dlg.accept();
        EXPECT_FALSE(dlg.isVisible());
    });
    EXPECT_EQ(h.IO().Texts(), QStringList{QStringLiteral("请输入介于 0 和 100 之间的数字。")});
    ASSERT_TRUE(doc->GetTsxsSet().Requery());
    EXPECT_DOUBLE_EQ(doc->GetTsxsSet().m_dCoef[0], 1.25);
    h.IO().Clear();

    // The format submenu offers a new format in slot 1; define it and import the file.
    frame.RebuildFormatMenu();
    ASSERT_NE(frame.FormatMenu(), nullptr);
    QAction* newFormat = frame.FormatMenu()->actions().value(0);
    ASSERT_NE(newFormat, nullptr);
    EXPECT_EQ(newFormat->text(), QStringLiteral("&1 我有新格式土方文件"));
    const QString earthwork = h.Dir().Path(QStringLiteral("road.tf"));
    WriteText(earthwork, EarthworkFile());
    h.Chooser().answers << earthwork;
    WithDialog<YReadTfDlg>(newFormat, [](YReadTfDlg& dlg) {
        dlg.accept(); // the placeholder name is refused
        EXPECT_TRUE(dlg.isVisible());
        TypeInGrid(dlg.Grid(), 1, QStringLiteral("测试格式"));
        TypeInGrid(dlg.Grid(), 2, QStringLiteral("tf"));
        dlg.accept();
    });
    EXPECT_EQ(h.IO().Texts(), (QStringList{QStringLiteral("请先输入文件类型!"),
                                           QStringLiteral("读入土方数据完成! ")}));
    EXPECT_EQ(h.Chooser().filters.constLast(),
              QStringLiteral("测试格式 土方文件(*.tf)|*.tf|所有文件(*.*)|*.*||"));
    ASSERT_TRUE(doc->GetZzmjSet().Requery());
    EXPECT_EQ(doc->GetZzmjSet().RecordCount(), 11);
    EXPECT_EQ(doc->GetCurrentSegment(), 1);
    EXPECT_TRUE(frame.windowTitle().endsWith(QStringLiteral("-当前分段:1")));
    frame.RebuildFormatMenu();
    EXPECT_EQ(frame.FormatMenu()->actions().value(0)->text(),
              QStringLiteral("&1 读入 测试格式 土方文件"));
    EXPECT_EQ(frame.FormatMenu()->actions().value(1)->text(),
              QStringLiteral("&2 我有新格式土方文件"));
    h.IO().Clear();

    // Soil contents through the grid's text import.
    const QString contents = h.Dir().Path(QStringLiteral("contents.txt"));
    WriteText(contents, ContentsFile());
    h.Chooser().answers << contents;
    WithDialog<YGridDlg>(frame, YCmd::EditTshl, [&](YGridDlg& dlg) {
        EXPECT_EQ(dlg.windowTitle(), QStringLiteral("土石含量"));
        ASSERT_TRUE(dlg.ImportButton()->isEnabled());
        dlg.ImportButton()->click();
        EXPECT_EQ(dlg.Model().rowCount(), 2);
        dlg.accept();
        EXPECT_FALSE(dlg.isVisible());
    });
    EXPECT_TRUE(h.IO().Texts().isEmpty()) << h.IO().Texts().join('|').toStdString();

    // Two segments: the first ends at K0+100, the second at the end of the road.
    WithDialog<YGridDlg>(frame, YCmd::EditPrjFD, [&](YGridDlg& dlg) {
        EXPECT_EQ(dlg.windowTitle(), QStringLiteral("项目分段设置"));
        YGridModel& model = dlg.Model();
        ASSERT_EQ(model.rowCount(), 1);
        EXPECT_TRUE(model.setData(model.index(0, YGridModel::ModelColumn(1)),
                                  QStringLiteral("K0+100.000")));
        dlg.AddButton()->click();
        ASSERT_EQ(model.rowCount(), 2);
        const int added = dlg.View().currentIndex().row(); // the new row, first by its number 0
        EXPECT_EQ(added, 0);
        const qint64 rowid = model.RowIdAt(added);
        EXPECT_TRUE(model.setData(model.index(added, YGridModel::ModelColumn(1)),
                                  QStringLiteral("K0+200.000")));
        EXPECT_TRUE(model.setData(model.index(added, YGridModel::ModelColumn(0)), 2));
        // The edit is written at once; the row keeps its place until the grid is read again.
        EXPECT_EQ(model.RowIdAt(added), rowid);
        dlg.View().setCurrentIndex(model.index(1, YGridModel::ModelColumn(0)));
        dlg.accept();
    });
    EXPECT_EQ(doc->GetCurrentSegment(), 1);

    // Preprocessing: a loss rate above 20 % is refused, 10 % is taken.
    WithDialog<YPreprocessDlg>(frame, YCmd::Preprocess, [&](YPreprocessDlg& dlg) {
        dlg.SoilLossEdit()->setText(QStringLiteral("25"));
        dlg.accept();
        EXPECT_TRUE(dlg.isVisible());
        dlg.SoilLossEdit()->setText(QStringLiteral("10"));
        dlg.accept();
        EXPECT_FALSE(dlg.isVisible());
        EXPECT_DOUBLE_EQ(dlg.Options().dSoilFactor, 0.9);
    });
    EXPECT_EQ(h.IO().Texts(), (QStringList{QStringLiteral("请输入介于 0 和 20 之间的数字。"),
                                           QStringLiteral("没有路槽数据，将不能扣除路槽土方！")}));
    EXPECT_EQ(h.IO().ProgressTitles(), QStringList{QStringLiteral("数据预处理")});
    EXPECT_EQ(h.IO().WaitDepth(), 0);
    ASSERT_TRUE(doc->GetTsjsSet().Requery());
    EXPECT_EQ(doc->GetTsjsSet().RecordCount(), 5); // K0+000 … K0+100 in 20 m steps
    h.IO().Clear();

    // With results the input is read-only.
    for (const auto& [command, title] : {std::pair{YCmd::EditLc, "路槽数据(只读)"},
                                         std::pair{YCmd::EditGzw, "构造物(部分只读)"}}) {
        WithDialog<YGridDlg>(frame, command, [&](YGridDlg& dlg) {
            EXPECT_EQ(dlg.windowTitle(), QString::fromUtf8(title));
            EXPECT_FALSE(dlg.ImportButton()->isEnabled());
        });
    }
    WithDialog<YTsxsDlg>(frame, YCmd::EditTsxs,
                         [&](YTsxsDlg& dlg) { EXPECT_FALSE(dlg.Edit(4)->isEnabled()); });

    // Starting the allocation loads the segments; the settings pane shows itself.
    YDPCtrlBar* pane = frame.DPCtrlBar();
    EXPECT_FALSE(pane->isVisible());
    TriggerAndSettle(frame.Action(YCmd::StartDP));
    EXPECT_EQ(doc->GetSegmentCount(), 5);
    EXPECT_TRUE(pane->isVisible());
    QAction* toggle = EnabledAction(frame, YCmd::PaneSettings);
    ASSERT_NE(toggle, nullptr);
    EXPECT_TRUE(toggle->isChecked());
    toggle->trigger();
    EXPECT_FALSE(pane->isVisible());
    EXPECT_FALSE(toggle->isChecked());
    toggle->trigger();
    EXPECT_TRUE(pane->isVisible());

    // The class filter buttons work on the loaded segments and show the filter's bits.
    QAction* cutSoil = frame.Action(YCmd::SelectCutSoil);
    ASSERT_TRUE(cutSoil->isEnabled());
    EXPECT_TRUE(cutSoil->isChecked());
    cutSoil->trigger();
    EXPECT_EQ(g_nClassFilter & 7u, 0u);
    EXPECT_FALSE(cutSoil->isChecked());
    EXPECT_FALSE(frame.Action(YCmd::SelectClass2)->isChecked());
    frame.Action(YCmd::SelectClass2)->trigger();
    EXPECT_EQ(g_nClassFilter & 7u, 2u);
    EXPECT_TRUE(cutSoil->isChecked());
    g_nClassFilter = YClassFilter::Initial;

    // The other segment: no results there, so the input is editable again and the pane goes.
    WithDialog<YSelDPFDDlg>(frame, YCmd::SelectDPFD, [&](YSelDPFDDlg& dlg) {
        ASSERT_EQ(dlg.List()->count(), 2);
        EXPECT_EQ(dlg.List()->itemText(0), QStringLiteral("分段1终止桩号K0+100.000"));
        EXPECT_EQ(dlg.List()->itemText(1), QStringLiteral("分段2终止桩号K0+200.000"));
        EXPECT_EQ(dlg.List()->currentIndex(), 0);
        dlg.List()->setCurrentIndex(1);
        dlg.accept();
    });
    EXPECT_EQ(doc->GetCurrentSegment(), 2);
    EXPECT_TRUE(frame.windowTitle().endsWith(QStringLiteral("-当前分段:2")));
    Settle();
    EXPECT_FALSE(pane->isVisible());
    WithDialog<YGridDlg>(frame, YCmd::EditLc, [&](YGridDlg& dlg) {
        EXPECT_EQ(dlg.windowTitle(), QStringLiteral("路槽数据"));
        EXPECT_TRUE(dlg.ImportButton()->isEnabled());
    });
}

} // namespace
