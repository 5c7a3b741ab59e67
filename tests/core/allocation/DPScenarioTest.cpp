// Strategy runs as scenarios: a road (and, for cross-project hauls, a second one), a sequence of
// invocations, and for each the transfers it must record in log order, source to destination,
// compacted soil and rock, worked out by hand from the segment data. Every invocation is also
// checked against the ledger (conservation class by class), a refused one must leave the file as
// it was, and the last recorded step is undone and redone exactly.
//
// Class 2 (soil) has the coefficient 1.16 and class 4 (rock) 0.92, so 116 natural of class 2 and
// 92 natural of class 4 are each 100 compacted.
#include "DPLedger.h"

#include "core/allocation/YDPRule.h"
#include "core/document/YDocManager.h"
#include "core/process/YHistory.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>

namespace {

using namespace dalvex::test;

constexpr std::array<double, 6> Use(double soil2, double rock4) {
    return {0, soil2, 0, rock4, 0, 0};
}
constexpr std::array<double, 6> kSoil2Rock4 = {0, 100, 0, 100, 0, 0}; // pit shares, %
constexpr std::array<double, 6> kEven = {10, 20, 20, 30, 10, 10};

// Where a transfer comes from: a segment by its start station, or a borrow pit by its number.
struct Src {
    double sta = 0.0;
    int pit = 0;
};
constexpr Src Cut(double sta) {
    return {sta, 0};
}
constexpr Src Pit(int no) {
    return {0.0, no};
}

struct Move {
    Src from;
    double to = 0.0; // destination segment start
    double soil = 0.0;
    double rock = 0.0;
};

struct PitSpec {
    double road, front, back;
    std::array<double, 6> shares;
    double soil, rock;
};

enum class Shape { Haul, Borrow, Cross };

// The allocation settings an invocation runs with.
struct Settings {
    double perMetre = 0.0;
    double soilRatio = 50.0;
    double rockRatio = 50.0;
};

struct Invocation {
    Shape shape = Shape::Haul;
    int a = 0, b = 0, c = 0, d = 0; // cut run a..b (or pit a) and fill run c..d
    std::vector<Move> moves;        // the transfers, in log order; none: refused, nothing recorded
    std::optional<QStringList> messages{}; // what the user is told, when checked
    std::optional<Settings> settings{};    // changed before this invocation
    const char* strategy = nullptr;        // rule name, when checked

    Invocation Told(QStringList texts) const {
        Invocation r = *this;
        r.messages = std::move(texts);
        return r;
    }
    Invocation With(Settings s) const {
        Invocation r = *this;
        r.settings = s;
        return r;
    }
    Invocation As(const char* name) const {
        Invocation r = *this;
        r.strategy = name;
        return r;
    }
};

Invocation Haul(int c0, int c1, int f0, int f1, std::vector<Move> moves = {}) {
    return {Shape::Haul, c0, c1, f0, f1, std::move(moves)};
}
Invocation Borrow(int pit, int f0, int f1, std::vector<Move> moves = {}) {
    return {Shape::Borrow, pit, pit, f0, f1, std::move(moves)};
}
Invocation Cross(int c0, int c1, int f0, int f1, std::vector<Move> moves = {}) {
    return {Shape::Cross, c0, c1, f0, f1, std::move(moves)};
}

SegSpec Surplus(double soil2, double rock4) {
    return {.use = Use(soil2, rock4)};
}
SegSpec Fill(double fill) {
    return {.fill = fill};
}

struct Scenario {
    const char* name;
    int rule;
    Settings settings;
    std::vector<SegSpec> road;  // 20 m segments from K0+000
    std::vector<SegSpec> other; // the neighbouring project's road, for cross-project hauls
    std::vector<PitSpec> pits;
    std::vector<Invocation> runs;
    double tol = 1e-6;
};

Scenario Row(const char* name, int rule, Settings settings, std::vector<SegSpec> road,
             std::vector<SegSpec> other, std::vector<PitSpec> pits, std::vector<Invocation> runs,
             double tol = 1e-6) {
    return {
        name, rule, settings, std::move(road), std::move(other), std::move(pits), std::move(runs),
        tol};
}

void PrintTo(const Scenario& s, std::ostream* os) {
    *os << s.name;
}

void Apply(const Settings& s) {
    g_dFillPerMetre = s.perMetre;
    g_dSoilRatio = s.soilRatio;
    g_dRockRatio = s.rockRatio;
}

class DPScenario : public DPSettingsTest, public ::testing::WithParamInterface<Scenario> {
  protected:
    void SetUp() override {
        DPSettingsTest::SetUp();
        const Scenario& s = GetParam();
        if (s.other.empty()) {
            a = std::make_unique<TestProject>(dir.Path(QStringLiteral("a.dvx")), io);
            a->AddLine(0, 20, s.road);
        } else {
            OpenLinkedProjects(mgr, dir, io, s.road, s.other, a, b);
            ASSERT_TRUE(b->Load());
        }
        for (const PitSpec& p : s.pits) {
            a->AddBorrowPit(p.road, p.front, p.back, p.shares, p.soil, p.rock);
        }
        ASSERT_TRUE(a->Load());
        Apply(s.settings);
    }

