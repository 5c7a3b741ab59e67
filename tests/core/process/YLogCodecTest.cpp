// Log row pairs: how processes are written and how kinds, pits and partners decode back.
#include "core/db/YLogCodec.h"
#include "core/process/DpProcess.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

YDpLogRow Row(const char* desc, double s1, double s2, int pit, bool fillSide) {
    YDpLogRow r;
    r.desc = QString::fromUtf8(desc);
    r.sta1 = s1;
    r.sta2 = s2;
    r.pit = pit;
    r.fillSide = fillSide;
    return r;
}

struct KindCase {
    const char* name;
    const char* srcDesc;
    double srcA, srcB;
    int srcPit;
    const char* dstDesc;
    double dstA, dstB;
    int dstPit;
    DpKind kind;
    int pitNumber;
};

const KindCase kKindCases[] = {
    {"haul", "", 0, 20, 0, "", 40, 60, 0, DpKind::Haul, 0},
    {"reuse logged as haul", "", 0, 20, 0, "", 0, 20, 0, DpKind::Reuse, 0},
    {"borrow", "", 150, 150, 3, "", 40, 60, 0, DpKind::Borrow, 3},
    {"waste into third pit", "", 0, 20, 0, "", 300, 300, 3, DpKind::Waste, 3},
    {"waste unusable", "QCFF", 0, 20, 0, "QCFF", 300, 300, 1, DpKind::WasteUnusable, 1},
    {"local take", "JDQT,20.000,20.000,60.000,0.000,0.000,0.000", 0, 20, 0,
     "JDQT,20.000,20.000,60.000,0.000,0.000,0.000", 0, 20, 0, DpKind::LocalBorrow, 0},
    {"local waste keeps its code on equal ranges", "JDQF", 0, 20, 0, "JDQF", 0, 20, 0,
     DpKind::LocalWaste, 0},
    {"local waste unusable", "JDFF", 0, 20, 0, "JDFF", 0, 20, 0, DpKind::LocalWasteUnusable, 0},
    {"out: pit from the destination row", "DC", 0, 20, DpKinds::PartnerOffset + 4, "DC", 500, 500,
     2, DpKind::Out, 2},
    {"in: pit from the source row", "DR", 0, 0, 2, "DR", 40, 60, DpKinds::PartnerOffset + 7,
     DpKind::In, 2},
    {"negative pit is taken by magnitude", "", 150, 150, -2, "", 40, 60, 0, DpKind::Borrow, 2},
};

TEST(YLogCodecTest, DecodesKindAndPitNumber) {
    for (const KindCase& c : kKindCases) {
        SCOPED_TRACE(c.name);
        const YDpLogRow src = Row(c.srcDesc, c.srcA, c.srcB, c.srcPit, true);
        const YDpLogRow dst = Row(c.dstDesc, c.dstA, c.dstB, c.dstPit, false);
        int pit = -5;
        EXPECT_EQ(YLogCodec::DecodeKind(src, dst, &pit), c.kind);
        EXPECT_EQ(pit, c.pitNumber);
    }
}

TEST(YLogCodecTest, PartnerStepsOfCrossProjectPairs) {
    YDpLogPair out{Row("DC", 0, 20, DpKinds::PartnerOffset + 4, true),
                   Row("DC", 500, 500, 2, false)};
    const DpLogRecord ro = YLogCodec::Decode(out);
    EXPECT_EQ(ro.partner, 4);
    EXPECT_EQ(ro.pit, 1); // the link's 编号

    YDpLogPair in{Row("DR", 0, 0, 2, true), Row("DR", 40, 60, DpKinds::PartnerOffset + 9, false)};
    const DpLogRecord ri = YLogCodec::Decode(in);
    EXPECT_EQ(ri.partner, 9);
    EXPECT_EQ(ri.pit, 1);
}

