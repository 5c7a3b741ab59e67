#include "DPProject.h"

#include "core/allocation/YDPRule.h"
#include "core/document/YDocManager.h"
#include "core/process/DpKind.h"
#include "core/process/YHistory.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

// The 填到指定厚度 variants of the ratio rules: every fill stops at length × 每米最大填方量
// (compacted) over any number of invocations, and the soil and rock reaching it follow the
// ratio setting. All expected amounts below are worked out by hand from the segment data; the
// class coefficients are 1.16 for class 2 (soil) and 0.92 for class 4 (rock), so 116 natural of
// class 2 and 92 natural of class 4 are each 100 compacted.

namespace {

using namespace dptest;

constexpr std::array<double, 6> Use(double soil2, double rock4) {
    return {0, soil2, 0, rock4, 0, 0};
}
constexpr std::array<double, 6> kSoil2Rock4 = {0, 100, 0, 100, 0, 0}; // pit shares, %

// Compacted soil and rock delivered to the segment starting at dstStart by the applied
// processes of one step (all steps when step is 0).
struct Delivered {
    double soil = 0.0;
    double rock = 0.0;
    int count = 0;
};

Delivered DeliveredTo(const DPState& s, double dstStart, int step = 0) {
    Delivered d;
    for (const LoggedProcess& p : s.Applied()) {
        if (p.dst1 == dstStart && (step == 0 || p.step == step)) {
            d.soil += p.Moved(1);
            d.rock += p.Moved(3);
            ++d.count;
        }
    }
    return d;
}

void ExpectDelivered(const DPState& s, double dstStart, int step, double soil, double rock) {
    const Delivered d = DeliveredTo(s, dstStart, step);
    EXPECT_NEAR(d.soil, soil, 1e-6) << "soil to " << dstStart << " in step " << step;
    EXPECT_NEAR(d.rock, rock, 1e-6) << "rock to " << dstStart << " in step " << step;
}

class DPThicknessTest : public DPSettingsTest {
  protected:
    // Runs rule on sel after selecting exactly the given runs, as a fresh rectangle selection.
    bool Run(int rule, const YDPSelection& sel, int first, int last) {
        p.ClearSelection();
        p.Select(first, last);
        return RunRule(rule, sel).recorded;
    }

    // The file after a run, checked to be the change from prev that the new processes describe.
    DPState Checked(const DPState& prev) {
        DPState s = ReadState(p.Doc());
        ExpectConserved(p.Doc(), prev, s);
        return s;
    }

    // Undoing the last step gives back `before` exactly; redoing it gives back `after`.
    void ExpectUndoRedo(int step, const DPState& before, const DPState& after) {
        ASSERT_TRUE(YHistory::Undo(p.Doc(), step, step));
        ExpectSameQuantities(ReadState(p.Doc()), before);
        ASSERT_TRUE(YHistory::Redo(p.Doc(), step, step));
        ExpectSameQuantities(ReadState(p.Doc()), after);
    }

