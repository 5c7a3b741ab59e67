#include "DPProject.h"

#include "core/allocation/YDPRule.h"
#include "core/model/YClassFilter.h"
#include "core/process/YHistory.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

using namespace dptest;

constexpr std::array<double, 6> Soil2(double v) {
    return {0, v, 0, 0, 0, 0};
}

class DPHaulTest : public DPSettingsTest {
  protected:
    dalvex::test::ScratchDir dir;
    YRecordingUserIO io;
    DPProject p{dir.Path(QStringLiteral("a.dvx")), io};
};

// Soil first over a cut run before a fill run: innermost pairs first, soil before rock, each
// transfer sized to the need, everything conserved and undone/redone exactly.
TEST_F(DPHaulTest, SoilFirstInnermostAndUndoRedo) {
    p.AddLine(
        0, 20,
        {{.use = {0, 50, 0, 40, 0, 0}}, {.use = {0, 30, 0, 0, 0, 0}}, {.fill = 30}, {.fill = 60}});
    p.Load();
    p.Select(0, 3);
    const DPState s0 = ReadState(p.Doc());
    const RunResult r = RunRule(DPR_SOIL_FIRST, YDPSelection::Haul(&p.Doc(), 0, 1, 2, 3));
    EXPECT_EQ(r.strategy, QStringLiteral("远运利用土方优先"));
    ASSERT_TRUE(r.recorded);
    const DPState s1 = ReadState(p.Doc());
    ExpectConserved(p.Doc(), s0, s1);

    const std::vector<LoggedProcess> log = s1.Applied();
    // Soil: cut 1 (30/1.16 compacted) into fill 2, then cut 0 completes fill 2 and part of 3;
    // rock pass: cut 0's rock into fill 3.
    ASSERT_GE(log.size(), 4u);
    EXPECT_EQ(log[0].src1, 20.0);
    EXPECT_EQ(log[0].dst1, 40.0);
    EXPECT_NEAR(log[0].Moved(1), 30.0 / 1.16, 1e-6); // all of cut 1's soil (below the need)
    EXPECT_EQ(log[1].src1, 0.0);
    EXPECT_EQ(log[1].dst1, 40.0);
    EXPECT_NEAR(log[1].FillMoved(), 30.0 - 30.0 / 1.16, 1e-6);
    for (size_t i = 0; i < log.size(); ++i) {
        EXPECT_EQ(log[i].step, 1);
        EXPECT_EQ(log[i].seq, int(i) + 1);
        EXPECT_EQ(log[i].kind, 0);
    }
    // All soil gone before any rock moved.
    EXPECT_EQ(log.back().Moved(1), 0.0);
    EXPECT_GT(log.back().Moved(3), 0.0);
    EXPECT_NEAR(s1.fill[2], 0.0, 1e-6);
    EXPECT_NEAR(s1.fill[3], 0.0, 1e-6); // 80 soil + 40 rock (natural) cover both fills
    EXPECT_EQ(log.size(), 4u);

    ASSERT_TRUE(YHistory::Undo(p.Doc(), 1, 1));
    ExpectSameQuantities(ReadState(p.Doc()), s0);
    ASSERT_TRUE(YHistory::Redo(p.Doc(), 1, 1));
    ExpectSameQuantities(ReadState(p.Doc()), s1);
}

// A fill range after the cut range that touches it (f0 = c1): the shared segment fills
// itself (kind 9) and the invocation then stops at the first pair of two segments.
TEST_F(DPHaulTest, WithinSegmentThenStop) {
    p.AddLine(0, 20, {{.use = Soil2(50)}, {.use = Soil2(20), .fill = 10}, {.fill = 40}});
    p.Load();
    p.Select(0, 2);
    const DPState s0 = ReadState(p.Doc());
    const YDPSelection sel = YDPSelection::Haul(&p.Doc(), 0, 1, 1, 2);
    ASSERT_TRUE(RunRule(DPR_SOIL_FIRST, sel).recorded);
    const DPState s1 = ReadState(p.Doc());
    ExpectConserved(p.Doc(), s0, s1);
    ASSERT_EQ(s1.Applied().size(), 1u);
    EXPECT_EQ(s1.Applied()[0].kind, 9);
    EXPECT_NEAR(s1.fill[1], 0.0, 1e-6);
    EXPECT_NEAR(s1.fill[2], 40.0, 1e-6); // untouched: the stop rule ended the passes

    // A second invocation hauls between segments.
    p.Select(0, 2);
    ASSERT_TRUE(RunRule(DPR_SOIL_FIRST, sel).recorded);
    const DPState s2 = ReadState(p.Doc());
    ExpectConserved(p.Doc(), s1, s2);
    for (const LoggedProcess& lp : s2.Applied()) {
        if (lp.step == 2) {
            EXPECT_EQ(lp.kind, 0);
        }
    }
    EXPECT_NEAR(s2.fill[2], 0.0, 1e-6);
}

