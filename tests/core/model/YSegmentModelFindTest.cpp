// FindSegment (binary search, checked against a linear reference of the same rule), the
// economic stretches of pits, FindPit and the structure check.
#include "core/model/YSegmentModel.h"

#include <gtest/gtest.h>

#include <array>
#include <random>

namespace {

YSegmentModel ModelWithBounds(const std::vector<double>& bounds) {
    YSegmentModel m;
    for (size_t i = 0; i + 1 < bounds.size(); ++i) {
        YTFItem item;
        item.m_staStart = bounds[i];
        item.m_staEnd = bounds[i + 1];
        m.m_arrTF.push_back(item);
    }
    return m;
}

// The search's answer restated without the search: the segment holding x, where a shared
// boundary may belong to either neighbour, clamped to the ends.
bool AcceptableAnswer(const YSegmentModel& m, double x, int got) {
    const int n = m.GetSegmentCount();
    if (got < 0 || got >= n) {
        return false;
    }
    const YTFItem& s = m.m_arrTF[size_t(got)];
    if (YStation(x) < m.m_arrTF.front().m_staStart) {
        return got == 0;
    }
    if (YStation(x) > m.m_arrTF.back().m_staEnd) {
        return got == n - 1;
    }
    return s.m_staStart <= YStation(x) && YStation(x) <= s.m_staEnd;
}

TEST(FindSegment, EmptyModelGivesMinusOne) {
    YSegmentModel m;
    EXPECT_EQ(m.FindSegment(0.0), -1);
    EXPECT_EQ(m.FindSegment(100.0), -1);
}

TEST(FindSegment, BoundaryGoesToSegmentMetFirst) {
    // Five segments: the first probe is segment 2 (lo 0, hi 4).
    const YSegmentModel m = ModelWithBounds({0, 10, 20, 30, 40, 50});
    EXPECT_EQ(m.FindSegment(20.0), 2); // start of the probed segment
    EXPECT_EQ(m.FindSegment(30.0), 2); // its end, shared with segment 3
    EXPECT_EQ(m.FindSegment(10.0), 1); // second probe is segment 1, which starts there
    EXPECT_EQ(m.FindSegment(5.0), 0);  // loop ends with lo 0, hi 1; decided by end(0)
    EXPECT_EQ(m.FindSegment(-1.0), 0);
    EXPECT_EQ(m.FindSegment(51.0), 4);
}

TEST(FindSegment, MatchesLinearReferenceOnRandomRoads) {
    std::mt19937 rng(12345);
    std::uniform_real_distribution<double> len(0.5, 40.0);
    for (int road = 0; road < 200; ++road) {
        const int n = 1 + int(rng() % 60);
        std::vector<double> bounds{double(rng() % 1000)};
        for (int i = 0; i < n; ++i) {
            bounds.push_back(bounds.back() + len(rng));
        }
        const YSegmentModel m = ModelWithBounds(bounds);
        std::uniform_real_distribution<double> pick(bounds.front() - 50, bounds.back() + 50);
        for (int q = 0; q < 50; ++q) {
            const double x = q % 5 == 0 ? bounds[rng() % bounds.size()] : pick(rng);
            EXPECT_TRUE(AcceptableAnswer(m, x, m.FindSegment(x)))
                << "road " << road << " x " << x << " got " << m.FindSegment(x);
        }
    }
}

TEST(FindSegmentStartingAt, ThatSegmentOrTheNext) {
    const YSegmentModel m = ModelWithBounds({0, 10, 20, 30, 40, 50});
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(m.FindSegmentStartingAt(YStation(10.0 * i)), i) << i;
    }
    EXPECT_EQ(m.FindSegmentStartingAt(YStation(15.0)), -1);
    EXPECT_EQ(m.FindSegmentStartingAt(YStation(50.0)), -1);
}

template <class Pit> Pit MakePit(double road, double ecoStart, double ecoEnd) {
    Pit p;
    p.m_staRoad = road;
    p.m_staEcoStart = ecoStart;
    p.m_staEcoEnd = ecoEnd;
    return p;
}

// Pits given as road station and stored stretch (equal to the road station: none stored); the
// stretches computed for them, borrow pits and waste pits alike.
TEST(EconomicStretches, CoverTheRoadSplitAtMidpointsAndKeepStoredBoundaries) {
    using Pits = std::vector<std::array<double, 3>>;
    using Stretches = std::vector<std::pair<double, double>>;
    const struct {
        std::vector<double> bounds;
        bool waste;
        Pits pits;
        Stretches want;
    } cases[] = {
        {{100, 200, 300}, false, {{150, 150, 150}}, {{100, 300}}},
        {{100, 200}, true, {{150, 150, 150}}, {{100, 200}}}, // one segment still closes
        {{0, 500, 1000},
         false,
         {{200, 200, 200}, {600, 600, 600}, {900, 900, 900}},
         {{0, 400}, {400, 750}, {750, 1000}}},
        // Both boundaries stored; the next pit starts where it ends.
        {{0, 500, 1000}, true, {{200, 50, 300}, {600, 600, 600}}, {{50, 300}, {300, 1000}}},
    };
    for (const auto& c : cases) {
        YSegmentModel m = ModelWithBounds(c.bounds);
        for (const auto& [road, start, end] : c.pits) {
            if (c.waste) {
                m.m_arrQituk.push_back(MakePit<YQitukItem>(road, start, end));
            } else {
                m.m_arrQutuk.push_back(MakePit<YQutukItem>(road, start, end));
            }
        }
        m.ComputeEconomicStretches();
        Stretches got;
        const auto collect = [&](const auto& pits) {
            for (const auto& p : pits) {
                got.emplace_back(p.m_staEcoStart.Value(), p.m_staEcoEnd.Value());
            }
        };
        collect(m.m_arrQutuk);
        collect(m.m_arrQituk);
        EXPECT_EQ(got, c.want) << c.bounds.front();
    }
}

TEST(FindPit, FirstWhoseStretchMeetsInterval) {
    YSegmentModel m;
    m.m_arrQutuk.push_back(MakePit<YQutukItem>(50, 0, 100));
    m.m_arrQutuk.push_back(MakePit<YQutukItem>(150, 100, 200));
    m.m_arrQituk.push_back(MakePit<YQitukItem>(500, 400, 600));
    struct Case {
        double a, b;
        bool borrow;
        int want;
    } cases[] = {
        {10, 20, true, 0},    {100, 100, true, 0}, // touching counts; the first wins
        {120, 130, true, 1},  {200, 250, true, 1},   {201, 250, true, -1}, {-50, -1, true, -1},
        {350, 400, false, 0}, {601, 700, false, -1}, {10, 20, false, -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(m.FindPit(c.a, c.b, c.borrow), c.want) << c.a << ".." << c.b;
    }
}

TEST(FindBlockingStructure, OnlyUncrossableStructuresInside) {
    YSegmentModel m;
    auto add = [&](double s, double e, bool cross) {
        YGZWItem g;
        g.m_staStart = s;
        g.m_staEnd = e;
        g.m_bCross = cross;
        m.m_arrGZW.push_back(g);
    };
    add(100, 120, true);  // crossable: never blocks
    add(200, 220, false); // blocks when wholly inside
    EXPECT_EQ(m.FindBlockingStructure(0, 500), 1);
    EXPECT_EQ(m.FindBlockingStructure(200, 220), 1);
    EXPECT_EQ(m.FindBlockingStructure(0, 210), -1);
    EXPECT_EQ(m.FindBlockingStructure(205, 500), -1);
    EXPECT_EQ(m.FindBlockingStructure(90, 130), -1);
}

} // namespace
