// dalvex-cli allocate and auto on project files built through the core.
#include "CliRunner.h"

#include "core/allocation/YDPRule.h"
#include "core/db/YDatabase.h"
#include "core/document/YDocManager.h"
#include "support/ProjectFixture.h"
#include "support/TestSupport.h"
#include "support/YRecordingUserIO.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

namespace {

using namespace dalvex::test;

class CliAllocate : public ::testing::Test {
  protected:
    void SetUp() override {
        dalvex::test::EnsureCoreApp();
        path = dir.Path(QStringLiteral("road.dvx"));
        YRecordingUserIO io;
        TestProject p(path, io);
        // K0+000 … K0+100: two cuts, three fills; a waste pit and a borrow pit.
        p.AddLine(0, 20,
                  {{.use = {0, 58, 0, 0, 0, 0}},
                   {.use = {0, 23.2, 0, 9.2, 0, 0}},
                   {.fill = 30},
                   {.fill = 30},
                   {.fill = 25}});
        p.AddWastePit(10, 0, 50, 500);
        p.AddBorrowPit(90, 50, 100, {0, 100, 0, 0, 0, 0}, 1000, 0);
    }
    QStringList Args(std::initializer_list<const char*> rest) const {
        QStringList args{QStringLiteral("allocate"), path};
        for (const char* a : rest) {
            args << QString::fromUtf8(a);
        }
        return args;
    }

