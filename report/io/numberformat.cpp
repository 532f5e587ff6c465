#include "report/io/numberformat.h"

#include <algorithm>
#include <cmath>

#include "report/model/reportlimits.h"

namespace report {
namespace {

// Decimal digits and exponent of |v| rounded to `significant` digits: v ≈ 0.d1d2… × 10^(exp+1),
// i.e. the first digit stands for 10^exp.
struct Decimal {
  QString digits;  // without leading or trailing zeros, at least one digit
  int exp = 0;
};
Decimal ToDecimal(double v, int significant) {
  const QString e = QString::number(std::fabs(v), 'e', significant - 1);  // d.ddde±xx
  const qsizetype ePos = e.indexOf(u'e');
  Decimal d;
  d.digits = e.left(ePos).remove(u'.');
  d.exp = e.mid(ePos + 1).toInt();
  while (d.digits.size() > 1 && d.digits.endsWith(u'0')) d.digits.chop(1);
  return d;
}

QString ExponentText(int exp, int minDigits, bool alwaysSign) {
  QString digits = QString::number(std::abs(exp));
  while (digits.size() < minDigits) digits.prepend(u'0');
  if (exp < 0) return u'-' + digits;
  return alwaysSign ? u'+' + digits : digits;
}

QString Scientific(const Decimal& d, int mantissaDigits, int expDigits, bool alwaysSign, QChar point) {
  QString m = d.digits.left(1);
  QString rest = d.digits.mid(1);
  while (rest.size() < mantissaDigits - 1) rest.append(u'0');
  if (!rest.isEmpty()) m += point + rest;
  return m + u'E' + ExponentText(d.exp, expDigits, alwaysSign);
}

QString Grouped(const QString& integer, QChar separator) {
  QString out;
  const qsizetype n = integer.size();
  for (qsizetype i = 0; i < n; ++i) {
    if (i > 0 && (n - i) % 3 == 0) out += separator;
    out += integer[i];
  }
  return out;
}

// Fixed text of |v| with `digits` decimals, after rounding to `precision` significant digits.
QString FixedText(double v, int precision, int digits, bool group, const ReportLocale& l) {
  const double rounded = QString::number(std::fabs(v), 'e', precision - 1).toDouble();
  const QString full = QString::number(rounded, 'f', digits);
  const qsizetype point = full.indexOf(u'.');
  QString integer = point < 0 ? full : full.left(point);
  const QString fraction = point < 0 ? QString() : full.mid(point + 1);
  if (group) integer = Grouped(integer, l.thousandsSeparator);
  return fraction.isEmpty() ? integer : integer + l.decimalSeparator + fraction;
}

}  // namespace

ReportLocale ReportLocale::system() {
  // Read once: the user's locale does not change while the program runs.
  static const ReportLocale cached = [] {
    ReportLocale r;
    const QLocale l = QLocale::system();
    r.locale = l;
    const QString dec = l.decimalPoint(), group = l.groupSeparator();
    r.decimalSeparator = dec.isEmpty() ? QChar(u'.') : dec.front();
    r.thousandsSeparator = group.isEmpty() ? QChar(u' ') : group.front();
    r.currencySymbol = l.currencySymbol();
    r.currencyBefore = l.toCurrencyString(1.0).startsWith(r.currencySymbol);
    return r;
  }();
  return cached;
}

ReportLocale ReportLocale::c() {
  ReportLocale r;
  r.decimalSeparator = QChar(u'.');
  r.thousandsSeparator = QChar(u',');
  r.currencySymbol = QStringLiteral("$");
  r.currencyBefore = true;
  r.locale = QLocale::c();
  return r;
}

QString FormatFloat(double value, int format, int precision, int digits, const ReportLocale& l) {
  if (std::isnan(value)) return QStringLiteral("NAN");
  if (std::isinf(value)) return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
  if (format < 0 || format >= kNumberFormatCount) format = kDefaultNumberFormat;
  if (precision < 1) precision = kDefaultPrecision;
  precision = std::min(precision, kMaxDecimals);
  digits = std::clamp(digits, 0, kMaxDecimals);
  const QString sign = std::signbit(value) && value != 0 ? QStringLiteral("-") : QString();
  if (value == 0) value = 0;  // no "-0"

  QString body;
  if (value == 0 && format == kFormatGeneral) return QStringLiteral("0");
  const Decimal d = ToDecimal(value, precision);
  switch (format) {
    case kFormatGeneral:
      if (d.exp >= precision || d.exp < -5) {
        body = Scientific(d, 0, std::min(digits, 4), false, l.decimalSeparator);
      } else if (d.exp >= 0) {
        body = d.digits.left(d.exp + 1).leftJustified(d.exp + 1, u'0');
        if (d.digits.size() > d.exp + 1) body += l.decimalSeparator + d.digits.mid(d.exp + 1);
      } else {
        body = u'0' + QString(l.decimalSeparator) + QString(-d.exp - 1, u'0') + d.digits;
      }
      break;
    case kFormatExponent:
      body = Scientific(value == 0 ? Decimal{QStringLiteral("0"), 0} : d, precision, std::min(digits, 4), true,
                        l.decimalSeparator);
      break;
    default:
      if (value != 0 && d.exp >= precision) {
        body = Scientific(d, precision, 0, true, l.decimalSeparator);
      } else {
        body = FixedText(value, precision, digits, format != kFormatFixed, l);
      }
      break;
  }
  QString text = sign + body;
  if (format == kFormatCurrency)
    text = l.currencyBefore ? l.currencySymbol + u' ' + text : text + u' ' + l.currencySymbol;
  return text;
}

std::optional<double> ReadNumber(QStringView text) {
  text = text.trimmed();
  const qsizetype n = text.size();
  qsizetype i = 0;
  if (i < n && (text[i] == u'+' || text[i] == u'-')) ++i;
  qsizetype digits = 0;
  while (i < n && text[i].isDigit() && text[i].unicode() < 128) ++i, ++digits;
  if (i < n && (text[i] == u'.' || text[i] == u',')) {
    ++i;
    while (i < n && text[i].isDigit() && text[i].unicode() < 128) ++i, ++digits;
  }
  if (digits == 0) return std::nullopt;
  if (i < n && (text[i] == u'e' || text[i] == u'E')) {
    ++i;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) ++i;
    qsizetype expDigits = 0;
    while (i < n && text[i].isDigit() && text[i].unicode() < 128) ++i, ++expDigits;
    if (expDigits == 0) return std::nullopt;
  }
  if (i != n) return std::nullopt;
  QString normal = text.toString();
  normal.replace(u',', u'.');
  bool ok = false;
  const double v = QLocale::c().toDouble(normal, &ok);
  if (!ok || !std::isfinite(v)) return std::nullopt;
  return v;
}

QString GeneralNumberText(double v, QChar decimalSeparator) {
  if (v == 0) return QStringLiteral("0");  // also -0
  QString s = QString::number(v, 'g', 15);
  if (decimalSeparator != u'.') s.replace(u'.', decimalSeparator);
  return s;
}

}  // namespace report
