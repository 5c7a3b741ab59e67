#include "DPLedger.h"

#include "core/allocation/YDPRule.h"
#include "core/model/YClassFilter.h"
#include "core/process/YHistory.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

using namespace dalvex::test;

constexpr std::array<double, 6> Soil2(double v) {
    return {0, v, 0, 0, 0, 0};
}

class DPHaulTest : public DPSettingsTest {
  protected:
    ScratchDir dir;
    YRecordingUserIO io;
    TestProject p{dir.Path(QStringLiteral("a.dvx")), io};
};

// A fill range after the cut range that touches it (f0 = c1): the shared segment fills
// itself (kind 9) and the invocation then stops at the first pair of two segments.
TEST_F(DPHaulTest, WithinSegmentThenStop) {
    p.AddLine(0, 20, {{.use = Soil2(50)}, {.use = Soil2(20), .fill = 10}, {.fill = 40}});
    p.Load();
    p.Select(0, 2);
    const YDPSelection sel = YDPSelection::Haul(&p.Doc(), 0, 1, 1, 2);
    const DPState s1 = RunConserved(p.Doc(), DPR_SOIL_FIRST, sel);
    ASSERT_EQ(s1.Applied().size(), 1u);
    EXPECT_EQ(s1.Applied()[0].kind, DpKind::Reuse);
    EXPECT_NEAR(s1.fill[1], 0.0, 1e-6);
    EXPECT_NEAR(s1.fill[2], 40.0, 1e-6); // untouched: the stop rule ended the passes

    // A second invocation hauls between segments.
    p.Select(0, 2);
    const DPState s2 = RunConserved(p.Doc(), DPR_SOIL_FIRST, sel);
    for (const LoggedProcess& lp : s2.Applied()) {
        if (lp.step == 2) {
            EXPECT_EQ(lp.kind, DpKind::Haul);
        }
    }
    EXPECT_NEAR(s2.fill[2], 0.0, 1e-6);
}

// A source holding exactly the need is emptied completely (factor 0).
TEST_F(DPHaulTest, ExactNeedEmptiesSource) {
    p.AddLine(0, 20, {{.use = {0, 0, 0, 0, 0, 44}}, {.fill = 44 / 0.84}});
    p.Load();
    p.Select(0, 1);
    const DPState s1 =
        RunConserved(p.Doc(), DPR_TOGETHER, YDPSelection::Haul(&p.Doc(), 0, 0, 1, 1));
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
    const DPState s1 =
        RunConserved(p.Doc(), DPR_SOIL_FIRST, YDPSelection::Haul(&p.Doc(), 0, 0, 1, 1));
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

} // namespace
