// The three tables of a project, written and read back cell by cell with the layer's reader:
// page building, kilometre breaks and groups, choice columns, empty shares, method limits,
// pit numbering, and every way a table stops with a message instead of a partial workbook.
#include "core/db/YGchSet.h"
#include "core/db/YZzmjSet.h"
#include "core/platform/YConf.h"
#include "core/platform/YProfile.h"
#include "core/reports/COutQQk.h"
#include "core/reports/YCalcTable.h"
#include "core/reports/YHaulTable.h"
#include "core/reports/YXlsxBook.h"
#include "support/ProjectFixture.h"

#include <QFileInfo>
#include <gtest/gtest.h>

using namespace dalvex::test;

namespace {

// One summary row of [过程]: step, taken from (station range), put to, compacted soil and
// rock (m³), their haul distances (m), pit number.
struct Gch {
    int gcid = 1;
    double takeS = 0, takeE = 0, putS = 0, putE = 0;
    double soil = 0, rock = 0, soilDist = 0, rockDist = 0;
    int pit = 0;
};

class ReportTablesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        YProfile::UseFile(m_dir.Path(QStringLiteral("profile.ini")));
        m_project = std::make_unique<TestProject>(m_dir.Path(QStringLiteral("p.dvx")), m_io);
    }

    CDalvexDoc& Doc() { return m_project->Doc(); }

    // n stretches of len metres from 0 (cut and fill alternating) with their stations.
    void Line(int n, double len = 20.0) {
        m_project->AddLine(0.0, len, TestProject::Road(n));
        YZzmjSet& zz = Doc().GetZzmjSet();
        for (int i = 0; i <= n; ++i) {
            zz.AddNew();
            zz.m_sta = i * len;
            zz.m_strSta = StaText(i * len);
            zz.m_dCutArea = 10.0 + i;
            zz.m_dFillArea = 0.5 * i;
            ASSERT_TRUE(zz.Update()) << zz.LastError().toStdString();
        }
    }
    void AddGch(const Gch& g) {
        YGchSet& set = Doc().GetGchSet();
        set.AddNew();
        set.m_nGCID = g.gcid;
        set.m_staTakeStart = g.takeS;
        set.m_staTakeEnd = g.takeE;
        set.m_staPutStart = g.putS;
        set.m_staPutEnd = g.putE;
        set.m_dSoil = g.soil;
        set.m_dRock = g.rock;
        set.m_dSoilDist = g.soilDist;
        set.m_dRockDist = g.rockDist;
        set.m_nPit = g.pit;
        ASSERT_TRUE(set.Update()) << set.LastError().toStdString();
    }
    QString Out(const QString& name = QStringLiteral("out.xlsx")) { return m_dir.Path(name); }
    // Reads a written workbook; fails the test when there is none.
    YXlsxBook& Read(const QString& path) {
        EXPECT_TRUE(m_book.Open(path)) << m_book.LastError().toStdString();
        return m_book;
    }

    ScratchDir m_dir;
    YRecordingUserIO m_io;
    std::unique_ptr<TestProject> m_project;
    YXlsxBook m_book;
};

// ---- 土方计算表 ----

TEST_F(ReportTablesTest, ThirtyStretchesMakeTwoPagesSharingAStation) {
    Line(30);
    AddGch({});
    m_project->SetProperty(QStringLiteral("项目名称"), QStringLiteral("=HYPERLINK(\"x\")"));
    Doc().ReloadProjectProperties();
    YCalcTable table(Doc());
    ASSERT_TRUE(table.Prepare(false));
    ASSERT_EQ(table.Pages().size(), 2u);
    EXPECT_EQ(table.Pages()[0].stations.size(), 27u);
    EXPECT_EQ(table.Pages()[1].stations.front(), table.Pages()[0].stations.back());
    EXPECT_EQ(table.Pages()[1].stations.size(), 5u);

    ASSERT_TRUE(table.Output(YCalcTableOptions(), Out())) << m_io.Texts().join('|').toStdString();
    EXPECT_EQ(m_io.ProgressTitles(), QStringList{QStringLiteral("输出表格数据")});
    YXlsxBook& b = Read(Out());
    EXPECT_EQ(b.SheetNames(), (QStringList{"土方计算表1", "土方计算表2"}));
    EXPECT_EQ(b.Kind(0, 3, 1), YXlsxBook::CellKind::Text);
    EXPECT_EQ(b.Text(0, 3, 1), "=HYPERLINK(\"x\")");
    EXPECT_EQ(b.Text(0, 3, 27), "第1页  共2页");
    EXPECT_EQ(b.Text(1, 3, 27), "第2页  共2页");
    EXPECT_EQ(b.Text(0, 9, 1), "K0+000.000");
    EXPECT_EQ(b.Text(0, 61, 1), "K0+520.000");
    EXPECT_EQ(b.Text(1, 9, 1), "K0+520.000");
    EXPECT_EQ(b.Text(1, 17, 1), "K0+600.000");
    // Areas at the station; the first station of a page has nothing else.
    EXPECT_EQ(b.Number(0, 9, 2), 10.0);
    EXPECT_EQ(b.Number(1, 9, 3), 13.0);
    for (int col = 4; col <= 26; ++col) {
        EXPECT_EQ(b.Kind(1, 9, col), YXlsxBook::CellKind::Empty) << col;
    }
    EXPECT_EQ(b.Number(1, 11, 4), 20.0);
}

