#include "DPTestSegments.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

using dptest::ProbeTool;
using dptest::Seg;
using Segs = std::vector<YTFItem>;

constexpr qint32 kCut = YClass::AllMask;
constexpr qint32 kFill = YClass::FillBit;

// Ten 20 m segments from 0 m; each has either cut (class 2) or fill as given.
Segs Line(const std::vector<double>& cut, const std::vector<double>& fill) {
    Segs segs;
    for (size_t i = 0; i < cut.size(); ++i) {
        segs.push_back(Seg(20.0 * double(i), 20.0 * double(i + 1), {0, cut[i], 0, 0, 0, 0}, fill[i],
                           kCut | kFill));
    }
    return segs;
}

struct PairCase {
    const char* name;
    std::vector<double> cut;
    std::vector<double> fill;
    int c0, c1, f0, f1;
    bool found;
    int cut_, fill_;
};

TEST(DPFindPair, Table) {
    // One case a path; the random check below holds every other case to the same rules.
    const PairCase cases[] = {
        // Disjoint: innermost pair (cut scanning down, fill scanning up).
        {"fill after cut, inner cut empty", {5, 0, 0, 0}, {0, 0, 3, 3}, 0, 1, 2, 3, true, 0, 2},
        {"fill before cut, inner fill done", {0, 0, 5, 5}, {3, 0, 0, 0}, 2, 3, 0, 1, true, 2, 0},
        {"no usable fill", {5, 5, 0, 0}, {0, 0, 0, 0}, 0, 1, 2, 3, false, -1, -1},
        // Touching ranges (f0 = c1) count as a fill range after the cut range.
        {"touching", {5, 5, 0}, {0, 2, 3}, 0, 1, 1, 2, true, 1, 1},
        // Overlapping: a segment that fills itself first, else the first fill, the nearest cut
        // to it, then a nearer fill; ties keep the lower index.
        {"overlap self fill", {5, 0, 4, 0}, {0, 2, 1, 3}, 0, 3, 0, 3, true, 2, 2},
        {"overlap tie keeps lower", {0, 0, 0, 5, 0}, {0, 0, 2, 0, 2}, 0, 4, 0, 4, true, 3, 2},
    };
    for (const PairCase& c : cases) {
        Segs segs = Line(c.cut, c.fill);
        ProbeTool tool(c.c0, c.c1, c.f0, c.f1);
        int cut = -1;
        int fill = -1;
        EXPECT_EQ(tool.FindPair(segs, cut, fill), c.found) << c.name;
        if (c.found) {
            EXPECT_EQ(cut, c.cut_) << c.name;
            EXPECT_EQ(fill, c.fill_) << c.name;
        }
    }
}

// Usability thresholds: a class with exactly 1e-5 left still counts as cut; a fill needing
// exactly 1e-5 does not count.
TEST(DPFindPair, UsabilityThresholds) {
    ProbeTool tool(0, 0, 0, 0);
    YTFItem s = Seg(0, 10, {0, 0, 0, 1e-5, 0, 0}, 1e-5, kCut | kFill);
    EXPECT_TRUE(tool.IsCutUsable(s));
    EXPECT_FALSE(tool.IsFillUsable(s));
    s.m_dRemFill = 1.1e-5;
    EXPECT_TRUE(tool.IsFillUsable(s));
    s.m_nSel = YClass::Bit(3) | kFill; // class 4 not selected
    EXPECT_FALSE(tool.IsCutUsable(s));
    s.m_nSel = kCut; // fill bit cleared
    EXPECT_FALSE(tool.IsFillUsable(s));
}

// ---- Random comparison with an obviously-right formulation ----

double Dist(const YTFItem& a, const YTFItem& b) {
    return std::fabs(a.m_staStart.Value() + a.m_staEnd.Value() - b.m_staStart.Value() -
                     b.m_staEnd.Value());
}

// The definition: walk the usable indices of [lo, hi] upwards and stop at the first that is not
// strictly nearer to target than the best so far.
template <class Usable>
int Nearest(const Segs& segs, int lo, int hi, const YTFItem& target, Usable usable) {
    int best = -1;
    for (int i = lo; i <= hi; ++i) {
        if (!usable(segs[size_t(i)])) {
            continue;
        }
        if (best >= 0 && !(Dist(segs[size_t(i)], target) < Dist(segs[size_t(best)], target))) {
            break;
        }
        best = i;
    }
    return best;
}

