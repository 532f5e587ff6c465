// Fuzzing harness of the template reader and writer. Any bytes are a template
// file: reading never fails or crashes, and what the writer gives back reads to the
// same lines again (write → read → write is stable). The functions, formats and
// variables of the elements read are evaluated once on a sample row.
#include <cstdint>
#include <cstdlib>

#include <QByteArray>

#include "report/formatpattern.h"
#include "report/reportdefinition.h"
#include "report/systemvariables.h"
#include "report/templatefile.h"

namespace {

void Prepare(if97::ReportDefinition& r) {
  r.FieldNames = {QStringLiteral("Vel1"), QStringLiteral("Vel2"), QStringLiteral("Vel3")};
  r.FieldLabels = {QStringLiteral("Teplota"), QStringLiteral("Tlak")};
  r.Parametry = {QStringLiteral("Nadpis"), QStringLiteral("12,5")};
  r.RowValues = {QStringLiteral("284,15"), QStringLiteral("16.257"), QString()};
  r.locale = if97::ReportLocale::c();
}

void Exercise(if97::ReportDefinition& r) {
  r.functions.markResetAll();
  for (int row = 0; row < 2; ++row) r.computeFunctions();
  for (int i = -1; i <= r.functions.count(); ++i) (void)r.functionText(i);
  for (const if97::TOddilSestavy* s : r.allSections()) {
    for (const if97::TReportElement& e : s->elements) {
      if (e.kind == if97::kElementVariable) (void)if97::SystemVariableText(e.index, 45358.5, e.text, r.locale);
      if (e.kind == if97::kElementColumn)
        (void)if97::FormatValue(e.text, if97::FormatArgument::ofText(r.columnText(e.index)), r.locale);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const QStringList lines = if97::DecodeTemplateText(bytes);

  if97::ReportDefinition first;
  Prepare(first);
  (void)first.SetTemplate(lines);
  const QStringList written = first.GetTemplate();
  Exercise(first);

  if97::ReportDefinition second;
  Prepare(second);
  (void)second.SetTemplate(written);
  if (second.GetTemplate() != written) std::abort();  // the writer produced a record the reader splits differently
  if (if97::DecodeTemplateText(if97::EncodeTemplateText(written)) != written) std::abort();
  return 0;
}
