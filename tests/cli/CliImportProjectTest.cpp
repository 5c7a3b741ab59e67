#include "CliRunner.h"

#include "core/db/YDatabase.h"
#include "support/TestSupport.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QThread>
#include <gtest/gtest.h>

namespace {

// The bundled road-design project comes in through dalvex-cli and goes all the way to a
// finished allocation, its short and long chain included.
TEST(CliImportProject, TheSampleRoadProjectImportsPreprocessesAndAllocates) {
    dalvex::test::EnsureCoreApp();
    dalvex::test::ScratchDir dir;
    qputenv("XDG_CONFIG_HOME", dir.Path("config").toLocal8Bit());
    const QString p = dir.Path("p.dvx");
    const QString prj = QStringLiteral(DALVEX_SOURCE_DIR "/examples/road-project/qingshui.Prj");
    ASSERT_EQ(RunCli({"--yes", "new", p}).exitCode, 0);

    CliResult r = RunCli({"import-project", p, prj});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(" 从Ravel项目中导入数据完成! ")) << r.err.toStdString();
    for (const char* verb : {"preprocess", "auto", "finish"}) {
        r = RunCli({"--yes", verb, p});
        EXPECT_EQ(r.exitCode, 0) << verb << r.err.toStdString() << r.out.toStdString();
    }
    EXPECT_EQ(RunCli({"import-project", p}).exitCode, 2);
    r = RunCli({"import-project", p, dir.Path("none.Prj")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("不能打开项目文件！")) << r.err.toStdString();
}

// The same road as LandXML cross-section lines: the areas the import computes from the lines
// match the areas the road-design project states (rounded to 0.01 m²), and the road allocates.
TEST(CliImportProject, TheSampleRoadAsLandXmlGivesTheSameSectionsAndAllocates) {
    dalvex::test::EnsureCoreApp();
    dalvex::test::ScratchDir dir;
    qputenv("XDG_CONFIG_HOME", dir.Path("config").toLocal8Bit());
    const QString prj = dir.Path("prj.dvx");
    const QString xml = dir.Path("xml.dvx");
    const QString folder = QStringLiteral(DALVEX_SOURCE_DIR "/examples/road-project/");
    for (const QString& p : {prj, xml}) {
        ASSERT_EQ(RunCli({"--yes", "new", p}).exitCode, 0);
    }
    ASSERT_EQ(RunCli({"import-project", prj, folder + "qingshui.Prj"}).exitCode, 0);
    CliResult r = RunCli({"import-landxml", xml, folder + "qingshui.xml"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QString sql =
        "SELECT [桩号],[挖方面积],[填方面积],[中桩填挖] FROM [逐桩断面] ORDER BY [sta]";
    const QStringList a = ProjectRows(prj, sql);
    const QStringList b = ProjectRows(xml, sql);
    ASSERT_EQ(a.size(), b.size());
    for (qsizetype i = 0; i < a.size(); ++i) {
        const QStringList x = a[i].split(u'|');
        const QStringList y = b[i].split(u'|');
        EXPECT_EQ(x[0], y[0]) << i;
        for (int c = 1; c <= 3; ++c) { // areas to 0.01 m², the centre height to 0.001 m
            EXPECT_NEAR(x[c].toDouble(), y[c].toDouble(), c < 3 ? 0.0051 : 0.00051)
                << x[0].toStdString();
        }
    }
    // LandXML carries no class contents: one row for the whole road, then allocate.
    const QString contents =
        WriteFile(dir.Path("contents.txt"),
                  "K3+395.000\t10\t100\t60\t100\t30\t100\t0\t100\t0\t100\t0\t100\n");
    ASSERT_EQ(RunCli({"import-table", xml, "土石含量", contents, "--clear"}).exitCode, 0);
    for (const char* verb : {"preprocess", "auto", "finish"}) {
        r = RunCli({"--yes", verb, xml});
        EXPECT_EQ(r.exitCode, 0) << verb << r.err.toStdString();
    }
}

// Every table's rows as text; the GUID a completed import draws afresh is left out.
QStringList Digest(const QString& path) {
    QStringList tables;
    {
        YDatabase db; // opened for writing, to roll back what a killed import left in its journal
        EXPECT_TRUE(db.Open(path)) << db.LastError().toStdString();
        tables = db.TableNames();
    }
    tables.sort();
    QStringList all;
    for (const QString& table : tables) {
        all << table;
        for (const QString& row :
             ProjectRows(path, QStringLiteral("SELECT * FROM [%1] ORDER BY rowid").arg(table))) {
            if (!row.startsWith(QStringLiteral("GUID"))) {
                all << row;
            }
        }
    }
    return all;
}

// The import killed at moments spread over its run: the project file is always either as it
// was or wholly imported, never half.
TEST(CliImportProject, KilledAnywhereTheProjectIsWholeBeforeOrAfter) {
    dalvex::test::EnsureCoreApp();
    dalvex::test::ScratchDir dir;
    qputenv("XDG_CONFIG_HOME", dir.Path("config").toLocal8Bit());
    // A long road, so the writes take long enough to be interrupted.
    QByteArray earthwork = "RavelEarthwork 1\n";
    for (int i = 0; i < 60000; ++i) {
        earthwork += QByteArray::number(20.0 * i, 'f', 3) + " " + QByteArray::number(i % 7) + " " +
                     QByteArray::number(i % 5) + " 0.5\n";
    }
    const std::pair<QString, QByteArray> files[] = {
        {"road.Prj", "RavelPrj 1\n[属性]\n201=长路\n[桩号体系]\n断链=K5+000=K5+010\n"
                     "[文件]\n111=tf.txt\n104=zd.txt\n"},
        {"tf.txt", earthwork},
        {"zd.txt", "RavelProfile 1\n0 100 0\n600000 120 0\n"}};
    for (const auto& [name, bytes] : files) {
        WriteFile(dir.Path(name), bytes);
    }
    const QString original = dir.Path("original.dvx");
    ASSERT_EQ(RunCli({"--yes", "new", original}).exitCode, 0);
    const QStringList before = Digest(original);
    const QString whole = dir.Path("whole.dvx");
    ASSERT_TRUE(QFile::copy(original, whole));
    QElapsedTimer timer;
    timer.start();
    ASSERT_EQ(RunCli({"import-project", whole, dir.Path("road.Prj")}).exitCode, 0);
    const qint64 runMs = timer.elapsed();
    const QStringList after = Digest(whole);
    ASSERT_EQ(after.size() - before.size(), 60000 + 1 + 2 + 2 + 1); // sections, break, curve,
                                                                    // name and label, segment

    int interrupted = 0;
    for (int k = 1; k <= 6; ++k) {
        const QString victim = dir.Path(QStringLiteral("victim%1.dvx").arg(k));
        ASSERT_TRUE(QFile::copy(original, victim));
        QProcess process;
        process.start(CliPath(), {"import-project", victim, dir.Path("road.Prj")});
        ASSERT_TRUE(process.waitForStarted());
        QThread::msleep(runMs * k / 7);
        const bool running = process.state() == QProcess::Running;
        process.kill();
        process.waitForFinished();
        interrupted += running ? 1 : 0;
        const QStringList left = Digest(victim);
        EXPECT_TRUE(left == before || left == after) << "killed after " << runMs * k / 7 << " ms";
    }
    EXPECT_GT(interrupted, 0); // at least one kill landed while the import ran
}

} // namespace
