#include "DbTestUtil.h"

#include "core/db/YFastStatement.h"
#include "core/db/YTransaction.h"

#include <gtest/gtest.h>

#if defined(Q_OS_UNIX)
#include <dlfcn.h>
#endif

using dalvex::test::Column;
using dalvex::test::CreateDatabase;
using dalvex::test::ScratchDir;

namespace {

// The same work on SQLite's C interface (where reachable) and through Qt's driver.
class FastPaths : public testing::TestWithParam<bool> {
  protected:
    void SetUp() override {
        YFastStatement::ForceQtDriver(GetParam());
        CreateDatabase(db, dir, 6);
        ASSERT_TRUE(db.Exec(QStringLiteral("CREATE TABLE [t] ([a] DOUBLE, [b] INTEGER, "
                                           "[c] VARCHAR(255))")));
    }
    void TearDown() override { YFastStatement::ForceQtDriver(false); }
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
    EXPECT_FALSE(insert.IsNative() && GetParam());
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

INSTANTIATE_TEST_SUITE_P(Paths, FastPaths, testing::Values(false, true),
                         [](const testing::TestParamInfo<bool>& info) {
                             return info.param ? std::string("QtDriver") : std::string("Native");
                         });

// Where the driver runs on the shared SQLite library (as Debian's does), the statements take
// the C interface: the speed of the preprocessing and of every record-set write depends on it.
TEST(YFastStatement, TakesTheCInterfaceOfTheDriversLibrary) {
    ScratchDir dir;
    YDatabase db;
    CreateDatabase(db, dir, 6);
    YFastStatement statement(db.Connection());
#if defined(Q_OS_UNIX)
    void* lib = dlopen("libsqlite3.so.0", RTLD_NOW | RTLD_NOLOAD);
    EXPECT_EQ(statement.IsNative(), lib != nullptr);
    if (lib != nullptr) {
        dlclose(lib); // drops only the reference taken here
    }
#else
    EXPECT_FALSE(statement.IsNative());
#endif
}

} // namespace
