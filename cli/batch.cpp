#include "cli/batch.h"

#include <array>

#include "cli/parse.h"
#include "cli/solve.h"

namespace if97::cli {

namespace {

// Splits at commas; at most `limit` fields are kept, `count` says how many there were.
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
  std::string q;
  q.reserve(text.size() + 2);
  q.push_back('\'');
  q.append(text);
  q.push_back('\'');
  return q;
}

std::string ErrorRow(const std::array<std::string_view, 3>& fields) {
  std::string row;
  row.append(fields[0]).append(",").append(fields[1]).append(",").append(fields[2]);
  row.append(",,,,,,,error");
  return row;
}

}  // namespace

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
  buffer.reserve(1 << 16);
  buffer.append(kBatchHeader).push_back('\n');
  std::string line, message;
  long lineNumber = 0;
  while (std::getline(in, line)) {
    ++lineNumber;
    if (IsBatchSkipLine(line)) continue;
    buffer.append(BatchRow(line, preferMetastable, message)).push_back('\n');
    ++counts.rows;
    if (!message.empty()) {
      ++counts.errors;
      err << "if97 batch: line " << lineNumber << ": " << message << '\n';
    }
    if (buffer.size() >= (1 << 16) - 512) {
      out.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
      buffer.clear();
    }
  }
  out.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
  out.flush();
  return counts;
}

}  // namespace if97::cli
