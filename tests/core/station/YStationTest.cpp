#include "core/station/YStation.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// Every test starts and ends with the plain numbering: the station system is program-wide.
class StationSystem : public ::testing::Test {
  protected:
    void SetUp() override { YStationSystem::Reset(); }
    void TearDown() override { YStationSystem::Reset(); }
};

TEST(Station, NewStationIsZero) {
    EXPECT_EQ(YStation().Value(), 0.0);
    YStation s(12.5);
    s.SetValue(-3.0);
    EXPECT_EQ(s.Value(), -3.0);
}

TEST(Station, ComparisonsTreatValuesWithinEpsilonAsEqual) {
    struct Row {
        double a;
        double b;
        int order; // -1 a < b, 0 equal, 1 a > b
    };
    const double e = YStation::Epsilon;
    const Row rows[] = {{1.0, 1.0, 0},          {1.0, 1.0 + 0.5 * e, 0}, {1.0 + 0.5 * e, 1.0, 0},
                        {1.0, 1.0 + 2 * e, -1}, {1.0 + 2 * e, 1.0, 1},   {-5.0, 5.0, -1},
                        {0.0, -0.0, 0},         {1e6, 1e6 + 0.9 * e, 0}, {1e6, 1e6 + 1e-3, -1}};
    for (const Row& row : rows) {
        const YStation a(row.a);
        const YStation b(row.b);
        const std::string where = std::to_string(row.a) + " vs " + std::to_string(row.b);
        EXPECT_EQ(a == b, row.order == 0) << where;
        EXPECT_EQ(a != b, row.order != 0) << where;
        EXPECT_EQ(a < b, row.order < 0) << where;
        EXPECT_EQ(a > b, row.order > 0) << where;
        EXPECT_EQ(a <= b, row.order <= 0) << where;
        EXPECT_EQ(a >= b, row.order >= 0) << where;
    }
    // Against a number, either side.
    EXPECT_TRUE(YStation(5.0) == 5.0 + 0.5 * e);
    EXPECT_TRUE(4.0 < YStation(5.0));
    EXPECT_TRUE(YStation(5.0) > 4.0);
    EXPECT_FALSE(YStation(5.0) < 5.0);
}

TEST(Station, ExactlyOneOrderHoldsOnRandomPairs) {
    std::mt19937_64 rng(7);
    std::uniform_real_distribution<double> metres(-1e4, 1e4);
    std::uniform_real_distribution<double> nudge(-3e-6, 3e-6);
    for (int i = 0; i < 10000; ++i) {
        const YStation a(metres(rng));
        const YStation b(a.Value() + nudge(rng));
        ASSERT_EQ(int(a < b) + int(a == b) + int(a > b), 1) << a.Value() << " " << b.Value();
        ASSERT_EQ(a<b, b> a);
        ASSERT_EQ(a == b, b == a);
    }
}

TEST(Station, Arithmetic) {
    YStation a(1200.5);
    const YStation b(200.25);
    EXPECT_DOUBLE_EQ((a + b).Value(), 1400.75);
    EXPECT_DOUBLE_EQ((a - b).Value(), 1000.25);
    EXPECT_DOUBLE_EQ((b - a).Value(), -1000.25);
    EXPECT_DOUBLE_EQ((a * 2.0).Value(), 2401.0);
    EXPECT_DOUBLE_EQ((a / 4.0).Value(), 300.125);
    a += b;
    EXPECT_DOUBLE_EQ(a.Value(), 1400.75);
    a -= YStation(0.75);
    EXPECT_DOUBLE_EQ(a.Value(), 1400.0);
    EXPECT_DOUBLE_EQ((a + 5.0).Value(), 1405.0) << "a number converts to a station";
}