TEST_F(ReportTablesTest, QuantityColumnsFollowTheChoicesAndLeaveZeroSharesEmpty) {
    m_project->AddLine(0.0, 20.0, {SegSpec{.use = {30, 70, 0, 0, 0, 0}}, SegSpec{.fill = 55.5}});
    Line(0);
    YZzmjSet& zz = Doc().GetZzmjSet();
    for (double s : {20.0, 40.0}) {
        zz.AddNew();
        zz.m_sta = s;
        ASSERT_TRUE(zz.Update());
    }
    AddGch({});
    YCalcTable table(Doc());
    ASSERT_TRUE(table.Prepare(false));
    YCalcTableOptions opt;
    ASSERT_TRUE(table.Output(opt, Out()));
    YXlsxBook& b = Read(Out());
    // Stretch 0-20 is on the row of K0+020.
    EXPECT_EQ(b.Number(0, 11, 5), 100.0);
    EXPECT_EQ(b.Number(0, 11, 6), 30.0); // class I share, %
    EXPECT_EQ(b.Number(0, 11, 7), 30.0);
    for (int col = 10; col <= 17; ++col) { // classes III-VI: no share, no cells
        EXPECT_EQ(b.Kind(0, 11, col), YXlsxBook::CellKind::Empty) << col;
    }
    EXPECT_EQ(b.Number(0, 11, 25), 100.0); // surplus, natural by default
    EXPECT_EQ(b.Number(0, 13, 18), 55.5);  // fill total, compacted by default

    // 填方总量 as natural needs the extension record this project lacks: the column stays empty.
    opt.natural[YCalcTableOptions::FillTotal] = true;
    ASSERT_TRUE(table.Output(opt, Out(QStringLiteral("b.xlsx"))));
    EXPECT_EQ(Read(Out(QStringLiteral("b.xlsx"))).Kind(0, 13, 18), YXlsxBook::CellKind::Empty);
}

TEST_F(ReportTablesTest, KilometrePagesEndWithTheFirstStretchReachingTheNextKilometre) {
    Line(60); // 0 … 1200 m
    AddGch({});
    YCalcTable table(Doc());
    ASSERT_TRUE(table.Prepare(true));
    ASSERT_EQ(table.Pages().size(), 3u);
    EXPECT_EQ(table.Pages()[0].stations.back(), YStation(520.0));
    EXPECT_EQ(table.Pages()[1].stations.back(), YStation(1000.0));
    EXPECT_EQ(table.Pages()[2].stations.front(), YStation(1000.0));
    YCalcTableOptions opt;
    opt.perKm = true;
    ASSERT_TRUE(table.Output(opt, Out()));
    YXlsxBook& b = Read(Out());
    // Once per kilometre, though kilometre 0 fills two pages; and after the last page.
    EXPECT_NE(b.Text(0, 64, 1), "每公里小计");
    EXPECT_EQ(b.Text(1, 64, 1), "每公里小计");
    EXPECT_EQ(b.Text(2, 64, 1), "每公里小计");
    // The subtotal of kilometre 0 adds the cut of both its pages.
    double cut = 0.0;
    for (int page = 0; page < 2; ++page) {
        for (int row = 11; row <= 61; row += 2) {
            cut += b.Number(page, row, 5).value_or(0.0);
        }
    }
    ASSERT_GT(cut, 0.0);
    EXPECT_NEAR(*b.Number(1, 64, 5), cut, 1e-9);
    // The page total moved below the subtotal and still sums the station rows only.
    EXPECT_EQ(b.Formula(1, 65, 5), "SUM(E9:E63)");
}

