// The numbers a designer gets must not move when the program is made faster: the whole
// workflow (preprocess, automatic allocation, finish, undo and redo) on the sample road and on
// a stretch of the long benchmark road, each stage's tables compared by a digest of every
// value with the digest the program gave before its long-road speed-ups (and before the local
// take's 描述 came to hold the fill segment's own contents, the one deliberate change since).
// Redoing everything after undoing everything must also give back the allocated tables bit for
// bit.
//
// To see a build's digests (for instance after a deliberate change of results), run
//   DALVEX_PRINT_DIGESTS=1 [DALVEX_TEST_CLI=<other dalvex-cli>] cli_tests
//       --gtest_filter='ResultsUnchanged*'
#include "CliRunner.h"

#include "support/LongRoad.h"
#include "support/TestSupport.h"

#include <QCryptographicHash>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUuid>
#include <QVariant>
#include <cstdio>
#include <cstring>
#include <gtest/gtest.h>

using namespace dalvex::test;

namespace {

// SHA-1 of every value of every table in rowid order, doubles by their bits. [项目] holds the
// project's GUID, new with every project, and is left out.
QString Digest(const QString& path) {
    const QString name = QUuid::createUuid().toString();
    QByteArray hex;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        if (!db.open()) {
            return QStringLiteral("cannot open");
        }
        QCryptographicHash hash(QCryptographicHash::Sha1);
        QSqlQuery tables(db);
        tables.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type='table' AND name "
                                   "NOT LIKE 'sqlite_%' AND name <> '项目' ORDER BY name"));
        while (tables.next()) {
            const QString table = tables.value(0).toString();
            hash.addData(table.toUtf8());
            QSqlQuery rows(db);
            rows.setForwardOnly(true);
            rows.exec(QStringLiteral("SELECT * FROM [%1] ORDER BY rowid").arg(table));
            const int columns = rows.record().count();
            while (rows.next()) {
                for (int c = 0; c < columns; ++c) {
                    const QVariant v = rows.value(c);
                    QByteArray cell = v.isNull() ? QByteArray("N") : QByteArray();
                    if (!v.isNull() && v.typeId() == QMetaType::Double) {
                        const double d = v.toDouble();
                        cell = QByteArray("D") + QByteArray(reinterpret_cast<const char*>(&d), 8);
                    } else if (!v.isNull()) {
                        cell = QByteArray("V") + v.toString().toUtf8();
                    }
                    hash.addData(cell + '\x1f');
                }
                hash.addData(QByteArrayView("\x1e"));
            }
        }
        hex = hash.result().toHex();
    }
    QSqlDatabase::removeDatabase(name);
    return QString::fromLatin1(hex);
}

struct Stages {
    QString preprocessed, allocated, finished, undone;
};

// Runs the workflow on a copy of the preprocessed project at path; the digest of each stage.
Stages RunWorkflow(const QString& path, const ScratchDir& dir) {
    Stages s;
    s.preprocessed = Digest(path);
    EXPECT_EQ(RunCli({"--yes", "auto", path, "--no-finish"}).exitCode, 0);
    s.allocated = Digest(path);
    const QString finished = dir.Path("finished.dvx");
    EXPECT_TRUE(QFile::copy(path, finished));
    EXPECT_EQ(RunCli({"finish", finished}).exitCode, 0);
    s.finished = Digest(finished);
    EXPECT_EQ(RunCli({"undo", path, "--to", "0"}).exitCode, 0);
    s.undone = Digest(path);
    EXPECT_EQ(RunCli({"redo", path, "--to", "1000000"}).exitCode, 0);
    EXPECT_EQ(Digest(path), s.allocated) << "redo did not give back the allocated tables";
    if (qEnvironmentVariableIsSet("DALVEX_PRINT_DIGESTS")) {
        std::printf("%s\n  preprocessed %s\n  allocated    %s\n  finished     %s\n"
                    "  undone       %s\n",
                    qPrintable(CliPath()), qPrintable(s.preprocessed), qPrintable(s.allocated),
                    qPrintable(s.finished), qPrintable(s.undone));
    }
    return s;
}

void ExpectStages(const Stages& got, const Stages& before) {
    EXPECT_EQ(got.preprocessed, before.preprocessed);
    EXPECT_EQ(got.allocated, before.allocated);
    EXPECT_EQ(got.finished, before.finished);
    EXPECT_EQ(got.undone, before.undone);
}

TEST(ResultsUnchanged, SampleRoad) {
    EnsureCoreApp();
    ScratchDir dir;
    ASSERT_EQ(RunCli({"demo", dir.Path("demo")}).exitCode, 0);
    const Stages got = RunWorkflow(dir.Path("demo/demo.dvx"), dir);
    ExpectStages(got, {"07988269505e8182510ad54e2c251c2308876685",
                       "326ef5792482f86be2ce4741f357afc7110b424a",
                       "b25cf0727c139d89890fbcc54b53246e80974d6d",
                       "176a22473bca0d985ccfc2b706482c6a09b9b1a1"});
}

// 30 km of the benchmark road: dozens of cut and fill runs, hundreds of steps, local dump and
// take, a bridge.
TEST(ResultsUnchanged, LongRoadStretch) {
    EnsureCoreApp();
    ScratchDir dir;
    const QString path = dir.Path("long.dvx");
    ASSERT_TRUE(WriteLongRoad(path, 1500));
    ASSERT_EQ(RunCli({"--yes", "preprocess", path}).exitCode, 0);
    const Stages got = RunWorkflow(path, dir);
    ExpectStages(got, {"5f187d98307b9ed88a27179794ff7eb46e714773",
                       "9232f96a9089ab932ed5f3afd1d215e9778fdf6a",
                       "ae3e370ef9194542480b5e83acbef23703d9350f",
                       "45681abeacf0e3654d018848ef692d271286b36f"});
}

} // namespace
