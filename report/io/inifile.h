// A Windows-style ini file read and written line by line.
//
// QSettings is not used: it splits comma-separated values into lists and rewrites
// the whole file. Here a value is the raw text after the first '=' (surrounding
// blanks removed), sections and keys are found without regard to case, lines
// starting with ';' are comments, and writing changes only the keys that were set
// or removed, keeping every other line as it was. The file is 8-bit text in code
// page 1250; CR LF and LF line ends are both read.
#pragma once

#include <cstddef>
#include <optional>

#include <QList>
#include <QString>

#include "report/io/loadresult.h"

namespace report {

// An ini file of paper formats is a few kilobytes; a larger file is refused unread.
inline constexpr std::size_t kMaxIniFileBytes = 4u << 20;

class IniFile {
 public:
  struct Value {
    QString text;
    int line = 0;  // 1-based line of the file
  };

  // Reads the file. A missing file gives an empty ini and ok true; a file that
  // exists but cannot be read (or is no regular file, or is too large) gives ok false.
  LoadResult load(const QString& path);
  void parse(const QString& text);

  std::optional<Value> value(const QString& section, const QString& key) const;
  void setValue(const QString& section, const QString& key, const QString& text);
  void removeKey(const QString& section, const QString& key);
  // Keys of a section in file order.
  QList<QString> keys(const QString& section) const;

  QString text() const;  // lines joined with CR LF
  // Writes the whole file through the safe save: completely, or not at all with
  // the old file left in place.
  bool save(const QString& path) const;

 private:
  struct Line {
    QString raw;       // the line as read or built
    QString section;   // section the line belongs to
    QString key;       // key of a key line, empty otherwise
    QString value;
  };
  qsizetype find(const QString& section, const QString& key) const;
  QList<Line> lines_;
};

}  // namespace report