    dalvex::test::ScratchDir dir;
    YRecordingUserIO io;
    DPProject p{dir.Path(QStringLiteral("a.dvx")), io};
};

// Haul, cut ratio 60/40, target 5 × 20 = 100. The first cut holds 30 soil: the balanced quotas
// are 30 soil / 20 rock, so half the target arrives, 60:40. The second invocation from a rich
// cut tops up exactly the missing 50 (30 + 20); a third finds nothing to fill.
TEST_F(DPThicknessTest, HaulCutRatioStopsAtTarget) {
    g_dFillPerMetre = 5;
    g_dSoilRatio = 60;
    g_dRockRatio = 40;
    p.AddLine(0, 20, {{.use = Use(34.8, 184)}, {.use = Use(232, 184)}, {.fill = 500}});
    p.Load();
    const int rule = DPR_CUT_RATIO | DPR_THICKNESS;
    const DPState s0 = ReadState(p.Doc());

    ASSERT_TRUE(Run(rule, YDPSelection::Haul(&p.Doc(), 0, 0, 2, 2), 0, 2));
    const DPState s1 = Checked(s0);
    ASSERT_EQ(s1.Applied().size(), 1u);
    ExpectDelivered(s1, 40, 1, 30, 20);
    EXPECT_NEAR(s1.fill[2], 450, 1e-6);
    EXPECT_NEAR(s1.usable[0][7], 184 - 20 * 0.92, 1e-6); // rock held back by the quota

    ASSERT_TRUE(Run(rule, YDPSelection::Haul(&p.Doc(), 1, 1, 2, 2), 0, 2));
    const DPState s2 = Checked(s1);
    ASSERT_EQ(s2.Applied().size(), 2u);
    ExpectDelivered(s2, 40, 2, 30, 20); // the remainder 50, again 60:40
    EXPECT_NEAR(s2.fill[2], 400, 1e-6);
    EXPECT_NEAR(s2.usable[1][5], 232 - 30 * 1.16, 1e-6);
    EXPECT_NEAR(s2.usable[1][7], 184 - 20 * 0.92, 1e-6);

    EXPECT_FALSE(Run(rule, YDPSelection::Haul(&p.Doc(), 0, 1, 2, 2), 0, 2));
    const DPState s3 = ReadState(p.Doc());
    EXPECT_EQ(s3.log.size(), s2.log.size());
    ExpectSameQuantities(s3, s2);
    ExpectDelivered(s3, 40, 0, 60, 40); // the target 100 in the set ratio

    ExpectUndoRedo(2, s1, s2);
}

// The nearest cut has no rock: the 40 rock of the target's 60:40 is made up from the far cut,
// and nothing beyond the target moves although both cuts hold 200.
TEST_F(DPThicknessTest, HaulCutRatioMakeUpStopsAtTarget) {
    g_dFillPerMetre = 5;
    g_dSoilRatio = 60;
    g_dRockRatio = 40;
    p.AddLine(0, 20, {{.use = Use(0, 184)}, {.use = Use(232, 0)}, {.fill = 500}});
    p.Load();
    const DPState s0 = ReadState(p.Doc());
    ASSERT_TRUE(Run(DPR_CUT_RATIO | DPR_THICKNESS, YDPSelection::Haul(&p.Doc(), 0, 1, 2, 2), 0, 2));
    const DPState s1 = Checked(s0);
    const auto log = s1.Applied();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].src1, 20.0);
    EXPECT_NEAR(log[0].Moved(1), 60, 1e-6);
    EXPECT_EQ(log[1].src1, 0.0);
    EXPECT_NEAR(log[1].Moved(3), 40, 1e-6);
    EXPECT_NEAR(s1.fill[2], 400, 1e-6);
}

// Haul, fill ratio 50/50, target 100. The first invocation has only 20 soil: the soil share
// (50) is not reached, the rock share (50) is. The second brings just the missing 30 soil and
// no rock; a third records nothing.
TEST_F(DPThicknessTest, HaulFillRatioTopsUpTheShares) {
    g_dFillPerMetre = 5;
    g_dSoilRatio = 50;
    g_dRockRatio = 50;
    p.AddLine(0, 20,
              {{.use = Use(23.2, 0)}, {.use = Use(0, 184)}, {.use = Use(232, 0)}, {.fill = 300}});
    p.Load();
    const int rule = DPR_FILL_RATIO | DPR_THICKNESS;
    const DPState s0 = ReadState(p.Doc());

    ASSERT_TRUE(Run(rule, YDPSelection::Haul(&p.Doc(), 0, 1, 3, 3), 0, 3));
    const DPState s1 = Checked(s0);
    ExpectDelivered(s1, 60, 1, 20, 50);
    EXPECT_NEAR(s1.fill[3], 230, 1e-6);

    ASSERT_TRUE(Run(rule, YDPSelection::Haul(&p.Doc(), 1, 2, 3, 3), 0, 3));
    const DPState s2 = Checked(s1);
    ExpectDelivered(s2, 60, 2, 30, 0);
    EXPECT_EQ(DeliveredTo(s2, 60, 2).count, 1);
    EXPECT_NEAR(s2.fill[3], 200, 1e-6);
    EXPECT_NEAR(s2.usable[1][7], 184 - 50 * 0.92, 1e-6); // rock left alone in step 2

    EXPECT_FALSE(Run(rule, YDPSelection::Haul(&p.Doc(), 1, 2, 3, 3), 0, 3));
    const DPState s3 = ReadState(p.Doc());
    EXPECT_EQ(s3.log.size(), s2.log.size());
    ExpectSameQuantities(s3, s2);

    ExpectUndoRedo(2, s1, s2);
}