    struct Both {
        DPState a;
        DPState b;
    };
    Both State() { return {ReadState(a->Doc()), b ? ReadState(b->Doc()) : DPState{}}; }

    bool Run(int rule, const Invocation& r) {
        a->ClearSelection();
        if (b) {
            b->ClearSelection();
        }
        switch (r.shape) {
        case Shape::Haul:
            a->Select(std::min(r.a, r.c), std::max(r.b, r.d));
            return Checked(rule, r, YDPSelection::Haul(&a->Doc(), r.a, r.b, r.c, r.d));
        case Shape::Borrow:
            a->Select(r.c, r.d);
            return Checked(rule, r, YDPSelection::Borrow(&a->Doc(), r.a, r.c, r.d));
        case Shape::Cross:
            a->Select(r.a, r.b);
            b->Select(r.c, r.d);
            return Checked(rule, r,
                           YDPSelection::Cross(&a->Doc(), r.a, r.b, 0, &b->Doc(), r.c, r.d, 0));
        }
        return false;
    }

    bool Checked(int rule, const Invocation& r, const YDPSelection& sel) {
        const RunResult result = RunRule(rule, sel);
        if (r.strategy != nullptr) {
            EXPECT_EQ(result.strategy, QString::fromUtf8(r.strategy));
        }
        return result.recorded;
    }

    // The transfers that step `step` recorded, in log order. Across projects an exit record of
    // A and an entry record of B pair up one to one, with the same amounts.
    std::vector<Move> Moves(const Both& s, int step) {
        std::vector<Move> out;
        if (!b) {
            for (const LoggedProcess& p : s.a.Applied()) {
                if (p.step == step) {
                    EXPECT_EQ(p.kind, p.srcPit != 0 ? DpKind::Borrow : DpKind::Haul);
                    EXPECT_EQ(p.seq, int(out.size()) + 1); // numbered in log order
                    out.push_back({{p.src1, p.srcPit}, p.dst1, p.Moved(1), p.Moved(3)});
                }
            }
            return out;
        }
        const auto exits = s.a.Applied();
        const auto entries = s.b.Applied();
        EXPECT_EQ(exits.size(), entries.size());
        for (size_t i = 0; i < std::min(exits.size(), entries.size()); ++i) {
            const LoggedProcess& e = exits[i];
            const LoggedProcess& n = entries[i];
            EXPECT_EQ(e.kind, DpKind::Out);
            EXPECT_EQ(n.kind, DpKind::In);
            EXPECT_EQ(e.step, n.step);
            EXPECT_EQ(e.seq, n.seq);
            EXPECT_NEAR(e.Moved(1), n.Moved(1), 1e-6) << i;
            EXPECT_NEAR(e.Moved(3), n.Moved(3), 1e-6) << i;
            if (e.step == step) {
                EXPECT_EQ(e.seq, int(out.size()) + 1);
                out.push_back({{e.src1, 0}, n.dst1, n.Moved(1), n.Moved(3)});
            }
        }
        return out;
    }

    void ExpectSameQuantities(const Both& x, const Both& y) {
        dalvex::test::ExpectSameQuantities(x.a, y.a);
        if (b) {
            dalvex::test::ExpectSameQuantities(x.b, y.b);
        }
    }

