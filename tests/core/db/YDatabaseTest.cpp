#include "DbTestUtil.h"

#include "core/db/YDLSet.h"
#include "core/db/YSchema.h"
#include "core/db/YTransaction.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using dalvex::test::Column;
using dalvex::test::CreateDatabase;
using dalvex::test::EnsureCoreApp;
using dalvex::test::ScratchDir;

namespace {

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

qint64 Rows(YDatabase& db, const char* table) {
    return db.RowCount(QString::fromUtf8(table)).value_or(-1);
}

bool AddBreak(YDatabase& db, int id) {
    return db.Exec(QStringLiteral("INSERT INTO [断链] ([ID], [断链]) VALUES (?, 'x')"), {id});
}

TEST(YDatabase, RefusesWhatIsNotAProjectFile) {
    EnsureCoreApp();
    ScratchDir dir;
    YDatabase db;
    EXPECT_FALSE(db.Open(dir.Path(QStringLiteral("missing.dvx"))));
    EXPECT_TRUE(db.LastError().contains(QStringLiteral("文件不存在")));
    EXPECT_FALSE(QFile::exists(dir.Path(QStringLiteral("missing.dvx")))); // not created

    const struct {
        const char* name;
        QByteArray bytes;
    } cases[] = {{"empty.dvx", QByteArray()},
                 {"text.dvx", QByteArray("K0+000 12.5 3.0\nK0+020 10.1 0\n")},
                 {"short.dvx", QByteArray("SQLite")}};
    for (const auto& c : cases) {
        const QString path = dir.Path(QString::fromUtf8(c.name));
        WriteFile(path, c.bytes);
        EXPECT_FALSE(db.Open(path)) << c.name;
        EXPECT_TRUE(db.LastError().contains(QStringLiteral("不是项目数据库文件"))) << c.name;
        EXPECT_FALSE(db.IsOpen());
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.readAll(), c.bytes) << c.name; // untouched
    }
}

// A project file cut short (a copy that stopped, a full disk) is named as damaged, for readers
// and writers alike, not reported as a failed statement.
TEST(YDatabase, SaysAProjectFileCutShortIsDamaged) {
    ScratchDir dir;
    const QString path = dir.Path(QStringLiteral("cut.dvx"));
    {
        YDatabase maker;
        ASSERT_TRUE(YSchema::CreateProject(maker, path, 6));
        YTransaction tr(maker);
        for (int i = 0; i < 400; ++i) {
            ASSERT_TRUE(AddBreak(maker, i));
        }
        ASSERT_TRUE(tr.Commit());
    }
    QFile file(path);
    ASSERT_GT(file.size(), 8192);
    ASSERT_TRUE(file.resize(file.size() - 4096));
    for (bool readOnly : {false, true}) {
        YDatabase db;
        db.SetReadOnly(readOnly);
        EXPECT_FALSE(db.Open(path));
        EXPECT_TRUE(db.LastError().startsWith(QStringLiteral("项目文件已损坏：") + path))
            << db.LastError().toStdString();
    }
}

TEST(YDatabase, ReadsTheLayoutVersion) {
    ScratchDir dir;
    YDatabase db;
    CreateDatabase(db, dir, 6);
    const QString path = db.Path();
    const struct {
        const char* sql;
        int version;
    } cases[] = {
        {"UPDATE [版本] SET [VER] = 4", 4},
        {"UPDATE [版本] SET [VER] = 'abc'", 2},
        {"UPDATE [版本] SET [VER] = NULL", 2},
        {"DELETE FROM [版本]", 2},
        {"DROP TABLE [版本]", 2},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(db.Open(path));
        ASSERT_TRUE(db.Exec(QString::fromUtf8(c.sql)));
        ASSERT_TRUE(db.Open(path));
        EXPECT_EQ(db.Version(), c.version) << c.sql;
    }
}

