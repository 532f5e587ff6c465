// Reading hostile templates: the amplification file (lines that would nest
// sixteen detail reports four deep) and one huge line stay within a bounded time
// and memory, whatever the file holds. The peak resident size of the process is
// reported as a counter.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QStringList>

#include "report/io/templatetext.h"

namespace {

double PeakMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void BM_AmplificationTemplate(benchmark::State& state) {
  // About 300 KB of lines "Da,Db,Dc,D15,T,…" for every a, b, c of 0 … 15: as
  // written, each level of nesting would hold sixteen full detail reports.
  QStringList lines;
  for (int n = 0; n < 16 * 16 * 16 * 2; ++n)
    lines.append(QStringLiteral("D%1,D%2,D%3,D15,T,1,0,0,0,10,10,Arial,10").arg(n / 256 % 16).arg(n / 16 % 16).arg(n % 16));
  for (auto _ : state) {
    report::ReportDefinition r;
    benchmark::DoNotOptimize(report::ParseTemplate(r, lines).issues.size());
  }
  state.counters["peak_MB"] = PeakMegabytes();
}
BENCHMARK(BM_AmplificationTemplate)->Unit(benchmark::kMillisecond);

void BM_HugeLine(benchmark::State& state) {
  const QStringList lines{QStringLiteral("T,1,0,0,0,10,10,Arial,10,0,0,0,0,0,\"") + QString(50'000'000, QChar(u'x'))};
  for (auto _ : state) {
    report::ReportDefinition r;
    benchmark::DoNotOptimize(report::ParseTemplate(r, lines).issues.size());
  }
  state.counters["peak_MB"] = PeakMegabytes();
}
BENCHMARK(BM_HugeLine)->Unit(benchmark::kMillisecond);

}  // namespace
