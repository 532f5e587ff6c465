#include "app/config.h"

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QSaveFile>

#include <limits>

namespace tab97 {
namespace {

constexpr int kValueCount = 6;
// A line holding an integer is short; reading stops after this many bytes, so a
// huge or binary file costs nothing. Anything cut off there was no integer.
constexpr qint64 kReadLimit = 4096;

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

bool ReadConfig(const QString& path, DecimalPlacesArray& places) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return false;
  QByteArray data = file.read(kReadLimit + 1);
  const bool complete = data.size() <= kReadLimit;
  if (!complete) data.truncate(kReadLimit);
  if (data.startsWith("\xEF\xBB\xBF")) data.remove(0, 3);
  const QList<QByteArray> lines = SplitLines(data, complete);
  for (int q = 1; q <= kValueCount; ++q) {
    int value = 0;
    if (q > lines.size() || !ParseDecimalInt(lines[q - 1], value)) return false;
    places[q] = value;
  }
  return true;
}

bool WriteConfig(const QString& path, const DecimalPlacesArray& places) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return false;
  QByteArray data;
  for (int q = 1; q <= kValueCount; ++q) {
    data += QByteArray::number(places[q]);
    data += "\r\n";
  }
  if (file.write(data) != data.size()) {
    file.cancelWriting();
    return false;
  }
  return file.commit();
}

}  // namespace tab97
