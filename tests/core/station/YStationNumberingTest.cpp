#include "core/station/YStationNumbering.h"

#include "StationReference.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <limits>

namespace {

YStationNumbering Numbering(std::initializer_list<const char*> breakTexts) {
    YStationNumbering numbering;
    for (const char* text : breakTexts) {
        const std::optional<YChainBreak> brk = YChainBreak::Parse(QString::fromUtf8(text));
        EXPECT_TRUE(brk.has_value()) << text;
        EXPECT_TRUE(brk && numbering.AddChainBreak(*brk)) << text;
    }
    return numbering;
}

// Short chain of 20 m, long chain of 50 m, a break without jump.
YStationNumbering ThreeBreaks() {
    return Numbering({"K1+100=K1+120", "K2+000=K1+950", "K3+000=K3+000"});
}

// The random roads below check text and reading on the millimetre grid; these are the values
// off it: rounding just before a break, the tolerance of a break point, plain numbers, garbage.
TEST(StationNumbering, TextAndReadingOffTheMillimetreGrid) {
    const YStationNumbering numbering = ThreeBreaks();
    EXPECT_EQ(numbering.Text(1099.9996), QStringLiteral("K1+100.000"));
    EXPECT_EQ(numbering.Text(1099.999), QStringLiteral("K1+099.999"));
    const std::pair<const char*, std::optional<double>> rows[] = {
        {"K1+100.0000005", 1100.0}, {"1940", 1940.0}, {"-7", -7.0}, {"K1+1x0", std::nullopt}};
    for (const auto& [text, chainage] : rows) {
        EXPECT_EQ(numbering.Parse(QString::fromUtf8(text)), chainage) << text;
    }
}

TEST(StationNumbering, RefusesBreaksOutOfOrder) {
    YStationNumbering numbering = Numbering({"K1+100=K1+120", "K2+000=K1+950"});
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const YChainBreak refused[] = {
        {1950.0, 2000.0}, // BACK on the previous AHEAD: same point as the previous break
        {1949.0, 2000.0}, // BACK before the previous AHEAD: behind the previous break
        {500.0, 600.0},   // before every break
        {nan, 3000.0},    {3000.0, std::numeric_limits<double>::infinity()}, {3000.0, 2e9}};
    for (const YChainBreak& brk : refused) {
        EXPECT_FALSE(numbering.AddChainBreak(brk)) << brk.Back() << "=" << brk.Ahead();
    }
    ASSERT_EQ(numbering.ChainBreakCount(), 2);
    EXPECT_EQ(numbering.Text(2500.0), QStringLiteral("K2+470.000")) << "numbering unchanged";

    // K1+960 also exists on the chain before the long chain, but a BACK is read in the
    // latest numbering: the break lies 10 m after the long chain, not 40 m before it.
    ASSERT_TRUE(numbering.AddChainBreak(YChainBreak{1960.0, 1970.0}));
    EXPECT_DOUBLE_EQ(numbering.BreakPosition(2), 1990.0);
    numbering.ClearChainBreaks();
    EXPECT_EQ(numbering.ChainBreakCount(), 0);
    EXPECT_EQ(numbering.Text(2500.0), QStringLiteral("K2+500.000"));
}

TEST(StationNumbering, Labels) {
    YStationNumbering numbering;
    EXPECT_EQ(numbering.Label(), QStringLiteral("K"));
    EXPECT_TRUE(numbering.SetLabel(QStringLiteral(" AK ")));
    EXPECT_EQ(numbering.Text(12.0), QStringLiteral("AK0+012.000"));
    EXPECT_TRUE(numbering.SetLabel(QString()));
    EXPECT_EQ(numbering.Label(), QStringLiteral("K"));
    for (const char* refused : {"K+", "A1", "K=", "K K"}) {
        EXPECT_FALSE(numbering.SetLabel(QString::fromUtf8(refused))) << refused;
        EXPECT_EQ(numbering.Label(), QStringLiteral("K")) << refused;
    }
}

// Off the 1/8 m grid of the random check below: a value shown on a kilometre stays, one a
// millimetre past it goes on to the next.
TEST(StationNumbering, KmRoundingOffTheGrid) {
    const YStationNumbering numbering{};
    EXPECT_EQ(numbering.KmText(1999.9996), QStringLiteral("K2"));
    EXPECT_EQ(numbering.KmCeil(1999.9996), 1999.9996);
    EXPECT_EQ(numbering.KmText(2000.001), QStringLiteral("K2"));
    EXPECT_EQ(numbering.KmCeil(2000.001), 3000.0);
}

// Every station the inputs accept (within ±1e8 m) is written as a text that reads back.
TEST(StationNumbering, TheWholeInputRangeReadsBack) {
    for (const YStationNumbering& numbering : {YStationNumbering(), ThreeBreaks()}) {
        for (double value : {1e8, -1e8, 99999999.999, -99999999.999, 12345678.9}) {
            const QString text = numbering.Text(value);
            const std::optional<double> back = numbering.Parse(text);
            ASSERT_TRUE(back.has_value()) << text.toStdString();
            EXPECT_NEAR(*back, value, 1e-3) << text.toStdString();
        }
    }
}

// A plain number is a chainage: one whose display the breaks push beyond the texts' range is
// refused, since its text could not be read back (found by fuzzing).
TEST(StationNumbering, PlainNumbersWhoseTextCouldNotReadBackAreRefused) {
    YStationNumbering numbering;
    ASSERT_TRUE(numbering.AddChainBreak(QStringLiteral("K1+202=K15+021")));
    EXPECT_FALSE(numbering.Parse(QStringLiteral("999999999")).has_value());
    ASSERT_TRUE(numbering.Parse(QStringLiteral("99999999")).has_value());
    const QString text = numbering.Text(99999999.0);
    EXPECT_EQ(text, QStringLiteral("K100013+818.000"));
    EXPECT_TRUE(numbering.Parse(text).has_value());
}

// A short chain whose AHEAD is not on the millimetre grid: the break point's text is rounded
// into the gap and must still read as the break point (found by fuzzing).
TEST(StationNumbering, ABreakPointsRoundedTextReadsBack) {
    YStationNumbering numbering;
    ASSERT_TRUE(numbering.AddChainBreak(QStringLiteral("0=30.0001")));
    const QString text = numbering.Text(0.0);
    EXPECT_EQ(text, QStringLiteral("K0+030.000"));
    ASSERT_TRUE(numbering.Parse(text).has_value());
    EXPECT_EQ(*numbering.Parse(text), 0.0);
    // Numbers well inside the gap stay unreadable.
    EXPECT_FALSE(numbering.Parse(QStringLiteral("K0+029.990")).has_value());
}

TEST(StationNumbering, NonFiniteValuesNeitherCrashNorRead) {
    const YStationNumbering numbering = ThreeBreaks();
    const double values[] = {std::numeric_limits<double>::quiet_NaN(),
                             std::numeric_limits<double>::infinity(),
                             -std::numeric_limits<double>::infinity(), 1e300, -1e300};
    for (double value : values) {
        const QString text = numbering.Text(value);
        EXPECT_FALSE(numbering.Parse(text).has_value()) << text.toStdString();
        EXPECT_EQ(numbering.KmText(value), text);
        const double ceiling = numbering.KmCeil(value);
        EXPECT_TRUE(ceiling == value || (std::isnan(ceiling) && std::isnan(value)));
    }
    EXPECT_FALSE(numbering.FromDisplay(std::numeric_limits<double>::quiet_NaN()).has_value());
}

// --- Random roads against the reference model ---

constexpr std::int64_t Mm = 1000; // ticks per metre

YStationNumbering FromReference(const station_ref::Road& road, bool viaText) {
    YStationNumbering numbering;
    const double perMetre = double(road.TicksPerMetre());
    for (const station_ref::Break& b : road.Breaks()) {
        std::optional<YChainBreak> brk = YChainBreak(b.back / perMetre, b.ahead / perMetre);
        if (viaText) {
            brk = YChainBreak::Parse(station_ref::TextOfMm(b.back) + u'=' +
                                     station_ref::TextOfMm(b.ahead));
        }
        EXPECT_TRUE(brk && numbering.AddChainBreak(*brk));
    }
    return numbering;
}

struct RandomRoad {
    station_ref::Road road;
    YStationNumbering numbering;
    std::int64_t first; // ticks: a stretch well around all breaks
    std::int64_t last;
};

RandomRoad MakeRoad(std::mt19937_64& rng, int breakCount, std::int64_t ticksPerMetre,
                    std::int64_t grid) {
    station_ref::Road road(station_ref::RandomBreaks(rng, breakCount, ticksPerMetre, grid),
                           ticksPerMetre);
    const bool viaText = ticksPerMetre == Mm && rng() % 2 == 0;
    YStationNumbering numbering = FromReference(road, viaText);
    const std::int64_t end = road.Breaks().empty() ? 0 : road.Position(road.Breaks().size() - 1);
    return {road, numbering, -2000 * ticksPerMetre, end + 2000 * ticksPerMetre};
}

TEST(StationNumberingReference, DisplayMatches) {
    for (std::uint64_t seed = 1; seed <= 60; ++seed) {
        std::mt19937_64 rng(seed);
        const RandomRoad r = MakeRoad(rng, int(seed % 7), Mm, 1);
        for (std::size_t i = 0; i < r.road.Breaks().size(); ++i) {
            ASSERT_NEAR(r.numbering.BreakPosition(int(i)), r.road.Position(i) / 1000.0, 1e-9);
        }
        std::uniform_real_distribution<double> metres(r.first / 1000.0, r.last / 1000.0);
        for (int n = 0; n < 500; ++n) {
            const double chainage = metres(rng);
            ASSERT_NEAR(r.numbering.ToDisplay(chainage), r.road.Display(chainage), 1e-6)
                << "seed " << seed << " chainage " << chainage;
            const QString text = station_ref::Text(r.road.Display(chainage));
            ASSERT_EQ(r.numbering.Text(chainage), text)
                << "seed " << seed << " chainage " << chainage;
            ASSERT_EQ(r.numbering.KmText(chainage), text.left(text.indexOf(u'+'))) << chainage;
        }
    }
}

// With DisplayMatches this also covers value -> text -> value, overlaps of long chains included.
TEST(StationNumberingReference, ParseTakesTheFirstPointShowingTheText) {
    for (std::uint64_t seed = 100; seed < 160; ++seed) {
        std::mt19937_64 rng(seed);
        const RandomRoad r = MakeRoad(rng, 1 + int(seed % 6), Mm, 1);
        std::vector<std::int64_t> displays;
        for (const station_ref::Break& b : r.road.Breaks()) { // the edges of every chain
            for (std::int64_t d : {b.back, b.ahead}) {
                displays.insert(displays.end(), {d - 1, d, d + 1});
            }
        }
        std::uniform_int_distribution<std::int64_t> mm(r.first, r.last);
        for (int n = 0; n < 500; ++n) {
            displays.push_back(mm(rng));
        }
        for (std::int64_t display : displays) {
            const QString text = station_ref::TextOfMm(display);
            const std::optional<std::int64_t> expected = r.road.FirstNamed(display);
            const std::optional<double> chainage = r.numbering.Parse(text);
            ASSERT_EQ(chainage.has_value(), expected.has_value())
                << "seed " << seed << " " << text.toStdString();
            if (!chainage) {
                continue;
            }
            ASSERT_NEAR(*chainage, *expected / 1000.0, 1e-6)
                << "seed " << seed << " " << text.toStdString();
            // Text of the point read: the same text, or AHEAD for a break's BACK.
            EXPECT_EQ(r.numbering.Text(*chainage), station_ref::TextOfMm(r.road.Display(*expected)))
                << "seed " << seed << " " << text.toStdString();
        }
    }
}

TEST(StationNumberingReference, KmCeilMatchesScan) {
    constexpr std::int64_t Eighths = 8; // 0.125 m ticks: every number exact in a double
    for (std::uint64_t seed = 300; seed < 340; ++seed) {
        std::mt19937_64 rng(seed);
        const RandomRoad r = MakeRoad(rng, int(seed % 6), Eighths, 1);
        std::vector<std::int64_t> starts;
        for (std::size_t i = 0; i < r.road.Breaks().size(); ++i) {
            starts.insert(starts.end(), {r.road.Position(i) - 1, r.road.Position(i)});
        }
        std::uniform_int_distribution<std::int64_t> tick(r.first, r.last);
        for (int n = 0; n < 40; ++n) {
            starts.push_back(tick(rng));
        }
        for (std::int64_t start : starts) {
            const std::optional<std::int64_t> expected =
                r.road.KmCeilByScan(start, 20000 * Eighths);
            ASSERT_TRUE(expected.has_value());
            const double ceiling = r.numbering.KmCeil(start / double(Eighths));
            ASSERT_NEAR(ceiling, *expected / double(Eighths), 1e-6)
                << "seed " << seed << " start " << start / double(Eighths);
            EXPECT_EQ(r.numbering.KmCeil(ceiling), ceiling) << "a rounded station stays";
        }
    }
}

// The quick kilometre comparison agrees with the texts everywhere, kilometre marks, breaks and
// negative stations included.
TEST(StationNumberingReference, SameKmAgreesWithTheTexts) {
    for (std::uint64_t seed = 500; seed < 530; ++seed) {
        std::mt19937_64 rng(seed);
        const RandomRoad r = MakeRoad(rng, int(seed % 6), Mm, 1);
        std::vector<double> points;
        for (std::size_t i = 0; i < r.road.Breaks().size(); ++i) {
            const double at = r.road.Position(i) / double(Mm);
            points.insert(points.end(), {at - 1e-3, at, at + 4e-4});
        }
        std::uniform_int_distribution<std::int64_t> tick(r.first, r.last);
        for (int n = 0; n < 60; ++n) {
            const double x = tick(rng) / double(Mm);
            const double mark = std::round(x / 1000.0) * 1000.0;
            points.insert(points.end(), {x, mark, mark - 4e-4, mark + 6e-4, -x});
        }
        for (double a : points) {
            for (double b : {points[rng() % points.size()], a + 0.5, a - 999.0}) {
                EXPECT_EQ(r.numbering.SameKm(a, b), r.numbering.KmText(a) == r.numbering.KmText(b))
                    << "seed " << seed << ": " << a << " " << b;
            }
        }
    }
}

} // namespace