// A fill already holding more rock than its share: the soil need grows by the excess
// (g_s − g_r = 50 + 30 = 80) but only T − P = 20 fits under the target. One fill needs 300 (the
// target binds), the other exactly 100 (its remaining need binds and reaches 0, not below).
TEST_F(DPThicknessTest, HaulFillRatioCappedAtTargetAndRemainingNeed) {
    p.AddLine(0, 20, {{.use = Use(0, 184)}, {.use = Use(232, 0)}, {.fill = 300}, {.fill = 100}});
    p.Load();
    const int rule = DPR_FILL_RATIO | DPR_THICKNESS;
    const DPState s0 = ReadState(p.Doc());
    g_dFillPerMetre = 4; // target 80, all rock
    g_dSoilRatio = 0;
    g_dRockRatio = 100;
    ASSERT_TRUE(Run(rule, YDPSelection::Haul(&p.Doc(), 0, 1, 2, 3), 0, 3));
    const DPState s1 = Checked(s0);
    ExpectDelivered(s1, 40, 1, 0, 80);
    ExpectDelivered(s1, 60, 1, 0, 80);

    g_dFillPerMetre = 5; // target 100, half soil
    g_dSoilRatio = 50;
    g_dRockRatio = 50;
    ASSERT_TRUE(Run(rule, YDPSelection::Haul(&p.Doc(), 0, 1, 2, 3), 0, 3));
    const DPState s2 = Checked(s1);
    ExpectDelivered(s2, 40, 2, 20, 0);
    ExpectDelivered(s2, 60, 2, 20, 0);
    EXPECT_NEAR(s2.fill[2], 200, 1e-6);
    EXPECT_NEAR(s2.fill[3], 0, 1e-6);
    EXPECT_GE(s2.fill[3], -1e-9);
    for (const YTFItem& seg : p->Segments()) {
        EXPECT_GE(seg.m_dRemFill, -1e-9);
    }
}

// Borrow, cut ratio 60/40, target 100 per fill. Pit 0 holds only 30 soil: the first fill gets
// 30 soil and, to keep the ratio, 20 rock; the pit is then out of soil (message). Pit 1 tops the
// first fill up by 50 and gives the second its 100; a third invocation records nothing.
TEST_F(DPThicknessTest, BorrowCutRatioLimitedByPitContents) {
    g_dFillPerMetre = 5;
    g_dSoilRatio = 60;
    g_dRockRatio = 40;
    p.AddLine(0, 20, {{.fill = 500}, {.fill = 500}});
    p.AddBorrowPit(0, -20, 0, kSoil2Rock4, 34.8, 184);
    p.AddBorrowPit(0, -20, 0, kSoil2Rock4, 232, 184);
    p.Load();
    const int rule = DPR_CUT_RATIO | DPR_THICKNESS;
    const DPState s0 = ReadState(p.Doc());

    ASSERT_TRUE(Run(rule, YDPSelection::Borrow(&p.Doc(), 0, 0, 1), 0, 1));
    const DPState s1 = Checked(s0);
    ASSERT_EQ(s1.Applied().size(), 1u);
    EXPECT_EQ(s1.Applied()[0].kind, DpKind::Borrow);
    ExpectDelivered(s1, 0, 1, 30, 20);
    ExpectDelivered(s1, 20, 1, 0, 0);
    EXPECT_NEAR(s1.borrowSoil[0], 0, 1e-6);
    EXPECT_NEAR(s1.borrowRock[0], 184 - 20 * 0.92, 1e-6);
    EXPECT_EQ(io.Texts(), QStringList{QStringLiteral("所选取土坑已经没有土方。")});

    ASSERT_TRUE(Run(rule, YDPSelection::Borrow(&p.Doc(), 1, 0, 1), 0, 1));
    const DPState s2 = Checked(s1);
    ExpectDelivered(s2, 0, 2, 30, 20);
    ExpectDelivered(s2, 20, 2, 60, 40);
    EXPECT_NEAR(s2.fill[0], 400, 1e-6);
    EXPECT_NEAR(s2.fill[1], 400, 1e-6);
    EXPECT_NEAR(s2.borrowSoil[1], 232 - 90 * 1.16, 1e-6);
    EXPECT_NEAR(s2.borrowRock[1], 184 - 60 * 0.92, 1e-6);

    EXPECT_FALSE(Run(rule, YDPSelection::Borrow(&p.Doc(), 1, 0, 1), 0, 1));
    ExpectSameQuantities(ReadState(p.Doc()), s2);
    EXPECT_EQ(ReadState(p.Doc()).log.size(), s2.log.size());

    ExpectUndoRedo(2, s1, s2);
}

