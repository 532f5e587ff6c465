// Generate over a typical list report: page header and footer, two groups, six
// columns and a sum, an average and a standard deviation, on A4, with the text
// measured by the real fonts. Reports the output elements made and the process's
// peak resident size.
#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include "benchreport.h"
#include "report/layout/qttextmeasurer.h"

namespace {

using namespace report;
using namespace benchreport;

void BM_Generate(benchmark::State& state) {
  ReportDefinition r;
  Build(r);
  QtTextMeasurer measurer;
  int elements = 0, pages = 0;
  for (auto _ : state) {
    Rows data(static_cast<int>(state.range(0)));
    TSestVystup doc;
    ReportGenerator g(measurer);
    benchmark::DoNotOptimize(g.Generate(r, data, {}, doc));
    elements = doc.elementCount();
    pages = doc.pageCount();
  }
  state.counters["pages"] = pages;
  state.counters["elements"] = elements;
  state.counters["peak_MB"] = PeakMegabytes();
}
BENCHMARK(BM_Generate)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
