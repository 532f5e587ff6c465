// Fuzzing harness of Generate: any bytes are a template, laid out over a small
// table of rows (with detail reports that have rows of their own). Every run ends,
// within the bounds, with pages whose elements stand on the pages they name.
#include <cstdint>
#include <cstdlib>

#include <QByteArray>

#include "../layout/tabledata.h"
#include "report/io/templatefile.h"
#include "report/io/templatetext.h"
#include "report/layout/generator.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  QList<QStringList> rows;
  for (int i = 1; i <= 30; ++i)
    rows.append({QString::number(i / 10), QString::number(i), QStringLiteral("text %1").arg(i)});
  report::TableData table({QStringLiteral("Vel1"), QStringLiteral("Vel2"), QStringLiteral("Vel3")}, rows);
  table.Parametry = {QStringLiteral("Nadpis")};
  for (int d = 0; d < 2; ++d)
    table.details.push_back(std::make_unique<report::TableData>(
        QStringList{QStringLiteral("Vel1")}, QList<QStringList>{{QStringLiteral("a")}, {QStringLiteral("b")}}));

  report::ReportDefinition def;
  (void)report::ParseTemplate(def, report::DecodeTemplateText(bytes), table.FieldNames);
  report::FixedPitchMeasurer measurer(7, 12);
  report::ReportGenerator generator(measurer);
  report::GenerateOptions options;
  options.EndPage = 50;
  report::TSestVystup doc;
  const int result = generator.Generate(def, table, options, doc);
  if (result != 0 && result != 3) std::abort();
  if (doc.pageCount() < 1 || doc.pageCount() > options.EndPage) std::abort();
  return 0;
}
