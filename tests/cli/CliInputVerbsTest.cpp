#include "CliRunner.h"

#include "core/import/TfFormat.h"
#include "core/platform/YProfile.h"
#include "support/TestSupport.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

// dalvex-cli's profile in a scratch folder (XDG_CONFIG_HOME of the child processes).
class CliInput : public testing::Test {
  protected:
    void SetUp() override {
        dalvex::test::EnsureCoreApp();
        qputenv("XDG_CONFIG_HOME", m_dir.Path("config").toLocal8Bit());
        ASSERT_EQ(RunCli({"--yes", "new", P()}).exitCode, 0);
    }
    QString P() const { return m_dir.Path("p.dvx"); }
    QString File(const QString& name, const QByteArray& bytes) const {
        return WriteFile(m_dir.Path(name), bytes);
    }
    int Count(const QString& table, const QString& path = QString()) const {
        return ProjectRows(path.isEmpty() ? P() : path, "SELECT count(*) FROM [" + table + "]")
            .value(0, "-1")
            .toInt();
    }
    dalvex::test::ScratchDir m_dir;
};

const QByteArray kEarthwork = "// header comment\nstation h cut fill\n"
                              "0 -1 10 0\n20 -1 20 0\n40 1 0 6\n";

TEST_F(CliInput, ImportEarthworkByColumnsAndItsFailures) {
    const QString tf = File("a.tf", kEarthwork);
    const QStringList columns = {"--station-col", "1", "--height-col", "2", "--cut-col", "3",
                                 "--fill-col",    "4", "--start-line", "2"};
    CliResult r = RunCli(QStringList{"import-earthwork", P(), tf} + columns);
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains("已读入 3 个断面")) << r.out.toStdString();
    EXPECT_EQ(Count("逐桩断面"), 3);

    const QString bad = File("bad.tf", kEarthwork + "60 1 x 2\n");
    r = RunCli(QStringList{"import-earthwork", P(), bad} + columns);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("第6行格式不对")) << r.err.toStdString();
    EXPECT_EQ(Count("逐桩断面"), 3);

    r = RunCli({"import-earthwork", P(), tf, "--station-col", "1"});
    EXPECT_EQ(r.exitCode, 2);
    r = RunCli(
        {"import-earthwork", P(), tf, "--station-col", "1", "--cut-col", "3", "--fill-col", "3"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.err.contains("输入数据列重复！"));
    r = RunCli({"import-earthwork", P(), m_dir.Path("none.tf")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("无法打开文件"));
}

TEST_F(CliInput, ImportEarthworkWithAFormatFromTheProfile) {
    YProfile::UseFile(m_dir.Path("config/RavelCAD.co/土石方调配.conf"));
    TfFormat f;
    f.m_strName = "纬地";
    f.m_nStartLine = 2;
    ASSERT_EQ(f.Store(), 0);
    const QString tf = File("a.tf", kEarthwork);
    CliResult r = RunCli({"import-earthwork", P(), tf, "--format", "纬地"});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(Count("逐桩断面"), 3);
    r = RunCli({"import-earthwork", P(), tf, "--format", "海地"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.err.contains("没有名为“海地”的土方格式"));
}

TEST_F(CliInput, TablesGoInAndOutAsText) {
    const QString in = File("trough.txt", "; comment\nK0+100 7.5 0.8\nK0+600 7.5 0.7\n");
    CliResult r = RunCli({"import-table", P(), "路槽", in});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains("已读入 2 行到[路槽]"));
    r = RunCli({"import-table", P(), "trough", in, "--clear"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(Count("路槽"), 2);
    r = RunCli({"--yes", "import-table", P(), "trough", in});
    EXPECT_EQ(Count("路槽"), 2); // --yes answers "是否清除原有数据?"
    const QString out = m_dir.Path("out.txt");
    r = RunCli({"export-table", P(), "[路槽]", out});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(FileBytes(out), QByteArray("K0+100 \t7.500 \t0.800\r\nK0+600 \t7.500 \t0.700\r\n"));

    r = RunCli({"import-table", P(), "逐桩断面", in});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.err.contains("未知的表"));
}

TEST_F(CliInput, ContentsThatDoNotAddUpAreNotKept) {
    const QString good = File("c1.txt", "K1+000 30 100 30 100 40 100 0 100 0 100 0 100\n");
    ASSERT_EQ(RunCli({"import-table", P(), "土石含量", good}).exitCode, 0);
    const QString bad = File("c2.txt", "K2+000 30 100 30 100 30 100 0 100 0 100 0 100\n");
    const CliResult r = RunCli({"import-table", P(), "土石含量", bad});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("土石成分数据输入错误！"));
    EXPECT_EQ(Count("土石含量"), 1);
}

TEST_F(CliInput, SetCoefficientsChecksRangeAndCount) {
    CliResult r = RunCli({"set-coefficients", P(), "1.3", "1.2", "1.1", "0.95", "0.9", "0.85"});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    r = RunCli({"set-coefficients", P(), "1.3", "1.2", "1.1", "0.95", "0.9", "101"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("100"));
    EXPECT_EQ(RunCli({"set-coefficients", P(), "1", "2"}).exitCode, 2);
    EXPECT_EQ(RunCli({"set-coefficients", P(), "1", "2", "3", "4", "5", "x"}).exitCode, 2);
    EXPECT_EQ(ProjectRows(P(), "SELECT [石方3] FROM [土石系数]"), QStringList{"0.85"});
}

TEST_F(CliInput, DemoBuildsThePreprocessedSampleAndGuardsItsResults) {
    const QString dir = m_dir.Path("demo");
    CliResult r = RunCli({"demo", dir});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QString demo = QDir(dir).filePath("demo.dvx");
    EXPECT_TRUE(r.out.contains(demo));
    // What the sample holds is guarded by the digests of ResultsUnchanged.SampleRoad.
    EXPECT_TRUE(r.out.contains("计算段 257 个")) << r.out.toStdString();
    EXPECT_EQ(RunCli({"info", demo}).exitCode, 0);

    // With results the input is read-only, and recomputing needs a yes.
    const QString in = File("t.txt", "K0+100 7.5 0.8\n");
    r = RunCli({"import-table", demo, "路槽", in});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("输入数据只读"));
    r = RunCli({"preprocess", demo});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("重新计算，需要删除现有的计算结果"));
    r = RunCli({"--yes", "preprocess", demo, "--method", "prismoidal", "--reuse", "1,2,3,4",
                "--soil-loss", "5"});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains("预处理完成"));
    EXPECT_EQ(Count("土石计算", demo), 257);

    EXPECT_EQ(RunCli({"demo", dir, "--from", m_dir.Path("nowhere")}).exitCode, 2);
}

TEST_F(CliInput, PreprocessRefusesBadOptions) {
    const QStringList bad[] = {{"--soil-loss", "25"},   {"--rock-loss", "-1"},
                               {"--method", "simpson"}, {"--reuse", "0,7"},
                               {"--soil-loss", "x"},    {"--frobnicate"}};
    for (const QStringList& options : bad) {
        EXPECT_EQ(RunCli(QStringList{"preprocess", P()} + options).exitCode, 2)
            << options.join(' ').toStdString();
    }
    const CliResult r = RunCli({"preprocess", P()});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("没有逐桩断面数据"));
    EXPECT_EQ(RunCli({"preprocess", P(), "--segment", "9"}).exitCode, 1);
}

} // namespace