TEST(YLogCodecTest, EncodeThenDecodeGivesTheAmountsMoved) {
    DpProcess p(DpKind::Haul, 4, 2, {}, {});
    for (int i = 0; i < DpAmt::Count; ++i) {
        p.before[i] = 10.0 + i;
        p.after[i] = 1.0 + i * 0.5;
    }
    p.fillBefore = 80.0;
    p.fillAfter = 33.5;
    const YLogEnds ends{100, 120, 0, 200, 220, 0};
    const YDpLogPair pair = YLogCodec::Encode(p, ends);
    EXPECT_TRUE(pair.src.fillSide);
    EXPECT_FALSE(pair.dst.fillSide);
    EXPECT_EQ(pair.src.gcid, 4);
    EXPECT_EQ(pair.dst.id, 2);
    EXPECT_TRUE(pair.src.ok && pair.dst.ok);

    const DpLogRecord r = YLogCodec::Decode(pair);
    EXPECT_EQ(r.kind, DpKind::Haul);
    EXPECT_EQ(r.step, 4);
    EXPECT_EQ(r.seq, 2);
    EXPECT_EQ(r.pit, -1);
    for (int i = 0; i < DpAmt::Count; ++i) {
        EXPECT_DOUBLE_EQ(r.amount[i], p.Moved(i)) << i;
    }
    EXPECT_DOUBLE_EQ(r.FillAmount(), 46.5);
    EXPECT_DOUBLE_EQ(r.srcStart.Value(), 100);
    EXPECT_DOUBLE_EQ(r.dstEnd.Value(), 220);
}

TEST(YLogCodecTest, LocalTakeCarriesItsContentsInTheDescription) {
    DpProcess p(DpKind::LocalBorrow, 1, 1, {}, {});
    p.before[DpAmt::Soil] = 12.5;
    p.before[DpAmt::SoilC] = 10.0;
    const double contents[6] = {20, 20, 60, 0, 0, 0.12345};
    for (int i = 0; i < 6; ++i) {
        p.after[i] = contents[i];
    }
    p.after[6] = 1.23; // coefficients follow; they are not logged
    p.fillBefore = 50;
    p.fillAfter = 40;
    const YDpLogPair pair = YLogCodec::Encode(p, {0, 20, 0, 0, 20, 0});
    EXPECT_EQ(pair.src.desc, QStringLiteral("JDQT,20.000,20.000,60.000,0.000,0.000,0.123"));
    EXPECT_EQ(pair.dst.desc, pair.src.desc);
    // The after columns of the source row stay unwritten, so the log gives the before values
    // as the amounts, matching DpProcess::Moved.
    const DpLogRecord r = YLogCodec::Decode(pair);
    EXPECT_EQ(r.kind, DpKind::LocalBorrow);
    EXPECT_DOUBLE_EQ(r.amount[DpAmt::Soil], 12.5);
    EXPECT_DOUBLE_EQ(r.amount[DpAmt::SoilC], p.Moved(DpAmt::SoilC));
    EXPECT_DOUBLE_EQ(r.amount[DpAmt::Class1], 0.0);
}

TEST(YLogCodecTest, LabelsAndTaskNumbers) {
    EXPECT_EQ(DpKinds::Label(DpKind::Haul, 3), QStringLiteral("3.远运"));
    EXPECT_EQ(DpKinds::Label(DpKind::In, 2, QStringLiteral("B段")), QStringLiteral("2.从B段调入"));
    EXPECT_EQ(DpKinds::Label(DpKind::Out, 5, QStringLiteral("%1x")), QStringLiteral("5.调出到%1x"));
    EXPECT_EQ(DpKinds::Label(DpKind::Reuse, 1), QStringLiteral("1.利用"));
    const int expected[10] = {7, 7, 7, -2, -1, 7, -1, -4, -3, 7};
    for (int k = 0; k < 10; ++k) {
        EXPECT_EQ(DpKinds::TaskNumber(static_cast<DpKind>(k), 7), expected[k]) << k;
    }
}

} // namespace