// A source holding exactly the need is emptied completely (factor 0).
TEST_F(DPHaulTest, ExactNeedEmptiesSource) {
    p.AddLine(0, 20, {{.use = {0, 0, 0, 0, 0, 44}}, {.fill = 44 / 0.84}});
    p.Load();
    p.Select(0, 1);
    const DPState s0 = ReadState(p.Doc());
    ASSERT_TRUE(RunRule(DPR_TOGETHER, YDPSelection::Haul(&p.Doc(), 0, 0, 1, 1)).recorded);
    const DPState s1 = ReadState(p.Doc());
    ExpectConserved(p.Doc(), s0, s1);
    EXPECT_EQ(s1.usable[0][15], 0.0);
    EXPECT_EQ(s1.usable[0][9], 0.0);
    EXPECT_NEAR(s1.fill[1], 0.0, 1e-6);
    EXPECT_EQ(p->GetSegment(0).SelectableBits() & YClass::AllMask, 0);
}

// Only the classes selected in the cut move; the soil pass finds nothing in a rock-only run.
TEST_F(DPHaulTest, SoilFirstOnRockOnlyAndUnselectedClass) {
    p.AddLine(0, 20, {{.use = {10, 0, 0, 30, 0, 0}}, {.fill = 100}});
    p.Load();
    p.Select(0, 1);
    p->GetSegment(0).m_nSel &= ~YClass::Bit(1); // class 1 deselected (class filter)
    const DPState s0 = ReadState(p.Doc());
    ASSERT_TRUE(RunRule(DPR_SOIL_FIRST, YDPSelection::Haul(&p.Doc(), 0, 0, 1, 1)).recorded);
    const DPState s1 = ReadState(p.Doc());
    ExpectConserved(p.Doc(), s0, s1);
    EXPECT_EQ(s1.usable[0][4], 10.0); // class 1 untouched
    EXPECT_NEAR(s1.usable[0][7], 0.0, 1e-12);
    ASSERT_EQ(s1.Applied().size(), 1u);
}

// Structures: a haul across a structure that may not be crossed is refused with its message,
// records nothing and leaves no step; a crossable one does not block.
TEST_F(DPHaulTest, StructureBlocks) {
    p.AddLine(0, 20, {{.use = Soil2(50)}, {}, {.fill = 30}});
    p.AddStructure(22, 35, QStringLiteral("大桥"), false);
    p.AddStructure(5, 8, QStringLiteral("涵洞"), true);
    p.Load();
    p.Select(0, 2);
    const DPState s0 = ReadState(p.Doc());
    EXPECT_FALSE(RunRule(DPR_SOIL_FIRST, YDPSelection::Haul(&p.Doc(), 0, 0, 2, 2)).recorded);
    EXPECT_EQ(io.Texts(),
              QStringList{QStringLiteral("不能跨越构造物 大桥(K0+022.000~K0+035.000)\n")});
    const DPState s1 = ReadState(p.Doc());
    EXPECT_TRUE(s1.log.empty());
    ExpectSameQuantities(s0, s1);
}

// Cut ratio: every transfer brings soil and rock in the set ratio; the nearest cut lacks rock,
// so the rock for that fill is made up from the next cuts nearest to the fill's midpoint.
TEST_F(DPHaulTest, CutRatioMakeUp) {
    g_dSoilRatio = 60;
    g_dRockRatio = 40;
    // Cut 0 far, rock-rich; cut 1 soil only; fill 2 next to cut 1.
    p.AddLine(0, 20, {{.use = {0, 0, 0, 92, 0, 0}}, {.use = Soil2(116)}, {.fill = 100}});
    p.Load();
    p.Select(0, 2);
    const DPState s0 = ReadState(p.Doc());
    ASSERT_TRUE(RunRule(DPR_CUT_RATIO, YDPSelection::Haul(&p.Doc(), 0, 1, 2, 2)).recorded);
    const DPState s1 = ReadState(p.Doc());
    ExpectConserved(p.Doc(), s0, s1);
    const auto log = s1.Applied();
    ASSERT_EQ(log.size(), 2u);
    // Main transfer from the innermost cut: its 60 soil (compacted), no rock there.
    EXPECT_EQ(log[0].src1, 20.0);
    EXPECT_NEAR(log[0].Moved(1), 60.0, 1e-6);
    EXPECT_NEAR(log[0].Moved(3), 0.0, 1e-12);
    // Make-up of the 40 rock from cut 0.
    EXPECT_EQ(log[1].src1, 0.0);
    EXPECT_NEAR(log[1].Moved(3), 40.0, 1e-6);
    EXPECT_NEAR(s1.fill[2], 0.0, 1e-6);
}