TEST_F(StationSystem, TextsUseTheProgramWideBreaksAndLabel) {
    const YStation s(1500.0);
    EXPECT_EQ(s.Text(), QStringLiteral("K1+500.000"));
    ASSERT_TRUE(YStationSystem::AddChainBreak(QStringLiteral("K1+100=K1+120")));
    YStationSystem::SetLabel(QStringLiteral("ZK"));
    EXPECT_EQ(YStationSystem::ChainBreakCount(), 1);
    EXPECT_EQ(YStationSystem::Label(), QStringLiteral("ZK"));
    EXPECT_EQ(s.Text(), QStringLiteral("ZK1+520.000"));
    EXPECT_EQ(s.KmText(), QStringLiteral("ZK1"));
    EXPECT_EQ(YStation(1050.0).KmCeil(), YStation(1980.0));
    EXPECT_EQ(YStation::Parse(QStringLiteral("ZK1+520")), std::optional<YStation>(s));
    EXPECT_EQ(YStation::Parse(QStringLiteral("K1+520")), std::optional<YStation>(s))
        << "any prefix reads";

    YStationSystem::Reset();
    EXPECT_EQ(YStationSystem::ChainBreakCount(), 0);
    EXPECT_EQ(YStationSystem::Label(), QStringLiteral("K"));
    EXPECT_EQ(s.Text(), QStringLiteral("K1+500.000"));
}

TEST_F(StationSystem, RefusedBreaksAndLabelsChangeNothingUnsafe) {
    ASSERT_TRUE(YStationSystem::AddChainBreak(QStringLiteral("K1+100=K1+120")));
    for (const char* text :
         {"", "K1+100", "K1+200=", "K1+110=K1+300", "K0+500=K0+600", "nan=nan", "K1+2+3=K1+5"}) {
        EXPECT_FALSE(YStationSystem::AddChainBreak(QString::fromUtf8(text))) << text;
    }
    EXPECT_EQ(YStationSystem::ChainBreakCount(), 1);
    YStationSystem::SetLabel(QStringLiteral("K+1"));
    EXPECT_EQ(YStationSystem::Label(), QStringLiteral("K"));
    EXPECT_EQ(YStation(1500.0).Text(), QStringLiteral("K1+520.000"));
}

TEST_F(StationSystem, SwitchingNumberingsSwitchesTexts) {
    // Two open projects: each keeps its numbering, the active one is put in force.
    ASSERT_TRUE(YStationSystem::AddChainBreak(QStringLiteral("K0+500=K0+700")));
    YStationSystem::SetLabel(QStringLiteral("AK"));
    const YStationNumbering first = YStationSystem::Numbering();
    YStationSystem::Reset();
    ASSERT_TRUE(YStationSystem::AddChainBreak(QStringLiteral("K0+500=K0+400")));
    const YStationNumbering second = YStationSystem::Numbering();

    const YStation s(600.0);
    YStationSystem::SetNumbering(first);
    EXPECT_EQ(s.Text(), QStringLiteral("AK0+800.000"));
    EXPECT_EQ(YStation::ParseOrZero(QStringLiteral("K0+800")), s);
    YStationSystem::SetNumbering(second);
    EXPECT_EQ(s.Text(), QStringLiteral("K0+500.000"));
    EXPECT_EQ(YStation::ParseOrZero(QStringLiteral("K0+500")), YStation(500.0))
        << "long-chain overlap: the earlier chain";
}

TEST_F(StationSystem, ParseOrZeroGivesZeroForUnreadableTexts) {
    ASSERT_TRUE(YStationSystem::AddChainBreak(QStringLiteral("K1+100=K1+120")));
    for (const char* text : {"", "  ", "K+", "K1+", "+5", "K1+2+3", "1e400", "nan", "inf", "K1+110",
                             "K99999999+000", "桩号", "garbage"}) {
        EXPECT_FALSE(YStation::Parse(QString::fromUtf8(text)).has_value()) << text;
        EXPECT_EQ(YStation::ParseOrZero(QString::fromUtf8(text)).Value(), 0.0) << text;
    }
    EXPECT_EQ(YStation::ParseOrZero(QStringLiteral("1234.5")).Value(), 1234.5);
}

TEST_F(StationSystem, RandomRoundTripsWithoutBreaks) {
    std::mt19937_64 rng(11);
    std::uniform_real_distribution<double> metres(-5000.0, 200000.0);
    for (int i = 0; i < 5000; ++i) {
        const YStation s(metres(rng));
        const std::optional<YStation> back = YStation::Parse(s.Text());
        ASSERT_TRUE(back.has_value()) << s.Text().toStdString();
        ASSERT_NEAR(back->Value(), s.Value(), 0.0005 + 1e-9) << s.Text().toStdString();
        ASSERT_EQ(back->Text(), s.Text());
    }
}

} // namespace
