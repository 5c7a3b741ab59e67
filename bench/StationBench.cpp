// Station texts are formatted and parsed for every row a record set reads or writes; this
// measures both on a road with chain breaks, against formatting a plain number as baseline.
#include "core/station/YStation.h"

#include <benchmark/benchmark.h>

namespace {

void SetUpBreaks() {
    YStationSystem::Reset();
    (void)YStationSystem::AddChainBreak(QStringLiteral("K3+100.000=K3+150.000"));
    (void)YStationSystem::AddChainBreak(QStringLiteral("K8+400.000=K8+380.000"));
}

void BM_PlainNumberBaseline(benchmark::State& state) {
    double v = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(QString::number(v, 'f', 3));
        v += 7.25;
    }
}
BENCHMARK(BM_PlainNumberBaseline);

void BM_FormatStation(benchmark::State& state) {
    SetUpBreaks();
    double v = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(YStation(v).Text());
        v = v > 20000 ? 0 : v + 7.25;
    }
}
BENCHMARK(BM_FormatStation);

void BM_ParseStation(benchmark::State& state) {
    SetUpBreaks();
    const QString text = YStation(12345.678).Text();
    for (auto _ : state) {
        benchmark::DoNotOptimize(YStation::Parse(text));
    }
}
BENCHMARK(BM_ParseStation);

} // namespace

BENCHMARK_MAIN();