// Borrow, fill ratio 50/50, target 100. Pit 0 has 20 soil: soil pass stops with the pit's
// message, rock pass brings the rock share 50. Pit 1 then gives only the 30 soil missing.
TEST_F(DPThicknessTest, BorrowFillRatioLimitedByPitContents) {
    g_dFillPerMetre = 5;
    g_dSoilRatio = 50;
    g_dRockRatio = 50;
    p.AddLine(0, 20, {{.fill = 300}});
    p.AddBorrowPit(0, -20, 0, kSoil2Rock4, 23.2, 184);
    p.AddBorrowPit(0, -20, 0, kSoil2Rock4, 232, 184);
    p.Load();
    const int rule = DPR_FILL_RATIO | DPR_THICKNESS;
    const DPState s0 = ReadState(p.Doc());

    ASSERT_TRUE(Run(rule, YDPSelection::Borrow(&p.Doc(), 0, 0, 0), 0, 0));
    const DPState s1 = Checked(s0);
    ExpectDelivered(s1, 0, 1, 20, 50);
    EXPECT_NEAR(s1.borrowSoil[0], 0, 1e-6);
    EXPECT_NEAR(s1.borrowRock[0], 184 - 50 * 0.92, 1e-6);
    EXPECT_EQ(io.Texts(), QStringList{QStringLiteral("所选取土坑已经没有土方。")});

    ASSERT_TRUE(Run(rule, YDPSelection::Borrow(&p.Doc(), 1, 0, 0), 0, 0));
    const DPState s2 = Checked(s1);
    ExpectDelivered(s2, 0, 2, 30, 0);
    EXPECT_NEAR(s2.fill[0], 200, 1e-6);
    EXPECT_NEAR(s2.borrowSoil[1], 232 - 30 * 1.16, 1e-6);
    EXPECT_NEAR(s2.borrowRock[1], 184, 1e-6);

    EXPECT_FALSE(Run(rule, YDPSelection::Borrow(&p.Doc(), 1, 0, 0), 0, 0));
    ExpectSameQuantities(ReadState(p.Doc()), s2);

    ExpectUndoRedo(2, s1, s2);
}

// Two open projects: A's cut run ends at its exit port K0+040 or K0+060, B's fill run starts at
// its entry port K0+000.
class DPThicknessCrossTest : public DPSettingsTest {
  protected:
    void Open(const std::vector<SegSpec>& cuts, const std::vector<SegSpec>& fills) {
        const QString pa = dir.Path(QStringLiteral("a.dvx"));
        const QString pb = dir.Path(QStringLiteral("b.dvx"));
        DPProject::CreateFile(pa, io, QStringLiteral("{a0000000-0000-0000-0000-00000000000a}"),
                              QStringLiteral("甲线"));
        DPProject::CreateFile(pb, io, QStringLiteral("{b0000000-0000-0000-0000-00000000000b}"),
                              QStringLiteral("乙线"));
        a = std::make_unique<DPProject>(mgr.OpenDocumentFile(pa));
        b = std::make_unique<DPProject>(mgr.OpenDocumentFile(pb));
        a->AddLine(0, 20, cuts);
        b->AddLine(0, 20, fills);
        const double exitSta = 20.0 * double(cuts.size());
        a->AddLink(1, exitSta, 0, 15, *b);
        b->AddLink(1, 0, exitSta, 15, *a);
        a->Load();
        b->Load();
    }

    bool Run(int rule, int c0, int c1, int f0, int f1) {
        a->ClearSelection();
        b->ClearSelection();
        a->Select(c0, c1);
        b->Select(f0, f1);
        return RunRule(rule, YDPSelection::Cross(&a->Doc(), c0, c1, 0, &b->Doc(), f0, f1, 0))
            .recorded;
    }

    struct Both {
        DPState a;
        DPState b;
    };
    Both State() { return {ReadState(a->Doc()), ReadState(b->Doc())}; }

    // Exit and entry records pair up one to one and carry the same amounts.
    static void ExpectPairs(const Both& s) {
        const auto exits = s.a.Applied();
        const auto entries = s.b.Applied();
        ASSERT_EQ(exits.size(), entries.size());
        for (size_t i = 0; i < exits.size(); ++i) {
            EXPECT_EQ(exits[i].kind, DpKind::Out);
            EXPECT_EQ(entries[i].kind, DpKind::In);
            EXPECT_EQ(exits[i].step, entries[i].step);
            EXPECT_EQ(exits[i].seq, entries[i].seq);
            EXPECT_NEAR(exits[i].Moved(1), entries[i].Moved(1), 1e-6) << i;
            EXPECT_NEAR(exits[i].Moved(3), entries[i].Moved(3), 1e-6) << i;
        }
    }

