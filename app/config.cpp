#include "app/config.h"

#include <QByteArray>
#include <QFileInfo>
#include <QList>

#include "fileio/qtfile.h"

#include <limits>

namespace tab97 {
namespace {

constexpr int kValueCount = 6;
// A line holding an integer is short; only this many bytes are looked at, so a
// huge or binary file costs nothing. Anything cut off there was no integer.
constexpr qint64 kReadLimit = 4096;
// A file larger than this is certainly not a configuration written by us.
constexpr std::size_t kLargestFile = 1u << 20;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool ParseDecimalInt(const QByteArray& line, int& value) {
  qsizetype i = 0, end = line.size();
  while (i < end && IsBlank(line[i])) ++i;
  while (end > i && IsBlank(line[end - 1])) --end;
  bool negative = false;
  if (i < end && (line[i] == '+' || line[i] == '-')) negative = line[i++] == '-';
  if (i == end) return false;
  long long magnitude = 0;
  for (; i < end; ++i) {
    const char c = line[i];
    if (c < '0' || c > '9') return false;
    magnitude = magnitude * 10 + (c - '0');
    if (magnitude > static_cast<long long>(std::numeric_limits<int>::max()) + 1) return false;
  }
  const long long signedValue = negative ? -magnitude : magnitude;
  if (signedValue > std::numeric_limits<int>::max() || signedValue < std::numeric_limits<int>::min()) return false;
  value = static_cast<int>(signedValue);
  return true;
}

// Splits at CR LF, LF or CR; a break at the very end opens no further line.
// `complete` is false when the read limit cut the data.
QList<QByteArray> SplitLines(const QByteArray& data, bool complete) {
  QList<QByteArray> lines;
  QByteArray current;
  bool open = false;
  for (qsizetype i = 0; i < data.size(); ++i) {
    const char c = data[i];
    if (c == '\r' || c == '\n') {
      lines.append(current);
      current.clear();
      open = false;
      if (c == '\r' && i + 1 < data.size() && data[i + 1] == '\n') ++i;
    } else {
      current.append(c);
      open = true;
    }
  }
  if (open && complete) lines.append(current);
  return lines;
}

}  // namespace

DecimalPlacesArray DefaultDecimalPlaces() { return {0, 2, 3, 6, 4, 3, 4}; }

ConfigStatus ReadConfig(const QString& path, DecimalPlacesArray& places) {
  QByteArray data;
  switch (fileio::ReadRegularFile(path, kLargestFile, &data)) {
    case fileio::ReadStatus::kOk: break;
    case fileio::ReadStatus::kMissing: return ConfigStatus::kMissing;
    default: return ConfigStatus::kUnreadable;
  }
  const ConfigStatus malformed = QFileInfo(path).isSymLink() ? ConfigStatus::kUnreadable : ConfigStatus::kMalformed;
  const bool complete = data.size() <= kReadLimit;
  if (!complete) data.truncate(kReadLimit);
  if (data.startsWith("\xEF\xBB\xBF")) data.remove(0, 3);
  const QList<QByteArray> lines = SplitLines(data, complete);
  for (int q = 1; q <= kValueCount; ++q) {
    int value = 0;
    if (q > lines.size() || !ParseDecimalInt(lines[q - 1], value)) return malformed;
    places[q] = value;
  }
  return ConfigStatus::kRead;
}

bool WriteConfig(const QString& path, const DecimalPlacesArray& places, QString* error) {
  QByteArray data;
  for (int q = 1; q <= kValueCount; ++q) {
    data += QByteArray::number(places[q]);
    data += "\r\n";
  }
  return fileio::SaveFile(path, data, {}, error);
}

}  // namespace tab97