TEST_F(DPHaulTest, CutRatioMessages) {
    p.AddLine(0, 20, {{.use = Soil2(50)}, {.fill = 30}});
    p.Load();
    p.Select(0, 1);
    const YDPSelection sel = YDPSelection::Haul(&p.Doc(), 0, 0, 1, 1);
    EXPECT_FALSE(RunRule(DPR_CUT_RATIO, sel).recorded); // 50/50 but no rock
    g_dSoilRatio = 100;
    g_dRockRatio = 0;
    EXPECT_TRUE(RunRule(DPR_CUT_RATIO, sel).recorded); // soil only: rock check skipped
    g_dSoilRatio = 70;
    EXPECT_FALSE(RunRule(DPR_CUT_RATIO, sel).recorded);
    EXPECT_EQ(io.Texts(), (QStringList{QStringLiteral("所选挖方段落没有石方!"),
                                       QStringLiteral("请先输入正确的填土和填石的比例!")}));
}

// Fill ratio: the soil pass stops at each fill's soil share; a fill already holding more rock
// than its share gets no rock and its soil need never exceeds what it still needs.
TEST_F(DPHaulTest, FillRatioShares) {
    g_dSoilRatio = 50;
    g_dRockRatio = 50;
    p.AddLine(0, 20,
              {{.use = {0, 200, 0, 0, 0, 0}},
               {.use = {0, 0, 0, 200, 0, 0}},
               {.fill = 100},
               {.fill = 100}});
    p.Load();
    p.Select(0, 3);
    const DPState s0 = ReadState(p.Doc());
    ASSERT_TRUE(RunRule(DPR_FILL_RATIO, YDPSelection::Haul(&p.Doc(), 0, 1, 2, 3)).recorded);
    const DPState s1 = ReadState(p.Doc());
    ExpectConserved(p.Doc(), s0, s1);
    EXPECT_NEAR(p->GetSegment(2).m_dFillSoil, 50.0, 1e-6);
    EXPECT_NEAR(p->GetSegment(2).m_dFillRock, 50.0, 1e-6);
    EXPECT_NEAR(p->GetSegment(3).m_dFillSoil, 50.0, 1e-6);
    EXPECT_NEAR(p->GetSegment(3).m_dFillRock, 50.0, 1e-6);
}

TEST_F(DPHaulTest, FillRatioNeverOverfills) {
    // The fill received 80 rock elsewhere (share 50 of 100): the soil need grows by the excess
    // (50 + 30) but only 20 is still missing.
    g_dSoilRatio = 50;
    g_dRockRatio = 50;
    p.AddLine(0, 20, {{.use = Soil2(500)}, {.fill = 20}});
    p.Load();
    p->GetSegment(1).m_dFill = 100;
    p->GetSegment(1).m_dFillRock = 80;
    p.Select(0, 1);
    const DPState s0 = ReadState(p.Doc());
    ASSERT_TRUE(RunRule(DPR_FILL_RATIO, YDPSelection::Haul(&p.Doc(), 0, 0, 1, 1)).recorded);
    const DPState s1 = ReadState(p.Doc());
    ExpectConserved(p.Doc(), s0, s1);
    EXPECT_NEAR(s1.fill[1], 0.0, 1e-6);
}

// Thickness 10 m³/m on a 20 m segment needing 500: at most 200 over any number of
// invocations; a segment already at its target is skipped.
TEST_F(DPHaulTest, ThicknessOverSeveralInvocations) {
    g_dFillPerMetre = 10;
    p.AddLine(0, 20, {{.use = Soil2(116)}, {.use = Soil2(1160)}, {.fill = 500}, {.fill = 150}});
    p.Load();
    const DPState s0 = ReadState(p.Doc());
    for (int round = 0; round < 3; ++round) {
        p.Select(0, 3);
        RunRule(DPR_SOIL_FIRST | DPR_THICKNESS, YDPSelection::Haul(&p.Doc(), 0, 1, 2, 3));
        p.ClearSelection();
    }
    const DPState s1 = ReadState(p.Doc());
    ExpectConserved(p.Doc(), s0, s1);
    EXPECT_NEAR(500 - s1.fill[2], 200.0, 1e-6);
    EXPECT_NEAR(s1.fill[3], 0.0, 1e-6); // need below L × t: filled completely
    g_dFillPerMetre = 0;
    p.Select(0, 3);
    EXPECT_FALSE(
        RunRule(DPR_SOIL_FIRST | DPR_THICKNESS, YDPSelection::Haul(&p.Doc(), 0, 1, 2, 3)).recorded);
    EXPECT_EQ(io.Texts().back(), QStringLiteral("请先输入正确的填方厚度!"));
}

} // namespace
