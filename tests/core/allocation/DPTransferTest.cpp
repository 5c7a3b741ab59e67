#include "DPTestSegments.h"

#include "core/allocation/YDPRule.h"
#include "support/YRecordingUserIO.h"

#include <gtest/gtest.h>

namespace {

using dptest::ProbeTool;
using dptest::Seg;

// A record whose after block holds class amounts nat[k] with coefficient coef[k], sums filled.
DpProcess Record(const std::array<double, 6>& nat, const std::array<double, 6>& coef, double fill) {
    DpProcess p;
    for (int k = 1; k <= 6; ++k) {
        p.before[size_t(DpAmt::Cls(k))] = nat[size_t(k - 1)];
        p.before[size_t(DpAmt::ClsC(k))] = nat[size_t(k - 1)] / coef[size_t(k - 1)];
    }
    p.after = p.before;
    YDPCalTool::RecomputeSums(p, YClass::AllMask);
    p.before = p.after;
    p.fillBefore = p.fillAfter = fill;
    return p;
}

double Moved(const DpProcess& p, int i) {
    return p.before[size_t(i)] - p.after[size_t(i)];
}

TEST(DPTransfer, ProportionalAcrossSelectedClasses) {
    // Soil classes 1 and 2 selected; 3 holds soil too but is not selected.
    DpProcess p = Record({10, 30, 50, 20, 0, 0}, {1.0, 1.25, 1.5, 1.0, 1.0, 1.0}, 100.0);
    const double a1 = 10.0;        // compacted class 1
    const double a2 = 30.0 / 1.25; // 24 compacted class 2
    const double moved = YDPCalTool::Transfer(p, YClass::Bit(1) | YClass::Bit(2), 17.0);
    EXPECT_DOUBLE_EQ(moved, 17.0);
    const double f = (a1 + a2 - 17.0) / (a1 + a2);
    EXPECT_DOUBLE_EQ(p.after[DpAmt::Cls(1)], 10.0 * f);
    EXPECT_DOUBLE_EQ(p.after[DpAmt::ClsC(2)], a2 * f);
    EXPECT_DOUBLE_EQ(p.after[DpAmt::Cls(2)], 30.0 * f); // natural shrinks by the same factor
    EXPECT_DOUBLE_EQ(Moved(p, DpAmt::Cls(3)), 0.0);     // unselected class untouched
    EXPECT_DOUBLE_EQ(Moved(p, DpAmt::SoilC), 17.0);
    EXPECT_DOUBLE_EQ(p.after[DpAmt::Soil], 10.0 * f + 30.0 * f + 50.0);
    EXPECT_DOUBLE_EQ(Moved(p, DpAmt::Rock), 0.0); // rock sums left as they were
    EXPECT_DOUBLE_EQ(p.fillAfter, 100.0 - 17.0);
}

TEST(DPTransfer, ExactNeedEmptiesWithFactorZero) {
    DpProcess p = Record({0, 0, 0, 6, 9, 0}, {1, 1, 1, 1.5, 1.5, 1}, 50.0);
    const double need = 4.0 + 6.0; // all compacted rock
    EXPECT_DOUBLE_EQ(YDPCalTool::Transfer(p, YClass::RockMask, need), need);
    EXPECT_EQ(p.after[DpAmt::Cls(4)], 0.0);
    EXPECT_EQ(p.after[DpAmt::ClsC(5)], 0.0);
    EXPECT_EQ(p.after[DpAmt::RockC], 0.0);
    EXPECT_DOUBLE_EQ(p.fillAfter, 40.0);
}

TEST(DPTransfer, ShortSourceGivesAllItHas) {
    DpProcess p = Record({2, 0, 0, 0, 0, 3}, {1, 1, 1, 1, 1, 1}, 50.0);
    EXPECT_DOUBLE_EQ(YDPCalTool::Transfer(p, YClass::AllMask, 50.0), 5.0);
    EXPECT_EQ(p.after[DpAmt::Soil], 0.0);
    EXPECT_EQ(p.after[DpAmt::Rock], 0.0);
    EXPECT_DOUBLE_EQ(p.fillAfter, 45.0);
}

// A need that is zero or negative, or a source with nothing, moves nothing and never adds.
TEST(DPTransfer, NothingWantedOrNothingThere) {
    for (double need : {0.0, -3.0}) {
        DpProcess p = Record({2, 0, 0, 0, 0, 3}, {1, 1, 1, 1, 1, 1}, 50.0);
        EXPECT_EQ(YDPCalTool::Transfer(p, YClass::AllMask, need), 0.0);
        EXPECT_EQ(p.after, p.before);
        EXPECT_EQ(p.fillAfter, 50.0);
    }
    DpProcess empty = Record({0, 0, 0, 0, 0, 0}, {1, 1, 1, 1, 1, 1}, 50.0);
    double shortfall = 0.0;
    EXPECT_EQ(YDPCalTool::TakeUpTo(empty, YClass::AllMask, 7.0, shortfall), 0.0);
    EXPECT_EQ(shortfall, 7.0);
}

TEST(DPTransfer, BalanceQuotasScarcerLimits) {
    struct Row {
        double rs, rr, qs, qr, outS, outR;
    };
    const Row rows[] = {
        {0.5, 0.5, 100, 40, 40, 40},      // rock scarce: soil lowered to match
        {0.5, 0.5, 30, 200, 30, 30},      // soil scarce
        {0.25, 0.75, 100, 300, 100, 300}, // already in ratio
        {1.0, 0.0, 80, 999, 80, 999},     // one ratio 0: no balancing
        {0.0, 1.0, 80, 20, 80, 20},
    };
    for (const Row& r : rows) {
        double qs = r.qs;
        double qr = r.qr;
        YDPCalTool::BalanceQuotas(r.rs, r.rr, qs, qr);
        EXPECT_DOUBLE_EQ(qs, r.outS) << r.rs << " " << r.qs << " " << r.qr;
        EXPECT_DOUBLE_EQ(qr, r.outR) << r.rs << " " << r.qs << " " << r.qr;
    }
}

class DPSettingsReadTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetDPSettings();
        tool.SetUserIO(&io);
    }
    void TearDown() override { ResetDPSettings(); }
    ProbeTool tool{0, 0, 0, 0};
    YRecordingUserIO io;
};

