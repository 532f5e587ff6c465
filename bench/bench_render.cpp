// Drawing and exporting the 10 000-row list report (about 190 pages): one page
// at 100 % to a 96 dpi image, the text output of every page, the PDF of every page.
#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include "benchreport.h"
#include "report/layout/qttextmeasurer.h"
#include "report/render/pagerenderer.h"
#include "report/render/pdfexport.h"
#include "report/render/textgrid.h"

namespace {

using namespace report;
using namespace benchreport;

const TSestVystup& Document() {
  static TSestVystup doc = [] {
    ReportDefinition r;
    Build(r);
    Rows data(10000);
    QtTextMeasurer measurer;
    TSestVystup d;
    ReportGenerator(measurer).Generate(r, data, {}, d);
    return d;
  }();
  return doc;
}

void BM_RenderPage96dpi(benchmark::State& state) {
  const TSestVystup& doc = Document();
  const PageRenderer renderer;
  int page = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(renderer.pageImage(doc, page, 96).constBits());
    page = (page + 1) % doc.pageCount();
  }
}
BENCHMARK(BM_RenderPage96dpi)->Unit(benchmark::kMillisecond);

void BM_TextOutput(benchmark::State& state) {
  const TSestVystup& doc = Document();
  for (auto _ : state) benchmark::DoNotOptimize(TextOutput(doc, 1, doc.pageCount(), 1, slCP852).size());
  state.counters["pages"] = doc.pageCount();
}
BENCHMARK(BM_TextOutput)->Unit(benchmark::kMillisecond);

void BM_PdfExport(benchmark::State& state) {
  const TSestVystup& doc = Document();
  std::size_t bytes = 0;
  for (auto _ : state) bytes = PdfOfPages(doc, 1, doc.pageCount(), QStringLiteral("bench")).size();
  state.counters["pages"] = doc.pageCount();
  state.counters["MB"] = static_cast<double>(bytes) / 1e6;
}
BENCHMARK(BM_PdfExport)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
