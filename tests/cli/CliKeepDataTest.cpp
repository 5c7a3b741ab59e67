// Commands that would have destroyed data refuse or keep it: an output onto the project, an
// earthwork file without sections, preprocessing an allocated project again.
#include "CliRunner.h"

#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

class CliKeepData : public testing::Test {
  protected:
    void SetUp() override {
        dalvex::test::EnsureCoreApp();
        const CliResult r = RunCli({QStringLiteral("demo"), m_dir.Path(QStringLiteral("d"))});
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        demo = QDir(m_dir.Path(QStringLiteral("d"))).filePath(QStringLiteral("demo.dvx"));
    }
    QStringList Rows(const QString& sql) const { return ProjectRows(demo, sql); }
    QByteArray Bytes() const { return FileBytes(demo); }
    dalvex::test::ScratchDir m_dir;
    QString demo;
};

TEST_F(CliKeepData, NoVerbWritesOntoTheProjectOrReplacesAPipe) {
    const QByteArray before = Bytes();
    const QString link = m_dir.Path(QStringLiteral("link.dvx"));
    ASSERT_TRUE(QFile::link(demo, link));
    const QString fifo = m_dir.Path(QStringLiteral("pipe"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString same = QStringLiteral("输出文件就是项目文件，未写出：");
    const QString notRegular = QStringLiteral("输出文件不是普通文件，未写出：");
    struct Case {
        QStringList args;
        QString message;
    };
    const Case cases[] = {
        {{QStringLiteral("export-table"), demo, QStringLiteral("路槽"), demo}, same},
        {{QStringLiteral("export-table"), demo, QStringLiteral("路槽"), link}, same},
        {{QStringLiteral("export-table"), demo, QStringLiteral("路槽"), fifo}, notRegular},
        {{QStringLiteral("report"), QStringLiteral("pits"), demo, demo}, same},
        {{QStringLiteral("diagram"), demo, link}, same},
    };
    for (const Case& c : cases) {
        const CliResult r = RunCli(c.args);
        EXPECT_EQ(r.exitCode, 1) << c.args.join(u' ').toStdString();
        EXPECT_TRUE(r.err.contains(c.message + c.args.last())) << r.err.toStdString();
    }
    EXPECT_EQ(Bytes(), before);
    EXPECT_FALSE(QFileInfo(fifo).isFile());
    EXPECT_EQ(RunCli({QStringLiteral("export-table"), demo, QStringLiteral("路槽"),
                      m_dir.Path(QStringLiteral("trough.txt"))})
                  .exitCode,
              0);
}

TEST_F(CliKeepData, AnEarthworkFileWithoutSectionsChangesNothing) {
    const QStringList sections =
        Rows(QStringLiteral("SELECT [桩号] FROM [逐桩断面] ORDER BY [sta]"));
    const QString path =
        WriteFile(m_dir.Path(QStringLiteral("empty.tf")), "// 只有注释\n* 没有数据\n");
    const CliResult r = RunCli({QStringLiteral("import-earthwork"), demo, path});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("中没有可读入的断面"))) << r.err.toStdString();
    EXPECT_EQ(Rows(QStringLiteral("SELECT [桩号] FROM [逐桩断面] ORDER BY [sta]")), sections);
    EXPECT_EQ(Rows(QStringLiteral("SELECT count(*) FROM [项目分段]")), QStringList{"1"});
}

TEST_F(CliKeepData, PreprocessingAgainGivesThePitsBackWhatTheLogTook) {
    const QString capacities = QStringLiteral("SELECT [总容量] FROM [弃土坑] ORDER BY rowid");
    const QStringList before = Rows(capacities);
    ASSERT_FALSE(before.isEmpty());
    CliResult r = RunCli({QStringLiteral("--yes"), QStringLiteral("auto"), demo});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    ASSERT_NE(Rows(capacities), before); // the allocation put material into the pits
    r = RunCli({QStringLiteral("--yes"), QStringLiteral("preprocess"), demo});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(Rows(capacities), before);
    EXPECT_EQ(Rows(QStringLiteral("SELECT count(*) FROM [Tmp调配过程表]")), QStringList{"0"});
}

// A project its user may not write (file and folder read-only) is refused by every verb that
// would change it, before anything is read or changed; reading it still works.
TEST_F(CliKeepData, AReadOnlyProjectIsRefusedBeforeAnythingChanges) {
    const QString folder = QFileInfo(demo).absolutePath();
    ASSERT_EQ(chmod(QFile::encodeName(m_dir.Path(QString())).constData(), 0755), 0);
    ASSERT_EQ(chmod(QFile::encodeName(folder).constData(), 0555), 0);
    ASSERT_EQ(chmod(QFile::encodeName(demo).constData(), 0444), 0);
    const QByteArray before = Bytes();
    const QString trough = QStringLiteral(DALVEX_SOURCE_DIR "/examples/sample-road/trough.txt");
    const QStringList verbs[] = {
        {"auto", demo},
        {"undo", demo},
        {"repair", demo},
        {"finish", demo},
        {"clear", demo},
        {"preprocess", demo},
        {"import-table", demo, "路槽", trough, "--clear"},
    };
    for (const QStringList& verb : verbs) {
        const CliResult r = RunCliUnprivileged(QStringList{"--yes"} + verb);
        EXPECT_EQ(r.exitCode, 1) << verb.first().toStdString();
        EXPECT_EQ(r.err.trimmed(), QStringLiteral("错误: 项目文件不可写：%1").arg(demo))
            << verb.first().toStdString();
        EXPECT_TRUE(r.out.isEmpty()) << verb.first().toStdString();
    }
    EXPECT_EQ(RunCliUnprivileged({"info", demo}).exitCode, 0);
    EXPECT_EQ(Bytes(), before);
    ASSERT_EQ(chmod(QFile::encodeName(folder).constData(), 0755), 0); // the scratch folder goes
}

TEST_F(CliKeepData, NumericOptionsMustBeFiniteAndInRange) {
    for (const char* reach : {"nan", "inf", "-5", "0", "1e300", "x"}) {
        const CliResult r = RunCli({QStringLiteral("--yes"), QStringLiteral("auto"), demo,
                                    QStringLiteral("--reach"), QString::fromUtf8(reach)});
        EXPECT_EQ(r.exitCode, 2) << reach;
        EXPECT_TRUE(r.err.contains(QStringLiteral("--reach 的值不正确"))) << reach;
    }
    const QString link = m_dir.Path(QStringLiteral("same.dvx"));
    ASSERT_TRUE(QFile::link(demo, link));
    const CliResult r = RunCli(
        {QStringLiteral("allocate"), demo, QStringLiteral("--rule"), QStringLiteral("soil-first"),
         QStringLiteral("--cut"), QStringLiteral("K0+000~K0+100"), QStringLiteral("--fill"),
         QStringLiteral("K0+100~K0+200"), QStringLiteral("--to-project"), link,
         QStringLiteral("--new-port"), QStringLiteral("K0+050,nan,K0+150")});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.err.contains(QStringLiteral("--to-project 指向的就是本项目：") + link))
        << r.err.toStdString();
    EXPECT_EQ(Rows(QStringLiteral("SELECT count(*) FROM [Tmp调配过程表]")), QStringList{"0"});
}

} // namespace
