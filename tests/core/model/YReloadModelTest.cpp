// ReloadModel on real project files: the class values of every result layout, delivered fill
// from the log, pits, neighbour links and what a reload leaves alone.
#include "support/ProjectFixture.h"
#include "support/TestSupport.h"

#include "core/db/YDatabase.h"
#include "core/db/YSchema.h"
#include "core/db/YTsjsSet.h"
#include "core/db/YZjTsjsSet.h"
#include "core/document/YDocManager.h"
#include "core/document/YReactor.h"

#include <gtest/gtest.h>

using namespace dalvex::test;

namespace {

class ReloadModel : public ::testing::Test {
  protected:
    void SetUp() override {
        EnsureCoreApp();
        g_nClassFilter = YClassFilter::Initial;
    }

    // Three segments 0-20-40-60 with cut in the first, fill in the others.
    TestProject ThreeSegments() {
        TestProject doc(dir.Path(QStringLiteral("p.dvx")), io);
        doc.AddSeg({.end = 20, .use = {0, 50}, .unuse = {0, 0, 0, 0, 8}, .cutArea = 4.0},
                   {.end = 20, .use = {0, 30}, .unuse = {0, 0, 0, 0, 8}, .cutArea = 4.0});
        doc.AddSeg({.start = 20, .end = 40, .fill = 40, .fillArea = 2});
        doc.AddSeg({.start = 40, .end = 60, .fill = 80, .fillArea = 4});
        return doc;
    }

