#include "DPLedger.h"

#include "core/allocation/YDPRule.h"
#include "core/model/YClassFilter.h"
#include "core/process/YHistory.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using namespace dalvex::test;

// Random projects and random sequences of strategies (every family and modifier): after every
// invocation the ledger must balance class by class, natural and compacted; undoing
// everything gives the starting quantities back and redoing gives the end state back.
class DPConservationTest : public DPSettingsTest, public ::testing::WithParamInterface<unsigned> {
  protected:
};

std::array<double, 6> RandomClasses(std::mt19937& rng, double scale) {
    std::uniform_real_distribution<double> amount(0.0, scale);
    std::bernoulli_distribution present(0.35);
    std::array<double, 6> a{};
    for (double& v : a) {
        v = present(rng) ? amount(rng) : 0.0;
    }
    return a;
}

TEST_P(DPConservationTest, RandomSequences) {
    std::mt19937 rng(GetParam());
    dalvex::test::ScratchDir dir;
    YRecordingUserIO io;
    TestProject p(dir.Path(QStringLiteral("r.dvx")), io);
    const int n = 14;
    std::bernoulli_distribution coin(0.5);
    std::uniform_real_distribution<double> fill(0.0, 80.0);
    std::vector<SegSpec> specs;
    for (int i = 0; i < n; ++i) {
        SegSpec s;
        if (coin(rng)) {
            s.use = RandomClasses(rng, 60.0);
            s.unuse = RandomClasses(rng, 10.0);
        }
        if (coin(rng)) {
            s.fill = fill(rng);
        }
        s.content = {25, 25, 10, 20, 10, 10};
        specs.push_back(s);
    }
    p.AddLine(1000, 20, specs);
    p.AddBorrowPit(1100, 1000, 1140, {10, 30, 20, 20, 10, 10}, 300, 200);
    p.AddWastePit(1200, 1140, 1280, 250);
    p.Load();
    const DPState start = ReadState(p.Doc());
    DPState prev = start;

    const int principles[] = {DPR_SOIL_FIRST, DPR_TOGETHER, DPR_CUT_RATIO, DPR_FILL_RATIO};
    std::uniform_int_distribution<int> idx(0, n - 1);
    std::uniform_int_distribution<int> pick(0, 3);
    std::uniform_int_distribution<int> shape(0, 4);
    int steps = 0;
    for (int round = 0; round < 12; ++round) {
        int c0 = idx(rng), c1 = idx(rng), f0 = idx(rng), f1 = idx(rng);
        if (c0 > c1) {
            std::swap(c0, c1);
        }
        if (f0 > f1) {
            std::swap(f0, f1);
        }
        int rule = principles[pick(rng)];
        if (coin(rng)) {
            rule |= DPR_THICKNESS;
        }
        g_dFillPerMetre = 1.5;
        g_dSoilRatio = 40;
        g_dRockRatio = 60;
        p.ClearSelection();
        p.Select(c0, c1);
        p.Select(f0, f1);
        YDPSelection sel;
        switch (shape(rng)) {
        case 0:
        case 1:
            sel = YDPSelection::Haul(&p.Doc(), c0, c1, f0, f1);
            break;
        case 2:
            sel = YDPSelection::Borrow(&p.Doc(), 0, f0, f1);
            break;
        case 3:
            sel = YDPSelection::Waste(&p.Doc(), c0, c1, 0);
            rule |= coin(rng) ? DPR_UNUSABLE : 0;
            break;
        default:
            rule = DPR_LOCAL | (coin(rng) ? DPR_UNUSABLE : 0);
            sel = coin(rng) ? YDPSelection::LocalCut(&p.Doc(), c0, c1)
                            : YDPSelection::LocalFill(&p.Doc(), f0, f1);
        }
        const RunResult r = RunRule(rule, sel);
        ASSERT_NE(r.strategy, QStringLiteral("-")) << "rule " << rule;
        steps += r.recorded ? 1 : 0;
        const DPState now = ReadState(p.Doc());
        ExpectConserved(p.Doc(), prev, now);
        if (HasFailure()) {
            FAIL() << "seed " << GetParam() << " round " << round << " "
                   << r.strategy.toStdString();
        }
        prev = now;
    }
    if (steps == 0) {
        return;
    }
    ASSERT_TRUE(YHistory::Undo(p.Doc(), steps, 1));
    ExpectSameQuantities(ReadState(p.Doc()), start);
    ASSERT_TRUE(YHistory::Redo(p.Doc(), 1, steps));
    ExpectSameQuantities(ReadState(p.Doc()), prev);
}

INSTANTIATE_TEST_SUITE_P(Seeds, DPConservationTest,
                         ::testing::Values(1u, 7u, 42u, 114u, 296u, 2024u));

} // namespace
