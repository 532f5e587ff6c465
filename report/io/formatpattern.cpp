#include "report/io/formatpattern.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>


namespace report {
namespace {

constexpr int kMaxWidth = 255;

bool IsDigit(QChar c) { return c >= u'0' && c <= u'9'; }

std::optional<qint64> AsInteger(const FormatArgument& a) {
  double v = 0;
  switch (a.kind) {
    case FormatArgument::Kind::Integer: return a.integer;
    case FormatArgument::Kind::Float: v = a.number; break;
    case FormatArgument::Kind::Text: {
      const std::optional<double> r = ReadNumber(a.text);
      if (!r) return std::nullopt;
      v = *r;
      break;
    }
  }
  if (!std::isfinite(v)) return std::nullopt;
  constexpr double kLimit = 9.0e18;
  return static_cast<qint64>(std::trunc(std::clamp(v, -kLimit, kLimit)));
}

std::optional<double> AsFloat(const FormatArgument& a) {
  switch (a.kind) {
    case FormatArgument::Kind::Integer: return static_cast<double>(a.integer);
    case FormatArgument::Kind::Float: return a.number;
    case FormatArgument::Kind::Text: return ReadNumber(a.text);
  }
  return std::nullopt;
}

QString AsText(const FormatArgument& a, const ReportLocale& l) {
  switch (a.kind) {
    case FormatArgument::Kind::Integer: return QString::number(a.integer);
    case FormatArgument::Kind::Float: return GeneralNumberText(a.number, l.decimalSeparator);
    case FormatArgument::Kind::Text: return a.text;
  }
  return {};
}

// One conversion; nullopt when the argument does not fit it.
std::optional<QString> Convert(QChar conv, int precision, const FormatArgument& a, const ReportLocale& l) {
  switch (conv.toLower().unicode()) {
    case u'd':
    case u'u': {
      const std::optional<qint64> v = AsInteger(a);
      if (!v) return std::nullopt;
      const bool negative = *v < 0;
      QString digits = QString::number(*v).remove(u'-');
      if (precision > digits.size()) digits = digits.rightJustified(precision, u'0');
      return negative ? u'-' + digits : digits;
    }
    case u'x': {
      const std::optional<qint64> v = AsInteger(a);
      if (!v) return std::nullopt;
      QString digits = QString::number(static_cast<quint64>(*v), 16);
      if (conv == u'X') digits = digits.toUpper();
      if (precision > digits.size()) digits = digits.rightJustified(precision, u'0');
      return digits;
    }
    case u'f':
    case u'e':
    case u'g':
    case u'n':
    case u'm': {
      const std::optional<double> v = AsFloat(a);
      if (!v) return std::nullopt;
      const QChar c = conv.toLower();
      if (c == u'e') return FormatFloat(*v, kFormatExponent, precision < 0 ? 15 : precision + 1, 3, l);
      if (c == u'g') return FormatFloat(*v, kFormatGeneral, precision < 0 ? 15 : precision, 0, l);
      const int decimals = precision < 0 ? 2 : precision;
      const int format = c == u'f' ? kFormatFixed : c == u'n' ? kFormatNumber : kFormatCurrency;
      return FormatFloat(*v, format, 18, decimals, l);
    }
    case u's': {
      const QString t = AsText(a, l);
      return precision >= 0 ? t.left(precision) : t;
    }
    default: return std::nullopt;
  }
}

}  // namespace

QString FormatValue(const QString& pattern, const FormatArgument& arg, const ReportLocale& locale) {
  QString out;
  bool used = false;
  const qsizetype n = pattern.size();
  qsizetype i = 0;
  while (i < n) {
    if (pattern[i] != u'%') {
      out += pattern[i++];
      continue;
    }
    if (i + 1 < n && pattern[i + 1] == u'%') {
      out += u'%';
      i += 2;
      continue;
    }
    const qsizetype start = i++;
    bool left = false, zero = false;
    while (i < n && (pattern[i] == u'-' || pattern[i] == u'0')) {
      (pattern[i] == u'-' ? left : zero) = true;
      ++i;
    }
    auto number = [&]() {
      int v = 0;
      while (i < n && IsDigit(pattern[i])) v = std::min(v * 10 + (pattern[i++].unicode() - u'0'), kMaxWidth + 1);
      return v;
    };
    const int width = number();
    int precision = -1;
    if (i < n && pattern[i] == u'.') {
      ++i;
      precision = number();
    }
    std::optional<QString> text;
    if (!used && i < n && width <= kMaxWidth && precision <= kMaxWidth) text = Convert(pattern[i], precision, arg, locale);
    if (!text) {
      // Not understood, or no value left for it: as it stands.
      const qsizetype stop = std::min(n, i + 1);
      out += pattern.mid(start, stop - start);
      i = stop;
      continue;
    }
    ++i;
    used = true;
    if (text->size() < width) {
      if (left) *text = text->leftJustified(width, u' ');
      else if (zero && !text->isEmpty() && text->front() == u'-') *text = u'-' + text->mid(1).rightJustified(width - 1, u'0');
      else *text = text->rightJustified(width, zero ? u'0' : u' ');
    }
    out += *text;
  }
  return out;
}

QString FormatDateTime(const QString& pattern, const QDateTime& when, const ReportLocale& locale) {
  const QDate date = when.date();
  const QTime time = when.time();
  const QLocale& l = locale.locale;
  // With an am/pm marker anywhere the hours run from 1 to 12.
  const QString lower = pattern.toLower();
  const bool twelve = lower.contains(QStringLiteral("am/pm")) || lower.contains(QStringLiteral("a/p"));
  const int hour = twelve ? (time.hour() % 12 == 0 ? 12 : time.hour() % 12) : time.hour();
  auto two = [](int v) { return QString::number(v).rightJustified(2, u'0'); };

  QString out;
  bool afterHour = false;
  const qsizetype n = pattern.size();
  qsizetype i = 0;
  while (i < n) {
    const QChar c = pattern[i];
    const QChar lc = c.toLower();
    if (c == u'"' || c == u'\'') {
      const qsizetype close = pattern.indexOf(c, i + 1);
      const qsizetype stop = close < 0 ? n : close;
      out += pattern.mid(i + 1, stop - i - 1);
      i = close < 0 ? n : close + 1;
      continue;
    }
    if (lower.mid(i, 5) == u"am/pm") {
      const QString marker = time.hour() < 12 ? QStringLiteral("am") : QStringLiteral("pm");
      out += c.isUpper() ? marker.toUpper() : marker;
      i += 5;
      continue;
    }
    if (lower.mid(i, 3) == u"a/p") {
      out += time.hour() < 12 ? QChar(c.isUpper() ? u'A' : u'a') : QChar(c.isUpper() ? u'P' : u'p');
      i += 3;
      continue;
    }
    qsizetype run = 1;
    while (i + run < n && pattern[i + run].toLower() == lc) ++run;
    switch (lc.unicode()) {
      case u'd':
        if (run == 1) out += QString::number(date.day());
        else if (run == 2) out += two(date.day());
        else if (run == 3) out += l.dayName(date.dayOfWeek(), QLocale::ShortFormat);
        else if (run == 4) out += l.dayName(date.dayOfWeek(), QLocale::LongFormat);
        else if (run == 5) out += l.toString(date, QLocale::ShortFormat);
        else out += l.toString(date, QLocale::LongFormat);
        break;
      case u'm':
        if (afterHour && run <= 2) out += run == 1 ? QString::number(time.minute()) : two(time.minute());
        else if (run == 1) out += QString::number(date.month());
        else if (run == 2) out += two(date.month());
        else if (run == 3) out += l.monthName(date.month(), QLocale::ShortFormat);
        else out += l.monthName(date.month(), QLocale::LongFormat);
        break;
      case u'y':
        out += run <= 2 ? two(date.year() % 100) : QString::number(date.year()).rightJustified(4, u'0');
        break;
      case u'h': out += run == 1 ? QString::number(hour) : two(hour); break;
      case u'n': out += run == 1 ? QString::number(time.minute()) : two(time.minute()); break;
      case u's': out += run == 1 ? QString::number(time.second()) : two(time.second()); break;
      case u'z':
        out += run < 3 ? QString::number(time.msec()) : QString::number(time.msec()).rightJustified(3, u'0');
        break;
      case u'c': out += l.toString(date, QLocale::ShortFormat) + u' ' + l.toString(time, QLocale::LongFormat); break;
      case u't': out += l.toString(time, run == 1 ? QLocale::ShortFormat : QLocale::LongFormat); break;
      case u'/': out += QString(run, l.dateFormat(QLocale::ShortFormat).contains(u'.') ? QChar(u'.') : QChar(u'/')); break;
      default: out += pattern.mid(i, run); break;
    }
    if (lc.isLetter()) afterHour = lc == u'h';
    i += run;
  }
  return out;
}

}  // namespace report
