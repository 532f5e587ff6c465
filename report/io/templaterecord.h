// One record (line) of a template or a comma-separated ini value, taken field by field.
//
// Fields are separated by commas. A field that begins with a double quote is
// quoted: inside it two double quotes stand for one, a single double quote ends
// the quoted part, and characters after the closing quote up to the next comma
// still belong to the field. A field that does not begin with a double quote runs
// to the next comma and a double quote inside it is an ordinary character. Taking
// a field consumes it and its comma; a missing field reads as empty.
#pragma once

#include <optional>

#include <QString>
#include <QStringView>

namespace report {

class TemplateRecord {
 public:
  explicit TemplateRecord(QString line) : line_(std::move(line)) {}

  bool atEnd() const { return pos_ >= line_.size(); }
  // 1-based number of the field that the next take returns.
  int nextFieldNumber() const { return taken_ + 1; }
  // The rest of the record after the fields taken so far.
  QString remainder() const { return line_.mid(pos_); }

  QString takeField();
  // Integer field: decimal text with an optional sign and surrounding blanks.
  // An empty field gives `def`; a malformed one (or one outside the 32-bit range)
  // gives `def` and sets *malformed.
  int takeInt(int def, bool* malformed = nullptr);
  bool takeBool(bool def, bool* malformed = nullptr) { return takeInt(def ? 1 : 0, malformed) != 0; }

 private:
  QString line_;
  qsizetype pos_ = 0;
  int taken_ = 0;
};

// Reads decimal integer text; nullopt for empty or malformed text.
std::optional<int> ParseRecordInt(QStringView text);

// Writing fields. A quoted field doubles every double quote of its text. Line
// breaks never go into a record: inside a quoted field a line break of the text
// (LF, CR LF or CR) is written as the character below and read back as '\n'; in
// a plain field each CR or LF becomes a blank.
inline constexpr char16_t kLineBreakInField = 0x0B;

QString QuotedField(const QString& text);
// A name or other unquoted text: written as it is unless the reader would split
// or unquote it differently (it contains a comma or a double quote), in which
// case it is quoted.
QString PlainField(const QString& text);

}  // namespace report