TEST(YDatabase, FileSettingsKeepCommittedDataSafe) {
    ScratchDir dir;
    YDatabase db;
    CreateDatabase(db, dir, 6);
    EXPECT_EQ(db.QueryValue(QStringLiteral("PRAGMA journal_mode"))->toString(),
              QStringLiteral("delete"));
    EXPECT_EQ(db.QueryValue(QStringLiteral("PRAGMA synchronous"))->toInt(), 2); // FULL
}

TEST(YDatabase, CreateReplacesAnExistingFileOnlyWhenComplete) {
    EnsureCoreApp();
    ScratchDir dir;
    const QString path = dir.Path(QStringLiteral("p.dvx"));
    WriteFile(path, "old contents");
    YDatabase db;
    EXPECT_FALSE(YSchema::CreateProject(db, path, 7));
    EXPECT_FALSE(YSchema::CreateProject(db, path, 0));
    ASSERT_TRUE(YSchema::CreateProject(db, path, 6)) << db.LastError().toStdString();
    EXPECT_EQ(db.Version(), 6);
    db.Close();
    EXPECT_EQ(QDir(dir.Path(QString())).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("p.dvx")}); // no temporary or journal left

    EXPECT_FALSE(YSchema::CreateProject(db, dir.Path(QStringLiteral("no/such/folder/p.dvx")), 6));
    EXPECT_FALSE(db.LastError().isEmpty());
}

TEST(YDatabase, TwoProjectsOpenAtOnce) {
    ScratchDir dir;
    YDatabase a;
    YDatabase b;
    CreateDatabase(a, dir, 6, QStringLiteral("a.dvx"));
    CreateDatabase(b, dir, 4, QStringLiteral("b.dvx"));
    ASSERT_TRUE(AddBreak(a, 1));
    EXPECT_EQ(Rows(a, "断链"), 1);
    EXPECT_EQ(Rows(b, "断链"), 0);
    EXPECT_EQ(a.Version(), 6);
    EXPECT_EQ(b.Version(), 4);
}

TEST(YDatabase, TransactionsCommitRollBackAndNest) {
    ScratchDir dir;
    YDatabase db;
    CreateDatabase(db, dir, 6);
    {
        YTransaction tr(db);
        ASSERT_TRUE(tr.IsActive());
        ASSERT_TRUE(AddBreak(db, 1));
        ASSERT_TRUE(tr.Commit());
    }
    {
        YTransaction tr(db); // ends without commit: an early return or an exception
        ASSERT_TRUE(AddBreak(db, 2));
    }
    EXPECT_EQ(Rows(db, "断链"), 1);
    {
        YTransaction outer(db);
        ASSERT_TRUE(AddBreak(db, 3));
        {
            YTransaction inner(db);
            ASSERT_TRUE(AddBreak(db, 4));
            EXPECT_EQ(db.TransactionDepth(), 2);
        } // the inner part alone is undone
        {
            YTransaction inner(db);
            ASSERT_TRUE(AddBreak(db, 5));
            ASSERT_TRUE(inner.Commit());
        }
        ASSERT_TRUE(outer.Commit());
    }
    EXPECT_EQ(Column(db, QStringLiteral("SELECT [ID] FROM [断链] ORDER BY [ID]")),
              (QStringList{"1", "3", "5"}));
    {
        YTransaction outer(db);
        {
            YTransaction inner(db);
            ASSERT_TRUE(AddBreak(db, 6));
            ASSERT_TRUE(inner.Commit());
        }
        outer.Rollback(); // takes the committed inner part with it
        EXPECT_FALSE(outer.Commit());
    }
    EXPECT_EQ(Rows(db, "断链"), 3);
    EXPECT_EQ(db.TransactionDepth(), 0);

    // Nothing reaches the file of another connection before the commit.
    YDatabase reader;
    ASSERT_TRUE(reader.Open(db.Path()));
    {
        YTransaction tr(db);
        ASSERT_TRUE(AddBreak(db, 7));
        EXPECT_EQ(Rows(reader, "断链"), 3);
        ASSERT_TRUE(tr.Commit());
    }
    EXPECT_EQ(Rows(reader, "断链"), 4);
}