    ScratchDir dir;
    YRecordingUserIO io;
    YDocManager mgr{io};
    std::unique_ptr<TestProject> a;
    std::unique_ptr<TestProject> b;
};

TEST_P(DPScenario, RecordsTheTransfersWorkedOutByHand) {
    const Scenario& s = GetParam();
    Both prev = State();
    Both beforeLast, afterLast;
    int step = 0;
    for (size_t i = 0; i < s.runs.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "invocation " << i + 1);
        const Invocation& r = s.runs[i];
        if (r.settings) {
            Apply(*r.settings);
        }
        io.Clear();
        const bool recorded = !r.moves.empty();
        ASSERT_EQ(Run(s.rule, r), recorded) << io.Texts().join(u'|').toStdString();
        const Both now = State();
        ExpectConserved(a->Doc(), prev.a, now.a);
        if (b) {
            ExpectConserved(b->Doc(), prev.b, now.b);
        }
        if (r.messages) {
            EXPECT_EQ(io.Texts(), *r.messages);
        }
        if (!recorded) {
            EXPECT_EQ(now.a.log.size(), prev.a.log.size());
            ExpectSameQuantities(now, prev);
            continue;
        }
        const std::vector<Move> got = Moves(now, ++step);
        ASSERT_EQ(got.size(), r.moves.size());
        for (size_t k = 0; k < got.size(); ++k) {
            const Move& want = r.moves[k];
            EXPECT_EQ(got[k].from.pit, want.from.pit) << "transfer " << k + 1;
            if (want.from.pit == 0) {
                EXPECT_EQ(got[k].from.sta, want.from.sta) << "transfer " << k + 1;
            }
            EXPECT_EQ(got[k].to, want.to) << "transfer " << k + 1;
            EXPECT_NEAR(got[k].soil, want.soil, s.tol) << "soil of transfer " << k + 1;
            EXPECT_NEAR(got[k].rock, want.rock, s.tol) << "rock of transfer " << k + 1;
        }
        beforeLast = prev;
        afterLast = now;
        prev = now;
    }
    if (step == 0) {
        return;
    }
    ASSERT_TRUE(YHistory::Undo(a->Doc(), step, step)) << io.Texts().join(u'|').toStdString();
    ExpectSameQuantities(State(), beforeLast);
    ASSERT_TRUE(YHistory::Redo(a->Doc(), step, step));
    ExpectSameQuantities(State(), afterLast);
}

const QString kNoSoil = QStringLiteral("所选取土坑已经没有土方。");
const QString kNoRock = QStringLiteral("所选取土坑已经没有石方。");

// Soil first from two cuts into two fills: cut 1 (30 natural) then cut 0 close fill 2,
// cut 0's soil goes on into fill 3 and its rock makes up the rest.
const double kSoil1 = 30 / 1.16;           // all of cut 1
const double kSoil0 = 30 - kSoil1;         // the rest of fill 2, from cut 0
const double kSoil0b = 50 / 1.16 - kSoil0; // what cut 0 has left for fill 3
// A pit of 50 rock shared 30:10:10 over classes 4-6 (coefficients 0.92, 0.88, 0.84).
const double kPitRock = 50 * (0.6 / 0.92 + 0.2 / 0.88 + 0.2 / 0.84);

