#include "report/sestava/csvtable.h"

#include <QSet>

#include <cstring>

namespace report::tool {
namespace {

// The parser over the bytes of a file: one record at a time, the fields of a
// record appended to `out` with their end offsets in `ends`.
class Parser {
 public:
  Parser(QByteArrayView bytes, const CsvLimits& limits) : p_(bytes.data()), end_(p_ + bytes.size()), limits_(limits) {
    if (bytes.size() >= 3 && std::memcmp(p_, "\xEF\xBB\xBF", 3) == 0) p_ += 3;
  }

  bool atEnd() const { return p_ == end_; }
  long long line() const { return line_; }

  // Skips lines with nothing on them; false at the end of the text.
  bool skipEmptyLines() {
    while (p_ != end_ && (*p_ == '\n' || *p_ == '\r')) takeLineEnd();
    return p_ != end_;
  }

  // Reads one record; its fields are appended to `out`/`ends`. `maxFields` bounds
  // the fields of this record (the rest of the table's budget, or the header's).
  bool record(std::string& out, std::vector<std::size_t>& ends, std::size_t maxFields, CsvError* error) {
    for (;;) {
      const long long fieldLine = line_;
      const std::size_t start = out.size();
      if (p_ != end_ && *p_ == '"') {
        if (!quoted(out, error)) return false;
      } else if (!unquoted(out, error)) {
        return false;
      }
      const std::size_t length = out.size() - start;
      const std::size_t number = ends.size() + 1 - recordStart_;
      if (length > limits_.maxFieldBytes)
        return fail(error, fieldLine, QStringLiteral("field %1 is longer than %2 bytes").arg(number).arg(limits_.maxFieldBytes));
      if (!IsValidUtf8(out.data() + start, length))
        return fail(error, fieldLine, QStringLiteral("field %1 is not valid UTF-8").arg(number));
      ends.push_back(out.size());
      if (ends.size() - recordStart_ > maxFields) return fail(error, fieldLine, QString());
      if (p_ == end_) return true;
      if (*p_ == ',') {
        ++p_;
        continue;
      }
      takeLineEnd();
      return true;
    }
  }

  void beginRecord(std::size_t fieldsSoFar) { recordStart_ = fieldsSoFar; }

 private:
  static bool fail(CsvError* error, long long line, const QString& message) {
    error->line = line;
    error->message = message;
    return false;
  }

  void takeLineEnd() {
    if (*p_ == '\r' && p_ + 1 != end_ && p_[1] == '\n') ++p_;
    ++p_;
    ++line_;
  }

  bool unquoted(std::string& out, CsvError* error) {
    const char* start = p_;
    while (p_ != end_ && *p_ != ',' && *p_ != '\n' && *p_ != '\r') {
      if (*p_ == '"')
        return fail(error, line_, QStringLiteral("a quote inside an unquoted field (quote the whole field and double the quote)"));
      ++p_;
    }
    // A field beyond the limit is refused by the caller; copy no more than that.
    const std::size_t n = static_cast<std::size_t>(p_ - start);
    out.append(start, std::min(n, limits_.maxFieldBytes + 1));
    return true;
  }

  bool quoted(std::string& out, CsvError* error) {
    const long long opened = line_;
    const std::size_t start = out.size();
    ++p_;
    for (;;) {
      const char* quote = static_cast<const char*>(std::memchr(p_, '"', static_cast<std::size_t>(end_ - p_)));
      if (!quote) return fail(error, opened, QStringLiteral("the quoted field opened here is not closed"));
      for (const char* c = p_; c != quote; ++c)
        if (*c == '\n' || (*c == '\r' && (c + 1 == quote || c[1] != '\n'))) ++line_;
      if (out.size() - start <= limits_.maxFieldBytes)
        out.append(p_, std::min(static_cast<std::size_t>(quote - p_), limits_.maxFieldBytes + 1));
      p_ = quote + 1;
      if (p_ != end_ && *p_ == '"') {
        out.push_back('"');
        ++p_;
        continue;
      }
      break;
    }
    if (p_ != end_ && *p_ != ',' && *p_ != '\n' && *p_ != '\r')
      return fail(error, line_, QStringLiteral("text after the closing quote of a field"));
    return true;
  }