TEST_F(ReportTablesTest, AStationMissingFromTheSectionsStopsWithoutAWorkbook) {
    Line(5);
    AddGch({});
    YZzmjSet& zz = Doc().GetZzmjSet();
    ASSERT_TRUE(zz.FindByStation(YStation(60.0)));
    ASSERT_TRUE(zz.Delete());
    YCalcTable table(Doc());
    ASSERT_TRUE(table.Prepare(false));
    EXPECT_FALSE(table.Output(YCalcTableOptions(), Out()));
    EXPECT_EQ(m_io.Texts(),
              QStringList{QStringLiteral("[逐桩断面]中没有桩号K0+060.000，土方计算表没有输出。")});
    EXPECT_FALSE(QFileInfo::exists(Out()));
}

TEST_F(ReportTablesTest, NoSummariesNoCalculationTable) {
    Line(3);
    YCalcTable table(Doc());
    EXPECT_FALSE(table.Prepare(false));
    EXPECT_TRUE(m_io.Texts().isEmpty());
}

// ---- 土方运量统计表 ----

TEST_F(ReportTablesTest, HaulRowsSplitByMethodLimitsAndShare) {
    Line(3);
    AddGch({1, 0, 20, 40, 60, 1000, 0, 150});
    AddGch({2, 0, 20, 20, 40, 200, 50, 149.9, 600});
    YHaulTable table(Doc());
    ASSERT_TRUE(table.Prepare());
    YHaulTableOptions opt;
    ASSERT_TRUE(table.Output(opt, Out()));
    YXlsxBook& b = Read(Out());
    // Sorted by from station: the 20-40 row first.
    EXPECT_EQ(b.Number(0, 8, 2), 10.0); // 5 % by hand
    EXPECT_NEAR(*b.Number(0, 8, 3), 0.1499, 1e-12);
    EXPECT_EQ(b.Number(0, 8, 4), 190.0); // below 150 m: bulldozer
    EXPECT_EQ(b.Number(0, 8, 14), 50.0); // rock beyond 500 m: dump truck
    EXPECT_EQ(b.Number(0, 8, 15), 0.6);
    // Exactly 150 m goes to the next method, the scraper.
    EXPECT_EQ(b.Kind(0, 9, 4), YXlsxBook::CellKind::Empty);
    EXPECT_EQ(b.Number(0, 9, 6), 950.0);
    EXPECT_EQ(b.Text(0, 9, 16), "远运利用");
    EXPECT_EQ(b.Text(0, 5, 2), "人   工   施   工");
    EXPECT_EQ(b.Text(0, 5, 14), "自 卸 车 清 运");

    // No manual share: the machine gets everything; haul volumes in mode 1.
    opt.manualShare = 0;
    opt.mode = 1;
    ASSERT_TRUE(table.Output(opt, Out(QStringLiteral("b.xlsx"))));
    YXlsxBook& c = Read(Out(QStringLiteral("b.xlsx")));
    EXPECT_EQ(c.Kind(0, 9, 2), YXlsxBook::CellKind::Empty);
    EXPECT_EQ(c.Kind(0, 9, 3), YXlsxBook::CellKind::Empty);
    EXPECT_EQ(c.Number(0, 9, 6), 1000.0);
    EXPECT_EQ(c.Number(0, 9, 7), 150.0); // m³·km
}

