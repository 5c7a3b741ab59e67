#include "ImportFixture.h"

#include "core/import/YInputChecks.h"

#include <gtest/gtest.h>

namespace {

using Walk = YInputChecks::WalkEnd;

void AddContents(ImportFixture& f, double s, const std::vector<QVariant>& pct) {
    f.Exec("INSERT INTO [土石含量] ([桩号],[sta],[松土],[普通土],[硬土],[软石],[次坚石],[坚石]) "
           "VALUES (?,?,?,?,?,?,?,?)",
           {QString::number(s), s, pct[0], pct[1], pct[2], pct[3], pct[4], pct[5]});
}

void AddPit(ImportFixture& f, const std::vector<double>& pct) {
    f.Exec("INSERT INTO [取土坑] ([上路桩号],[松土],[普通土],[硬土],[软石],[次坚石],[坚石]) "
           "VALUES ('K0+100',?,?,?,?,?,?)",
           {pct[0], pct[1], pct[2], pct[3], pct[4], pct[5]});
}

TEST(InputChecks, ContentsMustAddUpToAHundred) {
    ImportFixture f;
    AddContents(f, 0, {33.3, 33.3, 33.4, 0, 0, 0});
    AddContents(f, 100, {QVariant(), 100.0, QVariant(), 0, 0, 0}); // empty cells count 0
    EXPECT_TRUE(YInputChecks::CheckContents(f.db, f.io));
    EXPECT_TRUE(f.io.Texts().isEmpty());
    AddContents(f, 200, {50, 40, 0, 0, 0, 0});
    EXPECT_FALSE(YInputChecks::CheckContents(f.db, f.io));
    EXPECT_EQ(f.io.Texts(), QStringList{"土石成分数据输入错误！"});
}

TEST(InputChecks, PitPercentagesUseTheSameTolerance) {
    ImportFixture f;
    AddPit(f, {33.3, 33.3, 33.4, 0, 0, 0});
    AddPit(f, {0.1, 0.2, 99.7, 0, 0, 0});
    EXPECT_TRUE(YInputChecks::CheckPitContents(f.db, f.io));
    AddPit(f, {0, 0, 0, 99, 0, 0});
    EXPECT_FALSE(YInputChecks::CheckPitContents(f.db, f.io));
    EXPECT_EQ(f.io.Texts(), QStringList{"土石成分数据输入错误！"});
}

void AddSection(ImportFixture& f, const char* text, double staColumn) {
    f.Exec("INSERT INTO [逐桩断面] ([桩号],[sta]) VALUES (?,?)", {QString(text), staColumn});
}

TEST(InputChecks, StationWalkCarriesTextsIntoTheNumericColumn) {
    ImportFixture f;
    AddSection(f, "K0+000", 0);
    AddSection(f, "K0+025", 1); // stale numeric station
    AddSection(f, "K0+040", 2);
    EXPECT_EQ(YInputChecks::SyncStations(f.db, f.io, "逐桩断面"), Walk::Done);
    EXPECT_EQ(f.Rows("SELECT [sta] FROM [逐桩断面] ORDER BY [sta]"),
              QStringList({"0", "25", "40"}));
    EXPECT_EQ(f.io.WaitDepth(), 0);
}

TEST(InputChecks, StationWalkStopsAtADuplicateOrAnUnreadableText) {
    ImportFixture f;
    AddSection(f, "K0+000", 0);
    AddSection(f, "K0+020", 1);
    AddSection(f, "K0+020", 2);
    AddSection(f, "K0+060", 3);
    EXPECT_EQ(YInputChecks::SyncStations(f.db, f.io, "逐桩断面"), Walk::Duplicate);
    EXPECT_EQ(f.io.Texts(), QStringList{"“K0+020”桩号的数据可能重复出现!"});
    // Rows from the duplicate on keep their old numeric station.
    EXPECT_EQ(f.Rows("SELECT [sta] FROM [逐桩断面] ORDER BY rowid"),
              QStringList({"0", "20", "2", "3"}));

    ImportFixture g;
    g.Exec("INSERT INTO [路槽] ([桩号],[sta]) VALUES ('K0+010', 0), ('K0+010', 1), "
           "('bad', 2), ('K0+090', 3)");
    // The trough walk has no duplicate test; it stops at the unreadable text silently.
    EXPECT_EQ(YInputChecks::SyncStations(g.db, g.io, "路槽"), Walk::Unreadable);
    EXPECT_TRUE(g.io.Texts().isEmpty());
    EXPECT_EQ(g.Rows("SELECT [sta] FROM [路槽] ORDER BY rowid"),
              QStringList({"10", "10", "2", "3"}));
}

TEST(InputChecks, CoefficientsWithinZeroToHundred) {
    ImportFixture f;
    EXPECT_TRUE(YInputChecks::SetCoefficients(f.db, f.io, {1.3, 1.2, 1.1, 0, 100, 0.95}));
    EXPECT_EQ(f.Rows("SELECT * FROM [土石系数]"), QStringList{"1.3|1.2|1.1|0|100|0.95"});
    EXPECT_FALSE(YInputChecks::SetCoefficients(f.db, f.io, {1, 1, 1, 1, 100.5, 1}));
    EXPECT_FALSE(YInputChecks::SetCoefficients(f.db, f.io, {1, 1, -0.1, 1, 1, 1}));
    EXPECT_EQ(f.io.Texts(), QStringList(2, YInputChecks::RangeMessage()));
    EXPECT_EQ(f.Rows("SELECT * FROM [土石系数]"), QStringList{"1.3|1.2|1.1|0|100|0.95"});
    f.Exec("DELETE FROM [土石系数]");
    EXPECT_TRUE(YInputChecks::SetCoefficients(f.db, f.io, {1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(f.Rows("SELECT * FROM [土石系数]"), QStringList{"1|2|3|4|5|6"});
}

TEST(InputChecks, InputIsReadOnlyOnceTheSegmentHasResults) {
    ImportFixture f;
    EXPECT_TRUE(YInputChecks::IsEditable(f.db));
    f.Exec("INSERT INTO [Tmp调配过程表] ([分段编号],[GCID],[ID]) VALUES (2, 1, 1)");
    EXPECT_FALSE(YInputChecks::IsEditable(f.db)); // no current segment: every row counts
    f.db.SetCurrentSegment(1);
    EXPECT_TRUE(YInputChecks::IsEditable(f.db));
    f.db.SetCurrentSegment(2);
    EXPECT_FALSE(YInputChecks::IsEditable(f.db));
}

} // namespace
