// A worker process records and undoes at random and is killed at a random moment; the project
// file it leaves must open without a damaged log, and a repair must rebuild exactly the
// intermediate table and pits that are on disk.
#include "ProcessTestBase.h"

#include "core/process/YHistory.h"
#include "core/process/YProcessList.h"
#include "core/process/YProcessRecorder.h"
#include "core/process/YRepair.h"

#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QThread>
#include <random>

namespace dalvex::test {
namespace {

const char* kWorkerPath = "DALVEX_FAULT_WORKER";
const char* kWorkerSeed = "DALVEX_FAULT_SEED";

void RandomStep(TestProject& p, std::mt19937& rng) {
    CDalvexDoc& doc = p.Doc();
    const int n = doc.GetSegmentCount();
    std::uniform_int_distribution<int> seg(0, n / 2 - 1);
    std::uniform_real_distribution<double> part(0.02, 0.3);
    const int step = YProcessRecorder::NextStep(doc);
    if (step < 0) {
        return;
    }
    const int count = 1 + int(rng() % 4);
    for (int i = 1; i <= count; ++i) {
        const int cut = 2 * seg(rng);
        const int fill = 2 * seg(rng) + 1;
        switch (rng() % 4) {
        case 0:
            (void)p.Borrow(step, i, 0, fill, 0.001);
            break;
        case 1:
            (void)p.Waste(step, i, cut, 0, part(rng));
            break;
        default:
            (void)p.Haul(step, i, cut, fill, part(rng));
        }
    }
    YProcessRecorder::EndStep(doc, step);
}

// Runs only inside the worker process started by the test below.
TEST(FaultWorker, RecordAndUndoUntilKilled) {
    const QString path = qEnvironmentVariable(kWorkerPath);
    if (path.isEmpty()) {
        GTEST_SKIP() << "runs only as the worker of FaultInjection";
    }
    EnsureCoreApp();
    YRecordingUserIO io;
    YDocManager manager(io);
    TestProject p(manager, path, true);
    ASSERT_TRUE(p.IsOpen());
    ASSERT_TRUE(p.Doc().ReloadModel());
    std::mt19937 rng(unsigned(qEnvironmentVariableIntValue(kWorkerSeed)));
    for (int round = 0; round < 100000; ++round) {
        const auto entries = YProcessList::Build(p.Doc());
        const int current = YProcessList::CurrentStep(entries);
        const int undone = YProcessList::FirstUndoneStep(entries);
        const unsigned op = rng() % 20;
        if (op < 12 || current == 0) {
            RandomStep(p, rng);
        } else if (op < 17) {
            (void)YHistory::Undo(p.Doc(), current, std::max(1, current - int(rng() % 3)));
        } else if (undone > 0) {
            (void)YHistory::Redo(p.Doc(), undone, undone + int(rng() % 2));
        }
    }
}

TEST(FaultInjection, KilledWhileRecordingAndUndoingLeavesARepairableFile) {
    EnsureCoreApp();
    ScratchDir dir;
    const QString path = dir.Path(QStringLiteral("fault.dvx"));
    {
        YRecordingUserIO io;
        YDocManager manager(io);
        TestProject p(manager, path);
        p.AddSegs(TestProject::Road(40, 100.0));
        p.AddBorrowPit(100, 100, 100, {30, 30, 40, 0, 0, 100}, 1e6, 1e6, 30);
        p.AddWastePit(300, 300, 300, 1e7, 20);
        ASSERT_TRUE(p.Load());
    }
    const QString self = QFile::symLinkTarget(QStringLiteral("/proc/self/exe"));
    std::mt19937 rng(20261206);
    int repaired = 0;
    for (int round = 0; round < 6; ++round) {
        QProcess worker;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QString::fromLatin1(kWorkerPath), path);
        env.insert(QString::fromLatin1(kWorkerSeed), QString::number(round + 1));
        worker.setProcessEnvironment(env);
        worker.start(self, {QStringLiteral("--gtest_filter=FaultWorker.*")});
        ASSERT_TRUE(worker.waitForStarted());
        QThread::msleep(300 + rng() % 900);
        worker.kill();
        worker.waitForFinished();

        YRecordingUserIO io;
        YDocManager manager(io);
        TestProject p(manager, path, true);
        ASSERT_TRUE(p.IsOpen()) << "round " << round;
        EXPECT_TRUE(io.Texts().isEmpty())
            << "round " << round << ": " << io.Texts().join(u'|').toStdString();
        EXPECT_FALSE(p.Doc().FindLogDamage().has_value()) << "round " << round;
        const auto mid = p.MidTable();
        const auto pits = p.Pits();
        if (YRepair::Repair(p.Doc())) {
            ++repaired;
            EXPECT_TRUE(TablesNear(p.MidTable(), mid, 1e-9)) << "round " << round;
            EXPECT_TRUE(ValuesNear(p.Pits(), pits, 1e-9)) << "round " << round;
        }
    }
    EXPECT_GT(repaired, 0); // the worker got far enough to leave a log at least once
}

} // namespace
} // namespace dalvex::test
