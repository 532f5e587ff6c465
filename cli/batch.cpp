#include "cli/batch.h"

#include <array>

#include "cli/parse.h"
#include "cli/solve.h"

namespace if97::cli {

namespace {

// Splits at commas; at most 3 fields are kept (trimmed), `count` says how many there were.
std::array<std::string_view, 3> SplitFields(std::string_view line, int& count) {
  std::array<std::string_view, 3> fields{};
  count = 0;
  std::size_t start = 0;
  while (true) {
    const auto comma = line.find(',', start);
    const std::string_view field = line.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start);
    if (count < 3) fields[static_cast<std::size_t>(count)] = Trim(field);
    ++count;
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  return fields;
}

std::string Quoted(std::string_view text) {
  std::string q(1, '\'');
  q.append(EchoText(text)).push_back('\'');
  return q;
}

std::string ErrorRow(const std::array<std::string_view, 3>& fields) {
  std::string row;
  for (std::size_t k = 0; k < fields.size(); ++k) {
    if (k > 0) row.push_back(',');
    row.append(CsvField(EchoText(fields[k])));
  }
  row.append(",,,,,,,error");
  return row;
}

// The output rows are written in blocks of about this size.
constexpr std::size_t kRowBufferBytes = std::size_t{1} << 16;

}  // namespace

std::string EchoText(std::string_view text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string echo;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    char piece[4];
    std::size_t n = 0;
    if (byte == '\\') {
      piece[n++] = '\\';
      piece[n++] = '\\';
    } else if (byte >= 0x20 && byte <= 0x7E) {
      piece[n++] = c;
    } else {
      piece[n++] = '\\';
      piece[n++] = 'x';
      piece[n++] = kHex[byte >> 4];
      piece[n++] = kHex[byte & 0xF];
    }
    if (echo.size() + n > kEchoLimit) {
      echo.append("…");
      break;
    }
    echo.append(piece, n);
  }
  return echo;
}

std::string CsvField(std::string_view text) {
  if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
  std::string q = "\"";
  for (const char c : text) {
    if (c == '"') q.push_back('"');
    q.push_back(c);
  }
  q.push_back('"');
  return q;
}

bool IsBatchSkipLine(std::string_view line) {
  const std::string_view t = Trim(line);
  return t.empty() || t.front() == '#';
}

std::string BatchRow(std::string_view line, bool preferMetastable, std::string& message) {
  message.clear();
  int count = 0;
  const auto fields = SplitFields(line, count);
  if (count != 3) {
    message = "expected 3 fields (pair,value1,value2), found " + std::to_string(count);
    return ErrorRow(fields);
  }
  const auto pair = ParsePairField(fields[0]);
  if (!pair) {
    message = "unknown pair " + Quoted(fields[0]) + " (two of the letters T P V S I X, or a pair code such as 12)";
    return ErrorRow(fields);
  }
  const auto first = ParseNumber(fields[1]);
  const auto second = ParseNumber(fields[2]);
  if (!first || !second) {
    message = Quoted(first ? fields[2] : fields[1]) + " is not a number";
    return ErrorRow(fields);
  }
  const SolvedState s = SolvePair(*pair, *first, *second, preferMetastable);
  std::string row;
  row.reserve(200);
  row.append(fields[0]);
  row.push_back(',');
  AppendRoundTrip(row, *first);
  row.push_back(',');
  AppendRoundTrip(row, *second);
  for (int q = kT; q <= kX; ++q) {
    row.push_back(',');
    AppendRoundTrip(row, s.q[q]);
  }
  row.push_back(',');
  row.append(std::to_string(s.region));
  return row;
}

BatchCounts RunBatch(std::istream& in, std::ostream& out, std::ostream& err, bool preferMetastable) {
  BatchCounts counts;
  std::string buffer;
  buffer.reserve(kRowBufferBytes);
  buffer.append(kBatchHeader).push_back('\n');
  LineReader reader(in);
  std::string line, message;
  bool cut = false;
  long lineNumber = 0;
  while (reader.Next(line, cut)) {
    ++lineNumber;
    // Of an overlong line only a comment is skipped: its kept part may be all blanks.
    const std::string_view kept = Trim(line);
    if (cut ? kept.starts_with('#') : IsBatchSkipLine(line)) continue;
    if (cut) {
      int count = 0;
      buffer.append(ErrorRow(SplitFields(line, count)));
      message = "line longer than " + std::to_string(LineReader::kMaxLineBytes) + " bytes";
    } else {
      buffer.append(BatchRow(line, preferMetastable, message));
    }
    buffer.push_back('\n');
    ++counts.rows;
    if (!message.empty()) {
      ++counts.errors;
      err << "if97 batch: line " << lineNumber << ": " << message << '\n';
    }
    if (buffer.size() >= kRowBufferBytes - 1024) {
      if (!WriteChecked(out, buffer, counts.output)) return counts;
      buffer.clear();
    }
  }
  counts.input = reader.Error();
  if (WriteChecked(out, buffer, counts.output)) FlushChecked(out, counts.output);
  return counts;
}

}  // namespace if97::cli
