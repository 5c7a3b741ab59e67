// Undo then redo of 1 000 steps of 10 processes each, and finishing a 20 000-segment project,
// each against a raw SQLite baseline writing as many rows in one transaction.
#include "support/ProjectFixture.h"

#include "core/db/YDatabase.h"
#include "core/db/YTransaction.h"
#include "core/document/CDalvexDoc.h"
#include "core/document/YDocManager.h"
#include "core/process/YFinish.h"
#include "core/process/YHistory.h"
#include "core/process/YProcessRecorder.h"
#include "support/YRecordingUserIO.h"

#include <QCoreApplication>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

using dalvex::test::SegSpec;
using dalvex::test::TestProject;

namespace {

constexpr int kSteps = 1000;
constexpr int kPerStep = 10;
constexpr int kFinishSegments = 20000;

struct Workspace {
    QTemporaryDir dir;
    YRecordingUserIO io;
    YDocManager manager{io};
};

Workspace& Space() {
    static Workspace w;
    return w;
}

// 1 000 steps, each hauling ten small parts between the cut and fill segments of one place.
TestProject& HistoryProject() {
    static std::unique_ptr<TestProject> p = [] {
        auto proj =
            std::make_unique<TestProject>(Space().manager, Space().dir.filePath("history.dvx"));
        proj->AddSegs(TestProject::Road(400, 1000.0));
        (void)proj->Load();
        CDalvexDoc& doc = proj->Doc();
        YTransaction tr(doc.GetDatabase());
        for (int s = 0; s < kSteps; ++s) {
            const int step = YProcessRecorder::NextStep(doc);
            const int cut = 2 * (s % 200);
            for (int i = 0; i < kPerStep; ++i) {
                (void)proj->Haul(step, i + 1, cut, cut + 1, 0.001);
            }
            YProcessRecorder::EndStep(doc, step);
        }
        (void)tr.Commit();
        return proj;
    }();
    return *p;
}

// 20 000 segments, every cut hauled completely into the fill after it: a finished allocation.
TestProject& FinishProject() {
    static std::unique_ptr<TestProject> p = [] {
        auto proj =
            std::make_unique<TestProject>(Space().manager, Space().dir.filePath("finish.dvx"));
        std::vector<SegSpec> segs;
        for (int i = 0; i < kFinishSegments; ++i) {
            SegSpec s;
            s.start = 20.0 * i;
            s.end = s.start + 20.0;
            if (i % 2 == 0) {
                s.use = {0, 11.6 + i % 5, 0, 0, 0, 0};
            } else {
                s.fill = (11.6 + (i - 1) % 5) / 1.16;
            }
            segs.push_back(s);
        }
        proj->AddSegs(segs);
        (void)proj->Load();
        CDalvexDoc& doc = proj->Doc();
        YTransaction tr(doc.GetDatabase());
        for (int i = 0; i < kFinishSegments; i += 2) {
            const int step = i / 2 + 1;
            (void)proj->Haul(step, 1, i, i + 1, 1.0);
        }
        (void)tr.Commit();
        return proj;
    }();
    return *p;
}

// Rewrites n rows of a table with a prepared UPDATE by rowid: the least any store of the same
// rows can cost.
void RawRewrite(CDalvexDoc& doc, const QString& table, const QString& column, int n) {
    YTransaction tr(doc.GetDatabase());
    QSqlQuery q(doc.GetDatabase().Connection());
    q.prepare(QStringLiteral("UPDATE [%1] SET [%2] = [%2] + 0 WHERE rowid = ?").arg(table, column));
    for (int i = 1; i <= n; ++i) {
        q.addBindValue(i);
        q.exec();
    }
    (void)tr.Commit();
}

void BM_RawUpdateBaseline(benchmark::State& state) {
    CDalvexDoc& doc = HistoryProject().Doc();
    // Undo and redo each rewrite both rows of every pair and a row of the table per end.
    for (auto _ : state) {
        RawRewrite(doc, QStringLiteral("Tmp调配过程表"), QStringLiteral("成败"),
                   2 * 2 * kSteps * kPerStep);
        RawRewrite(doc, QStringLiteral("土石计算中间表"), QStringLiteral("挖余土"),
                   2 * 2 * kSteps * kPerStep);
    }
}
BENCHMARK(BM_RawUpdateBaseline)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_UndoRedo1000Steps(benchmark::State& state) {
    CDalvexDoc& doc = HistoryProject().Doc();
    for (auto _ : state) {
        if (!YHistory::Undo(doc, kSteps, 1) || !YHistory::Redo(doc, 1, kSteps)) {
            state.SkipWithError("undo or redo failed");
        }
    }
}
BENCHMARK(BM_UndoRedo1000Steps)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_RawInsertBaseline(benchmark::State& state) {
    CDalvexDoc& doc = FinishProject().Doc();
    // Finishing writes a [土石计算2] and a [统计扩展] row per segment; the baseline copies as
    // many rows of the wide computation table.
    for (auto _ : state) {
        YTransaction tr(doc.GetDatabase());
        (void)doc.GetDatabase().Exec(
            QStringLiteral("CREATE TEMP TABLE IF NOT EXISTS bench AS SELECT * FROM [土石计算] "
                           "WHERE 0"));
        QSqlQuery q(doc.GetDatabase().Connection());
        for (int i = 0; i < 2; ++i) {
            q.exec(QStringLiteral("INSERT INTO bench SELECT * FROM [土石计算]"));
        }
        (void)doc.GetDatabase().Exec(QStringLiteral("DELETE FROM bench"));
        (void)tr.Commit();
    }
}
BENCHMARK(BM_RawInsertBaseline)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_Finish20000Segments(benchmark::State& state) {
    TestProject& p = FinishProject();
    for (auto _ : state) {
        if (!YFinish::Finish(p.Doc())) {
            state.SkipWithError("finish failed");
        }
        state.PauseTiming();
        (void)p.Doc().ReloadModel();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_Finish20000Segments)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    // The workspace is a function-local static made before Qt's registry of connections: at
    // exit that registry would be gone before the workspace closed its projects.
    Space().manager.CloseAll();
    return 0;
}
