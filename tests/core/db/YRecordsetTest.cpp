#include "DbTestUtil.h"

#include "core/db/YDLSet.h"
#include "core/db/YGchSet.h"
#include "core/db/YTdpSet.h"
#include "core/db/YTransaction.h"
#include "core/db/YTsjsSet.h"
#include "core/db/YZjTsjsSet.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

using dalvex::test::Column;
using dalvex::test::CreateDatabase;
using dalvex::test::ScratchDir;

namespace {

// A project of one layout version with a [过程] set open on it.
class GchFixture : public ::testing::Test {
  protected:
    void Make(int version) {
        CreateDatabase(db, dir, version);
        ASSERT_TRUE(set.Open()) << set.LastError().toStdString();
    }
    // Adds a [过程] row in segment s (-1: none).
    void Add(int segment, int gcid) {
        db.SetCurrentSegment(segment);
        set.AddNew();
        EXPECT_EQ(set.m_nSegment, version() >= 5 ? segment : -1);
        set.m_nGCID = gcid;
        ASSERT_TRUE(set.Update()) << set.LastError().toStdString();
    }
    // Adds rows of no segment, one per GCID.
    void AddAll(std::initializer_list<int> gcids) {
        for (int g : gcids) {
            Add(-1, g);
        }
    }
    int version() const { return db.Version(); }
    QStringList Gcids() {
        QStringList ids;
        for (set.MoveFirst(); !set.IsEOF(); set.MoveNext()) {
            ids << QString::number(set.m_nGCID);
        }
        return ids;
    }
    // GCID and soil of every row of the file.
    QStringList SoilInFile() {
        return Column(db,
                      QStringLiteral("SELECT [GCID] || ':' || [用土] FROM [过程] ORDER BY [GCID]"));
    }
    QStringList FileRows(const char* where = "1") {
        return Column(db, QStringLiteral("SELECT [分段编号] || ':' || [GCID] FROM [过程] WHERE %1 "
                                         "ORDER BY [GCID]")
                              .arg(QString::fromUtf8(where)));
    }
    bool Requery(int segment) {
        db.SetCurrentSegment(segment);
        return set.Requery();
    }

