// dalvex-cli steps, tasks, undo, redo, repair, clear and finish on a project with a recorded
// allocation, and the one writer a project file has at a time.
#include "CliRunner.h"

#include "core/db/YDatabase.h"
#include "core/document/CDalvexDoc.h"
#include "core/document/YDocManager.h"
#include "core/process/YProcessRecorder.h"
#include "support/ProjectFixture.h"
#include "support/TestSupport.h"
#include "support/YRecordingUserIO.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLockFile>
#include <QProcess>
#include <gtest/gtest.h>

using namespace dalvex::test;

namespace {

class CliProcess : public ::testing::Test {
  protected:
    void SetUp() override {
        EnsureCoreApp();
        path = dir.Path(QStringLiteral("road.dvx"));
        YRecordingUserIO io;
        YDocManager manager(io);
        TestProject p(manager, path);
        ASSERT_TRUE(p.IsOpen());
        p.AddSegs(TestProject::Road(4));
        ASSERT_TRUE(p.Load());
        ASSERT_EQ(p.HaulStep(0, 1, 2, 0.5), 1);
        ASSERT_EQ(p.HaulStep(2, 3, 1, 0.5), 2);
        ASSERT_EQ(p.HaulStep(2, 1, 1, 0.5), 3);
    }
    QJsonArray Steps() {
        const CliResult r = RunCli({QStringLiteral("--json"), QStringLiteral("steps"), path});
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        return QJsonDocument::fromJson(r.out.toUtf8()).array();
    }
    int AppliedSteps() {
        int n = 0;
        for (const auto& s : Steps()) {
            n += s.toObject().value(QStringLiteral("applied")).toBool() ? 1 : 0;
        }
        return n;
    }
    ScratchDir dir;
    QString path;
};

TEST_F(CliProcess, StepsListOneLinePerStepWithItsRanges) {
    const CliResult r = RunCli({QStringLiteral("steps"), path});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QStringList lines = r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 5);
    EXPECT_EQ(lines[0], QStringLiteral("操作\t从\t到\t土\t石\t运距"));
    EXPECT_EQ(lines[1], QStringLiteral("开始调配"));
    EXPECT_TRUE(lines[2].startsWith(
        QStringLiteral("1.远运\tK0+000.000~K0+020.000\tK0+020.000~K0+040.000\t")));
    const QStringList cols = lines[2].split(QLatin1Char('\t'));
    ASSERT_EQ(cols.size(), 6);
    EXPECT_EQ(cols[5], QStringLiteral("20.000")); // centre to centre
    EXPECT_TRUE(lines[4].startsWith(QStringLiteral("3.远运\tK0+040.000~K0+060.000\t")));
}

TEST_F(CliProcess, UndoAndRedoWithAndWithoutATarget) {
    CliResult r = RunCli({QStringLiteral("undo"), path});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("当前步骤: 2\n"));
    r = RunCli({QStringLiteral("undo"), path, QStringLiteral("--to"), QStringLiteral("0")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("当前步骤: 0\n"));
    EXPECT_EQ(Steps().size(), 3);
    EXPECT_EQ(AppliedSteps(), 0);
    r = RunCli({QStringLiteral("undo"), path});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("没有可以取消的调配步骤")));

    r = RunCli({QStringLiteral("redo"), path});
    EXPECT_EQ(r.out, QStringLiteral("当前步骤: 1\n"));
    r = RunCli({QStringLiteral("redo"), path, QStringLiteral("--to"), QStringLiteral("3")});
    EXPECT_EQ(r.out, QStringLiteral("当前步骤: 3\n"));
    r = RunCli({QStringLiteral("undo"), path, QStringLiteral("--to"), QStringLiteral("x")});
    EXPECT_EQ(r.exitCode, 2);
}

TEST_F(CliProcess, TasksListTheRemainingRuns) {
    const CliResult r = RunCli({QStringLiteral("tasks"), path});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QStringList lines = r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_GE(lines.size(), 2);
    EXPECT_EQ(lines[0], QStringLiteral("类型\t从\t到\t挖余土\t挖余石\t填缺\t废土\t废石"));
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("1.挖余\tK0+000.000\tK0+020.000\t")));
}

TEST_F(CliProcess, FinishRefusesAnIncompleteAllocationAndClearNeedsYes) {
    CliResult r = RunCli({QStringLiteral("finish"), path});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("调配尚未完成!桩号K0+000.000")));

    r = RunCli({QStringLiteral("repair"), path});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("当前步骤: 3\n"));

    r = RunCli({QStringLiteral("clear"), path}, QByteArray("n\n"));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(Steps().size(), 3);
    r = RunCli({QStringLiteral("--yes"), QStringLiteral("clear"), path});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(Steps().size(), 0);
}

