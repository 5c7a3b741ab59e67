#include "draw/YUint.h"

#include <gtest/gtest.h>

namespace {

TEST(YUint, RoundsHalvesAwayFromZero) {
    const struct {
        double v;
        int r;
    } cases[] = {{0.5, 1}, {-0.5, -1}, {1.49, 1}, {-1.5, -2}, {2.5, 3}, {0.0, 0}, {-0.49, 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(YUint::R(c.v), c.r) << c.v;
    }
}

TEST(YUint, DeviceMappingAndItsInverse) {
    YUint u;
    u.m_dScaleX = 2.0;
    u.m_dScaleY = 0.5;
    u.m_dOrgX = 100.0;
    u.m_dOrgY = 3.0;
    u.m_nHalfHeight = 50;
    // The origin's y sits on the middle row; y grows upwards.
    EXPECT_EQ(u.ToDevice({100.0, 3.0}), QPoint(0, 50));
    EXPECT_EQ(u.ToDevice({121.0, 4.0}), QPoint(11, 48)); // 10.5 → 11, 2 rows up
    EXPECT_EQ(u.ToDevice({99.0, 2.75}), QPoint(-1, 51)); // −0.5 → −1
    for (const QPoint p : {QPoint(0, 0), QPoint(37, 91), QPoint(-5, 200)}) {
        EXPECT_EQ(u.ToDevice(u.ToDiagram(p)), p);
    }
}

TEST(YUint, ScaleIsClampedAndRulerStepsStayWiderThanFivePixels) {
    const struct {
        double scale;
        double clamped;
        double steps[3];
    } cases[] = {{1.0, 1.0, {10, 50, 100}},
                 {0.5, 0.5, {5, 10, 50}},
                 {0.1, 0.1, {1, 5, 10}},
                 {1e-9, 0.005, {1, 5, 10}},
                 {1e9, 5000, {50000, 100000, 500000}},
                 {3.0, 3.0, {50, 100, 500}}};
    for (const auto& c : cases) {
        YUint u;
        u.SetScale(c.scale, 1.0);
        EXPECT_DOUBLE_EQ(u.m_dScaleX, c.clamped) << c.scale;
        for (int i = 0; i < 3; ++i) {
            EXPECT_DOUBLE_EQ(u.m_dStepX[i], c.steps[i]) << c.scale << " step " << i;
        }
        EXPECT_GT(u.m_dStepX[0] / u.m_dScaleX, 5.0);
    }
    YUint u;
    u.SetScale(1.0, 0.03); // y steps start at 0.0001 m³/m
    EXPECT_NEAR(u.m_dStepY[0], 0.5, 1e-12);
    EXPECT_EQ(u.m_bChanged, 1);
}

TEST(YUint, ScrollPositionsFollowTheOriginAndTheOriginStaysInTheExtent) {
    YUint u;
    u.m_dXMin = 1000;
    u.m_dXMax = 6000;
    u.m_dYRange = 400;
    u.SetScale(1, 1);
    u.m_dOrgX = 3500;
    u.m_dOrgY = 100;
    EXPECT_EQ(u.ScrollPosX(), 5000);
    EXPECT_EQ(u.ScrollPosY(), 2500);
    u.m_dOrgX = -50;
    u.m_dOrgY = -900;
    u.ClampOrigin();
    EXPECT_DOUBLE_EQ(u.m_dOrgX, 1000);
    EXPECT_DOUBLE_EQ(u.m_dOrgY, -200);
}

} // namespace