TEST_F(ReportTablesTest, ThirtyThreeEntriesMakeTwoPagesAndKilometreGroupsRoundUp) {
    Line(3);
    for (int i = 0; i < 33; ++i) {
        // 32 entries in kilometre 0 ending at 900 m, then one at 1500 m.
        const double put = i < 32 ? 10.0 * i : 1500.0;
        AddGch({i + 1, 0, 5, put, i < 32 ? 900.0 : 1600.0, 1, 0, 10});
    }
    YHaulTable table(Doc());
    ASSERT_TRUE(table.Prepare());
    ASSERT_EQ(table.Pages().size(), 2u);
    ASSERT_TRUE(table.Output(YHaulTableOptions(), Out()));
    YXlsxBook& b = Read(Out());
    EXPECT_EQ(b.SheetNames(), (QStringList{"土方运量统计表1", "土方运量统计表2"}));
    EXPECT_EQ(b.Text(1, 3, 14), "第2页  共2页");
    EXPECT_EQ(b.Text(1, 8, 16), "远运利用");
    EXPECT_EQ(b.Kind(1, 9, 16), YXlsxBook::CellKind::Empty);
    // The first group ends inside kilometre 0, so it is closed at K1+000 and the next group
    // starts there; the last group is written unrounded.
    EXPECT_EQ(b.Text(0, 8, 1), "K0+000.000～K1+000.000");
    EXPECT_EQ(b.Text(1, 8, 1), "K1+000.000～K1+600.000");
    EXPECT_EQ(b.Kind(0, 9, 1), YXlsxBook::CellKind::Empty);
}

TEST_F(ReportTablesTest, AGroupAfterALongHaulStartsAtItsOwnEntryNeverBackwards) {
    Line(3);
    AddGch({1, 0, 5, 0, 2500, 1, 0, 9});
    AddGch({2, 0, 5, 1200, 1300, 1, 0, 9});
    YHaulTable table(Doc());
    ASSERT_TRUE(table.Prepare());
    ASSERT_TRUE(table.Output(YHaulTableOptions(), Out()));
    YXlsxBook& b = Read(Out());
    EXPECT_EQ(b.Text(0, 8, 1), "K0+000.000～K2+500.000");
    EXPECT_EQ(b.Text(0, 9, 1), "K1+200.000～K1+300.000");
}

TEST_F(ReportTablesTest, HaulTableNeedsAFinishedAllocation) {
    Line(3);
    YHaulTable table(Doc());
    EXPECT_FALSE(table.Prepare());
    EXPECT_EQ(m_io.Texts(), QStringList{QStringLiteral("调配未完成！不能输出表！")});
}

TEST_F(ReportTablesTest, RowKindsStandForTheStretchOnThisRoad) {
    Line(3);
    AddGch({3, 500, 500, 20, 40, 5, 0, 0, 0, 1}); // borrow
    AddGch({4, 0, 20, 700, 700, 5, 0, 0, 0, -1}); // waste
    AddGch({-1, 40, 60, 40, 60, 5});              // local
    YHaulTable table(Doc());
    ASSERT_TRUE(table.Prepare());
    ASSERT_EQ(table.Entries().size(), 3u);
    EXPECT_EQ(table.Entries()[0].kind, 2);
    EXPECT_EQ(table.Entries()[0].from, YStation(0.0));
    EXPECT_EQ(table.Entries()[1].kind, 1);
    EXPECT_EQ(table.Entries()[1].from, YStation(20.0));
    EXPECT_EQ(table.Entries()[2].kind, 3);
    EXPECT_EQ(YHaulTable::KindLabel(1), "借    方");
}

// ---- 取土弃土场表 ----