  const char* p_;
  const char* end_;
  const CsvLimits& limits_;
  long long line_ = 1;
  std::size_t recordStart_ = 0;
};

}  // namespace

QString CsvTable::value(qsizetype row, qsizetype column) const {
  if (row < 0 || row >= rows_ || column < 0 || column >= columnCount()) return {};
  const std::size_t k = static_cast<std::size_t>(row * columnCount() + column);
  const std::size_t start = k == 0 ? 0 : ends_[k - 1];
  return QString::fromUtf8(data_.data() + start, static_cast<qsizetype>(ends_[k] - start));
}

QStringList CsvTable::row(qsizetype row) const {
  QStringList values;
  if (row < 0 || row >= rows_) return values;
  values.reserve(columnCount());
  for (qsizetype c = 0; c < columnCount(); ++c) values.append(value(row, c));
  return values;
}

bool ParseCsv(QByteArrayView bytes, CsvTable* table, CsvError* error, const CsvLimits& limits) {
  *table = CsvTable();
  CsvError failure;
  Parser parser(bytes, limits);
  const auto fail = [&](long long line, const QString& message) {
    *error = {line, message};
    return false;
  };

  // The header.
  if (!parser.skipEmptyLines()) return fail(parser.line(), QStringLiteral("no header line with the column names"));
  {
    const long long line = parser.line();
    std::string names;
    std::vector<std::size_t> ends;
    parser.beginRecord(0);
    if (!parser.record(names, ends, std::min(limits.maxColumns, limits.maxFields), &failure)) {
      if (!failure.message.isEmpty()) return fail(failure.line, failure.message);
      return fail(line, QStringLiteral("more than %1 columns").arg(std::min(limits.maxColumns, limits.maxFields)));
    }
    QSet<QString> seen;
    for (std::size_t i = 0; i < ends.size(); ++i) {
      const std::size_t start = i == 0 ? 0 : ends[i - 1];
      const QString name = QString::fromUtf8(names.data() + start, static_cast<qsizetype>(ends[i] - start));
      QString problem;
      if (name.isEmpty()) problem = QStringLiteral("column %1 has no name").arg(i + 1);
      else if (seen.contains(name.toCaseFolded())) problem = QStringLiteral("the column name \"%1\" appears twice").arg(name);
      if (!problem.isEmpty()) {
        *table = CsvTable();
        return fail(line, problem);
      }
      seen.insert(name.toCaseFolded());
      table->names_.append(name);
    }
  }

  // The rows.
  CsvTable& t = *table;
  const std::size_t columns = static_cast<std::size_t>(t.names_.size());
  t.data_.reserve(static_cast<std::size_t>(bytes.size()));
  std::size_t fieldsLeft = limits.maxFields - columns;
  while (parser.skipEmptyLines()) {
    const long long line = parser.line();
    const std::size_t before = t.ends_.size();
    parser.beginRecord(before);
    // The record stops at the first field beyond the header's count (or the
    // file's budget): a row longer than the header is known by then.
    if (!parser.record(t.data_, t.ends_, std::min(columns, fieldsLeft), &failure)) {
      *table = CsvTable();
      if (!failure.message.isEmpty()) return fail(failure.line, failure.message);
      if (fieldsLeft >= columns)
        return fail(line, QStringLiteral("the row has more fields than the header's %1").arg(columns));
      return fail(line, QStringLiteral("more than %1 fields in the file").arg(limits.maxFields));
    }
    const std::size_t got = t.ends_.size() - before;
    if (got != columns) {
      *table = CsvTable();
      const QString counted = got == 1 ? QStringLiteral("1 field") : QStringLiteral("%1 fields").arg(got);
      return fail(line, QStringLiteral("the row has %1, the header %2").arg(counted, QString::number(columns)));
    }
    fieldsLeft -= got;
    ++t.rows_;
  }
  return true;
}

bool IsValidUtf8(const char* data, std::size_t size) {
  const auto* s = reinterpret_cast<const unsigned char*>(data);
  std::size_t i = 0;
  while (i < size) {
    const unsigned char c = s[i];
    if (c < 0x80) {
      ++i;
      continue;
    }
    std::size_t n = 0;
    unsigned char lo = 0x80, hi = 0xBF;  // bounds of the second byte
    if (c >= 0xC2 && c <= 0xDF) {
      n = 1;
    } else if (c >= 0xE0 && c <= 0xEF) {
      n = 2;
      if (c == 0xE0) lo = 0xA0;  // overlong
      if (c == 0xED) hi = 0x9F;  // surrogates
    } else if (c >= 0xF0 && c <= 0xF4) {
      n = 3;
      if (c == 0xF0) lo = 0x90;  // overlong
      if (c == 0xF4) hi = 0x8F;  // above U+10FFFF
    } else {
      return false;
    }
    if (size - i <= n) return false;
    if (s[i + 1] < lo || s[i + 1] > hi) return false;
    for (std::size_t k = 2; k <= n; ++k)
      if ((s[i + k] & 0xC0) != 0x80) return false;
    i += n + 1;
  }
  return true;
}

}  // namespace report::tool
