#include "DbTestUtil.h"

#include "core/db/YFastStatement.h"
#include "core/db/YTransaction.h"

#include <gtest/gtest.h>

#include <sqlite3.h>

using dalvex::test::Column;
using dalvex::test::CreateDatabase;
using dalvex::test::ScratchDir;

namespace {

// How a statement reaches the file: SQLite's C interface, Qt's driver by choice, or Qt's driver
// because the driver runs another SQLite than the one linked.
enum class Path { Native, QtDriver, OtherLibrary };

// The same work on every path.
class FastPaths : public testing::TestWithParam<Path> {
  protected:
    void SetUp() override {
        YFastStatement::ForceQtDriver(GetParam() == Path::QtDriver);
        if (GetParam() == Path::OtherLibrary) {
            YFastStatement::SetDriverSourceIdForTests(
                QStringLiteral("2019-02-25 16:06:06 bd49a8271d650fa89e446b42e513b595a717b9212c91"));
        }
        CreateDatabase(db, dir, 6);
        ASSERT_TRUE(db.Exec(QStringLiteral("CREATE TABLE [t] ([a] DOUBLE, [b] INTEGER, "
                                           "[c] VARCHAR(255))")));
    }
    void TearDown() override {
        YFastStatement::ForceQtDriver(false);
        YFastStatement::SetDriverSourceIdForTests(std::nullopt);
    }
    QStringList Rows() {
        return Column(db, QStringLiteral("SELECT rowid || ':' || quote([a]) || ':' || "
                                         "quote([b]) || ':' || quote([c]) || ':' || typeof([c]) "
                                         "FROM [t] ORDER BY rowid"));
    }

