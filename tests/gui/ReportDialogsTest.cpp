// The dialogs of the 输出 menu: the earthwork table's grid and page range, the haul table's
// fields and their check, the template paths kept in the profile.
#include "core/db/YGchSet.h"
#include "core/platform/YConf.h"
#include "core/platform/YProfile.h"
#include "gui/dialogs/YDvxjsBDlg.h"
#include "gui/dialogs/YTemplateDlg.h"
#include "gui/dialogs/YTsylBDlg.h"
#include "gui/widgets/CPropertyItem.h"
#include "gui/widgets/YFileChooser.h"
#include "gui/widgets/YPropertyGrid.h"
#include "support/ProjectFixture.h"

#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <gtest/gtest.h>

using namespace dalvex::test;

namespace {

class ReportDialogsTest : public ::testing::Test {
  protected:
    void SetUp() override { YProfile::UseFile(m_dir.Path(QStringLiteral("profile.ini"))); }
    ScratchDir m_dir;
    YRecordingUserIO m_io;
};

TEST_F(ReportDialogsTest, EarthworkDialogShowsEveryItemAndRebuildsPagesByKilometre) {
    TestProject project(m_dir.Path(QStringLiteral("p.dvx")), m_io);
    project.AddLine(0.0, 20.0, TestProject::Road(60));
    YGchSet& gch = project->GetGchSet();
    gch.AddNew();
    gch.m_nGCID = 1;
    ASSERT_TRUE(gch.Update());

    YDvxjsBDlg dialog(*project);
    ASSERT_TRUE(dialog.HasPages());
    EXPECT_EQ(dialog.windowTitle(), "输出土石方计算表");
    EXPECT_EQ(dialog.TotalEdit()->text(), "3"); // 60 stretches, 26 a page
    EXPECT_EQ(dialog.FromBox()->value(), 1);
    EXPECT_EQ(dialog.ToBox()->value(), 3);
    for (int id = 1; id <= 17; ++id) {
        EXPECT_NE(dialog.Grid()->Item(id), nullptr) << id;
    }
    EXPECT_EQ(dialog.Grid()->Item(6)->Label(), "填方总量");
    YCalcTableOptions opt = dialog.Options();
    EXPECT_TRUE(opt.Natural(YCalcTableOptions::RemSoil));
    EXPECT_TRUE(opt.Natural(YCalcTableOptions::Local));
    EXPECT_FALSE(opt.Natural(YCalcTableOptions::FillTotal));
    EXPECT_FALSE(opt.Natural(YCalcTableOptions::NeedRock));

    // Kilometre subtotals move the page breaks: 0-520, 520-1000, 1000-1200.
    dialog.Grid()->SetValue(1, true);
    emit dialog.Grid()->ItemChanged(1);
    EXPECT_EQ(dialog.TotalEdit()->text(), "3");
    EXPECT_EQ(dialog.Table().Pages()[1].stations.back(), YStation(1000.0));
    dialog.Grid()->SetValue(6, 1);
    dialog.FromBox()->setValue(2);
    opt = dialog.Options();
    EXPECT_TRUE(opt.perKm);
    EXPECT_TRUE(opt.Natural(YCalcTableOptions::FillTotal));
    EXPECT_EQ(opt.fromPage, 2);
    EXPECT_EQ(opt.toPage, 3);
}

TEST_F(ReportDialogsTest, EarthworkDialogHasNoPagesBeforeTheAllocationIsFinished) {
    TestProject project(m_dir.Path(QStringLiteral("p.dvx")), m_io);
    project.AddLine(0.0, 20.0, TestProject::Road(4));
    YDvxjsBDlg dialog(*project);
    EXPECT_FALSE(dialog.HasPages());
    EXPECT_TRUE(m_io.Texts().isEmpty());
}

TEST_F(ReportDialogsTest, HaulDialogTakesNamesAndLimitsAndRefusesANonNumber) {
    YTsylBDlg dialog(m_io);
    EXPECT_EQ(dialog.Field(0)->text(), "人   工   施   工");
    EXPECT_EQ(dialog.Field(3)->text(), "150");
    dialog.Field(1)->setText(QStringLiteral("五"));
    dialog.accept();
    EXPECT_EQ(m_io.Texts(), QStringList{QStringLiteral("请输入一个数。")});
    EXPECT_EQ(dialog.result(), QDialog::Rejected);

    dialog.Field(1)->setText(QStringLiteral("10"));
    dialog.Field(5)->setText(QStringLiteral("400"));
    dialog.Field(11)->setText(QStringLiteral("汽车"));
    dialog.VolumeRadio()->setChecked(true);
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    const YHaulTableOptions opt = dialog.Options();
    EXPECT_EQ(opt.manualShare, 10.0);
    EXPECT_EQ(opt.scraperLimit, 400.0);
    EXPECT_EQ(opt.dumpTruck, "汽车");
    EXPECT_EQ(opt.mode, 1);
}

TEST_F(ReportDialogsTest, TemplatePathsAreKeptInTheProfileAndTheBundledOneIsNotWrittenDown) {
    YFileChooser chooser;
    const QString bundled = YConf::Instance().TemplatePath(YConf::CalcTable);
    {
        YTemplateDlg dialog(chooser);
        EXPECT_EQ(dialog.PathEdit(YConf::CalcTable)->text(), bundled);
        dialog.PathEdit(YConf::CalcTable)->setText(QStringLiteral("/srv/own.xlsx"));
        dialog.accept();
    }
    EXPECT_EQ(YConf::Instance().TemplatePath(YConf::CalcTable), "/srv/own.xlsx");
    EXPECT_TRUE(YProfile::Instance().Contains(QStringLiteral("表格模板"), QStringLiteral("507")));
    {
        YTemplateDlg dialog(chooser);
        dialog.PathEdit(YConf::CalcTable)->setText(bundled);
        dialog.accept();
    }
    EXPECT_FALSE(YProfile::Instance().Contains(QStringLiteral("表格模板"), QStringLiteral("507")));
    EXPECT_FALSE(YProfile::Instance().Contains(QStringLiteral("表格模板"), QStringLiteral("506")));
}

} // namespace
