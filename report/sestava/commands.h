// The commands of `sestava`, run in-process: main() only sets up the
// application and the two standard streams.
#pragma once

#include <QIODevice>
#include <QStringList>

#include "report/component/sestava.h"
#include "report/sestava/arguments.h"
#include "report/sestava/console.h"
#include "report/sestava/csvtable.h"

namespace report::tool {

// The largest CSV file read (its fields are also bounded by CsvLimits).
inline constexpr std::size_t kMaxCsvFileBytes = std::size_t{512} << 20;
// The largest page image of --png, in pixels (4 bytes each).
inline constexpr double kMaxImagePixels = 64.0 * 1024 * 1024;

// Serves the rows of a table through the component's data events: sdFirst goes
// to the first row (srBof, with srEof too when there is none), sdNext to the
// next (srEof, staying, at the last), sdPrior back (srBof at the first), sdLast
// to the last row (srEof). Without a row the values are empty texts.
class CsvRowSource {
 public:
  explicit CsvRowSource(const CsvTable& table) : table_(table) {}
  int step(int dir);
  qsizetype row() const { return row_; }
  QStringList values() const;
  // Sets the report's column names and captions and its two data events.
  void attach(TSestavaD& report);

 private:
  const CsvTable& table_;
  qsizetype row_ = 0;
};

// The whole tool: parses `args` (without the program's name), runs the command
// and returns the exit status. `out` takes the command's output, `err` the
// messages and the progress line.
int RunTool(const QStringList& args, QIODevice& out, QIODevice& err);

int RunReport(const RunArguments& args, QIODevice& out, Console& console);
int RunBarcode(const BarcodeArguments& args, QIODevice& out, Console& console);
int RunCheck(const CheckArguments& args, QIODevice& out, Console& console);

// The readable form of a barcode: type, encoded text, width and elements.
QString DescribeBarcode(const BarcodeArguments& args);

}  // namespace report::tool
