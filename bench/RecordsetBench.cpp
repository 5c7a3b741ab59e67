// The record sets on a long road: 20 000 computation segments in [土石计算中间表] (137 columns
// each). Writing them through a set is compared with a raw prepared INSERT of the same rows,
// reading with a raw SELECT, and positioning on a segment by its start station (the lookup of
// every recorded process) with the indexed SQL query that would otherwise be issued.
#include "core/db/YDatabase.h"
#include "core/db/YSchema.h"
#include "core/db/YTransaction.h"
#include "core/db/YZjTsjsSet.h"

#include <QCoreApplication>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int kRows = 20000;
constexpr double kStep = 20.0; // m between cross-sections

struct Road {
    QTemporaryDir dir;
    YDatabase db;
    Road() {
        (void)YSchema::CreateProject(db, dir.filePath(QStringLiteral("road.dvx")),
                                     YSchema::CurrentVersion);
    }
};

Road& TheRoad() {
    static int argc = 1;
    static char name[] = "bench";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    static Road road;
    return road;
}

void Fill(YZjTsjsSet& set, int i) {
    set.m_staStart = i * kStep;
    set.m_staEnd = (i + 1) * kStep;
    set.m_dLength = kStep;
    for (int k = 0; k < 6; ++k) {
        set.m_dCut[k] = i + k;
        set.m_rem.d[k] = i * 0.5 + k;
    }
}

void BM_RawInsertBaseline(benchmark::State& state) {
    Road& road = TheRoad();
    const auto cols = YSchema::Columns(QStringLiteral("土石计算中间表"), 6);
    const QString sql = QStringLiteral("INSERT INTO [土石计算中间表] VALUES (%1)")
                            .arg(QStringList(int(cols.size()), QStringLiteral("?")).join(u','));
    for (auto _ : state) {
        (void)road.db.Exec(QStringLiteral("DELETE FROM [土石计算中间表]"));
        YTransaction tr(road.db);
        QSqlQuery q(road.db.Connection());
        q.prepare(sql);
        for (int i = 0; i < kRows; ++i) {
            for (int c = 0; c < int(cols.size()); ++c) {
                q.bindValue(c, c == 1 ? i * kStep : double(c));
            }
            q.exec();
        }
        (void)tr.Commit();
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_RawInsertBaseline)->Unit(benchmark::kMillisecond);

void BM_SetAddNew(benchmark::State& state) {
    Road& road = TheRoad();
    YZjTsjsSet set(road.db);
    (void)set.Open();
    for (auto _ : state) {
        (void)set.DeleteSegmentRows();
        YTransaction tr(road.db);
        for (int i = 0; i < kRows; ++i) {
            set.AddNew();
            Fill(set, i);
            (void)set.Update();
        }
        (void)tr.Commit();
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_SetAddNew)->Unit(benchmark::kMillisecond);

void BM_RawSelectBaseline(benchmark::State& state) {
    Road& road = TheRoad();
    for (auto _ : state) {
        QSqlQuery q(road.db.Connection());
        q.setForwardOnly(true);
        q.exec(QStringLiteral("SELECT * FROM [土石计算中间表] ORDER BY [起始桩号]"));
        double sum = 0;
        while (q.next()) {
            for (int c = 0; c < 137; ++c) {
                sum += q.value(c).toDouble();
            }
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_RawSelectBaseline)->Unit(benchmark::kMillisecond);

void BM_SetRequery(benchmark::State& state) {
    Road& road = TheRoad();
    YZjTsjsSet set(road.db);
    (void)set.Open();
    for (auto _ : state) {
        (void)set.Requery();
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_SetRequery)->Unit(benchmark::kMillisecond);

void BM_SqlLookupBaseline(benchmark::State& state) {
    Road& road = TheRoad();
    QSqlQuery q(road.db.Connection());
    q.prepare(QStringLiteral("SELECT * FROM [土石计算中间表] WHERE [起始桩号] = ?"));
    int i = 0;
    for (auto _ : state) {
        q.bindValue(0, (i++ * 7919 % kRows) * kStep);
        q.exec();
        benchmark::DoNotOptimize(q.next());
        q.finish();
    }
}
BENCHMARK(BM_SqlLookupBaseline);

void BM_SetFindByStation(benchmark::State& state) {
    Road& road = TheRoad();
    YZjTsjsSet set(road.db);
    (void)set.Open();
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(set.FindByStation(YStation((i++ * 7919 % kRows) * kStep)));
    }
}
BENCHMARK(BM_SetFindByStation);

void BM_SetEditUpdate(benchmark::State& state) {
    Road& road = TheRoad();
    YZjTsjsSet set(road.db);
    (void)set.Open();
    YTransaction tr(road.db);
    int i = 0;
    for (auto _ : state) {
        (void)set.FindByStation(YStation((i++ * 7919 % kRows) * kStep));
        (void)set.Edit();
        set.m_rem.d[0] -= 0.5;
        (void)set.Update();
    }
    (void)tr.Commit();
}
BENCHMARK(BM_SetEditUpdate);

} // namespace

BENCHMARK_MAIN();