    ScratchDir dir;
    YRecordingUserIO io;
};

TEST_F(ReloadModel, ItemsFromBothTables) {
    auto doc = ThreeSegments();
    ASSERT_TRUE(doc->ReloadModel());
    ASSERT_EQ(doc->GetSegmentCount(), 3);
    const YTFItem& s0 = doc->GetSegment(0);
    EXPECT_DOUBLE_EQ(s0.m_dUse[1], 50);
    EXPECT_DOUBLE_EQ(s0.m_dRemUse[1], 30);
    EXPECT_DOUBLE_EQ(s0.m_dUnuse[4], 8);
    EXPECT_DOUBLE_EQ(s0.m_dRemUnuse[4], 8);
    EXPECT_EQ(s0.m_nSel, 0);
    EXPECT_DOUBLE_EQ(doc->GetSegment(2).m_dFill, 80);
    EXPECT_EQ(doc->GetSegment(2).m_staEnd, YStation(60));
    EXPECT_DOUBLE_EQ(doc->GetMaxArea(), 4.0);
    EXPECT_EQ(doc->Model().m_staProjectStart, YStation(0));
    EXPECT_EQ(doc->Model().m_staProjectEnd, YStation(60));
}

TEST_F(ReloadModel, EmptyResultTableKeepsTheModel) {
    auto doc = ThreeSegments();
    ASSERT_TRUE(doc->ReloadModel());
    doc->GetSegment(1).m_nSel = 64;
    doc.Exec(QStringLiteral("DELETE FROM [土石计算中间表]"));
    EXPECT_FALSE(doc->ReloadModel());
    EXPECT_EQ(doc->GetSegmentCount(), 3);
    EXPECT_EQ(doc->GetSegment(1).m_nSel, 64);
}

TEST_F(ReloadModel, ReloadEmptiesTheSelectionBackup) {
    auto doc = ThreeSegments();
    ASSERT_TRUE(doc->ReloadModel());
    ASSERT_TRUE(doc->SelectRun(QPointF(10.0, 1.0)));
    ASSERT_FALSE(doc->Model().m_backupSel.empty());
    ASSERT_TRUE(doc->ReloadModel());
    EXPECT_TRUE(doc->Model().m_backupSel.empty());
    doc->RestoreSelection(); // nothing to put back, nothing touched
    EXPECT_EQ(doc->GetSegment(0).m_nSel, 0);
}

TEST_F(ReloadModel, ViewsAndReactorsHearOfIt) {
    struct Counter : YReactor {
        int* n;
        explicit Counter(int* p) : n(p) {}
        void OnReload() override { ++*n; }
    };
    auto doc = ThreeSegments();
    int reloads = 0;
    int updates = 0;
    doc->AddReactor(std::make_unique<Counter>(&reloads));
    QObject::connect(&doc.Doc(), &CDalvexDoc::ViewsUpdate, [&](int) { ++updates; });
    ASSERT_TRUE(doc->ReloadModel());
    EXPECT_EQ(reloads, 1);
    EXPECT_EQ(updates, 1);
}

// The class values of [土石计算] by layout version.
TEST_F(ReloadModel, ClassValuesOfEveryLayout) {
    for (int version : {1, 2, 3, 6}) {
        const QString path = dir.Path(QStringLiteral("v%1.dvx").arg(version));
        {
            YDatabase db;
            ASSERT_TRUE(YSchema::CreateProject(db, path, version));
            YTsjsSet a(db);
            YZjTsjsSet b(db);
            for (YTsjsSet* set : {static_cast<YTsjsSet*>(&a), static_cast<YTsjsSet*>(&b)}) {
                ASSERT_TRUE(set->Open()) << set->LastError().toStdString();
                set->AddNew();
                set->m_staStart = 0.0;
                set->m_staEnd = 10.0;
                set->m_rem.dSoil = 60; // 挖余土
                set->m_rem.dRock = 0;  // 挖余石, with no rock content
                const double content[6] = {10, 20, 30, 0, 0, 0};
                for (int k = 0; k < 6; ++k) {
                    set->m_dContent[k] = content[k];
                    set->m_rem.d[k] = 1.0 + k;     // 余k
                    set->m_usable.d[k] = 10.0 + k; // 可用余k
                    set->m_unusable.d[k] = 0.5 * k;
                }
                set->m_dFillAfterLocal = 7.0;
                ASSERT_TRUE(set->Update()) << set->LastError().toStdString();
            }
        }
        auto doc = TestProject::Open(path, io);
        ASSERT_TRUE(doc) << version;
        ASSERT_TRUE(doc->ReloadModel()) << version;
        const YTFItem& s = doc->GetSegment(0);
        for (int k = 0; k < 6; ++k) {
            double use = 0;
            double unuse = 0;
            if (version == 1) {
                use = k < 3 ? 60.0 * (10.0 * (k + 1)) / 60.0 : 0.0;
            } else if (version == 2) {
                use = 1.0 + k;
            } else {
                use = 10.0 + k;
                unuse = 0.5 * k;
            }
            EXPECT_DOUBLE_EQ(s.m_dUse[size_t(k)], use) << "v" << version << " class " << k + 1;
            EXPECT_DOUBLE_EQ(s.m_dRemUse[size_t(k)], use) << "v" << version;
            EXPECT_DOUBLE_EQ(s.m_dUnuse[size_t(k)], unuse) << "v" << version;
        }
        EXPECT_DOUBLE_EQ(s.m_dFill, 7.0);
        EXPECT_DOUBLE_EQ(s.m_dRemFill, 7.0);
    }
}

// The log holds a source row and a destination row per process.
void AddPair(CDalvexDoc& doc, int gcid, const QString& srcDesc, int srcPit, double dstSta,
             const QString& dstDesc, int dstPit, double soilC, double rockC, bool ok = true) {
    LogRow src;
    src.gcid = gcid;
    src.desc = srcDesc;
    src.pit = srcPit;
    src.sta1 = 0;
    src.sta2 = 20;
    src.soilCBefore = 100;
    src.soilCAfter = 100 - soilC;
    src.rockCBefore = 50;
    src.rockCAfter = 50 - rockC;
    src.ok = ok;
    TestProject(doc).AddLogRow(src);
    LogRow dst;
    dst.gcid = gcid;
    dst.desc = dstDesc;
    dst.pit = dstPit;
    dst.sta1 = dstSta;
    dst.sta2 = dstSta + 20;
    dst.source = false;
    dst.ok = ok;
    TestProject(doc).AddLogRow(dst);
}

TEST_F(ReloadModel, DeliveredFillCountsOnlyAppliedDeliveriesIntoSegments) {
    auto doc = ThreeSegments();
    const QString none;
    AddPair(*doc, 1, none, 0, 20, none, 0, 6, 2);                // haul into 1
    AddPair(*doc, 2, none, 3, 40, none, 0, 1, 0.5);              // borrow into 2
    AddPair(*doc, 3, none, 0, 20, none, 0, 1000, 1000, false);   // undone
    AddPair(*doc, 4, none, 0, 20, none, 2, 1000, 1000);          // into waste pit 2
    AddPair(*doc, 5, "QCFF", 0, 20, "QCFF", 1, 1000, 1000);      // unusable to pit
    AddPair(*doc, 6, "JDQF", 0, 20, "JDQF", 0, 1000, 1000);      // beside the line
    AddPair(*doc, 7, "JDFF", 0, 20, "JDFF", 0, 1000, 1000);      // beside the line
    AddPair(*doc, 8, "DC", 0x10000005, 20, "DC", 2, 1000, 1000); // to a neighbour
    AddPair(*doc, 9, "DR", 1, 40, "DR", 0x10000003, 2, 3);       // from a neighbour
    AddPair(*doc, 10, none, 0, 25, none, 0, 1000, 1000);         // no segment starts there
    AddPair(*doc, 11, "JDQT,1.000,2.000,3.000,4.000,5.000,6.000", 0, 20, "", 0, 4, 0); // local take
    // A last, unpaired row adds nothing either.
    LogRow lone;
    lone.gcid = 12;
    lone.sta1 = 20;
    lone.soilCBefore = 1000;
    doc.AddLogRow(lone);
    ASSERT_TRUE(doc->ReloadModel());
    EXPECT_DOUBLE_EQ(doc->GetSegment(0).m_dFillSoil, 0.0);
    EXPECT_DOUBLE_EQ(doc->GetSegment(1).m_dFillSoil, 6.0 + 4.0);
    EXPECT_DOUBLE_EQ(doc->GetSegment(1).m_dFillRock, 2.0);
    EXPECT_DOUBLE_EQ(doc->GetSegment(2).m_dFillSoil, 1.0 + 2.0);
    EXPECT_DOUBLE_EQ(doc->GetSegment(2).m_dFillRock, 0.5 + 3.0);
    // A second reload starts again from 0.
    ASSERT_TRUE(doc->ReloadModel());
    EXPECT_DOUBLE_EQ(doc->GetSegment(1).m_dFillSoil, 10.0);
}

TEST_F(ReloadModel, PitsAndTheirEconomicStretches) {
    auto doc = ThreeSegments();
    doc.AddBorrowPit(10, 10, 10, {}, 0, 0);
    doc.AddBorrowPit(50, 50, 50, {}, 0, 0);
    doc.AddWastePit(30, 30, 30, 0);
    ASSERT_TRUE(doc->ReloadModel());
    const auto& borrow = doc->Model().m_arrQutuk;
    ASSERT_EQ(borrow.size(), 2u);
    EXPECT_EQ(borrow[0].m_staEcoStart, YStation(0));
    EXPECT_EQ(borrow[0].m_staEcoEnd, YStation(30));
    EXPECT_EQ(borrow[1].m_staEcoStart, YStation(30));
    EXPECT_EQ(borrow[1].m_staEcoEnd, YStation(60));
    const auto& waste = doc->Model().m_arrQituk;
    ASSERT_EQ(waste.size(), 1u);
    EXPECT_EQ(waste[0].m_staEcoStart, YStation(0));
    EXPECT_EQ(waste[0].m_staEcoEnd, YStation(60));
    EXPECT_EQ(doc->FindPit(35, 36, true), 1);
    EXPECT_EQ(doc->FindPit(35, 36, false), 0);
}

TEST_F(ReloadModel, NeighbourNotOpenIsReportedAndKept) {
    auto doc = ThreeSegments();
    doc.AddLink(1, 60, 0, 10, QStringLiteral("乙"), QStringLiteral("..\\b\\B.dvx"),
                QStringLiteral("G-B"));
    io.Clear();
    ASSERT_TRUE(doc->ReloadModel());
    ASSERT_EQ(doc->Model().m_arrNearPrj.size(), 1u);
    const YNearPrjItem& link = doc->Model().m_arrNearPrj[0];
    EXPECT_EQ(link.m_nNo, 1);
    EXPECT_EQ(link.m_sta, YStation(60));
    EXPECT_EQ(link.m_strGuid, QStringLiteral("G-B"));
    ASSERT_EQ(io.Messages().size(), 1u);
    EXPECT_EQ(io.Messages()[0].text, QStringLiteral("没有打开调配文件:..\\b\\B.dvx"));
}

TEST_F(ReloadModel, OpenNeighbourWithoutSegmentsIsStartedToo) {
    YDocManager manager(io);
    const QString pathA = dir.Path(QStringLiteral("A.dvx"));
    const QString pathB = dir.Path(QStringLiteral("B.dvx"));
    {
        TestProject b(pathB, io);
        b.SetProperty(QStringLiteral("GUID"), QStringLiteral("G-B"));
        b.AddSeg({.end = 10, .fill = 5});
        b.AddLink(1, 0, 60, 10, QStringLiteral("A"), QStringLiteral("A.dvx"),
                  QStringLiteral("G-A"));
        auto a = ThreeSegments(); // p.dvx, renamed below
        a.SetProperty(QStringLiteral("GUID"), QStringLiteral("G-A"));
        a.AddLink(1, 60, 0, 10, QStringLiteral("B"), QStringLiteral("B.dvx"),
                  QStringLiteral("G-B"));
        ASSERT_TRUE(a->DoSave(pathA));
    }
    io.Clear();
    CDalvexDoc* a = manager.OpenDocumentFile(pathA);
    ASSERT_NE(a, nullptr);
    ASSERT_EQ(manager.DocumentCount(), 2);
    CDalvexDoc* b = manager.FindOpenProject(QStringLiteral("G-B"));
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->GetSegmentCount(), 0);
    ASSERT_TRUE(a->ReloadModel());
    EXPECT_EQ(b->GetSegmentCount(), 1);
    EXPECT_TRUE(io.Messages().empty()) << io.Texts().join(u'|').toStdString();
}

} // namespace
