// The mass-haul curve against values worked by hand, and the hauls it draws following the log.
#include "ProcessTestBase.h"

#include "core/process/YHistory.h"
#include "core/process/YMassHaul.h"

namespace dalvex::test {
namespace {

class MassHaulTest : public ProcessTest {
  protected:
    // Cut of 100 compacted m³ (class Ⅰ, 125 natural), fill of 150, cut of 100 (class Ⅳ, 92
    // natural, with unusable rock that never fills), fill of 50: the curve runs 0, 100, -50,
    // 50, 0 at stations 0, 20, 40, 60, 80.
    void SetUp() override {
        ProcessTest::SetUp();
        SegSpec cut1;
        cut1.use[0] = 125;
        SegSpec fill1;
        fill1.fill = 150;
        SegSpec cut2;
        cut2.use[3] = 92;
        cut2.unuse[3] = 50;
        SegSpec fill2;
        fill2.fill = 50;
        project->AddLine(0, 20, {cut1, fill1, cut2, fill2});
        ASSERT_TRUE(project->Load());
    }
};

TEST_F(MassHaulTest, CurveBalancePointsAndHaulsFollowTheLog) {
    YMassHaul mh = YMassHaul::Build(Doc());
    ASSERT_EQ(mh.curve.size(), 5u);
    const double expected[5][2] = {{0, 0}, {20, 100}, {40, -50}, {60, 50}, {80, 0}};
    for (size_t i = 0; i < 5; ++i) {
        EXPECT_DOUBLE_EQ(mh.curve[i].x, expected[i][0]) << i;
        EXPECT_NEAR(mh.curve[i].m, expected[i][1], 1e-9) << i;
    }
    // Crossing at 20 + 100/150 × 20, again at 50, and the return to 0 at the end.
    ASSERT_EQ(mh.balancePoints.size(), 3u);
    EXPECT_NEAR(mh.balancePoints[0], 20 + 40.0 / 3, 1e-9);
    EXPECT_NEAR(mh.balancePoints[1], 50, 1e-9);
    EXPECT_NEAR(mh.balancePoints[2], 80, 1e-9);
    EXPECT_DOUBLE_EQ(mh.At(10), 50);
    EXPECT_DOUBLE_EQ(mh.At(-5), 0);
    EXPECT_DOUBLE_EQ(mh.Top(), 100);
    EXPECT_DOUBLE_EQ(mh.Bottom(), -50);
    EXPECT_TRUE(mh.hauls.empty());

    // Half the first cut into the first fill: one balance line from 10 to 30 at the curve's
    // height at 10, 50 compacted m³ long; gone again once the step is undone.
    const int step = project->HaulStep(0, 1, 1, 0.5);
    ASSERT_GT(step, 0);
    mh = YMassHaul::Build(Doc());
    ASSERT_EQ(mh.hauls.size(), 1u);
    EXPECT_DOUBLE_EQ(mh.hauls[0].from, 10);
    EXPECT_DOUBLE_EQ(mh.hauls[0].to, 30);
    EXPECT_DOUBLE_EQ(mh.hauls[0].level, 50);
    EXPECT_NEAR(mh.hauls[0].volume, 50, 1e-9);
    EXPECT_EQ(mh.curve.size(), 5u); // the curve is what there was to allocate, not what is left
    const QStringList csv = mh.Csv(Doc().Numbering()).split(u'\n');
    EXPECT_TRUE(csv.contains("K0+033.333,33.333")) << csv.join('\n').toStdString();
    EXPECT_TRUE(csv.contains("K0+010.000,K0+030.000,20.000,50.000,50.000"))
        << csv.join('\n').toStdString();

    ASSERT_TRUE(YHistory::Undo(Doc(), step, step));
    EXPECT_TRUE(YMassHaul::Build(Doc()).hauls.empty());
}

} // namespace
} // namespace dalvex::test