INSTANTIATE_TEST_SUITE_P(
    Strategies, DPScenario,
    ::testing::Values(
        // Soil first: innermost pairs first, soil before rock, each transfer sized to the need.
        Row("SoilFirstInnermostPairsSoilBeforeRock", DPR_SOIL_FIRST, {},
            {{.use = {0, 50, 0, 40, 0, 0}}, Surplus(30, 0), Fill(30), Fill(60)}, {}, {},
            {Haul(0, 1, 2, 3,
                  {{Cut(20), 40, kSoil1, 0},
                   {Cut(0), 40, kSoil0, 0},
                   {Cut(0), 60, kSoil0b, 0},
                   {Cut(0), 60, 0, 60 - kSoil0b}})
                 .As("远运利用土方优先")}),
        // Cut ratio 60/40: the nearest cut lacks rock, so the fill's rock is made up from the
        // next cut.
        Row("CutRatioMakesUpRockFromTheNextCut", DPR_CUT_RATIO, {0, 60, 40},
            {Surplus(0, 92), Surplus(116, 0), Fill(100)}, {}, {},
            {Haul(0, 1, 2, 2, {{Cut(20), 40, 60, 0}, {Cut(0), 40, 0, 40}})}),
        // Cut ratio on a cut without rock: refused unless the rock share is 0; shares not adding
        // up to 100 are refused as well.
        Row("CutRatioNeedsRockAndSharesOfAHundred", DPR_CUT_RATIO, {}, {Surplus(50, 0), Fill(30)},
            {}, {},
            {Haul(0, 0, 1, 1).Told({QStringLiteral("所选挖方段落没有石方!")}),
             Haul(0, 0, 1, 1, {{Cut(0), 20, 30, 0}}).With({0, 100, 0}).Told({}),
             Haul(0, 0, 1, 1)
                 .With({0, 70, 0})
                 .Told({QStringLiteral("请先输入正确的填土和填石的比例!")})}),
        // Fill ratio 50/50 on a fill that already holds 80 rock of its 100: the soil need grows
        // by the rock beyond its share (50 + 30), but only the 20 still missing arrive.
        Row("FillRatioNeverOverfills", DPR_FILL_RATIO, {0, 0, 100},
            {Surplus(0, 73.6), Surplus(580, 0), Fill(100)}, {}, {},
            {Haul(0, 0, 2, 2, {{Cut(0), 40, 0, 80}}),
             Haul(1, 1, 2, 2, {{Cut(20), 40, 20, 0}}).With({0, 50, 50})}),
        // Fill ratio 50/50: the soil pass stops at each fill's soil share, the rock pass fills
        // the rest.
        Row("FillRatioSharesEachFill", DPR_FILL_RATIO, {},
            {Surplus(200, 0), Surplus(0, 200), Fill(100), Fill(100)}, {}, {},
            {Haul(0, 1, 2, 3,
                  {{Cut(0), 40, 50, 0},
                   {Cut(0), 60, 50, 0},
                   {Cut(20), 40, 0, 50},
                   {Cut(20), 60, 0, 50}})}),
        // Thickness 10 m³/m on 20 m segments: at most 200 per fill over any number of
        // invocations; a fill needing less is filled completely. Without a thickness the rule
        // is refused.
        Row("ThicknessOverSeveralInvocations", DPR_SOIL_FIRST | DPR_THICKNESS, {10},
            {Surplus(116, 0), Surplus(1160, 0), Fill(500), Fill(150)}, {}, {},
            {Haul(0, 1, 2, 3, {{Cut(20), 40, 200, 0}, {Cut(20), 60, 150, 0}}), Haul(0, 1, 2, 3),
             Haul(0, 1, 2, 3).With({0}).Told({QStringLiteral("请先输入正确的填方厚度!")})}),
        // Haul, cut ratio 60/40, target 5 × 20 = 100. The first cut holds 30 soil: the balanced
        // quotas are 30 soil / 20 rock, so half the target arrives, 60:40. A rich cut tops up
        // exactly the missing 50; a third invocation finds nothing to fill.
        Row("ThicknessHaulCutRatioStopsAtTarget", DPR_CUT_RATIO | DPR_THICKNESS, {5, 60, 40},
            {Surplus(34.8, 184), Surplus(232, 184), Fill(500)}, {}, {},
            {Haul(0, 0, 2, 2, {{Cut(0), 40, 30, 20}}), Haul(1, 1, 2, 2, {{Cut(20), 40, 30, 20}}),
             Haul(0, 1, 2, 2)}),
        // The nearest cut has no rock: the 40 rock of the target's 60:40 comes from the far
        // cut, and nothing beyond the target moves although both cuts hold 200.
        Row("ThicknessHaulCutRatioMakeUpStopsAtTarget", DPR_CUT_RATIO | DPR_THICKNESS, {5, 60, 40},
            {Surplus(0, 184), Surplus(232, 0), Fill(500)}, {}, {},
            {Haul(0, 1, 2, 2, {{Cut(20), 40, 60, 0}, {Cut(0), 40, 0, 40}})}),
        // Haul, fill ratio 50/50, target 100. The first invocation has only 20 soil: the soil
        // share is not reached, the rock share is. The second brings just the missing 30 soil.
        Row("ThicknessHaulFillRatioTopsUpTheShares", DPR_FILL_RATIO | DPR_THICKNESS, {5},
            {Surplus(23.2, 0), Surplus(0, 184), Surplus(232, 0), Fill(300)}, {}, {},
            {Haul(0, 1, 3, 3, {{Cut(0), 60, 20, 0}, {Cut(20), 60, 0, 50}}),
             Haul(1, 2, 3, 3, {{Cut(40), 60, 30, 0}}), Haul(1, 2, 3, 3)}),
        // First all rock up to a target of 80. Then, target 100 half soil: the soil need grows
        // by the rock excess (50 + 30) but only 20 fits under the target; the fill needing
        // 100 reaches 0 exactly.
        Row("ThicknessHaulFillRatioCappedAtTargetAndNeed", DPR_FILL_RATIO | DPR_THICKNESS,
            {4, 0, 100}, {Surplus(0, 184), Surplus(232, 0), Fill(300), Fill(100)}, {}, {},
            {Haul(0, 1, 2, 3, {{Cut(0), 40, 0, 80}, {Cut(0), 60, 0, 80}}),
             Haul(0, 1, 2, 3, {{Cut(20), 40, 20, 0}, {Cut(20), 60, 20, 0}}).With({5})}),
        // Borrow, cut ratio 60/40, target 100 per fill. Pit 1 holds only 30 soil: the first
        // fill gets 30 soil and, to keep the ratio, 20 rock. Pit 2 tops it up and gives the
        // second fill its 100.
        Row("ThicknessBorrowCutRatioLimitedByPitContents", DPR_CUT_RATIO | DPR_THICKNESS,
            {5, 60, 40}, {Fill(500), Fill(500)}, {},
            {{0, -20, 0, kSoil2Rock4, 34.8, 184}, {0, -20, 0, kSoil2Rock4, 232, 184}},
            {Borrow(0, 0, 1, {{Pit(1), 0, 30, 20}}).Told({kNoSoil}),
             Borrow(1, 0, 1, {{Pit(2), 0, 30, 20}, {Pit(2), 20, 60, 40}}), Borrow(1, 0, 1)}),
        // Borrow, fill ratio 50/50, target 100. Pit 1 has 20 soil: the soil pass stops with the
        // pit's message, the rock pass brings the rock share. Pit 2 gives only the 30 soil
        // missing.
        Row("ThicknessBorrowFillRatioLimitedByPitContents", DPR_FILL_RATIO | DPR_THICKNESS, {5},
            {Fill(300)}, {},
            {{0, -20, 0, kSoil2Rock4, 23.2, 184}, {0, -20, 0, kSoil2Rock4, 232, 184}},
            {Borrow(0, 0, 0, {{Pit(1), 0, 20, 0}, {Pit(1), 0, 0, 50}}).Told({kNoSoil}),
             Borrow(1, 0, 0, {{Pit(2), 0, 30, 0}}), Borrow(1, 0, 0)}),
        // Borrow soil first from a pit holding only rock: the soil pass reports that the pit
        // has no soil, the rock pass fills those nearest to the pit first until the rock runs
        // out.
        Row("BorrowSoilFirstFromARockPit", DPR_SOIL_FIRST, {}, {Fill(30), Fill(30), Fill(30)}, {},
            {{70, 0, 60, kEven, 0, 50}},
            {Borrow(0, 0, 2, {{Pit(1), 40, 0, 30}, {Pit(1), 20, 0, kPitRock - 30}})
                 .Told({kNoSoil, kNoRock})
                 .As("借方土方优先")},
            1e-5),
        // Borrow by ratio: each transfer keeps the ratio; a pit short of rock lowers the soil too.
        Row("BorrowCutRatioKeepsTheRatio", DPR_CUT_RATIO, {}, {Fill(100)}, {},
            {{10, 0, 20, {100, 0, 0, 100, 0, 0}, 1000, 0.92 * 20}},
            {Borrow(0, 0, 0, {{Pit(1), 0, 20, 20}}).Told({kNoRock})}, 1e-5),
        // Across projects, cut ratio 50/50, target 2 × 20 = 40 per fill. Cut A0 has 30 soil:
        // quotas 30/30, B0 gets 20 + 20, B1 the last 10 + 10. Cut A1 tops B1 up by 10 + 10 only.
        Row("ThicknessCrossCutRatioStopsAtTarget", DPR_CUT_RATIO | DPR_THICKNESS, {2},
            {Surplus(34.8, 92), Surplus(116, 92)}, {Fill(300), Fill(300)}, {},
            {Cross(0, 0, 0, 1, {{Cut(0), 0, 20, 20}, {Cut(0), 20, 10, 10}}),
             Cross(1, 1, 0, 1, {{Cut(20), 20, 10, 10}}), Cross(0, 1, 0, 1)}),
        // Across projects, fill ratio 50/50, target 100: first A0's 20 soil and 50 of A1's rock,
        // then only the 30 soil still missing, from A2.
        Row("ThicknessCrossFillRatioTopsUp", DPR_FILL_RATIO | DPR_THICKNESS, {5},
            {Surplus(23.2, 0), Surplus(0, 92), Surplus(116, 0)}, {Fill(300)}, {},
            {Cross(0, 1, 0, 0, {{Cut(0), 0, 20, 0}, {Cut(20), 0, 0, 50}}),
             Cross(1, 2, 0, 0, {{Cut(40), 0, 30, 0}}), Cross(1, 2, 0, 0)})),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
