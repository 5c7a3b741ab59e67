// What the diagram tells about a project in words: tips of segments and pits, the selection
// sums of the status bar and the area under the cursor.
#include "core/document/YDiagramTexts.h"
#include "core/db/YZjTsjsSet.h"
#include "support/ProjectFixture.h"

#include <gtest/gtest.h>

using namespace dalvex::test;

namespace {

class DiagramTextsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        project.SetProperty(QStringLiteral("项目标识"), QStringLiteral("AK"));
        SegSpec cut{0, 20};
        cut.use = {100, 0, 0, 0, 40.5, 0};
        SegSpec fill{20, 40};
        fill.fill = 75.25;
        project.AddSegs({cut, fill});
        project.AddBorrowPit(100, 0, 200, {50, 0, 0, 0, 0, 12.5}, 1000, 0, 30);
        project.AddWastePit(300, 250, 400, 500);
        project.AddWastePit(310, 250, 400, 0); // same stretch, nothing but the head
        project->ReloadProjectProperties();
        ASSERT_TRUE(project->ReloadModel());
    }
    ScratchDir dir;
    YRecordingUserIO io;
    TestProject project{dir.Path(QStringLiteral("p.dvx")), io};
};

TEST_F(DiagramTextsTest, SegmentTipsListOnlyWhatRemains) {
    EXPECT_EQ(YDiagramTexts::SegmentTip(*project, 0),
              "AK0+000.000~AK0+020.000\r\n长度:20.000\r\n松土:100.000\r\n次坚石:40.500");
    EXPECT_EQ(YDiagramTexts::TipText(*project, 1),
              "AK0+020.000~AK0+040.000\r\n长度:20.000\r\n填方:75.250");
    EXPECT_EQ(YDiagramTexts::TipText(*project, 2), QString()) << "no such segment";
}

TEST_F(DiagramTextsTest, PitTipsCarryTheirTableRowsPositiveValuesOnly) {
    EXPECT_EQ(YDiagramTexts::TipText(*project, YDiagramTexts::BorrowTipBase),
              "1号取土坑AK0+100.000\r\n经济分界:AK0+000.000--AK0+200.000\r\n支线长度:30.000"
              "\r\n松土:50.000%\r\n坚石:12.500%\r\n土方总量:1000.000");
    EXPECT_EQ(YDiagramTexts::TipText(*project, YDiagramTexts::WasteTipBase),
              "1号弃土坑AK0+300.000\r\n经济分界:AK0+250.000--AK0+400.000\r\n总容量:500.000");
    EXPECT_EQ(YDiagramTexts::TipText(*project, YDiagramTexts::WasteTipBase + 1),
              "2号弃土坑AK0+310.000\r\n经济分界:AK0+250.000--AK0+400.000");
    EXPECT_EQ(YDiagramTexts::TipText(*project, YDiagramTexts::BorrowTipBase + 1), QString());
}

TEST_F(DiagramTextsTest, SelectionSumsCountSelectedKindsOnly) {
    EXPECT_EQ(YDiagramTexts::SelectionSums(*project), QString()) << "nothing selected";
    YZjTsjsSet& rem = project->GetZjTsjsSet();
    ASSERT_TRUE(rem.SetPosition(0));
    const double soilC = rem.m_rem.dSoilC;
    const double rockC = rem.m_rem.dRockC;
    ASSERT_GT(soilC, 0);
    ASSERT_GT(rockC, 0);
    project->GetSegment(0).m_nSel = YClass::Bit(1); // soil only
    project->GetSegment(1).m_nSel = YClass::FillBit;
    EXPECT_EQ(YDiagramTexts::SelectionSums(*project),
              QString::asprintf("当前选择-> 土方:%.3lf; 石方:0.000; 填方:75.250", soilC));
    project->GetSegment(0).m_nSel = YClass::Bit(5);
    project->GetSegment(1).m_nSel = 0;
    EXPECT_EQ(YDiagramTexts::SelectionSums(*project),
              QString::asprintf("当前选择-> 土方:0.000; 石方:%.3lf; 填方:0.000", rockC));
}

TEST(DiagramTexts, AreaUnderTheCursorReadsAsCutFromTheAxisUp) {
    EXPECT_EQ(YDiagramTexts::AreaText(0.0), "挖方面积：0.000");
    EXPECT_EQ(YDiagramTexts::AreaText(12.3456), "挖方面积：12.346");
    EXPECT_EQ(YDiagramTexts::AreaText(-1.5), "填方面积：1.500");
}

} // namespace