TEST_F(DPSettingsReadTest, FillRatio) {
    struct Row {
        double s, r;
        bool ok;
    };
    const Row rows[] = {{50, 50, true},        {100, 0, true},   {30, 70.000009, true},
                        {30, 70.00002, false}, {-1, 101, false}, {60, 60, false}};
    for (const Row& row : rows) {
        io.Clear();
        g_dSoilRatio = row.s;
        g_dRockRatio = row.r;
        double s = -9;
        double r = -9;
        EXPECT_EQ(tool.ReadFillRatio(s, r), row.ok) << row.s << "/" << row.r;
        if (row.ok) {
            EXPECT_DOUBLE_EQ(s, row.s / 100.0);
            EXPECT_TRUE(io.Texts().isEmpty());
        } else {
            EXPECT_EQ(s, -9); // outputs unchanged
            EXPECT_EQ(io.Texts(), QStringList{QStringLiteral("请先输入正确的填土和填石的比例!")});
        }
    }
}

TEST_F(DPSettingsReadTest, Contents) {
    std::array<double, 6> c{};
    ASSERT_TRUE(tool.ReadContents(c));
    EXPECT_EQ(c, (std::array<double, 6>{20, 20, 60, 0, 0, 0}));
    g_dContent[5] = 5e-7; // sum 100.0000005: within 1e-6
    EXPECT_TRUE(tool.ReadContents(c));
    g_dContent[5] = 2e-6;
    EXPECT_FALSE(tool.ReadContents(c));
    g_dContent[5] = 0;
    g_dContent[0] = -10;
    g_dContent[1] = 50;
    EXPECT_FALSE(tool.ReadContents(c));
    EXPECT_EQ(io.Texts(), (QStringList{QStringLiteral("请先输入正确的土石含量!"),
                                       QStringLiteral("请先输入正确的土石含量!")}));
}

