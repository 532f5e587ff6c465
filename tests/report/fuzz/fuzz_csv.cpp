// Fuzzing harness of the sestava tool's CSV reader: any bytes give either a
// table whose rows all have the header's width, within the limits, or an error
// with a line inside the text and a message.
#include <cstdint>
#include <cstdlib>

#include <QByteArrayView>

#include "report/sestava/csvtable.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  report::tool::CsvLimits limits;
  limits.maxFieldBytes = 64;
  limits.maxFields = 1000;
  limits.maxColumns = 50;
  const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  report::tool::CsvTable table;
  report::tool::CsvError error;
  if (!report::tool::ParseCsv(bytes, &table, &error, limits)) {
    const long long lineEnds = bytes.count('\n') + bytes.count('\r');
    if (error.line < 1 || error.line > lineEnds + 1 || error.message.isEmpty()) std::abort();
    if (table.rowCount() != 0 || table.columnCount() != 0) std::abort();
    return 0;
  }
  const qsizetype columns = table.columnCount();
  if (columns < 1 || static_cast<std::size_t>(columns) > limits.maxColumns) std::abort();
  if (static_cast<std::size_t>(columns * (table.rowCount() + 1)) > limits.maxFields) std::abort();
  for (const QString& name : table.fieldNames())
    if (name.isEmpty()) std::abort();
  for (qsizetype r = 0; r < table.rowCount(); ++r) {
    const QStringList row = table.row(r);
    if (row.size() != columns) std::abort();
    for (const QString& v : row) {
      if (v.toUtf8().size() > static_cast<qsizetype>(limits.maxFieldBytes)) std::abort();
      // Valid UTF-8 decodes without replacement characters, unless it spelt one.
      if (v.contains(QChar::ReplacementCharacter) && !bytes.contains("\xEF\xBF\xBD")) std::abort();
    }
  }
  return 0;
}