    // Both files after a run: each conserved against prev, the records paired.
    Both Checked(const Both& prev) {
        Both s = State();
        ExpectConserved(a->Doc(), prev.a, s.a);
        ExpectConserved(b->Doc(), prev.b, s.b);
        ExpectPairs(s);
        return s;
    }

    void ExpectUndoRedo(int step, const Both& before, const Both& after) {
        ASSERT_TRUE(YHistory::Undo(a->Doc(), step, step))
            << io.Texts().join(QLatin1Char('|')).toStdString();
        ExpectSameQuantities(ReadState(a->Doc()), before.a);
        ExpectSameQuantities(ReadState(b->Doc()), before.b);
        ASSERT_TRUE(YHistory::Redo(a->Doc(), step, step));
        ExpectSameQuantities(ReadState(a->Doc()), after.a);
        ExpectSameQuantities(ReadState(b->Doc()), after.b);
    }

    dalvex::test::ScratchDir dir;
    YRecordingUserIO io;
    YDocManager mgr{io};
    std::unique_ptr<DPProject> a;
    std::unique_ptr<DPProject> b;
};

// Cut ratio 50/50, target 2 × 20 = 40 per fill. Cut A0 has 30 soil: quotas 30/30; fill B0 gets
// 20 + 20, B1 the last 10 + 10. Cut A1 then tops B1 up by 10 + 10 only.
TEST_F(DPThicknessCrossTest, CutRatioStopsAtTargetInBothProjects) {
    g_dFillPerMetre = 2;
    g_dSoilRatio = 50;
    g_dRockRatio = 50;
    Open({{.use = Use(34.8, 92)}, {.use = Use(116, 92)}}, {{.fill = 300}, {.fill = 300}});
    const int rule = DPR_CUT_RATIO | DPR_THICKNESS;
    const Both s0 = State();

    ASSERT_TRUE(Run(rule, 0, 0, 0, 1));
    const Both s1 = Checked(s0);
    ASSERT_EQ(s1.b.Applied().size(), 2u);
    ExpectDelivered(s1.b, 0, 1, 20, 20);
    ExpectDelivered(s1.b, 20, 1, 10, 10);
    EXPECT_NEAR(s1.a.usable[0][7], 92 - 30 * 0.92, 1e-6);

    ASSERT_TRUE(Run(rule, 1, 1, 0, 1));
    const Both s2 = Checked(s1);
    ExpectDelivered(s2.b, 0, 2, 0, 0);
    ExpectDelivered(s2.b, 20, 2, 10, 10);
    EXPECT_NEAR(s2.b.fill[0], 260, 1e-6);
    EXPECT_NEAR(s2.b.fill[1], 260, 1e-6);

    EXPECT_FALSE(Run(rule, 0, 1, 0, 1));
    EXPECT_EQ(ReadState(a->Doc()).log.size(), s2.a.log.size());
    EXPECT_EQ(ReadState(b->Doc()).log.size(), s2.b.log.size());

    ExpectUndoRedo(2, s1, s2);
}

// Fill ratio 50/50, target 100. First run: A0's 20 soil and 50 of A1's rock; second run: only
// the 30 soil still missing, from A2; a third records nothing in either project.
TEST_F(DPThicknessCrossTest, FillRatioTopsUpAcrossProjects) {
    g_dFillPerMetre = 5;
    g_dSoilRatio = 50;
    g_dRockRatio = 50;
    Open({{.use = Use(23.2, 0)}, {.use = Use(0, 92)}, {.use = Use(116, 0)}}, {{.fill = 300}});
    const int rule = DPR_FILL_RATIO | DPR_THICKNESS;
    const Both s0 = State();

    ASSERT_TRUE(Run(rule, 0, 1, 0, 0));
    const Both s1 = Checked(s0);
    ExpectDelivered(s1.b, 0, 1, 20, 50);
    EXPECT_NEAR(s1.b.fill[0], 230, 1e-6);

    ASSERT_TRUE(Run(rule, 1, 2, 0, 0));
    const Both s2 = Checked(s1);
    ExpectDelivered(s2.b, 0, 2, 30, 0);
    EXPECT_NEAR(s2.b.fill[0], 200, 1e-6);
    EXPECT_NEAR(s2.a.usable[1][7], 92 - 50 * 0.92, 1e-6);

    EXPECT_FALSE(Run(rule, 1, 2, 0, 0));
    EXPECT_EQ(ReadState(a->Doc()).log.size(), s2.a.log.size());
    EXPECT_EQ(ReadState(b->Doc()).log.size(), s2.b.log.size());

    ExpectUndoRedo(2, s1, s2);
}

} // namespace
