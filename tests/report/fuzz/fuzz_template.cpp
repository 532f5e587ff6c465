// Fuzzing harness of the template reader and writer. Any bytes are a template
// file: reading never fails or crashes, and what the writer gives back reads to the
// same lines again (write → read → write is stable). The functions, formats and
// variables of the elements read are evaluated once on a sample row.
#include <cstdint>
#include <cstdlib>

#include <QByteArray>

#include "report/io/formatpattern.h"
#include "report/io/templatetext.h"
#include "report/model/reportdefinition.h"
#include "report/run/reportrun.h"
#include "report/io/systemvariables.h"
#include "report/io/templatefile.h"

namespace {

report::ReportData SampleData() {
  report::ReportData d;
  d.FieldNames = {QStringLiteral("Vel1"), QStringLiteral("Vel2"), QStringLiteral("Vel3")};
  d.FieldLabels = {QStringLiteral("Teplota"), QStringLiteral("Tlak")};
  d.Parametry = {QStringLiteral("Nadpis"), QStringLiteral("12,5")};
  d.RowValues = {QStringLiteral("284,15"), QStringLiteral("16.257"), QString()};
  d.locale = report::ReportLocale::c();
  return d;
}

void Exercise(const report::ReportDefinition& def, report::ReportData& data) {
  report::ReportRun r(def, data);
  r.functions.markResetAll();
  for (int row = 0; row < 2; ++row) r.computeFunctions();
  for (int i = -1; i <= r.functions.count(); ++i) (void)r.functionText(i);
  for (const report::TOddilSestavy* s : def.allSections()) {
    for (const report::TReportElement& e : s->elements) {
      if (e.kind == report::kElementVariable) (void)report::SystemVariableText(e.index, 45358.5, e.text, data.locale);
      if (e.kind == report::kElementColumn)
        (void)report::FormatValue(e.text, report::FormatArgument::ofText(r.columnText(e.index)), data.locale);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const QStringList lines = report::DecodeTemplateText(bytes);

  report::ReportData sample = SampleData();
  report::ReportDefinition first;
  (void)ParseTemplate(first, lines, sample.FieldNames);
  const QStringList written = FormatTemplate(first);
  Exercise(first, sample);

  report::ReportDefinition second;
  (void)ParseTemplate(second, written, sample.FieldNames);
  if (FormatTemplate(second) != written) std::abort();  // the writer produced a record the reader splits differently
  if (report::DecodeTemplateText(report::EncodeTemplateText(written)) != written) std::abort();
  return 0;
}