    ScratchDir dir;
    YDatabase db;
    YGchSet set{db};
};

TEST_F(GchFixture, SegmentFilterAndAddNewStamping) {
    Make(6);
    Add(-1, 1);
    Add(2, 20);
    Add(3, 30);
    Add(3, 31);
    EXPECT_EQ(FileRows(), (QStringList{"-1:1", "2:20", "3:30", "3:31"}));

    ASSERT_TRUE(Requery(3));
    EXPECT_EQ(set.Filter(), QStringLiteral("[分段编号] = 3"));
    EXPECT_EQ(Gcids(), (QStringList{"30", "31"}));
    ASSERT_TRUE(Requery(2));
    EXPECT_EQ(Gcids(), QStringList{"20"});
    EXPECT_EQ(set.m_nSegment, 2);
    ASSERT_TRUE(Requery(-1));
    EXPECT_TRUE(set.Filter().isEmpty());
    EXPECT_EQ(Gcids(), (QStringList{"1", "20", "30", "31"}));

    // Project-wide tables ignore the segment.
    db.SetCurrentSegment(3);
    YDLSet dl(db);
    ASSERT_TRUE(dl.Open());
    EXPECT_TRUE(dl.Filter().isEmpty());
    EXPECT_EQ(dl.FieldCount(), 2);
    dl.AddNew();
    dl.m_nID = 1;
    ASSERT_TRUE(dl.Update());
    EXPECT_EQ(Column(db, QStringLiteral("SELECT count(*) FROM [断链]")), QStringList{"1"});
}

TEST_F(GchFixture, BeforeVersionFiveNothingIsFilteredOrStamped) {
    Make(4);
    set.Close();
    EXPECT_EQ(set.FieldCount(), 0);
    ASSERT_TRUE(set.Open());
    EXPECT_EQ(set.FieldCount(), 30);
    Add(2, 20);
    Add(3, 30);
    ASSERT_TRUE(Requery(3));
    EXPECT_TRUE(set.Filter().isEmpty());
    EXPECT_EQ(Gcids(), (QStringList{"20", "30"}));
    ASSERT_TRUE(set.DeleteSegmentRows());
    EXPECT_EQ(set.RecordCount(), 0);
    EXPECT_EQ(db.RowCount(QStringLiteral("过程")), 0);
}

TEST_F(GchFixture, DeleteSegmentRows) {
    Make(6);
    Add(1, 10);
    Add(1, 11);
    Add(2, 20);
    Add(-1, 1);

    ASSERT_TRUE(Requery(1));
    ASSERT_TRUE(set.DeleteSegmentRows());
    EXPECT_EQ(set.RecordCount(), 0);
    EXPECT_EQ(FileRows(), (QStringList{"-1:1", "2:20"}));

    // An empty set issues nothing: had it run "DELETE FROM [过程]" with no segment current,
    // segment 2 would be gone.
    ASSERT_TRUE(Requery(5));
    db.SetCurrentSegment(-1);
    ASSERT_TRUE(set.DeleteSegmentRows());
    EXPECT_EQ(FileRows(), (QStringList{"-1:1", "2:20"}));

    // No current segment: the whole table.
    ASSERT_TRUE(Requery(-1));
    ASSERT_TRUE(set.DeleteSegmentRows());
    EXPECT_TRUE(FileRows().isEmpty());
    EXPECT_TRUE(set.IsBOF() && set.IsEOF());
}

TEST_F(GchFixture, NavigationAndPosition) {
    Make(6);
    EXPECT_TRUE(set.IsBOF());
    EXPECT_TRUE(set.IsEOF());
    AddAll({30, 10, 20});
    ASSERT_TRUE(set.Requery());
    EXPECT_FALSE(set.IsBOF());
    EXPECT_EQ(set.m_nGCID, 10);
    set.MovePrev();
    EXPECT_TRUE(set.IsBOF());
    set.MoveNext();
    EXPECT_EQ(set.m_nGCID, 10);
    set.MoveLast();
    EXPECT_EQ(set.m_nGCID, 30);
    EXPECT_EQ(set.Position(), 2);
    set.MoveNext();
    EXPECT_TRUE(set.IsEOF());
    set.MovePrev();
    EXPECT_EQ(set.m_nGCID, 30);
    ASSERT_TRUE(set.SetPosition(1));
    EXPECT_EQ(set.m_nGCID, 20);
    const qint64 rowid = set.RowId();
    set.MoveFirst();
    ASSERT_TRUE(set.MoveToRowId(rowid));
    EXPECT_EQ(set.m_nGCID, 20);
    EXPECT_FALSE(set.SetPosition(3));
}

TEST_F(GchFixture, AddedRowsTakeTheirSortPlaceAndTheSetKeepsItsRow) {
    Make(6);
    AddAll({10, 20, 30});
    ASSERT_TRUE(set.Requery());
    set.MoveNext(); // on 20
    set.AddNew();
    set.m_nGCID = 15;
    ASSERT_TRUE(set.Update());
    EXPECT_EQ(set.m_nGCID, 20); // back on the row it stood on
    EXPECT_EQ(set.Position(), 2);
    EXPECT_EQ(Gcids(), (QStringList{"10", "15", "20", "30"}));
    ASSERT_TRUE(set.Requery());
    EXPECT_EQ(Gcids(), (QStringList{"10", "15", "20", "30"}));
}

TEST_F(GchFixture, EditWritesTheOneRow) {
    Make(6);
    AddAll({1, 2, 3});
    ASSERT_TRUE(set.Requery());
    set.MoveNext();
    ASSERT_TRUE(set.Edit());
    set.m_dSoil = 12.5;
    set.m_dMoved[5] = 7.25;
    set.m_staTakeStart = 100.0;
    ASSERT_TRUE(set.Update());
    EXPECT_EQ(set.m_nGCID, 2);
    EXPECT_EQ(
        Column(db, QStringLiteral("SELECT [GCID] || ':' || [用土] || ':' || [用石6] || ':' || "
                                  "[取土段S] FROM [过程] ORDER BY [GCID]")),
        (QStringList{"1:0.0:0.0:0.0", "2:12.5:7.25:100.0", "3:0.0:0.0:0.0"}));
    set.MoveFirst();
    set.MoveNext();
    EXPECT_DOUBLE_EQ(set.m_dSoil, 12.5); // the cached row was replaced
}

// Held-back updates: the file sees each edited row once, at the flush, with its last values
// (a sort key moved in between included); another write flushes first; a requery drops them.
TEST_F(GchFixture, HeldBackUpdatesReachTheFileOnceFlushed) {
    Make(6);
    AddAll({1, 2, 3});
    auto edit = [&](int gcid, auto change) {
        ASSERT_TRUE(set.Seek({double(gcid)}));
        ASSERT_TRUE(set.Edit());
        change();
        ASSERT_TRUE(set.Update()) << set.LastError().toStdString();
    };
    set.DeferUpdates();
    edit(1, [&] { set.m_dSoil = 1.5; });
    edit(1, [&] { set.m_dSoil += 1.0; });
    edit(3, [&] { set.m_nGCID = 0; }); // moves to the front of the order
    edit(0, [&] { set.m_dSoil = 4.0; });
    EXPECT_EQ(SoilInFile(), (QStringList{"1:0.0", "2:0.0", "3:0.0"}));
    ASSERT_TRUE(set.FlushUpdates()) << set.LastError().toStdString();
    EXPECT_FALSE(set.IsDeferring());
    EXPECT_EQ(SoilInFile(), (QStringList{"0:4.0", "1:2.5", "2:0.0"}));

    set.DeferUpdates();
    edit(2, [&] { set.m_dSoil = 9.0; });
    Add(-1, 5); // an insert writes what was held back first
    EXPECT_EQ(SoilInFile(), (QStringList{"0:4.0", "1:2.5", "2:9.0", "5:0.0"}));

    set.DeferUpdates();
    edit(5, [&] { set.m_dSoil = 7.0; });
    ASSERT_TRUE(set.Requery());
    EXPECT_FALSE(set.IsDeferring());
    ASSERT_TRUE(set.Seek({5}));
    EXPECT_DOUBLE_EQ(set.m_dSoil, 0.0);

    set.DeferUpdates(); // a row deleted behind the set's back fails the flush
    edit(5, [&] { set.m_dSoil = 7.0; });
    ASSERT_TRUE(db.Exec(QStringLiteral("DELETE FROM [过程] WHERE [GCID] = 5")));
    EXPECT_FALSE(set.FlushUpdates());
    EXPECT_FALSE(set.LastError().isEmpty());
}

// Many rows written at once: one statement per run of adjacent rowids, and the cache and the
// current row follow without a second read.
TEST_F(GchFixture, SetNumberAtWritesManyRowsAndKeepsTheCache) {
    Make(6);
    AddAll({1, 2, 3, 4, 5, 6});
    ASSERT_TRUE(db.Exec(QStringLiteral("DELETE FROM [过程] WHERE [GCID] = 4"))); // a rowid gap
    ASSERT_TRUE(set.Requery());
    ASSERT_TRUE(set.SetPosition(1));
    ASSERT_TRUE(set.SetNumberAt({4, 0, 1, 3, 1}, QStringLiteral("用土"), 2.5));
    EXPECT_DOUBLE_EQ(set.m_dSoil, 2.5); // the current row's members follow
    EXPECT_EQ(SoilInFile(), (QStringList{"1:2.5", "2:2.5", "3:0.0", "5:2.5", "6:2.5"}));
    std::vector<double> cached;
    for (set.MoveFirst(); !set.IsEOF(); set.MoveNext()) {
        cached.push_back(set.m_dSoil);
    }
    EXPECT_EQ(cached, (std::vector<double>{2.5, 2.5, 0.0, 2.5, 2.5}));
    // A sort key written this way re-sorts before the next search.
    ASSERT_TRUE(set.SetNumberAt({0}, QStringLiteral("GCID"), 9));
    ASSERT_TRUE(set.Seek({9}));
    EXPECT_EQ(set.Position(), 4);
    EXPECT_EQ(Gcids(), (QStringList{"2", "3", "5", "6", "9"}));

    EXPECT_FALSE(set.SetNumberAt({5}, QStringLiteral("用土"), 1)); // no such row
    EXPECT_FALSE(set.SetNumberAt({0}, QStringLiteral("没有这一列"), 1));
    ASSERT_TRUE(db.Exec(QStringLiteral("DELETE FROM [过程] WHERE [GCID] = 6")));
    EXPECT_FALSE(set.SetNumberAt({2, 3}, QStringLiteral("用土"), 1)); // a row left the file
    EXPECT_FALSE(set.LastError().isEmpty());
}

// Many rows deleted at once: the cache drops exactly them, in order, without a second read; a
// row that left the file behind the set's back fails the call and the set reads the file again.
TEST_F(GchFixture, DeleteAtDropsTheRowsFromFileAndCache) {
    Make(6);
    AddAll({1, 2, 3, 4, 5, 6, 7});
    ASSERT_TRUE(db.Exec(QStringLiteral("DELETE FROM [过程] WHERE [GCID] = 4"))); // a rowid gap
    ASSERT_TRUE(set.Requery());
    ASSERT_TRUE(set.DeleteAt({5, 0, 3, 2, 3})); // GCID 7, 1, 5, 3 (2 and 3 adjacent, a gap)
    EXPECT_TRUE(set.IsBOF());
    EXPECT_EQ(Gcids(), (QStringList{"2", "6"}));
    EXPECT_EQ(FileRows(), (QStringList{"-1:2", "-1:6"}));
    set.MoveFirst();
    EXPECT_EQ(set.m_nGCID, 2);

    EXPECT_FALSE(set.DeleteAt({2})); // no such row
    ASSERT_TRUE(db.Exec(QStringLiteral("DELETE FROM [过程] WHERE [GCID] = 6")));
    EXPECT_FALSE(set.DeleteAt({0, 1}));
    EXPECT_FALSE(set.LastError().isEmpty());
    // (A caller's transaction rolls the first run back; here the cache follows the file.)
    EXPECT_EQ(Gcids(), Column(db, QStringLiteral("SELECT [GCID] FROM [过程] ORDER BY [GCID]")));
}

// A reader that only wants the file's rows reads them again only when something changed them.
TEST_F(GchFixture, RequeryIfChangedSeesEveryChange) {
    Make(6);
    Add(-1, 1);
    ASSERT_TRUE(set.Requery());
    // The file is changed behind the cache: a plain write on the connection…
    ASSERT_TRUE(db.Exec(QStringLiteral("UPDATE [过程] SET [用土] = 3")));
    ASSERT_TRUE(set.RequeryIfChanged());
    EXPECT_DOUBLE_EQ(set.m_dSoil, 3.0);
    // …a commit of another connection…
    {
        YDatabase other;
        ASSERT_TRUE(other.Open(db.Path()));
        ASSERT_TRUE(other.Exec(QStringLiteral("UPDATE [过程] SET [用土] = 4")));
    }
    ASSERT_TRUE(set.RequeryIfChanged());
    EXPECT_DOUBLE_EQ(set.m_dSoil, 4.0);
    // …or another segment.
    Add(2, 20);
    db.SetCurrentSegment(2);
    ASSERT_TRUE(set.RequeryIfChanged());
    EXPECT_EQ(Gcids(), QStringList{"20"});
    // Unchanged, the set stands on its first row again, as after a requery.
    db.SetCurrentSegment(-1);
    ASSERT_TRUE(set.Requery());
    set.MoveLast();
    ASSERT_TRUE(set.RequeryIfChanged());
    EXPECT_EQ(set.Position(), 0);
    EXPECT_EQ(Gcids(), (QStringList{"1", "20"}));
}

TEST_F(GchFixture, MisuseFailsWithAReason) {
    Make(6);
    EXPECT_FALSE(set.Edit());
    EXPECT_FALSE(set.Delete());
    EXPECT_FALSE(set.Update());
    EXPECT_TRUE(set.LastError().contains(QStringLiteral("AddNew")));
    Add(-1, 1);
    ASSERT_TRUE(set.Requery());
    ASSERT_TRUE(db.Exec(QStringLiteral("DELETE FROM [过程]"))); // behind the set's back
    ASSERT_TRUE(set.Edit());
    set.m_dSoil = 1;
    EXPECT_FALSE(set.Update());
    EXPECT_TRUE(set.LastError().contains(QStringLiteral("已不在文件中")));
    set.CancelUpdate();
    EXPECT_DOUBLE_EQ(set.m_dSoil, 0.0);
}

TEST_F(GchFixture, DeleteWhileWalking) {
    Make(6);
    AddAll({1, 2, 3, 4, 5, 6, 7});
    ASSERT_TRUE(set.Requery());
    while (!set.IsEOF()) {
        if (set.m_nGCID % 2 == 0) {
            ASSERT_TRUE(set.Delete());
            EXPECT_FALSE(set.Delete()); // already gone
        }
        set.MoveNext();
    }
    EXPECT_EQ(Gcids(), (QStringList{"1", "3", "5", "7"}));
    EXPECT_EQ(FileRows(), (QStringList{"-1:1", "-1:3", "-1:5", "-1:7"}));
    // MovePrev after a delete reaches the row before it.
    set.MoveFirst();
    set.MoveNext();
    ASSERT_TRUE(set.Delete());
    set.MovePrev();
    EXPECT_EQ(set.m_nGCID, 1);
}

// The log sorted by (GCID, ID): random inserts, edits of the keys and deletions keep the set
// in the order a fresh query gives, and Seek agrees with a linear search.
TEST(YRecordset, RandomWritesKeepTheQueryOrder) {
    ScratchDir dir;
    YDatabase db;
    CreateDatabase(db, dir, 6);
    YTdpSet set(db);
    YTdpSet fresh(db);
    ASSERT_TRUE(set.Open());
    QRandomGenerator rng(42);
    const auto rowids = [](YTdpSet& s) {
        std::vector<std::tuple<int, int, qint64>> rows;
        for (s.MoveFirst(); !s.IsEOF(); s.MoveNext()) {
            rows.emplace_back(s.m_nGCID, s.m_nID, s.RowId());
        }
        return rows;
    };
    YTransaction tr(db);
    for (int op = 0; op < 400; ++op) {
        const int kind = rng.bounded(10);
        if (kind < 6 || set.RecordCount() == 0) {
            set.AddNew();
            set.m_nGCID = rng.bounded(20);
            set.m_nID = rng.bounded(5);
            ASSERT_TRUE(set.Update());
        } else if (kind < 8) {
            ASSERT_TRUE(set.SetPosition(rng.bounded(set.RecordCount())));
            ASSERT_TRUE(set.Edit());
            set.m_nGCID = rng.bounded(20);
            ASSERT_TRUE(set.Update());
        } else {
            ASSERT_TRUE(set.SetPosition(rng.bounded(set.RecordCount())));
            ASSERT_TRUE(set.Delete());
        }
        if (op % 20 == 0) {
            const int g = rng.bounded(20);
            const int id = rng.bounded(5);
            const auto all = rowids(set); // may still be unsorted after edits
            bool expected = false;
            for (const auto& [rg, rid, rowid] : all) {
                expected = expected || (rg == g && rid == id);
            }
            ASSERT_EQ(set.Seek({double(g), double(id)}), expected);
            if (expected) {
                EXPECT_EQ(set.m_nGCID, g);
                EXPECT_EQ(set.m_nID, id);
                set.MovePrev(); // the first such row
                EXPECT_TRUE(set.IsBOF() || set.m_nGCID != g || set.m_nID != id);
            }
            ASSERT_TRUE(fresh.Open());
            EXPECT_EQ(rowids(set), rowids(fresh));
        }
    }
    ASSERT_TRUE(tr.Commit());
}

// FindByStation positions on the row whose start station matches, within 1e-6 m, in
// O(log n); checked against a linear scan.
TEST(YRecordset, FindByStationAgreesWithALinearScan) {
    ScratchDir dir;
    YDatabase db;
    CreateDatabase(db, dir, 6);
    YZjTsjsSet set(db);
    ASSERT_TRUE(set.Open());
    QRandomGenerator rng(7);
    std::vector<double> stations;
    YTransaction tr(db);
    for (int i = 0; i < 500; ++i) {
        const double s = rng.bounded(100000) / 8.0; // with repeats, in random order
        stations.push_back(s);
        set.AddNew();
        set.m_staStart = s;
        set.m_staEnd = s + 20;
        set.m_dLength = i; // tells the rows apart
        ASSERT_TRUE(set.Update());
    }
    ASSERT_TRUE(tr.Commit());
    ASSERT_TRUE(set.Requery());
    const auto linear = [&](double s) {
        int found = -1;
        double best = 0;
        int index = 0;
        for (set.MoveFirst(); !set.IsEOF(); set.MoveNext(), ++index) {
            if (std::abs(set.m_staStart.Value() - s) <= 1e-6 && found < 0) {
                found = index;
                best = set.m_dLength;
            }
        }
        return std::make_pair(found, best);
    };
    for (int probe = 0; probe < 200; ++probe) {
        const double s = probe % 2 == 0 ? stations[size_t(rng.bounded(500))]
                                        : rng.bounded(100000) / 8.0 + 1.0 / 16;
        const auto [index, length] = linear(s);
        set.MoveFirst();
        set.MoveNext();
        const int before = set.Position();
        const bool found = set.FindByStation(YStation(s + 1e-7));
        ASSERT_EQ(found, index >= 0) << s;
        if (found) {
            EXPECT_EQ(set.Position(), index);
            EXPECT_DOUBLE_EQ(set.m_dLength, length);
        } else {
            EXPECT_EQ(set.Position(), before);
        }
    }
    ASSERT_TRUE(set.SeekAtOrAfter(stations[0]));
    EXPECT_GE(set.m_staStart.Value(), stations[0] - 1e-6);
    set.MovePrev();
    EXPECT_TRUE(set.IsBOF() || set.m_staStart.Value() < stations[0]);
    EXPECT_FALSE(set.SeekAtOrAfter(1e9));
    EXPECT_TRUE(set.IsEOF());
    EXPECT_FALSE(set.SeekText(QStringLiteral("K0+000"))); // sorted by a number
}

} // namespace
