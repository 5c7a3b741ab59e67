// The task list runs and the process list entries, built from plain items and log pairs.
#include "core/process/YTaskList.h"
#include "core/db/YLogCodec.h"
#include "core/model/YTFItem.h"
#include "core/process/DpProcess.h"
#include "core/process/YProcessList.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

YTFItem Seg(double start, double useSoil, double unuseRock, double fill) {
    YTFItem t;
    t.m_staStart = start;
    t.m_staEnd = start + 20;
    t.m_dRemUse[1] = useSoil;
    t.m_dRemUnuse[4] = unuseRock;
    t.m_dRemFill = fill;
    return t;
}

TEST(YTaskListTest, RunsCloseInOrderAndTinyAmountsDoNotCount) {
    const std::vector<YTFItem> segs{
        Seg(0, 10, 0, 0),     // surplus run 1 …
        Seg(20, 0, 2, 0),     // … continued by unusable surplus
        Seg(40, 1e-5, 0, 30), // no surplus (exactly 1e-5), fill run opens; surplus closes
        Seg(60, 5, 0, 0),     // fill closes; surplus run 3
        Seg(80, 0, 0, 7),     // surplus closes; fill run
    };
    const std::vector<YTask> tasks = YTaskList::Build(segs);
    ASSERT_EQ(tasks.size(), 4u);
    EXPECT_EQ(tasks[0].nType, 0);
    EXPECT_DOUBLE_EQ(tasks[0].staTo.Value(), 40);
    EXPECT_DOUBLE_EQ(tasks[0].dUseSoil, 10);
    EXPECT_DOUBLE_EQ(tasks[0].dUnuseRock, 2);
    EXPECT_EQ(tasks[1].nType, 1);
    EXPECT_DOUBLE_EQ(tasks[1].dFill, 30);
    EXPECT_EQ(tasks[2].nType, 0);
    EXPECT_DOUBLE_EQ(tasks[2].staFrom.Value(), 60);
    EXPECT_EQ(tasks[3].nType, 1);
    EXPECT_EQ(tasks[2].Label(3), QStringLiteral("3.挖余"));
    EXPECT_EQ(tasks[3].Label(4), QStringLiteral("4.填缺"));
}

YDpLogPair Pair(int step, int seq, double s0, double d0, double soilC, bool ok = true) {
    DpProcess p(DpKind::Haul, step, seq, {}, {});
    p.before[DpAmt::SoilC] = soilC;
    p.before[DpAmt::Soil] = soilC * 1.16;
    p.fillBefore = soilC;
    YDpLogPair pair = YLogCodec::Encode(p, {s0, s0 + 20, 0, d0, d0 + 20, 0});
    pair.src.ok = pair.dst.ok = ok;
    return pair;
}

TEST(YProcessListTest, OneEntryPerStepWithReuseFoldedIntoTheHaul) {
    const std::vector<YDpLogPair> log{
        Pair(1, 1, 40, 40, 5),  // a reuse first …
        Pair(1, 2, 0, 100, 10), // … inside a haul step
        Pair(2, 1, 0, 120, 4, false),
    };
    const auto entries = YProcessList::Build(log, nullptr);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].nKind, DpKind::Haul);
    EXPECT_EQ(entries[0].Label(), QStringLiteral("1.远运"));
    EXPECT_DOUBLE_EQ(entries[0].staSrcStart.Value(), 0);
    EXPECT_DOUBLE_EQ(entries[0].staSrcEnd.Value(), 60);
    EXPECT_NEAR(entries[0].dSoil, 15 * 1.16, 1e-9);
    // Only the haul moves anything over a distance: 10 m³ over 100 m, weighted by all 15.
    EXPECT_NEAR(entries[0].dDistance, 10 * 100 / 15.0, 1e-9);
    EXPECT_FALSE(entries[1].bApplied);
    EXPECT_EQ(YProcessList::CurrentStep(entries), 1);
    EXPECT_EQ(YProcessList::FirstUndoneStep(entries), 2);
    EXPECT_EQ(YProcessEntry::Range(YStationNumbering(), YStation(0), YStation(1020)),
              QStringLiteral("K0+000.000~K1+020.000"));
}

} // namespace