    dalvex::test::ScratchDir dir;
    QString path;
};

TEST_F(CliAllocate, SoilFirstHaulPrintsItsTransfers) {
    const CliResult r =
        RunCli(Args({"--rule", "soil-first", "--cut", "K0+000~K0+040", "--fill", "40~100"}));
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QStringList lines = r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_GE(lines.size(), 4);
    EXPECT_EQ(lines[0], QStringLiteral("调配原则: 远运利用土方优先"));
    EXPECT_TRUE(
        lines[2].contains(QStringLiteral("1.远运\tK0+020.000~K0+040.000\tK0+040.000~K0+060.000")))
        << lines[2].toStdString();

    // The steps verb sees the recorded step.
    const CliResult steps = RunCli({QStringLiteral("--json"), QStringLiteral("steps"), path});
    ASSERT_EQ(steps.exitCode, 0);
    EXPECT_EQ(QJsonDocument::fromJson(steps.out.toUtf8()).array().size(), 1);
}

TEST_F(CliAllocate, JsonAndConflictAndNothingRecorded) {
    const CliResult json = RunCli(QStringList{QStringLiteral("--json")} +
                                  Args({"--rule", "together", "--cut", "0~20", "--fill", "40~60"}));
    ASSERT_EQ(json.exitCode, 0) << json.err.toStdString();
    const QJsonObject o = QJsonDocument::fromJson(json.out.toUtf8()).object();
    EXPECT_EQ(o.value(QStringLiteral("strategy")).toString(), QStringLiteral("远运利用土石齐用"));
    const QJsonArray procs = o.value(QStringLiteral("processes")).toArray();
    ASSERT_EQ(procs.size(), 1);
    EXPECT_NEAR(procs[0].toObject().value(QStringLiteral("fill")).toDouble(), 30.0, 1e-5);

    // A cut run alone under 土方石齐用 fits no strategy.
    const CliResult conflict = RunCli(Args({"--rule", "together", "--cut", "0~20"}));
    EXPECT_EQ(conflict.exitCode, 1);
    EXPECT_TRUE(
        conflict.err.contains(QStringLiteral("你所选的调配原则发生冲突,请先选择合适的调配原则!")));

    // Fill that is already closed: nothing recorded, failure code, and the reason.
    const QString nothingMoved =
        QStringLiteral("没有调配任何土石方：所选的取方与用方之间已没有可以移动的数量。");
    const CliResult nothing =
        RunCli(Args({"--rule", "together", "--cut", "0~20", "--fill", "40~60"}));
    EXPECT_EQ(nothing.exitCode, 1);
    EXPECT_TRUE(nothing.err.contains(nothingMoved)) << nothing.err.toStdString();
    // One run as both cut and fill: a cut moves nothing onto itself.
    const CliResult same =
        RunCli(Args({"--rule", "soil-first", "--cut", "0~20", "--fill", "0~20"}));
    EXPECT_EQ(same.exitCode, 1);
    EXPECT_TRUE(same.err.contains(nothingMoved)) << same.err.toStdString();
    // A strategy's own message is not followed by a second one.
    EXPECT_FALSE(conflict.err.contains(nothingMoved));

    const CliResult ratio =
        RunCli(Args({"--rule", "cut-ratio", "--soil-ratio", "60", "--rock-ratio", "60", "--cut",
                     "0~40", "--fill", "60~100"}));
    EXPECT_EQ(ratio.exitCode, 1);
    EXPECT_TRUE(ratio.err.contains(QStringLiteral("请先输入正确的填土和填石的比例!")));

    const CliResult bad = RunCli(Args({"--rule", "sideways"}));
    EXPECT_EQ(bad.exitCode, 2);
}

TEST_F(CliAllocate, PitsAndLocal) {
    const CliResult waste =
        RunCli(Args({"--rule", "soil-first", "--cut", "0~20", "--waste-pit", "1"}));
    ASSERT_EQ(waste.exitCode, 0) << waste.err.toStdString();
    EXPECT_TRUE(waste.out.contains(QStringLiteral("调配原则: 弃方")));
    EXPECT_TRUE(waste.out.contains(QStringLiteral("弃土坑1")));

    const CliResult borrow = RunCli(Args(
        {"--rule", "soil-first", "--thickness", "1", "--borrow-pit", "1", "--fill", "40~100"}));
    ASSERT_EQ(borrow.exitCode, 0) << borrow.err.toStdString();
    EXPECT_TRUE(borrow.out.contains(QStringLiteral("调配原则: 借方土方优先厚度")));

    const CliResult local =
        RunCli(Args({"--rule", "local", "--contents", "0,50,0,50,0,0", "--fill", "40~100"}));
    ASSERT_EQ(local.exitCode, 0) << local.err.toStdString();
    EXPECT_TRUE(local.out.contains(QStringLiteral("调配原则: 就地取土")));
    EXPECT_TRUE(RunCli(Args({"--rule", "local", "--waste-pit", "3", "--cut", "0~20"}))
                    .err.contains(QStringLiteral("没有弃土坑 3")));
}

// A local take by the setting's contents logs the fill segment's own contents in 描述; undo,
// redo and repair give the same tables after it.
TEST(CliAllocateLocal, TakeByGivenContentsLogsTheSegmentsOwn) {
    dalvex::test::EnsureCoreApp();
    dalvex::test::ScratchDir dir;
    const QString path = dir.Path(QStringLiteral("road.dvx"));
    {
        YRecordingUserIO io;
        TestProject p(path, io);
        p.AddLine(0, 20, {{.fill = 30, .content = {10, 40, 50, 0, 0, 0}}});
    }
    const CliResult local =
        RunCli({QStringLiteral("allocate"), path, QStringLiteral("--rule"), QStringLiteral("local"),
                QStringLiteral("--contents"), QStringLiteral("0,50,0,50,0,0"),
                QStringLiteral("--fill"), QStringLiteral("0~20")});
    ASSERT_EQ(local.exitCode, 0) << local.err.toStdString();
    const auto query = [&path](const char* sql) {
        return ProjectRows(path, QString::fromUtf8(sql));
    };
    EXPECT_EQ(query("SELECT [描述] FROM [Tmp调配过程表] WHERE [填挖]"),
              QStringList{"JDQT,10.000,40.000,50.000,0.000,0.000,0.000"});
    // The amounts follow the given contents: soil 2 and rock 4 only.
    EXPECT_EQ(query("SELECT ([前1] = 0) || ([前2] > 0) || ([前4] > 0) FROM [Tmp调配过程表] "
                    "WHERE [填挖]"),
              QStringList{"111"});
    const char* mid = "SELECT * FROM [土石计算中间表] ORDER BY [起始桩号]";
    const QStringList taken = query(mid);
    ASSERT_EQ(RunCli({QStringLiteral("undo"), path}).exitCode, 0);
    EXPECT_NE(query(mid), taken);
    ASSERT_EQ(RunCli({QStringLiteral("redo"), path}).exitCode, 0);
    EXPECT_EQ(query(mid), taken);
    ASSERT_EQ(RunCli({QStringLiteral("repair"), path}).exitCode, 0);
    EXPECT_EQ(query(mid), taken);
}

// A write that fails halfway through a step (here the second process's log rows, as on a full
// disk): the step is not written at all, and the user is told why.
TEST_F(CliAllocate, AStepThatCannotBeWrittenLeavesTheFileAsItWas) {
    {
        YDatabase db;
        ASSERT_TRUE(db.Open(path));
        ASSERT_TRUE(db.Exec(QStringLiteral(
            "CREATE TRIGGER [full] BEFORE INSERT ON [Tmp调配过程表] WHEN NEW.[ID] = 2 BEGIN "
            "SELECT RAISE(ABORT, '磁盘已满'); END")));
    }
    const QByteArray before = FileBytes(path);
    ASSERT_FALSE(before.isEmpty());
    for (const QStringList& args :
         {Args({"--rule", "soil-first", "--cut", "0~40", "--fill", "40~100"}),
          QStringList{QStringLiteral("--yes"), QStringLiteral("auto"), path}}) {
        const CliResult r = RunCli(args);
        EXPECT_EQ(r.exitCode, 1) << args.join(u' ').toStdString();
        EXPECT_TRUE(r.err.contains(QStringLiteral("调配结果没有写入项目文件：")) &&
                    r.err.contains(QStringLiteral("磁盘已满")))
            << r.err.toStdString();
        EXPECT_EQ(FileBytes(path), before) << args.join(u' ').toStdString();
    }
}

TEST_F(CliAllocate, AutoAllocatesAndFinishes) {
    const CliResult r =
        RunCli({QStringLiteral("auto"), path, QStringLiteral("--reach"), QStringLiteral("200")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString() << r.out.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("结束调配: 完成")));
}

// A cross-project haul through a port pair made on the command line; the same pair again is
// refused.
TEST(CliAllocateCross, NewPortThenSamePlaceRefused) {
    dalvex::test::EnsureCoreApp();
    dalvex::test::ScratchDir dir;
    const QString pa = dir.Path(QStringLiteral("a.dvx"));
    const QString pb = dir.Path(QStringLiteral("b.dvx"));
    YRecordingUserIO io;
    {
        TestProject a(pa, io);
        TestProject b(pb, io);
        a.SetGuid(QStringLiteral("{a1}"), QStringLiteral("甲"));
        b.SetGuid(QStringLiteral("{b2}"), QStringLiteral("乙"));
        a.AddLine(0, 20, {{.use = {0, 58, 0, 0, 0, 0}}});
        b.AddLine(0, 20, {{.fill = 30}, {.fill = 10}});
    }
    // A's cut to B's fill: the same arguments but for the fill run and the ports.
    const auto args = [&](const char* fill, const QStringList& ports) {
        return QStringList{"allocate", pa,       "--rule", "soil-first",   "--cut",
                           "0~20",     "--fill", fill,     "--to-project", pb} +
               ports;
    };
    const CliResult r = RunCli(args("0~20", {"--new-port", "20,15,0"}));
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(QStringLiteral("调配原则: 跨项目土方优先")));
    EXPECT_TRUE(r.out.contains(QStringLiteral("调出口1")));
    EXPECT_TRUE(r.out.contains(QStringLiteral("调入口1")));
    const CliResult again = RunCli(args("0~20", {"--new-port", "20,15,0"}));
    EXPECT_EQ(again.exitCode, 1);
    EXPECT_TRUE(again.err.contains(QStringLiteral("已经有相同位置的调出调入口")));
    // The pair exists now: A's remaining cut goes to B's second fill through port numbers.
    const CliResult byNumber = RunCli(args("20~40", {"--exit-port", "1", "--entry-port", "1"}));
    EXPECT_EQ(byNumber.exitCode, 0) << byNumber.err.toStdString();
    EXPECT_TRUE(byNumber.out.contains(QStringLiteral("\t10.000\n"))) << byNumber.out.toStdString();
}

} // namespace
