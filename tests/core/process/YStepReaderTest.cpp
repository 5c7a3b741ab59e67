// Reading the log back as steps: merging, kind boundaries, the kilometre split, undone pairs,
// moments, centres and haul distances.
#include "core/process/YStepReader.h"
#include "core/db/YLogCodec.h"
#include "core/process/DpProcess.h"
#include "core/process/YHaulExtras.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

// One pair moving soil (compacted soilC of class 2, natural = 1.16 × compacted).
YDpLogPair Pair(int step, int seq, double s0, double s1, double d0, double d1, double soilC,
                DpKind kind = DpKind::Haul, int pitNumber = 0) {
    DpProcess p(kind, step, seq, {}, {});
    p.before[DpAmt::SoilC] = soilC;
    p.before[DpAmt::Soil] = soilC * 1.16;
    p.before[DpAmt::ClsC(2)] = soilC;
    p.before[DpAmt::Cls(2)] = soilC * 1.16;
    p.fillBefore = soilC;
    YLogEnds ends{s0, s1, 0, d0, d1, 0};
    if (kind == DpKind::Borrow) {
        ends.srcPit = pitNumber;
    } else if (DpKinds::IsWaste(kind)) {
        ends.dstPit = pitNumber;
    }
    return YLogCodec::Encode(p, ends);
}

TEST(StepReaderTest, PairsOfOneStepToAdjacentSegmentsMergeIntoOneStep) {
    const std::vector<YDpLogPair> log{Pair(1, 1, 0, 20, 100, 120, 10),
                                      Pair(1, 2, 0, 20, 120, 140, 30)};
    YStepReader reader(log);
    const auto steps = reader.ReadAll({});
    ASSERT_EQ(steps.size(), 1u);
    const YDpStep& s = steps[0];
    EXPECT_EQ(s.m_nKind, DpKind::Haul);
    EXPECT_DOUBLE_EQ(s.m_staDstStart.Value(), 100);
    EXPECT_DOUBLE_EQ(s.m_staDstEnd.Value(), 140);
    EXPECT_DOUBLE_EQ(s.m_dAmt[StepAmt::SoilC], 40);
    EXPECT_DOUBLE_EQ(s.m_dAmt[StepAmt::Fill], 40);
    // Moments: 10 m³ over 100 m and 30 m³ over 120 m.
    EXPECT_DOUBLE_EQ(s.m_dMoment[StepMom::SoilC], 10 * 100 + 30 * 120);
    EXPECT_DOUBLE_EQ(s.m_dMoment[StepMom::ClsC(2)], 10 * 100 + 30 * 120);
    EXPECT_DOUBLE_EQ(s.SoilDistance(nullptr), (1000.0 + 3600.0) / 40.0);
    EXPECT_DOUBLE_EQ(s.ClassDistance(2, nullptr), (1000.0 + 3600.0) / 40.0);
    EXPECT_DOUBLE_EQ(s.ClassDistance(1, nullptr), 0.0); // nothing of class 1 moved
    EXPECT_DOUBLE_EQ(s.SourceCentre(), 10.0);
    EXPECT_DOUBLE_EQ(s.DestinationCentre(), (10 * 110 + 30 * 130) / 40.0);
}

TEST(StepReaderTest, KindChangeAndStepChangeEndAStep) {
    const std::vector<YDpLogPair> log{
        Pair(1, 1, 0, 20, 100, 120, 10), Pair(1, 2, 40, 60, 40, 60, 5), // reuse inside a haul
        Pair(1, 3, 0, 20, 120, 140, 10), Pair(2, 1, 0, 20, 140, 160, 1)};
    YStepReader reader(log);
    const auto steps = reader.ReadAll({});
    ASSERT_EQ(steps.size(), 4u);
    EXPECT_EQ(steps[0].m_nKind, DpKind::Haul);
    EXPECT_EQ(steps[1].m_nKind, DpKind::Reuse);
    EXPECT_EQ(steps[2].m_nKind, DpKind::Haul);
    EXPECT_EQ(steps[2].m_nStep, 1);
    EXPECT_EQ(steps[3].m_nStep, 2);
    // Reading again from the top gives the first step again.
    ASSERT_TRUE(reader.ReadStep(true, {}));
}

TEST(StepReaderTest, UndonePairsAreSkippedOrKeptApart) {
    std::vector<YDpLogPair> log{Pair(1, 1, 0, 20, 100, 120, 10), Pair(2, 1, 0, 20, 120, 140, 7),
                                Pair(3, 1, 0, 20, 140, 160, 3)};
    log[1].src.ok = log[1].dst.ok = false;
    log[2].src.ok = log[2].dst.ok = false;
    YStepReader reader(log);
    const auto applied = reader.ReadAll({});
    ASSERT_EQ(applied.size(), 1u);
    EXPECT_DOUBLE_EQ(applied[0].m_dAmt[StepAmt::SoilC], 10);

    YStepReader::Options all;
    all.bSkipUndone = false;
    const auto every = reader.ReadAll(all);
    ASSERT_EQ(every.size(), 3u);
    EXPECT_TRUE(every[0].m_bApplied);
    EXPECT_FALSE(every[1].m_bApplied);
    EXPECT_FALSE(every[2].m_bApplied);
}

