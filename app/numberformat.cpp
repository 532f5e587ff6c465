#include "app/numberformat.h"

#include <QLocale>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace tab97 {
namespace {

constexpr int kPrecision = 10;
constexpr int kMaxDecimals = 18;

// The value's 10 significant digits and the decimal exponent of the first one.
struct Digits {
  char d[kPrecision];
  int exponent;  // value = d0.d1d2… × 10^exponent
};

Digits SignificantDigits(double magnitude) {
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.*e", kPrecision - 1, magnitude);
  Digits out{};
  int k = 0;
  const char* c = buffer;
  for (; *c && *c != 'e'; ++c)
    if (*c >= '0' && *c <= '9' && k < kPrecision) out.d[k++] = *c;
  out.exponent = *c == 'e' ? std::atoi(c + 1) : 0;
  return out;
}

QString Scientific(bool negative, const Digits& digits, QChar separator) {
  QString text;
  if (negative) text += QLatin1Char('-');
  text += QLatin1Char(digits.d[0]);
  text += separator;
  for (int i = 1; i < kPrecision; ++i) text += QLatin1Char(digits.d[i]);
  text += QLatin1Char('E');
  text += digits.exponent < 0 ? QLatin1Char('-') : QLatin1Char('+');
  text += QStringLiteral("%1").arg(std::abs(digits.exponent), 2, 10, QLatin1Char('0'));
  return text;
}

}  // namespace

QString FormatFixed(double value, int decimals, QChar separator) {
  if (std::isnan(value)) return QStringLiteral("NAN");
  if (std::isinf(value)) return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
  decimals = std::clamp(decimals, 0, kMaxDecimals);
  const bool negative = std::signbit(value);
  const Digits digits = SignificantDigits(std::fabs(value));
  const int integerDigits = value == 0.0 ? 1 : digits.exponent + 1;
  if (value != 0.0 && integerDigits > kPrecision) return Scientific(negative, digits, separator);

  // Place the 10 digits on a grid of positions: position p holds the digit of
  // 10^(exponent - p). Keep the digits down to 10^-decimals, rounding on the next.
  const int first = value == 0.0 ? 0 : digits.exponent;
  const int kept = first + 1 + decimals;  // number of digit positions kept
  std::string number;                      // the kept digits, most significant first
  bool roundUp = false;
  if (value != 0.0) {
    for (int p = 0; p < std::max(kept, 0); ++p) number += p < kPrecision ? digits.d[p] : '0';
    roundUp = kept >= 0 && kept < kPrecision && digits.d[kept] >= '5';
  }
  int top = first;  // exponent of number[0]
  if (number.empty()) {
    number.assign(static_cast<std::size_t>(decimals + 1), '0');
    top = 0;
  }
  if (roundUp) {
    int i = static_cast<int>(number.size()) - 1;
    while (i >= 0 && number[i] == '9') number[i--] = '0';
    if (i >= 0) ++number[i];
    else { number.insert(number.begin(), '1'); ++top; }
  }
  // Pad to the left so the integer part has at least one digit.
  while (top < 0) { number.insert(number.begin(), '0'); ++top; }
  const int intCount = top + 1;
  const bool allZero = number.find_first_not_of('0') == std::string::npos;

  QString text;
  if (negative && !allZero) text += QLatin1Char('-');
  text += QString::fromLatin1(number.data(), intCount);
  if (decimals > 0) {
    text += separator;
    text += QString::fromLatin1(number.data() + intCount, static_cast<int>(number.size()) - intCount);
  }
  return text;
}

QString FormatResult(double value, int decimals, QChar separator) {
  if (value == 0.0) return QStringLiteral("0");
  return FormatFixed(value, decimals, separator);
}

bool ParseUserNumber(const QString& text, QChar separator, double& value) {
  QString s = text.trimmed();
  s.replace(QLatin1Char('.'), separator);
  s.replace(QLatin1Char(','), separator);
  // Check the shape and build the C-locale spelling at the same time.
  QString plain;
  int i = 0;
  const int n = static_cast<int>(s.size());
  if (i < n && (s[i] == QLatin1Char('+') || s[i] == QLatin1Char('-'))) plain += s[i++];
  int mantissaDigits = 0;
  bool separatorSeen = false;
  for (; i < n; ++i) {
    const QChar c = s[i];
    if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
      plain += c;
      ++mantissaDigits;
    } else if (c == separator && !separatorSeen) {
      plain += QLatin1Char('.');
      separatorSeen = true;
    } else {
      break;
    }
  }
  if (mantissaDigits == 0) return false;
  if (i < n && (s[i] == QLatin1Char('e') || s[i] == QLatin1Char('E'))) {
    plain += QLatin1Char('e');
    ++i;
    if (i < n && (s[i] == QLatin1Char('+') || s[i] == QLatin1Char('-'))) plain += s[i++];
    int exponentDigits = 0;
    for (; i < n && s[i] >= QLatin1Char('0') && s[i] <= QLatin1Char('9'); ++i) {
      plain += s[i];
      ++exponentDigits;
    }
    if (exponentDigits == 0) return false;
  }
  if (i != n) return false;
  bool ok = false;
  const double parsed = QLocale::c().toDouble(plain, &ok);
  if (!ok || !std::isfinite(parsed)) return false;
  value = parsed;
  return true;
}

}  // namespace tab97