TEST_F(DPSettingsReadTest, ThicknessValue) {
    g_dFillPerMetre = 0.0;
    EXPECT_FALSE(tool.ReadFillPerMetre());
    EXPECT_EQ(io.Texts(), QStringList{QStringLiteral("请先输入正确的填方厚度!")});
    g_dFillPerMetre = 12.5;
    EXPECT_TRUE(tool.ReadFillPerMetre());
    EXPECT_EQ(tool.m_dFillPerMetre, 12.5);
}

// The need rules behind the thickness and fill-ratio variants.
class NeedProbe : public ProbeTool {
  public:
    NeedProbe() : ProbeTool(0, 0, 0, 0) {}
    using YDPCalTool::FillShare;
    using YDPCalTool::FillShareUsable;
    using YDPCalTool::ThicknessFillUsable;
    using YDPCalTool::ThicknessRoom;
    using YDPCalTool::ThicknessShare;
    using YDPCalTool::ThicknessTarget;
};

TEST(DPNeeds, ThicknessTargetAndRoom) {
    NeedProbe t;
    t.m_dFillPerMetre = 10.0;
    YTFItem s = Seg(0, 20, {}, 500.0, YClass::FillBit); // target min(500, 200) = 200
    EXPECT_DOUBLE_EQ(t.ThicknessTarget(s), 200.0);
    EXPECT_DOUBLE_EQ(t.ThicknessRoom(s), 200.0);
    s.m_dRemFill = 380.0; // 120 placed
    EXPECT_DOUBLE_EQ(t.ThicknessRoom(s), 80.0);
    EXPECT_TRUE(t.ThicknessFillUsable(s));
    s.m_dRemFill = 300.0; // 200 placed: target reached
    EXPECT_FALSE(t.ThicknessFillUsable(s));
    YTFItem small = Seg(0, 20, {}, 150.0, YClass::FillBit); // need below L × t
    EXPECT_DOUBLE_EQ(t.ThicknessTarget(small), 150.0);
    EXPECT_DOUBLE_EQ(t.ThicknessRoom(small), 150.0);
}

TEST(DPNeeds, FillSharesCappedAtRemainingNeed) {
    NeedProbe t;
    t.m_dSoilRatio = 0.6;
    t.m_dRockRatio = 0.4;
    YTFItem s = Seg(0, 20, {}, 100.0, YClass::FillBit);
    EXPECT_DOUBLE_EQ(t.FillShare(s, false), 60.0);
    EXPECT_DOUBLE_EQ(t.FillShare(s, true), 40.0);
    // Rock already beyond its share (50 > 40): the soil need rises by the excess, 60 + 10,
    // but never above what the fill still needs.
    s.m_dFillRock = 50.0;
    s.m_dRemFill = 50.0;
    EXPECT_DOUBLE_EQ(t.FillShare(s, false), 50.0);
    s.m_dRemFill = 90.0;
    EXPECT_DOUBLE_EQ(t.FillShare(s, false), 70.0);
    EXPECT_LT(t.FillShare(s, true), 0.0);
    t.m_nPhase = YDPPass::Rock;
    EXPECT_FALSE(t.FillShareUsable(s)); // rock pass skips it
    t.m_nPhase = YDPPass::Soil;
    EXPECT_TRUE(t.FillShareUsable(s));
    // With the thickness target in place of the fill: 20 m × 2 m³/m = 40.
    t.m_dFillPerMetre = 2.0;
    YTFItem h = Seg(0, 20, {}, 100.0, YClass::FillBit);
    EXPECT_DOUBLE_EQ(t.ThicknessShare(h, false), 24.0);
    EXPECT_DOUBLE_EQ(t.ThicknessShare(h, true), 16.0);
}

} // namespace
