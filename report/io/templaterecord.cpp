#include "report/io/templaterecord.h"

#include <limits>

namespace report {
namespace {

QString WithoutLineBreaks(QString text) {
  text.replace(QChar(u'\r'), QChar(u' '));
  text.replace(QChar(u'\n'), QChar(u' '));
  return text;
}

// A line break typed into a text is kept inside a quoted field as the vertical
// tab (byte 0x0B, no line end for any reader), so the record stays one line.
QString WithEscapedLineBreaks(QString text) {
  text.replace(QStringLiteral("\r\n"), QString(QChar(kLineBreakInField)));
  text.replace(QChar(u'\n'), QChar(kLineBreakInField));
  text.replace(QChar(u'\r'), QChar(kLineBreakInField));
  return text;
}

}  // namespace

QString TemplateRecord::takeField() {
  ++taken_;
  if (atEnd()) return {};
  QString field;
  const qsizetype n = line_.size();
  qsizetype i = pos_;
  if (line_.at(i) == u'"') {
    ++i;
    while (i < n) {
      const QChar c = line_.at(i);
      if (c == u'"') {
        if (i + 1 < n && line_.at(i + 1) == u'"') {
          field.append(u'"');
          i += 2;
          continue;
        }
        ++i;  // closing quote
        break;
      }
      field.append(c == kLineBreakInField ? QChar(u'\n') : c);
      ++i;
    }
  }
  // Unquoted text, or what follows the closing quote, up to the next comma.
  const qsizetype comma = line_.indexOf(u',', i);
  const qsizetype end = comma < 0 ? n : comma;
  if (end > i) field.append(QStringView(line_).mid(i, end - i));
  pos_ = comma < 0 ? n : comma + 1;
  return field;
}

std::optional<int> ParseRecordInt(QStringView text) {
  text = text.trimmed();
  if (text.isEmpty()) return std::nullopt;
  qsizetype i = 0;
  bool negative = false;
  if (text.at(0) == u'+' || text.at(0) == u'-') {
    negative = text.at(0) == u'-';
    ++i;
  }
  if (i >= text.size()) return std::nullopt;
  long long value = 0;
  for (; i < text.size(); ++i) {
    const QChar c = text.at(i);
    if (c < u'0' || c > u'9') return std::nullopt;
    value = value * 10 + (c.unicode() - u'0');
    if (value > static_cast<long long>(std::numeric_limits<int>::max()) + 1) return std::nullopt;
  }
  if (negative) value = -value;
  if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
    return std::nullopt;
  return static_cast<int>(value);
}

int TemplateRecord::takeInt(int def, bool* malformed) {
  const QString field = takeField();
  if (field.trimmed().isEmpty()) return def;
  const std::optional<int> v = ParseRecordInt(field);
  if (!v) {
    if (malformed) *malformed = true;
    return def;
  }
  return *v;
}

QString QuotedField(const QString& text) {
  QString out = WithEscapedLineBreaks(text);
  out.replace(QStringLiteral("\""), QStringLiteral("\"\""));
  return u'"' + out + u'"';
}

QString PlainField(const QString& text) {
  const QString clean = WithoutLineBreaks(text);
  if (clean.contains(u',') || clean.contains(u'"')) return QuotedField(clean);
  return clean;
}

}  // namespace report