// One writer per project file: a second program that would write is refused while the first
// has the project open, readers go on, and the lock of a program that died is taken over.
// A log naming a waste pit the project does not have: undo, repair and clear refuse, say why,
// and change nothing.
TEST(CliProcessDamage, ALogNamingAMissingPitIsReported) {
    EnsureCoreApp();
    ScratchDir dir;
    const QString path = dir.Path(QStringLiteral("road.dvx"));
    {
        YRecordingUserIO io;
        YDocManager manager(io);
        TestProject p(manager, path);
        p.AddSegs(TestProject::Road(4));
        p.AddWastePit(10, 0, 50, 500);
        ASSERT_TRUE(p.Load());
        const int step = YProcessRecorder::NextStep(p.Doc());
        ASSERT_TRUE(p.Waste(step, 1, 0, 0, 0.5));
        YProcessRecorder::EndStep(p.Doc(), step);
        // The destination row's 坑 names waste pit 5 of a project that has one.
        ASSERT_TRUE(p->GetDatabase().Exec(
            QStringLiteral("UPDATE [Tmp调配过程表] SET [坑] = 5 WHERE NOT [填挖]")));
    }
    const QString said = QStringLiteral("调配过程已损坏：第1步第1个过程记录的弃土坑5不存在。");
    const QByteArray before = FileBytes(path);
    ASSERT_FALSE(before.isEmpty());
    for (const QStringList& verb :
         {QStringList{QStringLiteral("undo"), path}, QStringList{QStringLiteral("repair"), path},
          QStringList{QStringLiteral("--yes"), QStringLiteral("clear"), path}}) {
        const CliResult r = RunCli(verb);
        EXPECT_EQ(r.exitCode, 1) << verb.join(u' ').toStdString();
        EXPECT_TRUE(r.err.contains(said)) << r.err.toStdString();
        EXPECT_EQ(FileBytes(path), before) << verb.join(u' ').toStdString();
    }
}

TEST_F(CliProcess, ASecondWriterIsRefusedAndReadersGoOn) {
    YRecordingUserIO io;
    YDocManager holder(io); // this test process plays the desktop program with the project open
    ASSERT_NE(holder.OpenDocumentFile(path), nullptr);

    const QString inUse = QStringLiteral("项目文件正被其他程序使用：") + path;
    for (const QStringList& args :
         {QStringList{QStringLiteral("undo"), path},
          QStringList{QStringLiteral("--yes"), QStringLiteral("clear"), path},
          QStringList{QStringLiteral("--yes"), QStringLiteral("auto"), path},
          QStringList{QStringLiteral("--yes"), QStringLiteral("preprocess"), path}}) {
        const CliResult r = RunCli(args);
        EXPECT_EQ(r.exitCode, 1) << args.join(u' ').toStdString();
        EXPECT_TRUE(r.err.contains(inUse)) << r.err.toStdString();
    }
    EXPECT_EQ(AppliedSteps(), 3);
    const CliResult info = RunCli({QStringLiteral("info"), path});
    EXPECT_EQ(info.exitCode, 0) << info.err.toStdString();

    holder.CloseAll();
    const CliResult r = RunCli({QStringLiteral("undo"), path});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(AppliedSteps(), 2);
}

TEST_F(CliProcess, TheDesktopProgramIsRefusedWhileACommandHoldsTheProject) {
    YRecordingUserIO io;
    YDocManager first(io);
    ASSERT_NE(first.OpenDocumentFile(path), nullptr);
    YDocManager second(io);
    EXPECT_EQ(second.OpenDocumentFile(path), nullptr);
    ASSERT_FALSE(io.Texts().isEmpty());
    EXPECT_TRUE(io.Texts().last().startsWith(QStringLiteral("项目文件正被其他程序使用：") + path));
    YDocManager reader(io, YOpenAccess::Read);
    CDalvexDoc* doc = reader.OpenDocumentFile(path);
    ASSERT_NE(doc, nullptr);
    EXPECT_GT(doc->GetDatabase().RowCount(QStringLiteral("Tmp调配过程表")).value_or(0), 0);
}

TEST_F(CliProcess, TheLockOfAProgramThatDiedIsTakenOver) {
    const QString lockPath = path + QStringLiteral(".lock");
    QByteArray content;
    {
        QLockFile lock(lockPath);
        ASSERT_TRUE(lock.tryLock(0));
        QFile f(lockPath);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        content = f.readAll();
        lock.unlock();
    }
    QProcess gone;
    gone.start(QStringLiteral("sleep"), {QStringLiteral("0.1")});
    ASSERT_TRUE(gone.waitForStarted(10000));
    const qint64 deadPid = gone.processId();
    ASSERT_TRUE(gone.waitForFinished(10000));
    ASSERT_GT(deadPid, 0);
    // The same lock as a live holder writes it, naming the process that is gone.
    content = QByteArray::number(deadPid) + content.mid(content.indexOf('\n'));
    {
        QFile f(lockPath);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    const CliResult r = RunCli({QStringLiteral("undo"), path});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(AppliedSteps(), 2);
    EXPECT_FALSE(QFile::exists(lockPath));
}

} // namespace