TEST_F(ReportTablesTest, PitsInRoadOrderNumberedByReadingOrderEachWithItsOwnTransfers) {
    Line(3);
    // Reading order follows the text of 上路桩号: K10+000 (JK1, JK2) before K9+000 (JK3).
    m_project->AddBorrowPit(10000, 10000, 10000, {0, 100, 0, 0, 0, 0}, 1000, 0, 50);
    m_project->AddBorrowPit(10000, 10000, 10000, {0, 100, 0, 0, 0, 0}, 1000, 0, 60);
    m_project->AddBorrowPit(9000, 9000, 9000, {0, 100, 0, 0, 0, 0}, 1000, 0, 70);
    m_project->AddWastePit(800, 800, 800, 1000, 80);
    // Both pits at K10+000 get their own transfers, by the number in 坑.
    AddGch({1, 10000, 10000, 40, 60, 10, 0, 1000, 0, 2});
    AddGch({2, 10000, 10000, 20, 40, 20, 0, 500, 0, 1});
    AddGch({3, 9000, 9000, 0, 20, 0, 3, 0, 100, 3});
    AddGch({4, 0, 20, 800, 800, 7, 0, 0, 0, -1});
    // A cross-project summary's 坑 names a link, not a pit.
    AddGch({-3, 20, 40, 800, 800, 9, 0, 0, 0, 1});
    COutQQk out(Doc());
    ASSERT_EQ(out.Borrow().size(), 3u);
    ASSERT_TRUE(out.Output(Out())) << m_io.Texts().join('|').toStdString();
    YXlsxBook& b = Read(Out());
    EXPECT_EQ(b.SheetNames(), QStringList{"取土弃土场表1"});
    const QStringList expected[] = {
        {"JK3", "K9+000.000", "", "70"},  {"", "", "K0+000.000~K0+020.000", ""},
        {"JK1", "K10+000.000", "", "50"}, {"", "", "K0+020.000~K0+040.000", ""},
        {"JK2", "K10+000.000", "", "60"}, {"", "", "K0+040.000~K0+060.000", ""},
        {"QK1", "K0+800.000", "", "80"},  {"", "", "K0+000.000~K0+020.000", ""}};
    for (int i = 0; i < 8; ++i) {
        const int row = 5 + i;
        EXPECT_EQ((QStringList{b.Text(0, row, 1), b.Text(0, row, 2), b.Text(0, row, 3),
                               b.Text(0, row, 5)}),
                  expected[i])
            << row;
    }
    EXPECT_EQ(b.Kind(0, 6, 6), YXlsxBook::CellKind::Empty); // no soil: the cell stays empty
    EXPECT_EQ(b.Number(0, 6, 7), 3.0);
    EXPECT_EQ(b.Number(0, 6, 11), 0.0003);
    EXPECT_EQ(b.Number(0, 8, 6), 20.0);
    EXPECT_EQ(b.Number(0, 10, 6), 10.0);
    EXPECT_EQ(b.Number(0, 10, 11), 0.01);
    EXPECT_EQ(b.Number(0, 12, 8), 7.0);
    EXPECT_EQ(b.Kind(0, 13, 1), YXlsxBook::CellKind::Empty);
}

TEST_F(ReportTablesTest, PitTableSaysWhyItWritesNothing) {
    Line(3);
    m_project->AddWastePit(800, 800, 800, 1000);
    COutQQk none(Doc());
    EXPECT_FALSE(none.Output(Out()));
    EXPECT_EQ(m_io.Texts(),
              QStringList{QStringLiteral("没有经过取土坑或弃土坑的调配，取土弃土场表没有内容。")});

    AddGch({1, 0, 20, 800, 800, 7, 0, 0, 0, -1});
    m_io.Clear();
    YConf::Instance().SetTemplatePath(YConf::PitTable, QString());
    EXPECT_FALSE(COutQQk(Doc()).Output(Out()));
    EXPECT_EQ(m_io.Texts(), QStringList{QStringLiteral(
                                "没有设置“取土弃土场表”的表格模板，请用“表格模板设置”指定。")});

    m_io.Clear();
    const QString bad = m_dir.Path(QStringLiteral("bad.xlsx"));
    QFile f(bad);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("not a zip");
    f.close();
    YConf::Instance().SetTemplatePath(YConf::PitTable, bad);
    EXPECT_FALSE(COutQQk(Doc()).Output(Out()));
    EXPECT_EQ(m_io.Texts(),
              QStringList{QStringLiteral("无法打开“取土弃土场表”的表格模板%1").arg(bad)});
    EXPECT_FALSE(QFileInfo::exists(Out()));
}

TEST_F(ReportTablesTest, PitPagesHoldTwentyEightRows) {
    Line(3);
    m_project->AddWastePit(800, 800, 800, 1000);
    for (int i = 0; i < 27; ++i) { // one pit row + 27 entries = exactly one full page
        AddGch({i + 1, double(i), i + 1.0, 800, 800, 1, 0, 0, 0, -1});
    }
    ASSERT_TRUE(COutQQk(Doc()).Output(Out()));
    YXlsxBook& b = Read(Out());
    // A full page starts the next one at once, as the table always did.
    EXPECT_EQ(b.SheetCount(), 2);
    EXPECT_EQ(b.Text(0, 32, 3), "K0+026.000~K0+027.000");
    EXPECT_EQ(b.Kind(1, 5, 3), YXlsxBook::CellKind::Empty);
}

} // namespace
