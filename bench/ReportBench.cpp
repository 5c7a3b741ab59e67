// The tables on a long road: the earthwork calculation table of 20 000 computation segments
// (770 pages) and the haul statistics table of 5 000 step summaries, each against the raw
// SQLite reads of the rows it prints, measured in the same run. Peak memory (max RSS, MB) is
// reported as a counter of the earthwork table.
#include "core/db/YDatabase.h"
#include "core/db/YGchSet.h"
#include "core/db/YTransaction.h"
#include "core/db/YZzmjSet.h"
#include "core/reports/YCalcTable.h"
#include "core/reports/YHaulTable.h"
#include "support/ProjectFixture.h"
#include "support/YRecordingUserIO.h"

#include <QCoreApplication>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <sys/resource.h>

using dalvex::test::TestProject;

namespace {

constexpr int kSections = 20000;
constexpr int kSteps = 5000;
constexpr double kStep = 20.0; // m

struct Workspace {
    QTemporaryDir dir;
    YRecordingUserIO io;
    std::unique_ptr<TestProject> project;
};

Workspace& Space() {
    static int argc = 1;
    static char name[] = "bench";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    static Workspace w = [] {
        Workspace s;
        s.project = std::make_unique<TestProject>(s.dir.filePath("road.dvx"), s.io);
        s.project->AddLine(0.0, kStep, TestProject::Road(kSections));
        CDalvexDoc& doc = s.project->Doc();
        YTransaction tr(doc.GetDatabase());
        YZzmjSet& zz = doc.GetZzmjSet();
        for (int i = 0; i <= kSections; ++i) {
            zz.AddNew();
            zz.m_sta = i * kStep;
            zz.m_dCutArea = 10.0 + i % 7;
            zz.m_dFillArea = 3.0 + i % 5;
            (void)zz.Update();
        }
        YGchSet& gch = doc.GetGchSet();
        for (int i = 0; i < kSteps; ++i) {
            gch.AddNew();
            gch.m_nGCID = i + 1;
            gch.m_staTakeStart = i * 80.0;
            gch.m_staTakeEnd = i * 80.0 + 20.0;
            gch.m_staPutStart = i * 80.0 + 40.0;
            gch.m_staPutEnd = i * 80.0 + 60.0;
            gch.m_dSoil = 100.0 + i % 13;
            gch.m_dRock = (i % 3) * 20.0;
            gch.m_dSoilDist = 40.0 + (i % 11) * 60.0;
            gch.m_dRockDist = 40.0 + (i % 7) * 90.0;
            (void)gch.Update();
        }
        (void)tr.Commit();
        return s;
    }();
    return w;
}

void ReadAll(const QString& sql) {
    QSqlQuery q(Space().project->Doc().GetDatabase().Connection());
    q.setForwardOnly(true);
    (void)q.exec(sql);
    double sum = 0.0;
    while (q.next()) {
        for (int c = 0; c < 8; ++c) {
            sum += q.value(c).toDouble();
        }
    }
    benchmark::DoNotOptimize(sum);
}

// What the earthwork table reads, as plain SELECTs of every row.
void BM_RawReadEarthworkRows(benchmark::State& state) {
    Space();
    for (auto _ : state) {
        ReadAll(QStringLiteral("SELECT * FROM [土石计算] ORDER BY [起始桩号]"));
        ReadAll(QStringLiteral("SELECT * FROM [土石计算中间表] ORDER BY [起始桩号]"));
        ReadAll(QStringLiteral("SELECT * FROM [逐桩断面] ORDER BY [sta]"));
    }
}
BENCHMARK(BM_RawReadEarthworkRows)->Unit(benchmark::kMillisecond);

void BM_EarthworkTable(benchmark::State& state) {
    CDalvexDoc& doc = Space().project->Doc();
    const QString out = Space().dir.filePath("earthwork.xlsx");
    int pages = 0;
    for (auto _ : state) {
        YCalcTable table(doc);
        if (!table.Prepare(false) || !table.Output(YCalcTableOptions(), out)) {
            state.SkipWithError("the table was not written");
            break;
        }
        pages = int(table.Pages().size());
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["pages"] = pages;
    state.counters["maxRSS_MB"] = double(usage.ru_maxrss) / 1024.0;
}
BENCHMARK(BM_EarthworkTable)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_RawReadSummaries(benchmark::State& state) {
    Space();
    for (auto _ : state) {
        ReadAll(QStringLiteral("SELECT * FROM [过程] ORDER BY [GCID]"));
    }
}
BENCHMARK(BM_RawReadSummaries)->Unit(benchmark::kMillisecond);

void BM_HaulTable(benchmark::State& state) {
    CDalvexDoc& doc = Space().project->Doc();
    const QString out = Space().dir.filePath("haul.xlsx");
    for (auto _ : state) {
        YHaulTable table(doc);
        if (!table.Prepare() || !table.Output(YHaulTableOptions(), out)) {
            state.SkipWithError("the table was not written");
            break;
        }
    }
}
BENCHMARK(BM_HaulTable)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