TEST(StepReaderTest, KilometreSplitStopsAfterAPairThatCrossesAKilometre) {
    // Pair 2 runs from K0+980 to K1+010: the pair after it starts a new step when splitting.
    const std::vector<YDpLogPair> log{
        Pair(1, 1, 0, 20, 960, 980, 10), Pair(1, 2, 0, 20, 980, 1010, 10),
        Pair(1, 3, 0, 20, 1010, 1030, 10), Pair(1, 4, 0, 20, 1010, 1030, 10)};
    YStepReader reader(log);
    EXPECT_EQ(reader.ReadAll({}).size(), 1u);

    YStepReader::Options split;
    const YStationNumbering plain;
    split.pSplitKm = &plain;
    const auto steps = reader.ReadAll(split);
    // The pair with the same four stations as its predecessor merges even then; the pair after
    // the kilometre crossing does not.
    ASSERT_EQ(steps.size(), 2u);
    EXPECT_DOUBLE_EQ(steps[0].m_staDstEnd.Value(), 1010);
    EXPECT_DOUBLE_EQ(steps[1].m_staDstStart.Value(), 1010);
    EXPECT_DOUBLE_EQ(steps[1].m_dAmt[StepAmt::SoilC], 20);
}

TEST(StepReaderTest, TaskNumbersOfLocalAndCrossProjectSteps) {
    const std::vector<YDpLogPair> log{Pair(3, 1, 0, 20, 0, 20, 4, DpKind::LocalWaste),
                                      Pair(4, 1, 0, 20, 0, 20, 4, DpKind::LocalBorrow),
                                      Pair(5, 1, 0, 20, 0, 20, 4, DpKind::Haul)};
    YStepReader reader(log);
    const auto steps = reader.ReadAll({});
    ASSERT_EQ(steps.size(), 3u);
    EXPECT_EQ(steps[0].TaskNumber(), -1);
    EXPECT_EQ(steps[1].TaskNumber(), -2);
    EXPECT_EQ(steps[2].m_nKind, DpKind::Reuse);
    EXPECT_EQ(steps[2].TaskNumber(), 5);
}

TEST(StepReaderTest, HaulExtrasAddPitRoadPortHalfDistanceAndDetours) {
    YHaulExtras extras;
    extras.borrowBranch = {50.0, 75.0};
    extras.wasteBranch = {10.0};
    extras.linkDistance[3] = 400.0;
    // Structures by ascending start: only crossable ones with a detour, wholly in the gap.
    extras.structures = {
        {YStation(30), YStation(40), true, 5.0},          // overlaps the source range [0,35]
        {YStation(50), YStation(60), true, 7.0},          // in the gap
        {YStation(62), YStation(64), false, 100.0},       // not crossable
        {YStation(70), YStation(80), true, std::nullopt}, // no detour
        {YStation(85), YStation(99), true, 11.0},         // in the gap
        {YStation(95), YStation(105), true, 13.0},        // reaches into the destination
        {YStation(150), YStation(160), true, 17.0},       // beyond the gap
    };
    EXPECT_DOUBLE_EQ(extras.Detours(YStation(0), YStation(35), YStation(100), YStation(140)), 18);
    EXPECT_DOUBLE_EQ(extras.Detours(YStation(100), YStation(140), YStation(0), YStation(35)), 18);
    EXPECT_DOUBLE_EQ(extras.Detours(YStation(0), YStation(100), YStation(100), YStation(140)), 0);

    YDpStep borrow =
        YDpStep::FromRecord(YLogCodec::Decode(Pair(1, 1, 45, 45, 45, 65, 20, DpKind::Borrow, 2)));
    EXPECT_EQ(borrow.m_nKind, DpKind::Borrow);
    // 20 m³ from the road at 45 to the centre 55, plus the second pit's road of 75 m.
    EXPECT_DOUBLE_EQ(borrow.SoilDistance(&extras), 10 + 75);
    EXPECT_DOUBLE_EQ(borrow.RockDistance(&extras), 0.0);

    YDpStep waste =
        YDpStep::FromRecord(YLogCodec::Decode(Pair(1, 1, 0, 35, 100, 100, 20, DpKind::Waste, 1)));
    EXPECT_EQ(waste.m_nKind, DpKind::Waste);
    EXPECT_DOUBLE_EQ(waste.SoilDistance(&extras), 82.5 + 10 + 18);

    YDpLogPair outPair = Pair(1, 1, 0, 20, 500, 500, 10);
    outPair.src.desc = outPair.dst.desc = QStringLiteral("DC");
    outPair.src.pit = DpKinds::PartnerOffset + 2;
    outPair.dst.pit = 4; // link 编号 3
    YDpStep out = YDpStep::FromRecord(YLogCodec::Decode(outPair));
    EXPECT_EQ(out.m_nKind, DpKind::Out);
    // Every crossable structure with a detour between 20 and 500 counts: 5+7+11+13+17.
    EXPECT_DOUBLE_EQ(out.SoilDistance(&extras), 490 + 200 + 53);
}

TEST(StepReaderTest, CentresOfAStepWithoutAmountsAreTheRangeMidpoints) {
    YDpStep s;
    s.m_staSrcStart = 10;
    s.m_staSrcEnd = 30;
    s.m_staDstStart = 100;
    s.m_staDstEnd = 110;
    EXPECT_DOUBLE_EQ(s.SourceCentre(), 20);
    EXPECT_DOUBLE_EQ(s.DestinationCentre(), 105);
    EXPECT_DOUBLE_EQ(s.TotalDistance(nullptr), 0.0);
}

} // namespace
