#include "core/station/YStationNumbering.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <random>

namespace {

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

// What the text parser refuses is checked with the texts themselves; here only that a refused
// text reads as station 0 and that the numbering's own gaps count as refused.
TEST(StationNumbering, ParseOrZeroGivesZeroForUnreadableTexts) {
    YStationNumbering n;
    ASSERT_TRUE(n.AddChainBreak(QStringLiteral("K1+100=K1+120")));
    for (const char* text : {"", "garbage", "K1+110", "K1+100=K1+120"}) {
        EXPECT_FALSE(n.ParseStation(QString::fromUtf8(text)).has_value()) << text;
        EXPECT_EQ(n.ParseOrZero(QString::fromUtf8(text)).Value(), 0.0) << text;
    }
    EXPECT_EQ(n.ParseOrZero(QStringLiteral("1234.5")).Value(), 1234.5);
    EXPECT_EQ(n.ParseOrZero(QStringLiteral("ZK1+520")), YStation(1500.0)) << "any prefix reads";
}

} // namespace
