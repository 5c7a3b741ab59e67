#include "PreprocessFixture.h"

#include "core/compute/YBulkStatement.h"
#include "core/db/YTransaction.h"

#include <gtest/gtest.h>

namespace {

// Runs the same bulk work on SQLite's C interface (where reachable) and through Qt's driver.
class BulkPaths : public testing::TestWithParam<bool> {
  protected:
    void SetUp() override { YBulkStatement::ForceQtDriver(GetParam()); }
    void TearDown() override { YBulkStatement::ForceQtDriver(false); }
};

TEST_P(BulkPaths, InsertsInsideTheConnectionsTransaction) {
    PreprocessFixture f;
    {
        YTransaction tr(f.db);
        YBulkStatement insert(f.db.Connection());
        EXPECT_EQ(insert.IsNative() && GetParam(), false);
        ASSERT_TRUE(insert.Prepare("INSERT INTO [路槽] ([桩号],[高度],[sta]) VALUES ('x', ?, ?)"))
            << insert.LastError().toStdString();
        for (int i = 0; i < 3; ++i) {
            insert.BindDouble(0, 0.5 + i);
            insert.BindInt(1, i * 100);
            ASSERT_TRUE(insert.Exec()) << insert.LastError().toStdString();
        }
        tr.Rollback(); // the statements belong to the transaction
    }
    EXPECT_EQ(f.Count("路槽"), 0);
    YBulkStatement insert(f.db.Connection());
    ASSERT_TRUE(insert.Prepare("INSERT INTO [路槽] ([桩号],[高度],[sta]) VALUES ('x', ?, ?)"));
    insert.BindDouble(0, 0.25);
    insert.BindInt(1, 7);
    ASSERT_TRUE(insert.Exec());
    EXPECT_DOUBLE_EQ(f.Value("SELECT [高度] FROM [路槽] WHERE [sta] = 7"), 0.25);
}

TEST_P(BulkPaths, ReportsErrors) {
    PreprocessFixture f;
    YBulkStatement bad(f.db.Connection());
    EXPECT_FALSE(bad.Prepare("INSERT INTO [没有这个表] VALUES (?)"));
    EXPECT_FALSE(bad.LastError().isEmpty());
}

TEST_P(BulkPaths, PreprocessingGivesTheSameRowsEitherWay) {
    PreprocessFixture f;
    for (double s : {0.0, 20.0, 40.0, 60.0}) {
        f.Section(s, s / 4, 10 - s / 8, s < 30 ? -1 : 1);
    }
    f.Contents(60, {10, 40, 20, 10, 10, 10}, 90);
    f.Trough(100, 0.7, 9);
    ASSERT_TRUE(f.Run().Ok());
    const auto rows = f.Rows();
    const auto sections = f.Rows("逐桩断面");
    YBulkStatement::ForceQtDriver(!GetParam());
    f.io.QueueAnswer(true);
    ASSERT_TRUE(f.Run().Ok());
    EXPECT_EQ(f.Rows(), rows);
    EXPECT_EQ(f.Rows("逐桩断面"), sections);
}

INSTANTIATE_TEST_SUITE_P(Paths, BulkPaths, testing::Values(false, true),
                         [](const testing::TestParamInfo<bool>& info) {
                             return info.param ? std::string("QtDriver") : std::string("Native");
                         });

} // namespace
