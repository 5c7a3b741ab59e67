#include "DPLedger.h"

#include "core/allocation/YDPRule.h"
#include "core/db/DpKind.h"
#include "core/document/YDocManager.h"
#include "core/model/YClassFilter.h"
#include "core/process/YHistory.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

using namespace dalvex::test;

// Two open projects meeting at A's end (K0+060) and B's start (K0+000), one port pair.
class DPCrossTest : public DPSettingsTest {
  protected:
    void SetUp() override {
        DPSettingsTest::SetUp();
        OpenLinkedProjects(mgr, dir, io,
                           {{.use = {0, 40, 0, 30, 0, 0}},
                            {.use = {0, 20, 0, 0, 0, 0}},
                            {.use = {0, 0, 0, 10, 0, 0}}},
                           {{.fill = 30}, {.fill = 50}, {.fill = 40}}, a, b);
        a->Load();
        b->Load();
    }

    // The rule across both whole roads must pick `name`, record, and balance both ledgers: the
    // states of A and B before, then after.
    std::array<DPState, 4> Run(int rule, const char* name) {
        a->Select(0, 2);
        b->Select(0, 2);
        std::array<DPState, 4> s{ReadState(a->Doc()), ReadState(b->Doc())};
        const RunResult r =
            RunRule(rule, YDPSelection::Cross(&a->Doc(), 0, 2, 0, &b->Doc(), 0, 2, 0));
        EXPECT_EQ(r.strategy, QString::fromUtf8(name));
        EXPECT_TRUE(r.recorded);
        s[2] = ReadState(a->Doc());
        s[3] = ReadState(b->Doc());
        ExpectConserved(a->Doc(), s[0], s[2]);
        ExpectConserved(b->Doc(), s[1], s[3]);
        return s;
    }

    dalvex::test::ScratchDir dir;
    YRecordingUserIO io;
    YDocManager mgr{io};
    std::unique_ptr<TestProject> a;
    std::unique_ptr<TestProject> b;
};

void ExpectMatchingPairs(const DPState& out, const DPState& in, int outStep, int inStep) {
    const auto exits = out.Applied();
    const auto entries = in.Applied();
    ASSERT_EQ(exits.size(), entries.size());
    ASSERT_FALSE(exits.empty());
    for (size_t i = 0; i < exits.size(); ++i) {
        const LoggedProcess& e = exits[i];
        const LoggedProcess& n = entries[i];
        EXPECT_EQ(e.kind, DpKind::Out);
        EXPECT_EQ(n.kind, DpKind::In);
        EXPECT_EQ(e.step, outStep);
        EXPECT_EQ(n.step, inStep);
        EXPECT_EQ(e.seq, n.seq);
        EXPECT_EQ(e.srcPit, DpKinds::PartnerOffset + inStep); // each names the other's step
        EXPECT_EQ(n.dstPit, DpKinds::PartnerOffset + outStep);
        EXPECT_EQ(e.dstPit, 2); // link 编号 1 + 1
        EXPECT_EQ(e.dst1, 60.0);
        EXPECT_EQ(n.src1, 0.0);
        for (int k = 0; k < 16; ++k) {
            EXPECT_NEAR(n.Moved(k), e.Moved(k), 1e-6) << "pair " << i << " value " << k;
        }
        EXPECT_NEAR(n.FillMoved(), e.FillMoved(), 1e-6);
    }
}

TEST_F(DPCrossTest, SoilFirstRecordsMatchingPairsAndUndoesBoth) {
    const auto [a0, b0, a1, b1] = Run(DPR_SOIL_FIRST, "跨项目土方优先");
    ExpectMatchingPairs(a1, b1, 1, 1);
    // Cuts nearest to the exit port first, fills nearest to the entry port first.
    EXPECT_EQ(a1.Applied()[0].src1, 20.0); // segment 2 has no soil: segment 1 is nearest
    EXPECT_EQ(b1.Applied()[0].dst1, 0.0);
    // All of A's soil (60 natural) and rock (40) reach B.
    double soilC = 0, rockC = 0;
    for (const LoggedProcess& n : b1.Applied()) {
        soilC += n.Moved(1);
        rockC += n.Moved(3);
    }
    EXPECT_NEAR(soilC, 60 / 1.16, 1e-5);
    EXPECT_NEAR(rockC, 40 / 0.92, 1e-5);

    ASSERT_TRUE(YHistory::Undo(a->Doc(), 1, 1)) << io.Texts().join(QLatin1Char('|')).toStdString();
    ExpectSameQuantities(ReadState(a->Doc()), a0);
    ExpectSameQuantities(ReadState(b->Doc()), b0);
    ASSERT_TRUE(YHistory::Redo(a->Doc(), 1, 1));
    ExpectSameQuantities(ReadState(a->Doc()), a1);
    ExpectSameQuantities(ReadState(b->Doc()), b1);
}

// The ratio rules across projects without a thickness (the scenarios run them with one), each
// on the untouched roads; the fill-ratio rule is served, not reported as a conflict.
TEST_F(DPCrossTest, CutRatioAndFillRatioAcrossProjects) {
    for (const auto& [rule, name] : {std::pair{DPR_CUT_RATIO, "跨项目挖方比例"},
                                     std::pair{DPR_FILL_RATIO, "跨项目填方比例"}}) {
        const auto s = Run(rule, name);
        ASSERT_EQ(s[2].Applied().size(), s[3].Applied().size());
        ASSERT_FALSE(s[2].Applied().empty());
        const int step = s[2].Applied().back().step;
        ASSERT_TRUE(YHistory::Undo(a->Doc(), step, step));
    }
}

// A structure that may not be crossed between the exit port and the cut run refuses the
// whole haul; nothing is recorded in either project.
TEST_F(DPCrossTest, StructureOnEitherSideRefuses) {
    a->AddStructure(45, 50, QStringLiteral("立交"), false);
    a->Load();
    a->Select(0, 1);
    b->Select(0, 2);
    EXPECT_FALSE(RunRule(DPR_TOGETHER, YDPSelection::Cross(&a->Doc(), 0, 1, 0, &b->Doc(), 0, 2, 0))
                     .recorded);
    ASSERT_EQ(io.Texts().size(), 1);
    EXPECT_TRUE(io.Texts()[0].startsWith(QStringLiteral("不能跨越构造物 立交(")));
    EXPECT_TRUE(ReadState(a->Doc()).log.empty());
    EXPECT_TRUE(ReadState(b->Doc()).log.empty());
}

} // namespace