bool ReferencePair(const YDPCalTool& t, const Segs& segs, int c0, int c1, int f0, int f1, int& cut,
                   int& fill) {
    auto cutOk = [&](const YTFItem& s) { return t.IsCutUsable(s); };
    auto fillOk = [&](const YTFItem& s) { return t.IsFillUsable(s); };
    if (f0 < c1 && c0 < f1) {
        for (int i = f0; i <= f1; ++i) {
            if (fillOk(segs[size_t(i)]) && cutOk(segs[size_t(i)])) {
                cut = fill = i;
                return true;
            }
        }
        int f = -1;
        for (int i = f0; i <= f1 && f < 0; ++i) {
            f = fillOk(segs[size_t(i)]) ? i : -1;
        }
        if (f < 0) {
            return false;
        }
        cut = Nearest(segs, c0, c1, segs[size_t(f)], cutOk);
        if (cut < 0) {
            return false;
        }
        fill = Nearest(segs, f, f1, segs[size_t(cut)], fillOk);
        return true;
    }
    std::vector<int> fills;
    std::vector<int> cuts;
    for (int i = f0; i <= f1; ++i) {
        if (fillOk(segs[size_t(i)])) {
            fills.push_back(i);
        }
    }
    for (int i = c0; i <= c1; ++i) {
        if (cutOk(segs[size_t(i)])) {
            cuts.push_back(i);
        }
    }
    if (fills.empty() || cuts.empty()) {
        return false;
    }
    const bool fillBefore = f0 < c1;
    fill = fillBefore ? fills.back() : fills.front();
    cut = fillBefore ? cuts.front() : cuts.back();
    return true;
}

// Random arrays (some with zero-length segments) and random ranges; between searches the
// amounts only go down, as within one strategy invocation, and every answer must equal the
// definition's.
TEST(DPFindPair, RandomAgainstReference) {
    std::mt19937 rng(20240611);
    std::uniform_int_distribution<int> count(1, 40);
    std::uniform_real_distribution<double> len(0.5, 40.0);
    std::bernoulli_distribution coin(0.4);
    std::bernoulli_distribution rare(0.03);
    for (int round = 0; round < 1500; ++round) {
        const int n = count(rng);
        Segs segs;
        double sta = 100.0;
        for (int i = 0; i < n; ++i) {
            const double l = rare(rng) ? 0.0 : len(rng);
            const double use = coin(rng) ? 3.0 : (coin(rng) ? 1e-5 : 0.0);
            const double fill = coin(rng) ? 2.0 : (coin(rng) ? 1e-5 : 0.0);
            const qint32 sel = (coin(rng) ? YClass::Bit(2) : 0) | (coin(rng) ? kFill : 0);
            segs.push_back(Seg(sta, sta + l, {0, use, 0, 0, 0, 0}, fill, sel));
            sta += l;
        }
        std::uniform_int_distribution<int> idx(0, n - 1);
        int c0 = idx(rng), c1 = idx(rng), f0 = idx(rng), f1 = idx(rng);
        if (c0 > c1) {
            std::swap(c0, c1);
        }
        if (f0 > f1) {
            std::swap(f0, f1);
        }
        ProbeTool tool(c0, c1, f0, f1);
        std::uniform_real_distribution<double> where(90.0, sta + 10.0);
        for (int call = 0; call < 12; ++call) {
            int cut = -1, fill = -1, rcut = -1, rfill = -1;
            const bool found = tool.FindPair(segs, cut, fill);
            ASSERT_EQ(found, ReferencePair(tool, segs, c0, c1, f0, f1, rcut, rfill))
                << "round " << round << " call " << call;
            if (found) {
                ASSERT_EQ(cut, rcut) << "round " << round << " call " << call;
                ASSERT_EQ(fill, rfill) << "round " << round << " call " << call;
            }
            const double x = where(rng);
            const YTFItem probe = Seg(x, x, {}, 0, 0);
            ASSERT_EQ(
                tool.FindNearestCut(segs, probe.m_staStart),
                Nearest(segs, c0, c1, probe, [&](const YTFItem& s) { return tool.IsCutUsable(s); }))
                << "round " << round << " call " << call;
            ASSERT_EQ(tool.FindNearestFill(segs, probe.m_staStart),
                      Nearest(segs, f0, f1, probe,
                              [&](const YTFItem& s) { return tool.IsFillUsable(s); }))
                << "round " << round << " call " << call;
            // Use something up: the pair found, or a random segment; amounts only decrease.
            YTFItem& a = segs[size_t(found && coin(rng) ? cut : idx(rng))];
            a.m_dRemUse[1] = coin(rng) ? 0.0 : a.m_dRemUse[1] * 0.5;
            YTFItem& b = segs[size_t(found && coin(rng) ? fill : idx(rng))];
            b.m_dRemFill = coin(rng) ? 0.0 : b.m_dRemFill * 0.5;
            if (call == 5) {
                tool.ResetSearch();
                b.m_dRemFill = 2.0;
            }
        }
    }
}

} // namespace