// A joined scope has no savepoint: its failure fails the scope it joined, as a whole, and
// nothing further out.
TEST(YDatabase, AJoinedScopeThatFailsFailsTheScopeItJoined) {
    ScratchDir dir;
    YDatabase db;
    CreateDatabase(db, dir, 6);
    {
        YTransaction joined(db, YTransaction::Join); // outside any: an ordinary transaction
        ASSERT_TRUE(AddBreak(db, 1));
        EXPECT_EQ(db.TransactionDepth(), 1);
        ASSERT_TRUE(joined.Commit());
    }
    {
        YTransaction outer(db);
        ASSERT_TRUE(AddBreak(db, 2));
        {
            YTransaction joined(db, YTransaction::Join);
            EXPECT_EQ(db.TransactionDepth(), 1);
            ASSERT_TRUE(AddBreak(db, 3));
            ASSERT_TRUE(joined.Commit());
        }
        ASSERT_TRUE(outer.Commit());
    }
    EXPECT_EQ(Rows(db, "断链"), 3);
    {
        YTransaction outer(db);
        ASSERT_TRUE(AddBreak(db, 4));
        {
            YTransaction step(db); // a savepoint
            ASSERT_TRUE(AddBreak(db, 5));
            {
                YTransaction joined(db, YTransaction::Join);
                ASSERT_TRUE(AddBreak(db, 6));
            } // failed halfway: 5 and 6 cannot stay
            {
                YTransaction joined(db, YTransaction::Join);
                ASSERT_TRUE(AddBreak(db, 7));
                ASSERT_TRUE(joined.Commit());
            }
            EXPECT_FALSE(step.Commit());
        }
        ASSERT_TRUE(outer.Commit()); // the savepoint took the failure with it
    }
    EXPECT_EQ(Column(db, QStringLiteral("SELECT [ID] FROM [断链] ORDER BY [ID]")),
              (QStringList{"1", "2", "3", "4"}));
    {
        YTransaction outer(db);
        ASSERT_TRUE(AddBreak(db, 8));
        {
            YTransaction joined(db, YTransaction::Join);
            joined.Rollback();
        }
        ASSERT_TRUE(AddBreak(db, 9));
        EXPECT_FALSE(outer.Commit());
    }
    EXPECT_EQ(Rows(db, "断链"), 4);
    EXPECT_EQ(db.TransactionDepth(), 0);
    {
        YTransaction next(db); // the failure is forgotten with its transaction
        ASSERT_TRUE(AddBreak(db, 10));
        ASSERT_TRUE(next.Commit());
    }
    EXPECT_EQ(Rows(db, "断链"), 5);
}

TEST(YDatabase, RollbackRequeriesOpenSets) {
    ScratchDir dir;
    YDatabase db;
    CreateDatabase(db, dir, 6);
    ASSERT_TRUE(AddBreak(db, 1));
    YDLSet set(db);
    ASSERT_TRUE(set.Open());
    {
        YTransaction tr(db);
        set.AddNew();
        set.m_nID = 2;
        ASSERT_TRUE(set.Update());
        ASSERT_TRUE(set.Edit());
        set.m_strBreak = QStringLiteral("changed");
        ASSERT_TRUE(set.Update());
        EXPECT_EQ(set.RecordCount(), 2);
    }
    EXPECT_EQ(set.RecordCount(), 1);
    EXPECT_EQ(set.m_nID, 1);
    EXPECT_EQ(set.m_strBreak, QStringLiteral("x"));
}

TEST(YDatabase, CloseClosesTheSetsAndAnUnfinishedTransaction) {
    ScratchDir dir;
    YDatabase db;
    CreateDatabase(db, dir, 6);
    const QString path = db.Path();
    YDLSet set(db);
    ASSERT_TRUE(set.Open());
    YTransaction tr(db);
    ASSERT_TRUE(AddBreak(db, 1));
    db.Close();
    EXPECT_FALSE(set.IsOpen());
    EXPECT_FALSE(tr.Commit()); // the connection it belonged to is gone
    ASSERT_TRUE(db.Open(path));
    EXPECT_EQ(Rows(db, "断链"), 0);
}

} // namespace
