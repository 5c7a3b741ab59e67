// Preprocessing of a long road: 20 000 cross-sections (400 km at 20 m) with a road trough, soil
// and rock contents changing every 500 m and a bridge every 40 km, compared with two baselines
// that bulk-insert the same 20 000 result rows (137 columns each) in one transaction with one
// prepared statement: on SQLite's C interface (the raw engine), and through Qt's SQLite driver
// (QSqlQuery). All run on the same file in the same process; the summary gives the ratios and
// the absolute time of the preprocessing.
#include "core/compute/YPreprocessor.h"
#include "core/compute/YTsjsRow.h"
#include "core/db/YDatabase.h"
#include "core/db/YFastStatement.h"
#include "core/db/YSchema.h"
#include "core/db/YTransaction.h"
#include "core/station/YStation.h"
#include "support/YRecordingUserIO.h"

#include <QCoreApplication>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdio>
#include <map>
#include <random>

namespace {

constexpr int kSections = 20000;
constexpr double kStep = 20.0; // m

struct Road {
    QTemporaryDir dir;
    YDatabase db;
    qint64 nLastInputRow = 0;                   // rowids above are sections added at bridges
    std::vector<std::vector<QVariant>> results; // [土石计算] rows of one run, all columns

    Road() {
        (void)YSchema::CreateProject(db, dir.filePath(QStringLiteral("road.dvx")),
                                     YSchema::CurrentVersion);
        YTransaction tr(db);
        std::mt19937 rng(20000);
        std::uniform_real_distribution<double> unit(0.0, 1.0);
        QSqlQuery q(db.Connection());
        q.prepare(QStringLiteral("INSERT INTO [逐桩断面] ([桩号],[挖方面积],[填方面积],[中桩填挖],"
                                 "[sta]) VALUES (?,?,?,?,?)"));
        for (int i = 0; i < kSections; ++i) {
            const double s = i * kStep;
            const double h = 6.0 * std::sin(s / 700.0) + 2.0 * (unit(rng) - 0.5);
            q.bindValue(0, db.Numbering().Text(YStation(s)));
            q.bindValue(1, h < 0.5 ? 12.0 * std::fabs(std::min(h, 0.0)) + 3.0 * unit(rng) : 0.0);
            q.bindValue(2, h > -0.5 ? 12.0 * std::max(h, 0.0) + 3.0 * unit(rng) : 0.0);
            q.bindValue(3, h);
            q.bindValue(4, s);
            q.exec();
        }
        const double end = (kSections - 1) * kStep;
        for (double s = 1000; s < end + 1000; s += 1000) {
            (void)db.Exec(QStringLiteral("INSERT INTO [路槽] ([桩号],[高度],[宽度],[sta]) "
                                         "VALUES (?,0.7,9,?)"),
                          {db.Numbering().Text(YStation(s)), s});
        }
        for (double s = 500; s < end + 500; s += 500) {
            const double soil = 40 + 40 * unit(rng);
            (void)db.Exec(QStringLiteral("INSERT INTO [土石含量] ([桩号],[sta],[松土],[普通土],"
                                         "[硬土],[软石],[次坚石],[坚石],[松土利用率],"
                                         "[普通土利用率],[硬土利用率],[软石利用率],[次坚石利用率],"
                                         "[坚石利用率]) VALUES (?,?,?,?,?,?,?,?,60,100,100,100,"
                                         "90,80)"),
                          {db.Numbering().Text(YStation(s)), s, soil * 0.2, soil * 0.5, soil * 0.3,
                           (100 - soil) * 0.5, (100 - soil) * 0.3, (100 - soil) * 0.2});
        }
        for (double s = 40010; s < end; s += 40000) {
            (void)db.Exec(
                QStringLiteral("INSERT INTO [构造物] ([起始桩号],[终止桩号],[名称],[跨径],"
                               "[能否跨越],[ssta]) VALUES (?,?,'桥',85,1,?)"),
                {db.Numbering().Text(YStation(s)), db.Numbering().Text(YStation(s + 85)), s});
        }
        (void)tr.Commit();
        nLastInputRow =
            db.QueryValue(QStringLiteral("SELECT MAX(rowid) FROM [逐桩断面]"))->toLongLong();
    }

