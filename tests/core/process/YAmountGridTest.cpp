// The amount grid: rounded amounts never take more than the value they come from, and taking
// and giving back an amount is exact.
#include "core/process/YAmountGrid.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <ostream>
#include <random>

namespace {

constexpr double kStep = YAmountGrid::Step;
const double kNaN = std::numeric_limits<double>::quiet_NaN();

bool OnGrid(double v) {
    return std::fmod(v, kStep) == 0.0;
}

struct RoundCase {
    const char* name;
    double amount;
    double whole;
    double expected;
};

// 0.3 m³ is not on the grid: it lies 0.2 steps above a grid point (314572.8 steps).
constexpr double kOff = 0.3;
const double kBelowOff = std::floor(kOff / kStep) * kStep;
const double kAboveOff = kBelowOff + kStep;

const RoundCase kRoundCases[] = {
    {"WholeKeptAsItIs", kOff, kOff, kOff},
    {"NearestGridPoint", 0.1 + 0.4 * kStep, 1.0,
     std::nearbyint((0.1 + 0.4 * kStep) / kStep) * kStep},
    {"OnTheGridStays", 5 * kStep, 1.0, 5 * kStep},
    // Just short of an off-grid whole, the nearest grid point lies above the whole: the whole
    // is taken instead of leaving a negative remainder.
    {"JustShortOfTheWholeTakesTheWhole", kOff - 0.05 * kStep, kOff, kOff},
    {"ShortOfTheWholeByMoreRoundsDown", kOff - 0.6 * kStep, kOff, kBelowOff},
    // Nothing stored to take from (a local take, an entry from a neighbour): just the grid.
    {"NoWholeJustTheGrid", kOff - 0.05 * kStep, kNaN, kAboveOff},
    // An amount beyond the whole is its caller's; rounding only puts it on the grid.
    {"BeyondTheWholeOnlyRounded", kOff + 0.6 * kStep, kOff, kAboveOff},
    {"ZeroFromZero", 0.0, 0.0, 0.0},
    {"NothingFromSomething", 0.0, kOff, 0.0},
};

void PrintTo(const RoundCase& c, std::ostream* os) {
    *os << c.name;
}

class RoundCases : public testing::TestWithParam<RoundCase> {};

TEST_P(RoundCases, Rounds) {
    const RoundCase& c = GetParam();
    EXPECT_EQ(YAmountGrid::Round(c.amount, c.whole), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, RoundCases, testing::ValuesIn(kRoundCases),
                         [](const testing::TestParamInfo<RoundCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(YAmountGrid, NonFiniteAmountsPassThrough) {
    EXPECT_TRUE(std::isnan(YAmountGrid::Round(kNaN, 1.0)));
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(YAmountGrid::Round(inf, 1.0), inf);
}

// Random off-grid values up to 2^32 m³ and amounts anywhere up to them, many within a step of
// the whole: the amount is on the grid or the whole, never above the whole, within half a
// step of what was asked; the remainder is never negative, and taking the amount and giving
// it back restores the value bit for bit, as undo and redo rely on.
TEST(YAmountGrid, AmountsNeverExceedTheWholeAndTakeAndGiveBackExactly) {
    std::mt19937_64 rng(5);
    std::uniform_real_distribution<double> exponent(-4, 32);
    std::uniform_real_distribution<double> unit(0, 1);
    for (int i = 0; i < 200000; ++i) {
        const double whole = std::exp2(exponent(rng)) * (1 + unit(rng));
        const double amount = i % 2 == 0 ? whole * unit(rng) : whole - unit(rng) * kStep;
        if (amount < 0) {
            continue;
        }
        const double taken = YAmountGrid::Round(amount, whole);
        ASSERT_LE(taken, whole) << whole << " " << amount;
        ASSERT_TRUE(taken == whole || OnGrid(taken)) << taken;
        ASSERT_LE(std::fabs(taken - amount), kStep / 2) << whole << " " << amount;
        const double left = whole - taken;
        ASSERT_GE(left, 0.0);
        ASSERT_EQ(left + taken, whole) << whole << " " << amount; // undo
        ASSERT_EQ((left + taken) - taken, left);                  // redo after the undo
    }
}

} // namespace
