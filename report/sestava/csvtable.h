// The data file of `sestava run --data`: comma-separated values in UTF-8.
//
// Rules of the reader:
// - A UTF-8 byte-order mark at the very start is skipped.
// - Records end at LF, CR LF or a lone CR; the last record may lack its line end.
//   A line with nothing on it (between two line ends) is no record and is skipped;
//   an empty value of a one-column file is written "".
// - The first record gives the column names; every further record is one row and
//   must have exactly as many fields as the header.
// - Fields are separated by commas. A field that starts with a double quote is
//   quoted: it runs to the next lone quote, "" inside it stands for one quote, and
//   commas and line breaks inside it belong to the value (kept as they are). After
//   the closing quote comes a comma, a line end or the end of the file. A quote
//   inside an unquoted field is an error. Blanks are part of the value.
// - Column names are not empty and differ from each other (ignoring case, as the
//   report looks them up).
// - Every field is valid UTF-8 and at most maxFieldBytes long; the file holds at
//   most maxFields fields (header included) and the header at most maxColumns.
//
// The first rule broken ends the reading with the line it was found on (the line
// where the record or field began, counting every line end, also those inside
// quotes) and a message. The table keeps the unquoted bytes of all fields in one
// buffer, so its memory is bounded by the file's size plus one offset per field.
#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <cstddef>
#include <string>
#include <vector>

namespace report::tool {

struct CsvLimits {
  std::size_t maxFieldBytes = std::size_t{1} << 20;
  std::size_t maxFields = 10'000'000;
  std::size_t maxColumns = 10'000;
};

struct CsvError {
  long long line = 0;  // from 1
  QString message;
};

class CsvTable {
 public:
  const QStringList& fieldNames() const { return names_; }
  qsizetype columnCount() const { return names_.size(); }
  qsizetype rowCount() const { return rows_; }
  // One value (empty outside the table) and a whole row (empty outside).
  QString value(qsizetype row, qsizetype column) const;
  QStringList row(qsizetype row) const;

 private:
  friend bool ParseCsv(QByteArrayView, CsvTable*, CsvError*, const CsvLimits&);
  QStringList names_;
  qsizetype rows_ = 0;
  std::string data_;               // the values of the rows, one after another
  std::vector<std::size_t> ends_;  // end offset in data_ of every value, row by row
};

// Parses the whole text into *table (replaced). False with *error set on the
// first rule broken; the table is then empty.
bool ParseCsv(QByteArrayView bytes, CsvTable* table, CsvError* error, const CsvLimits& limits = {});

// True when the bytes are well-formed UTF-8 (no overlong forms, no surrogates,
// nothing above U+10FFFF).
bool IsValidUtf8(const char* data, std::size_t size);

}  // namespace report::tool