    // Back to the state before any run: no results, no sections added at bridges.
    void Reset() {
        YTransaction tr(db);
        for (const QString& table : YPreprocessor::ResultTables()) {
            (void)db.Exec(QStringLiteral("DELETE FROM [%1]").arg(table));
        }
        (void)db.Exec(QStringLiteral("DELETE FROM [逐桩断面] WHERE rowid > ?"), {nLastInputRow});
        (void)tr.Commit();
    }

    [[nodiscard]] bool Preprocess() {
        YRecordingUserIO io;
        return YPreprocessor(db, io).Run(YPreprocessOptions{}).Ok();
    }

    void KeepResults() {
        QSqlQuery q(db.Connection());
        q.setForwardOnly(true);
        q.exec(QStringLiteral("SELECT * FROM [土石计算] ORDER BY [起始桩号]"));
        while (q.next()) {
            std::vector<QVariant> row;
            for (int c = 0; c < 137; ++c) {
                row.push_back(q.value(c));
            }
            results.push_back(std::move(row));
        }
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

bool EnsureResults(benchmark::State& state, Road& road) {
    if (road.results.empty()) {
        road.Reset();
        if (!road.Preprocess()) {
            state.SkipWithError("preprocessing failed");
            return false;
        }
        road.KeepResults();
    }
    return true;
}

QString InsertSql() {
    return QStringLiteral("INSERT INTO [土石计算] ([分段编号],%1) VALUES (%2)")
        .arg(YTsjsRow::SqlColumnList(6), QStringList(137, QStringLiteral("?")).join(u','));
}

void BM_RawInsertNative(benchmark::State& state) {
    Road& road = TheRoad();
    if (!EnsureResults(state, road)) {
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        road.Reset();
        state.ResumeTiming();
        YTransaction tr(road.db);
        YFastStatement insert(road.db.Connection());
        if (!insert.IsNative() || !insert.Prepare(InsertSql())) {
            state.SkipWithError("SQLite's C interface is not reachable");
            return;
        }
        for (const auto& row : road.results) {
            insert.BindInt(0, row[0].toInt());
            for (int c = 1; c < 137; ++c) {
                insert.BindDouble(c, row[size_t(c)].toDouble());
            }
            (void)insert.Exec();
        }
        (void)tr.Commit();
    }
    state.counters["rows"] = double(road.results.size());
}
BENCHMARK(BM_RawInsertNative)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_RawInsertQt(benchmark::State& state) {
    Road& road = TheRoad();
    if (!EnsureResults(state, road)) {
        return;
    }
    const QString sql = InsertSql();
    for (auto _ : state) {
        state.PauseTiming();
        road.Reset();
        state.ResumeTiming();
        YTransaction tr(road.db);
        QSqlQuery q(road.db.Connection());
        q.prepare(sql);
        for (const auto& row : road.results) {
            for (int c = 0; c < 137; ++c) {
                q.bindValue(c, row[size_t(c)]);
            }
            q.exec();
        }
        (void)tr.Commit();
    }
    state.counters["rows"] = double(road.results.size());
}
BENCHMARK(BM_RawInsertQt)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_Preprocess(benchmark::State& state) {
    Road& road = TheRoad();
    for (auto _ : state) {
        state.PauseTiming();
        road.Reset();
        state.ResumeTiming();
        if (!road.Preprocess()) {
            state.SkipWithError("preprocessing failed");
            return;
        }
    }
    state.counters["sections"] = kSections;
}
BENCHMARK(BM_Preprocess)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// Keeps the mean real time of every benchmark, for the ratio printed at the end.
class RatioReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (!run.error_occurred && run.iterations > 0) {
                m_ms[run.benchmark_name()] = run.GetAdjustedRealTime();
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> m_ms;
};

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto time = [&reporter](const char* name) {
        const auto it = reporter.m_ms.find(std::string(name) + "/min_time:2.000");
        return it == reporter.m_ms.end() ? 0.0 : it->second;
    };
    const double pre = time("BM_Preprocess");
    const double native = time("BM_RawInsertNative");
    const double qt = time("BM_RawInsertQt");
    if (pre > 0 && native > 0 && qt > 0) {
        std::printf("\npreprocessing of %d cross-sections: %.0f ms (target < 1000 ms)\n"
                    "  %.2f x the raw insert of its result rows on SQLite's C interface (%.0f ms; "
                    "target < 3 x)\n"
                    "  %.2f x the raw insert of the same rows through QSqlQuery (%.0f ms)\n",
                    kSections, pre, pre / native, native, pre / qt, qt);
    }
    benchmark::Shutdown();
    return 0;
}