    ScratchDir dir;
    YDatabase db;
};

TEST_P(FastPaths, StoresNullsIntegersDoublesAndTexts) {
    YFastStatement insert(db.Connection());
    EXPECT_EQ(insert.IsNative(), GetParam() == Path::Native);
    ASSERT_TRUE(insert.Prepare(QStringLiteral("INSERT INTO [t] ([a],[b],[c]) VALUES (?,?,?)")))
        << insert.LastError().toStdString();
    insert.BindDouble(0, 0.1);
    insert.BindInt(1, -(qint64(1) << 40));
    insert.BindText(2, QStringLiteral("K1+200 桥"));
    ASSERT_TRUE(insert.Exec()) << insert.LastError().toStdString();
    EXPECT_EQ(insert.RowsChanged(), 1);
    EXPECT_EQ(insert.InsertedRowId(), 1);
    insert.BindNull(0);
    insert.BindInt(1, 7);
    insert.BindText(2, QStringLiteral("")); // the empty text is not NULL
    ASSERT_TRUE(insert.Exec());
    insert.BindText(2, QString()); // a null QString is NULL; a and b stay bound
    ASSERT_TRUE(insert.Exec());
    EXPECT_EQ(insert.InsertedRowId(), 3);
    EXPECT_EQ(Rows(), (QStringList{"1:0.1:-1099511627776:'K1+200 桥':text", "2:NULL:7:'':text",
                                   "3:NULL:7:NULL:null"}));

    YFastStatement update(db.Connection());
    ASSERT_TRUE(update.Prepare(QStringLiteral("UPDATE [t] SET [a] = ? WHERE rowid = ?")));
    update.BindDouble(0, 2.5);
    update.BindInt(1, 2);
    ASSERT_TRUE(update.Exec());
    EXPECT_EQ(update.RowsChanged(), 1);
    update.BindInt(1, 99); // no such row
    ASSERT_TRUE(update.Exec());
    EXPECT_EQ(update.RowsChanged(), 0);
    EXPECT_EQ(Rows()[1], QStringLiteral("2:2.5:7:'':text"));
}

TEST_P(FastPaths, StatementsBelongToTheTransactionAndItsSavepoints) {
    YFastStatement insert(db.Connection());
    ASSERT_TRUE(insert.Prepare(QStringLiteral("INSERT INTO [t] ([b]) VALUES (?)")));
    {
        YTransaction outer(db);
        insert.BindInt(0, 1);
        ASSERT_TRUE(insert.Exec());
        {
            YTransaction inner(db);
            insert.BindInt(0, 2);
            ASSERT_TRUE(insert.Exec());
            inner.Rollback(); // only the inner row goes
        }
        insert.BindInt(0, 3);
        ASSERT_TRUE(insert.Exec());
        ASSERT_TRUE(outer.Commit()); // a prepared statement does not hold the commit up
    }
    {
        YTransaction tr(db);
        insert.BindInt(0, 4);
        ASSERT_TRUE(insert.Exec());
    } // rolled back
    EXPECT_EQ(Column(db, QStringLiteral("SELECT [b] FROM [t] ORDER BY rowid")),
              (QStringList{"1", "3"}));
}

TEST_P(FastPaths, FailuresAreReportedAndTheStatementStaysUsable) {
    YFastStatement bad(db.Connection());
    EXPECT_FALSE(bad.Prepare(QStringLiteral("INSERT INTO [没有这个表] VALUES (?)")));
    EXPECT_FALSE(bad.LastError().isEmpty());
    EXPECT_FALSE(bad.Exec()); // never prepared: refused, not run
    EXPECT_FALSE(bad.LastError().isEmpty());

    YFastStatement insert(db.Connection());
    ASSERT_TRUE(insert.Prepare(QStringLiteral("INSERT INTO [t] (rowid, [b]) VALUES (?, ?)")));
    insert.BindInt(0, 5);
    insert.BindInt(1, 1);
    ASSERT_TRUE(insert.Exec());
    insert.BindInt(1, 2);
    EXPECT_FALSE(insert.Exec()); // rowid 5 is taken
    EXPECT_TRUE(insert.LastError().contains(QStringLiteral("UNIQUE")))
        << insert.LastError().toStdString();
    insert.BindInt(0, 6);
    ASSERT_TRUE(insert.Exec()) << insert.LastError().toStdString();
    EXPECT_EQ(insert.InsertedRowId(), 6);
    // A second Prepare replaces the statement.
    ASSERT_TRUE(insert.Prepare(QStringLiteral("DELETE FROM [t] WHERE rowid = ?")));
    insert.BindInt(0, 5);
    ASSERT_TRUE(insert.Exec());
    EXPECT_EQ(insert.RowsChanged(), 1);
    EXPECT_EQ(Column(db, QStringLiteral("SELECT [b] FROM [t]")), QStringList{"2"});
}

// Rows read back give every kind of cell as the file holds it, whichever path reads them.
TEST_P(FastPaths, ReadsRowsCellByCell) {
    ASSERT_TRUE(db.Exec(QStringLiteral("INSERT INTO [t] ([a],[b],[c]) VALUES (0.1, -3, '桥'), "
                                       "(NULL, 4, ''), (2.5, NULL, x'00ff')")));
    YFastStatement select(db.Connection());
    ASSERT_TRUE(select.Prepare(QStringLiteral("SELECT [a],[b],[c] FROM [t] WHERE rowid >= ? "
                                              "ORDER BY rowid")));
    select.BindInt(0, 1);
    using Cell = YFastStatement::Cell;
    ASSERT_TRUE(select.Next()) << select.LastError().toStdString();
    double d = 0;
    EXPECT_EQ(select.Number(0, d), Cell::Float);
    EXPECT_EQ(d, 0.1);
    EXPECT_EQ(select.Number(1, d), Cell::Integer);
    EXPECT_EQ(d, -3.0);
    EXPECT_EQ(select.Int(1), -3);
    EXPECT_EQ(select.Type(2), Cell::Text);
    EXPECT_EQ(select.Text(2), QStringLiteral("桥"));
    ASSERT_TRUE(select.Next());
    EXPECT_EQ(select.Type(0), Cell::Null);
    EXPECT_TRUE(select.Value(0).isNull());
    EXPECT_EQ(select.Type(2), Cell::Text);
    EXPECT_TRUE(select.Text(2).isEmpty());
    ASSERT_TRUE(select.Next());
    EXPECT_EQ(select.Type(2), Cell::Blob);
    EXPECT_EQ(select.Value(2).toByteArray(), QByteArray("\x00\xff", 2));
    EXPECT_FALSE(select.Next());
    EXPECT_TRUE(select.LastError().isEmpty());
    // A finished statement runs again from the start, with new bindings.
    select.BindInt(0, 3);
    ASSERT_TRUE(select.Next());
    EXPECT_EQ(select.Number(0, d), Cell::Float);
    EXPECT_EQ(d, 2.5);
    select.Reset(); // ended early: the file is free for a writer
    EXPECT_TRUE(db.Exec(QStringLiteral("DELETE FROM [t]")));
}

std::string PathName(const testing::TestParamInfo<Path>& info) {
    const char* names[] = {"Native", "QtDriver", "OtherLibrary"};
    return names[int(info.param)];
}

INSTANTIATE_TEST_SUITE_P(Paths, FastPaths,
                         testing::Values(Path::Native, Path::QtDriver, Path::OtherLibrary),
                         PathName);

// Debian's driver runs the shared system library, which this program links too: the statements
// take the C interface, on which the speed of the preprocessing and every record-set write
// depends. Any other library version, or none reported, keeps them on the driver.
TEST(YFastStatement, TakesTheCInterfaceOnlyOfTheSameLibrary) {
    ScratchDir dir;
    YDatabase db;
    CreateDatabase(db, dir, 6);
    EXPECT_TRUE(YFastStatement(db.Connection()).IsNative());
    EXPECT_TRUE(YFastStatement::SameLibrary(QString::fromLatin1(sqlite3_sourceid())));
    EXPECT_FALSE(YFastStatement::SameLibrary(QString()));
    EXPECT_FALSE(YFastStatement::SameLibrary(QString::fromLatin1(sqlite3_sourceid()).chopped(1)));
}

} // namespace
