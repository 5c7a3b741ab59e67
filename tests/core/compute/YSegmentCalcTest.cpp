#include "core/compute/YSegmentCalc.h"

#include <cmath>
#include <gtest/gtest.h>
#include <numbers>
#include <random>

namespace {

using R = YTsjsRow;
constexpr double kTol = 1e-9;

// ---- Averaging rules, against solids whose volume is known ----

// The random check below holds the prismoidal rule to its formula; these solids tie both rules
// to volumes known from geometry.
TEST(AverageArea, GivesTheSolidsVolumeOverItsLength) {
    const struct {
        double a0, a1, length, volume;
        bool prismoidal;
    } solids[] = {
        {5, 5, 20, 100, false}, // a prism 5 m² × 20 m
        {4, 16, 3, 28, true},   // square frustum, sides 2 and 4 m: h/3 (a² + ab + b²)
        {std::numbers::pi, 4 * std::numbers::pi, 6, 14 * std::numbers::pi, true}, // cone frustum
        {0, 9, 10, 30, true},   // pyramid: base × h / 3
        {4, 16, 3, 30, false}}; // the average-area rule takes the trapezoid
    for (const auto& c : solids) {
        EXPECT_NEAR(YSegmentCalc::AverageArea(c.a0, c.a1, c.prismoidal) * c.length, c.volume, 1e-9)
            << c.volume;
    }
}

TEST(AverageArea, PrismoidalNeverExceedsTheMeanAndNeverFallsBelowTheGeometricBound) {
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> area(0.0, 200.0);
    for (int i = 0; i < 1000; ++i) {
        const double a0 = area(rng);
        const double a1 = area(rng);
        const double p = YSegmentCalc::AverageArea(a0, a1, true);
        EXPECT_LE(p, (a0 + a1) / 2 + kTol);
        EXPECT_NEAR(p, (a0 + a1 + std::sqrt(a0 * a1)) / 3, 1e-9 * (1 + a0 + a1));
    }
}

TEST(Interpolate, IsLinearBetweenTheEnds) {
    EXPECT_DOUBLE_EQ(YSegmentCalc::Interpolate(10, 30, 100, 120, 105), 15);
    EXPECT_DOUBLE_EQ(YSegmentCalc::Interpolate(10, 30, 100, 120, 100), 10);
    EXPECT_DOUBLE_EQ(YSegmentCalc::Interpolate(-2, 2, 0, 40, 30), 1);
}

// ---- Trough deduction ----

TEST(Trough, Deducts) {
    const struct {
        const char* name;
        double cut, fill, h;
        double area, depth;
        bool byDepth, toCut;
        double wantCut, wantFill;
    } cases[] = {{"fill loses the trough", 1, 20, 1.5, 6, 0.8, false, false, 1, 14},
                 {"cut gains the trough", 12, 0, -2, 6, 0.8, false, false, 18, 0},
                 {"height exactly 0 is fill", 0, 10, 0, 6, 0.8, false, false, 0, 4},
                 {"shortfall stops at 0", 2, 4, 1, 6, 0.8, false, false, 2, 0},
                 {"shortfall turns into cut", 2, 4, 1, 6, 0.8, false, true, 4, 0},
                 {"by depth: shallow fill counts as cut", 0, 3, 0.5, 6, 0.8, true, false, 6, 3},
                 {"by depth: fill at the depth", 0, 9, 0.8, 6, 0.8, true, false, 0, 3},
                 {"no trough row", 3, 4, 1, 0, 0, false, true, 3, 4}};
    for (const auto& c : cases) {
        const auto a =
            YSegmentCalc::DeductTrough({c.cut, c.fill}, c.h, {c.area, c.depth}, c.byDepth, c.toCut);
        EXPECT_DOUBLE_EQ(a.cut, c.wantCut) << c.name;
        EXPECT_DOUBLE_EQ(a.fill, c.wantFill) << c.name;
    }
}

// ---- Quantities and local reuse ----

// A 20 m segment, cut 10 m² on average (200 m³), the fill area given, quantities computed.
YTsjsRow Row(double fillAvg, const YSegmentCalc::Material& m) {
    YTsjsRow row;
    row[R::CutAvg] = 10;
    row[R::FillAvg] = fillAvg;
    row[R::Dist] = 20;
    YSegmentCalc::Quantities(row, m);
    return row;
}

// Fill 5 m² on average: 100 m³. The cut is all class II (普通土) with divisor 1.25, three
// quarters usable.
YTsjsRow SoilRow(double fillAvg = 5.0, double soilFactor = 1.0) {
    YSegmentCalc::Material m;
    m.content = {0, 100, 0, 0, 0, 0};
    m.usable = {1, 0.75, 1, 1, 1, 1};
    m.coef = {1.23, 1.25, 1.09, 0.92, 0.92, 0.92};
    m.soilFactor = soilFactor;
    return Row(fillAvg, m);
}

// One expected cell: a column, or with k (1..6) class k of a class group.
struct Cell {
    int column;
    double value;
    int k = 0;
};

void ExpectCells(const YTsjsRow& row, std::initializer_list<Cell> cells) {
    for (const Cell& c : cells) {
        EXPECT_DOUBLE_EQ(c.k == 0 ? row[c.column] : row.At(c.column, c.k), c.value)
            << YTsjsRow::ColumnName(c.column).toStdString() << " class " << c.k;
    }
}

TEST(Quantities, SplitTheCutByContentsAndConvertToCompacted) {
    const YTsjsRow r = SoilRow();
    ExpectCells(r, {{R::CutTotal, 200}, {R::FillTotal, 100}, {R::Qty, 200, 2}, {R::QtyC, 160, 2}});
    ExpectCells(r, {{R::Usable, 150, 2}, {R::UsableC, 120, 2}, {R::Unusable, 50, 2}});
    ExpectCells(r, {{R::UnusableC, 40, 2}, {R::RemSoil, 200}, {R::RemSoilC, 160}, {R::RemRock, 0}});
    ExpectCells(r, {{R::Coef, 1.25, 2}, {R::Ratio, 0.75, 2}, {R::FillAfter, 100}});
}

TEST(Quantities, LossRateScalesTheClassQuantities) {
    // 10 % soil loss: class quantities are 0.9 × contents × V / 100.
    const YTsjsRow row = SoilRow(5.0, 0.9);
    EXPECT_DOUBLE_EQ(row.At(R::Qty, 2), 0.9 * 100 * 200 / 100);
    EXPECT_NEAR(row[R::LossSoil], 0.1, 1e-15);
    EXPECT_DOUBLE_EQ(row[R::LossRock], 0);
}

TEST(LocalReuse, NewestLayoutReusesOnlyTheUsablePart) {
    YTsjsRow row = SoilRow();
    YSegmentCalc::LocalReuse(row, 6, 7);
    // Usable compacted soil 120 m³ exceeds the 100 m³ fill: all fill is made, 5/6 of the
    // usable soil goes into it. The unusable part is never reused locally.
    ExpectCells(row, {{R::UseSoil, 100}, {R::FillSoil, 100}, {R::UseRock, 0}, {R::FillAfter, 0}});
    ExpectCells(row, {{R::Use, 125, 2}, {R::UseC, 100, 2}, {R::Fill, 125, 2}, {R::UseSoilL, 125}});
    ExpectCells(row, {{R::Rem, 75, 2}, {R::RemC, 60, 2}, {R::Usable, 25, 2}, {R::UsableC, 20, 2}});
    ExpectCells(row, {{R::Unusable, 50, 2}, {R::RemSoil, 75}, {R::RemSoilC, 60}});
    ExpectCells(row, {{R::UsableSoil, 25}, {R::UsableSoilC, 20}});
}

TEST(LocalReuse, FillLargerThanTheOfferTakesAllOfIt) {
    YTsjsRow row = SoilRow(15.0); // 300 m³ of fill
    YSegmentCalc::LocalReuse(row, 3, 63);
    ExpectCells(row, {{R::UseSoil, 120}, {R::FillAfter, 180}, {R::Use, 150, 2}, {R::Usable, 0, 2}});
}

TEST(LocalReuse, NoClassesLeavesEverything) {
    YTsjsRow row = SoilRow();
    const YTsjsRow before = row;
    YSegmentCalc::LocalReuse(row, 6, 0);
    EXPECT_DOUBLE_EQ(row[R::FillAfter], row[R::FillTotal]);
    for (int c = 0; c < R::Count; ++c) {
        if (c != R::FillAfter) {
            EXPECT_DOUBLE_EQ(row[c], before[c]) << YTsjsRow::ColumnName(c).toStdString();
        }
    }
}

TEST(LocalReuse, SoilGoesFirstThenRockMakesUpTheRest) {
    // Half soil class I, half rock class IV (divisors 1 for round numbers), all usable.
    YSegmentCalc::Material m;
    m.content = {50, 0, 0, 50, 0, 0};
    m.usable = {1, 1, 1, 1, 1, 1};
    m.coef = {1, 1, 1, 1, 1, 1};
    const auto reused = [&](double fillAvg) {
        YTsjsRow row = Row(fillAvg, m);
        YSegmentCalc::LocalReuse(row, 6, 63);
        return row;
    };
    const YTsjsRow row = reused(7.5); // 150 m³ of fill
    ExpectCells(row, {{R::UseSoil, 100}, {R::UseRock, 50}, {R::Use, 50, 4}, {R::RemRock, 50}});
    EXPECT_DOUBLE_EQ(row[R::FillAfter], 0);
    // Fill smaller than the soil alone: no rock is used.
    ExpectCells(reused(2.5), {{R::UseSoil, 50}, {R::UseRock, 0}, {R::RemRock, 100}});
}

TEST(LocalReuse, VersionTwoReusesTheWholeSurplus) {
    YTsjsRow row = SoilRow();
    YSegmentCalc::LocalReuse(row, 2, 7);
    // 160 m³ compacted on offer for 100 m³ of fill: 5/8 of it, 125 m³ natural.
    ExpectCells(row, {{R::UseSoil, 100}, {R::Use, 125, 2}, {R::Rem, 75, 2}, {R::RemC, 60, 2}});
    EXPECT_DOUBLE_EQ(row[R::RemSoil], 75);
}

TEST(LocalReuse, VersionOneReducesTheSurplusThroughTheMix) {
    YTsjsRow row = SoilRow();
    YSegmentCalc::LocalReuse(row, 1, 2); // any soil bit takes the whole soil surplus
    // Natural reduction: (Σp) · Us / (Σ p/d) = 100 · 100 / (100 / 1.25) = 125.
    ExpectCells(row, {{R::UseSoil, 100}, {R::RemSoil, 75}, {R::RemSoilC, 60}, {R::FillAfter, 0}});
}

YTsjsRow RandomRow(std::mt19937& rng) {
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    YTsjsRow row;
    row[R::CutAvg] = 50 * unit(rng);
    row[R::FillAvg] = 50 * unit(rng);
    row[R::Dist] = 1 + 40 * unit(rng);
    YSegmentCalc::Material m;
    double sum = 0;
    for (double& p : m.content) {
        p = unit(rng);
        sum += p;
    }
    for (size_t k = 0; k < 6; ++k) {
        m.content[k] *= 100 / sum;
        m.usable[k] = unit(rng);
        m.coef[k] = 0.8 + 0.5 * unit(rng);
    }
    m.soilFactor = 1 - 0.2 * unit(rng);
    m.rockFactor = 1 - 0.2 * unit(rng);
    YSegmentCalc::Quantities(row, m);
    return row;
}

TEST(LocalReuse, ConservesMaterialOnRandomRows) {
    std::mt19937 rng(11);
    std::uniform_int_distribution<unsigned> mask(0, 63);
    for (int i = 0; i < 500; ++i) {
        YTsjsRow row = RandomRow(rng);
        const YTsjsRow before = row;
        YSegmentCalc::LocalReuse(row, 6, mask(rng));
        const double scale = 1 + before[R::CutTotal] + before[R::FillTotal];
        EXPECT_NEAR(row[R::FillAfter] + row[R::UseSoil] + row[R::UseRock], row[R::FillTotal],
                    1e-9 * scale);
        EXPECT_GE(row[R::FillAfter], -1e-9 * scale);
        double soilC = 0;
        double rockC = 0;
        for (int k = 1; k <= 6; ++k) {
            EXPECT_NEAR(row.At(R::Use, k) + row.At(R::Rem, k), before.At(R::Qty, k), 1e-9 * scale);
            EXPECT_NEAR(row.At(R::Usable, k) + row.At(R::Unusable, k), row.At(R::Rem, k),
                        1e-9 * scale);
            EXPECT_GE(row.At(R::Usable, k), -1e-9 * scale);
            (k <= 3 ? soilC : rockC) += row.At(R::UseC, k);
        }
        EXPECT_NEAR(soilC, row[R::UseSoil], 1e-9 * scale);
        EXPECT_NEAR(rockC, row[R::UseRock], 1e-9 * scale);
        EXPECT_NEAR(row[R::RemSoilC] + row[R::UseSoil], before[R::RemSoilC], 1e-9 * scale);
    }
}

TEST(LocalReuse, OldestLayoutMatchesClassLayoutWhenEveryClassIsReused) {
    // With every bit set, version 2 reuses each class in proportion, which is exactly the
    // mix that the oldest layout assumes when it converts back to natural volume.
    std::mt19937 rng(5);
    for (int i = 0; i < 300; ++i) {
        YTsjsRow v1 = RandomRow(rng);
        YTsjsRow v2 = v1;
        YSegmentCalc::LocalReuse(v1, 1, 63);
        YSegmentCalc::LocalReuse(v2, 2, 63);
        const double scale = 1 + v1[R::CutTotal];
        for (int c : {R::RemSoil, R::RemRock, R::RemSoilC, R::RemRockC, R::FillAfter, R::UseSoil,
                      R::UseRock}) {
            EXPECT_NEAR(v1[c], v2[c], 1e-9 * scale) << YTsjsRow::ColumnName(c).toStdString();
        }
    }
}

TEST(LocalReuse, OldestLayoutWithoutRockContentsStaysFinite) {
    YTsjsRow row = SoilRow();
    YSegmentCalc::LocalReuse(row, 1, 63);
    EXPECT_TRUE(std::isfinite(row[R::RemRock]));
    EXPECT_DOUBLE_EQ(row[R::RemRock], 0);
}

} // namespace
