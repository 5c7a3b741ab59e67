// The allocation engine on long roads, each figure against a raw SQLite baseline measured in the
// same run:
// - one soil-first haul over a 20 000-segment run (cut in the first half, fill in the second),
//   against inserting the same number of log rows in one transaction;
// - the default whole-project sequence (dalvex-cli auto) on a generated 20 000-section road with
//   pits and structures.
#include "support/ProjectFixture.h"

#include "core/allocation/YDPAutoAllocator.h"
#include "core/allocation/YDPRule.h"
#include "core/allocation/YDPStrategyRegistry.h"
#include "core/db/YDatabase.h"
#include "core/db/YTransaction.h"
#include "core/document/CDalvexDoc.h"
#include "core/document/YDocManager.h"
#include "support/YRecordingUserIO.h"

#include <QCoreApplication>
#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cmath>
#include <memory>
#include <random>

using dalvex::test::SegSpec;
using dalvex::test::TestProject;

namespace {

constexpr int kSegments = 20000;
constexpr double kLength = 20.0; // m

struct Workspace {
    QTemporaryDir dir;
    YRecordingUserIO io;
};

Workspace& Space() {
    static Workspace w;
    return w;
}

// Builds a project file once and returns its path.
template <class Fill> QString Build(const QString& name, Fill fill) {
    const QString path = Space().dir.filePath(name);
    YRecordingUserIO io;
    TestProject p(path, io);
    YTransaction tr(p->GetDatabase());
    fill(p);
    (void)tr.Commit();
    return path;
}

const QString& HaulRoad() {
    static const QString path = Build(QStringLiteral("haul.dvx"), [](TestProject& p) {
        for (int i = 0; i < kSegments; ++i) {
            SegSpec s;
            s.start = kLength * i;
            s.end = s.start + kLength;
            if (i < kSegments / 2) {
                s.use = {0, 11.6 + i % 7, 0, 0, 0, 9.2 * (i % 3)};
            } else {
                s.fill = 12.0 + i % 5;
            }
            p.AddSeg(s);
        }
    });
    return path;
}

// A rolling terrain: cut where the ground is above the grade line, fill below; a few
// segments carry both, some cut is unusable; pits every few kilometres, structures between.
const QString& GeneratedRoad() {
    static const QString path = Build(QStringLiteral("road.dvx"), [](TestProject& p) {
        std::mt19937 rng(20000);
        std::normal_distribution<double> noise(0.0, 0.6);
        std::uniform_real_distribution<double> share(0.0, 1.0);
        for (int i = 0; i < kSegments; ++i) {
            const double x = kLength * i;
            const double h = 3.0 * std::sin(x / 310.0) + 1.5 * std::sin(x / 83.0) + noise(rng);
            SegSpec s;
            s.start = x;
            s.end = x + kLength;
            s.content = {10, 40, 30, 10, 10, 0};
            if (h > 0.0) {
                const double v = 25.0 * h;
                const double rock = share(rng) * 0.4;
                s.use = {0.1 * v, 0.5 * v * (1 - rock), 0.4 * v * (1 - rock), v * rock, 0, 0};
                s.unuse = {0.05 * v, 0, 0, 0, 0, 0};
            } else {
                s.fill = -22.0 * h;
            }
            if (i % 10 == 3) {
                s.fill += 4.0; // a segment that fills itself partly
            }
            p.AddSeg(s);
        }
        const double end = kLength * kSegments;
        for (double road = 3000.0; road < end; road += 8000.0) {
            p.AddBorrowPit(road, road - 4000.0, road + 4000.0, {10, 40, 30, 20, 0, 0}, 2.0e5,
                           0.5e5);
        }
        for (double road = 1000.0; road < end; road += 6000.0) {
            p.AddWastePit(road, road - 3000.0, road + 3000.0, 1.0e5);
        }
        for (double at = 9990.0; at < end; at += 10000.0) {
            p.AddStructure(at, at + 40.0, QStringLiteral("大桥"), int(at) % 20000 == 9990);
        }
    });
    return path;
}

// A fresh copy of a built project, opened with its model loaded.
struct Opened {
    std::unique_ptr<YDocManager> manager;
    CDalvexDoc* doc = nullptr;
};

Opened OpenCopy(const QString& source) {
    const QString work = Space().dir.filePath(QStringLiteral("work.dvx"));
    QFile::remove(work);
    QFile::copy(source, work);
    Opened o;
    o.manager = std::make_unique<YDocManager>(Space().io);
    o.doc = o.manager->OpenDocumentFile(work);
    if (o.doc != nullptr) {
        (void)o.doc->ReloadModel();
    }
    return o;
}

void BM_RawLogInsertBaseline(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        Opened o = OpenCopy(HaulRoad());
        state.ResumeTiming();
        YTransaction tr(o.doc->GetDatabase());
        QSqlQuery q(o.doc->GetDatabase().Connection());
        q.prepare(QStringLiteral("INSERT INTO [Tmp调配过程表] ([GCID], [ID], [描述], [桩号1], "
                                 "[桩号2], [调配前土数量], [调配后土数量], [填挖], [成败], [坑]) "
                                 "VALUES (1, ?, '', ?, ?, ?, ?, ?, 1, 0)"));
        // About as many processes as the haul records, two rows each.
        for (int i = 0; i < kSegments; ++i) {
            for (int row = 0; row < 2; ++row) {
                q.addBindValue(i);
                q.addBindValue(20.0 * i);
                q.addBindValue(20.0 * i + 20.0);
                q.addBindValue(10.0);
                q.addBindValue(5.0);
                q.addBindValue(row == 0);
                q.exec();
            }
        }
        (void)tr.Commit();
    }
}
BENCHMARK(BM_RawLogInsertBaseline)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_SoilFirstHaul20000(benchmark::State& state) {
    int processes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        Opened o = OpenCopy(HaulRoad());
        CDalvexDoc& doc = *o.doc;
        for (YTFItem& seg : doc.Segments()) {
            seg.UpdateSel(true);
        }
        g_nDPRule = DPR_SOIL_FIRST;
        const int n = doc.GetSegmentCount();
        state.ResumeTiming();
        std::unique_ptr<YDPCalTool> s =
            YDPStrategyRegistry::FindStrategy(YDPSelection::Haul(&doc, 0, n / 2 - 1, n / 2, n - 1));
        if (!s || !s->Compute()) {
            state.SkipWithError("the haul recorded nothing");
        }
        state.PauseTiming();
        QSqlQuery q(doc.GetDatabase().Connection());
        q.exec(QStringLiteral("SELECT COUNT(*) FROM [Tmp调配过程表]"));
        processes = q.next() ? q.value(0).toInt() / 2 : 0;
        state.ResumeTiming();
    }
    state.counters["processes"] = processes;
}
BENCHMARK(BM_SoilFirstHaul20000)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_Auto20000(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        Opened o = OpenCopy(GeneratedRoad());
        state.ResumeTiming();
        const YDPAutoAllocator::Summary sum = YDPAutoAllocator::Run(*o.doc, {});
        if (!sum.bFinished) {
            state.SkipWithError("auto did not finish");
        }
        state.counters["haul_steps"] = sum.nHaulSteps;
    }
}
BENCHMARK(BM_Auto20000)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
