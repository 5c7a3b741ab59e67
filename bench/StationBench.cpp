// Station texts are formatted and parsed for every row a record set reads or writes; this
// measures both on a road with chain breaks, against formatting a plain number as baseline.
#include "core/station/YStationNumbering.h"

#include <benchmark/benchmark.h>

namespace {

YStationNumbering WithBreaks() {
    YStationNumbering n;
    (void)n.AddChainBreak(QStringLiteral("K3+100.000=K3+150.000"));
    (void)n.AddChainBreak(QStringLiteral("K8+400.000=K8+380.000"));
    return n;
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
    const YStationNumbering numbering = WithBreaks();
    double v = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(numbering.Text(YStation(v)));
        v = v > 20000 ? 0 : v + 7.25;
    }
}
BENCHMARK(BM_FormatStation);

void BM_ParseStation(benchmark::State& state) {
    const YStationNumbering numbering = WithBreaks();
    const QString text = numbering.Text(YStation(12345.678));
    for (auto _ : state) {
        benchmark::DoNotOptimize(numbering.ParseStation(text));
    }
}
BENCHMARK(BM_ParseStation);

} // namespace

BENCHMARK_MAIN();
